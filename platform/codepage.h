#pragma once
#include <string>

#include "platform/slot.h"

namespace platform {

enum : unsigned { code_page_utf8 = 65001 };

// The process's code pages and the conversions between them and UTF-16.
class x_CodePageService {
public:
    virtual ~x_CodePageService() = default;

    // Whether the byte starts a double-byte character in the code page that
    // the runtime's multi-byte routines use for the process's locale.
    virtual bool is_lead_byte(unsigned char byte);
    // The runtime's lower-casing of a byte string in the process's locale
    // (_strlwr): double-byte characters are never split.
    virtual std::string lower_case(const std::string& text);

    virtual unsigned ansi_code_page();  // GetACP
    virtual unsigned oem_code_page();   // GetOEMCP
    // The system's OEM code page, which a new console and so the command
    // interpreter start with. A program whose manifest asks for UTF-8 gets
    // 65001 from GetOEMCP as well; the interpreter does not.
    virtual unsigned system_oem_code_page();
    // GetConsoleOutputCP: the page chcp set for the console the process
    // shares with its children; 0 when the process has no console.
    virtual unsigned console_output_code_page();

    // MultiByteToWideChar and WideCharToMultiByte with the Windows calling
    // convention: a length of -1 takes the source up to and including its
    // terminating zero, a destination size of 0 asks for the needed size.
    virtual int multi_byte_to_wide(unsigned code_page, unsigned flags, const char* source,
                                   int source_length, char16_t* destination, int destination_size);
    virtual int wide_to_multi_byte(unsigned code_page, unsigned flags, const char16_t* source,
                                   int source_length, char* destination, int destination_size,
                                   const char* default_char, bool* used_default);
};

inline x_CodePageService& code_page() { return x_Slot<x_CodePageService>::current(); }

}  // namespace platform

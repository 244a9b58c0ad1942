#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/slot.h"

namespace platform {

class x_ConsoleService {
public:
    virtual ~x_ConsoleService() = default;
    virtual void write_out(std::string_view text);
    virtual void flush_out();
    virtual void write_err(std::string_view text);
    virtual void flush_err();
    // Reads one line of standard input, at most max_chars characters of it
    // kept (the rest of the line is consumed). False at end of input with
    // nothing read.
    virtual bool read_line(std::string& line, std::size_t max_chars);
};

inline x_ConsoleService& console() { return x_Slot<x_ConsoleService>::current(); }

}  // namespace platform

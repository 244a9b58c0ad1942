#pragma once
// Code-page substitutes for tests that need double-byte behaviour without
// a Japanese Windows, and a guard for tests that need the real one.
#include <clocale>
#include <string>

#include "platform/codepage.h"

namespace testing_support {

// The POSIX stand-in and this substitute follow Shift_JIS lead-byte ranges
// once the ANSI code page answers 932.
class x_CodePage932 : public platform::x_CodePageService {
public:
    unsigned ansi_code_page() override { return 932; }
    unsigned oem_code_page() override { return 932; }
    unsigned system_oem_code_page() override { return 932; }
#ifdef _WIN32
    bool is_lead_byte(unsigned char byte) override {
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    }
#endif
};

// A page without lead bytes as the program's code page: 1252, or UTF-8 as
// the manifest asks for it.
class x_CodePageWithoutLeadBytes : public platform::x_CodePageService {
public:
    explicit x_CodePageWithoutLeadBytes(unsigned page) : page_(page) {}
    unsigned ansi_code_page() override { return page_; }
    bool is_lead_byte(unsigned char) override { return false; }

private:
    unsigned page_;
};

// Installs code page 932 for the lifetime of the object.
class x_UseCodePage932 {
public:
    x_UseCodePage932() : guard_(fake_) {}

private:
    x_CodePage932 fake_;
    platform::x_Substitute<platform::x_CodePageService> guard_;
};

// Switches the process to the user's locale for one test and back after it,
// so that a test run under LC_ALL=ja_JP.UTF-8 sees the real code page 932.
class x_UserLocale {
public:
    x_UserLocale() : previous_(std::setlocale(LC_ALL, nullptr)) { std::setlocale(LC_ALL, ""); }
    ~x_UserLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    x_UserLocale(const x_UserLocale&) = delete;
    x_UserLocale& operator=(const x_UserLocale&) = delete;

private:
    std::string previous_;
};

}  // namespace testing_support

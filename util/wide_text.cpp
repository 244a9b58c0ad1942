#include "util/wide_text.h"

#include "platform/codepage.h"

std::u16string ansi_to_utf16(const std::string& text) {
    return to_utf16(platform::code_page().ansi_code_page(), text).value_or(std::u16string());
}

std::string utf16_to_ansi(const std::u16string& units) {
    return from_utf16(platform::code_page().ansi_code_page(), units, false).value_or(std::string());
}

// Run in a program whose manifest asks for UTF-8 as its code page, as the
// release build's does; Wine started in a Japanese locale, so that the
// runtime's locale is one with lead bytes (code page 932) while the
// program's texts are UTF-8.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "compose/script_code_page.h"
#include "platform/codepage.h"
#include "util/strings.h"
#include "util/wide_text.h"

namespace {

// 日本 (E6 97 A5 E6 9C AC) and S with caron (C5 A0) between ASCII letters.
const std::string mixed = "ABC \xE6\x97\xA5\xE6\x9C\xAC \xC5\xA0rka";

TEST(Utf8Process, StringsAreUtf8WhateverTheRuntimesLocaleSays) {
    std::setlocale(LC_ALL, "");
    ASSERT_EQ(platform::code_page().ansi_code_page(), 65001u);
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        EXPECT_FALSE(is_lead_byte(static_cast<char>(byte))) << byte;
    }
    EXPECT_EQ(to_lower(mixed), "abc \xE6\x97\xA5\xE6\x9C\xAC \xC5\xA0rka");
    EXPECT_EQ(find_char(mixed, '\\'), npos);
    EXPECT_EQ(ansi_to_utf16(mixed), u"ABC \u65E5\u672C \u0160rka");
    EXPECT_EQ(utf16_to_ansi(u"\u8868\\x"), "\xE8\xA1\xA8\\x");
}

// The interpreter keeps the system's OEM page; a script in it holds the
// Japanese letters of a Japanese system, not the Latin S with caron.
TEST(Utf8Process, ScriptsGoInTheSystemsOemPage) {
    EXPECT_EQ(platform::code_page().oem_code_page(), 65001u);
    const unsigned system = platform::code_page().system_oem_code_page();
    EXPECT_NE(system, 65001u);
    if (platform::code_page().console_output_code_page() == 0) {
        EXPECT_EQ(interpreter_code_page(), system);
    }
    if (system == 932) {
        EXPECT_EQ(to_interpreter_code_page("\xE8\xA1\xA8"), std::string("\x95\x5C"));
        EXPECT_FALSE(to_interpreter_code_page("\xC5\xA0").has_value());
    }
}

}  // namespace

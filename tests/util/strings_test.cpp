#include "util/strings.h"

#include <gtest/gtest.h>

#include "support/code_page.h"

namespace {

using testing_support::x_UseCodePage932;

const std::string so = "\x83\x5C";   // ソ: its second byte is a backslash
const std::string hyo = "\x95\x5C";  // 表
const std::string hiragana_a = "\x82\xA0";

TEST(Tokenize, SplitsAtAnyByteOfTheSetInSetMode) {
    EXPECT_EQ(tokenize("a b\tc", false, " \t"), (x_StringList{"a", "b", "c"}));
    EXPECT_EQ(tokenize("a  b", false, " "), (x_StringList{"a", "", "b"}));
    EXPECT_EQ(tokenize(" a", false, " "), (x_StringList{"", "a"}));
    EXPECT_EQ(tokenize("a ", false, " "), (x_StringList{"a"}));
    EXPECT_TRUE(tokenize("", false, " ").empty());
}

TEST(Tokenize, SplitsOnlyAtTheWholeDelimiterInStringMode) {
    EXPECT_EQ(tokenize("a\r\nb\r\n", true, "\r\n"), (x_StringList{"a", "b"}));
    EXPECT_EQ(tokenize("a\rb\r\nc", true, "\r\n"), (x_StringList{"a\rb", "c"}));
    EXPECT_EQ(tokenize("a\r\n\r\nb", true, "\r\n"), (x_StringList{"a", "", "b"}));
}

TEST(Tokenize, HonoursQuotesOnlyWhereTheyOpenAToken) {
    EXPECT_EQ(tokenize("\"a b\" c", false, " "), (x_StringList{"\"a b\"", "c"}));
    EXPECT_EQ(tokenize("'a b'x c", false, " "), (x_StringList{"'a b'x", "c"}));
    EXPECT_EQ(tokenize("x\"a b\" c", false, " "), (x_StringList{"x\"a", "b\"", "c"}));
    EXPECT_EQ(tokenize("\"a 'b\" c", false, " "), (x_StringList{"\"a 'b\"", "c"}));
}

TEST(Tokenize, UnclosedQuoteMakesTheRestOneToken) {
    EXPECT_EQ(tokenize("a \"b c d", false, " "), (x_StringList{"a", "\"b c d"}));
    EXPECT_EQ(tokenize("\"", false, " "), (x_StringList{"\""}));
}

TEST(Split, EdgeCases) {
    EXPECT_TRUE(split("", '\\').empty());
    EXPECT_EQ(split("\\", '\\'), (x_StringList{""}));
    EXPECT_EQ(split("a\\b\\", '\\'), (x_StringList{"a", "b"}));
    EXPECT_EQ(split("\\\\server\\share", '\\'), (x_StringList{"", "", "server", "share"}));
}

TEST(Join, PlacesTheSeparatorOnlyBetweenElements) {
    EXPECT_EQ(join(x_StringList{}, ','), "");
    EXPECT_EQ(join(x_StringList{"a"}, ','), "a");
    EXPECT_EQ(join(x_StringList{"a", "", "b"}, ','), "a,,b");
    EXPECT_EQ(join(x_StringList{"a", "b"}, std::string("\r\n")), "a\r\nb");
    EXPECT_EQ(join(x_StringList{"", ""}, std::string("--")), "--");
}

TEST(Join, LongListsEqualThePlainJoin) {
    for (std::size_t count : {100u, 101u, 102u, 128u, 229u, 1000u, 12345u}) {
        x_StringList parts;
        std::string plain;
        for (std::size_t i = 0; i < count; ++i) {
            parts.push_back(std::to_string(i));
            plain += (i ? "; " : "") + std::to_string(i);
        }
        EXPECT_EQ(join(parts, std::string("; ")), plain) << count;
    }
}

TEST(Join, InvertsSplitWhenNoElementIsEmptyAtTheEnd) {
    const std::string path = "C:\\a\\\\b\\c";
    EXPECT_EQ(join(split(path, '\\'), '\\'), path);
}

TEST(DropEmpty, KeepsTheOrderOfTheRest) {
    EXPECT_EQ(drop_empty({"", "a", "", "b"}), (x_StringList{"a", "b"}));
}

TEST(Numbers, DigitsInEveryRadixWithClamping) {
    EXPECT_EQ(uint_to_text(0, 10), "0");
    EXPECT_EQ(uint_to_text(255, 16), "ff");
    EXPECT_EQ(uint_to_text(5, 1), "101");
    EXPECT_EQ(uint_to_text(5, -7), "101");
    EXPECT_EQ(uint_to_text(35, 40), "z");
    EXPECT_EQ(uint_to_text(36, 36), "10");
    EXPECT_EQ(uint_to_text(4294967295u, 10), "4294967295");
    EXPECT_EQ(uint64_to_text(1099511627776ULL, 10), "1099511627776");
    EXPECT_EQ(uint64_to_text(~0ULL, 16), "ffffffffffffffff");
    EXPECT_EQ(uint64_to_text(~0ULL, 2), std::string(64, '1'));
}

TEST(Numbers, PaddingNeverCuts) {
    EXPECT_EQ(uint64_to_padded_text(255, 16, 8), "000000ff");
    EXPECT_EQ(uint_to_padded_text(0x409, 16, 4), "0409");
    EXPECT_EQ(uint64_to_padded_text(0x123456789ULL, 16, 8), "123456789");
    // A negative identifier widened with its sign shows all 64 bits.
    EXPECT_EQ(uint64_to_padded_text(static_cast<std::uint64_t>(std::int64_t{-1}), 16, 8),
              "ffffffffffffffff");
    EXPECT_EQ(pad_left("abc", 2, '*'), "abc");
    EXPECT_EQ(pad_left("abc", -4, '*'), "abc");
    EXPECT_EQ(pad_left("abc", 5, '*'), "**abc");
}

TEST(SmallHelpers, SurroundAndBytes) {
    EXPECT_EQ(surround("a b", '"'), "\"a b\"");
    EXPECT_EQ(surround("", '"'), "\"\"");
    EXPECT_TRUE(to_bytes("").empty());
    const std::string with_zero("a\0b", 3);
    EXPECT_EQ(to_bytes(with_zero), (x_ByteList{'a', '\0', 'b'}));
}

TEST(Case, LowerCasingAndCaselessEquality) {
    EXPECT_EQ(to_lower("ABC xyz 09"), "abc xyz 09");
    EXPECT_EQ(to_lower(std::string("AB\0CD", 5)), "ab");
    EXPECT_TRUE(equals_ignore_case("Robocopy", "ROBOCOPY"));
    EXPECT_FALSE(equals_ignore_case("xcopy", "xcopy "));
    EXPECT_TRUE(equals_ignore_case("", ""));
}

TEST(SingleByteCodePage, EveryByteIsACharacter) {
    EXPECT_EQ(last_char(""), '\0');
    EXPECT_EQ(last_char("ab\\"), '\\');
    EXPECT_EQ(find_char("a\\b\\", '\\'), 1u);
    EXPECT_EQ(find_last_char("a\\b\\", '\\'), 3u);
    EXPECT_EQ(find_char("abc", 'x'), npos);
}

// Checks shared by the substituted native code page and the real one under Wine.
void expect_double_byte_awareness() {
    EXPECT_EQ(find_char(so, '\\'), npos);
    EXPECT_EQ(find_char("C:" + hyo + "\\x", '\\'), 4u);
    EXPECT_EQ(find_last_char("C:\\" + so, '\\'), 2u);
    EXPECT_EQ(find_char(hiragana_a + "\xA0", '\xA0'), 2u);
    EXPECT_EQ(last_char("dir\\" + hyo), '\x95');
    EXPECT_EQ(last_char("dir\\" + so + "\\"), '\\');
    EXPECT_EQ(last_char(hyo + so), '\x83');
    // A lone lead byte at the end is a character of its own.
    EXPECT_EQ(last_char("a\x83"), '\x83');
    EXPECT_EQ(find_char("a\x83", '\x83'), 1u);
    // Letters can be second bytes too.
    EXPECT_EQ(find_char("\x83"
                        "a",
                        'a'),
              npos);
}

TEST(DoubleByteCodePage, SubstitutedSearchesNeverMatchATrailByte) {
    x_UseCodePage932 code_page;
    expect_double_byte_awareness();
    EXPECT_EQ(to_lower("AB" + so + "C"), "ab" + so + "c");
}

#ifdef _WIN32
TEST(CodePage932, RealRuntimeSearchesNeverMatchATrailByte) {
    testing_support::x_UserLocale locale;
    if (platform::code_page().ansi_code_page() != 932 || !is_lead_byte('\x83')) {
        GTEST_SKIP() << "needs the process running under code page 932";
    }
    expect_double_byte_awareness();
    EXPECT_EQ(to_lower("AB" + so + "C"), "ab" + so + "c");
    EXPECT_EQ(to_lower("\x82\x60"), "\x82\x81");  // full-width A becomes full-width a
}
#endif

}  // namespace

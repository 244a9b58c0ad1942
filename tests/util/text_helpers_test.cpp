#include "util/text_helpers.h"

#include <gtest/gtest.h>

#include <string>

#include "support/code_page_932_fixture.h"
#include "util/wide_text.h"

namespace {

using testing_support::hyo;
using testing_support::so;

TEST(StripQuotes, NestedPairsAndMixedPairs) {
    EXPECT_EQ(strip_quotes("\"\"\"\"x\"\"\"\""), "\"x\"");
    EXPECT_EQ(strip_quotes("'\"C:\\a b\"'"), "C:\\a b");
    EXPECT_EQ(strip_quotes("\"mixed'"), "\"mixed'");
    EXPECT_EQ(strip_quotes("\""), "\"");
    EXPECT_EQ(strip_quotes("\"\""), "");
    EXPECT_EQ(strip_quotes(""), "");
    EXPECT_EQ(strip_quote_pair("''x''"), "'x'");
    EXPECT_EQ(strip_quote_pair("'x\""), "'x\"");
}

TEST(Trim, WhiteSpaceAndGivenByte) {
    EXPECT_EQ(trim(" \t \t"), "");
    EXPECT_EQ(trim("\r\n\v\f a b \t"), "a b");
    EXPECT_EQ(trim_left("  a "), "a ");
    EXPECT_EQ(trim_right("  a "), "  a");
    EXPECT_EQ(trim("xxaxbxx", 'x'), "axb");
    EXPECT_EQ(trim_right("a b\\\\", '\\'), "a b");
    EXPECT_EQ(trim("", 'x'), "");
}

TEST(SplitLines, KeepsInnerEmptyLinesButNoEmptyLastLine) {
    EXPECT_EQ(split_lines("a\r\n\r\nb\r\n"), (x_StringList{"a", "", "b"}));
    EXPECT_EQ(split_lines("a\r\nb"), (x_StringList{"a", "b"}));
    EXPECT_EQ(split_lines("a\rb\nc"), (x_StringList{"a\rb\nc"}));
    EXPECT_EQ(split_lines("\r\n"), (x_StringList{""}));
    EXPECT_EQ(split_lines("\"q\r\nq\"x\r\ny"), (x_StringList{"\"q\r\nq\"x", "y"}));
    EXPECT_TRUE(split_lines("").empty());
}

TEST(SplitWords, DropsEmptyWordsAndKeepsQuotedPathsWhole) {
    EXPECT_EQ(split_words("  xcopy \t\"C:\\My Files\"  D:\\x\r\n"),
              (x_StringList{"xcopy", "\"C:\\My Files\"", "D:\\x"}));
    EXPECT_EQ(split_words("'a b'c d"), (x_StringList{"'a b'c", "d"}));
    EXPECT_EQ(split_words("\"unclosed a b"), (x_StringList{"\"unclosed a b"}));
    EXPECT_TRUE(split_words(" \t\r\n ").empty());
}

TEST(JoinLines, EveryLineEnds) {
    EXPECT_EQ(join_lines({"a", "b"}), "a\r\nb\r\n");
    EXPECT_EQ(join_lines({"a"}), "a\r\n");
    EXPECT_EQ(join_lines({}), "\r\n");
}

TEST(AbbreviatePath, KeepsWholeFoldersAtBothEnds) {
    const std::string path =
        "C:\\Users\\Public\\Documents\\Projects\\Quarterly Reports\\Finance\\Archive\\"
        "Statements\\Old";
    ASSERT_EQ(path.size(), 83u);
    EXPECT_EQ(abbreviate_path(path, 30, 50),
              "C:\\Users\\Public\\Documents" + std::string(6, ' ') +
                  "\\Quarterly Reports\\Finance\\Archive\\Statements\\Old");

    const std::string plain(100, 'n');
    const std::string head = pad_right("\\", 30);
    EXPECT_EQ(abbreviate_path(plain, 30, 50), head + plain.substr(50));

    EXPECT_EQ(abbreviate_path(std::string(79, 'a'), 30, 50), std::string(79, 'a'));
    EXPECT_EQ(abbreviate_path(std::string(80, 'a'), 30, 50).size(), 80u);
    EXPECT_EQ(abbreviate_path("C:/a/bcdefgh/ij", 6, 6), "C:/a     /ij");
    EXPECT_EQ(abbreviate_path("abcdef", 0, 0), "");
    EXPECT_EQ(abbreviate_path("abcdef", 0, 3), "def");
}

TEST(FixedWidth, LeftCharsAndPadRight) {
    EXPECT_EQ(left_chars("abc", 5), "abc");
    EXPECT_EQ(left_chars("abcdef", 3), "abc");
    EXPECT_EQ(left_chars("abc", 0), "");
    EXPECT_EQ(pad_right("ab", 4), "ab  ");
    EXPECT_EQ(pad_right("abcd", 2), "abcd");
}

using TextHelpersCodePage932 = testing_support::x_CodePage932Test;

TEST_F(TextHelpersCodePage932, NeverSplitsADoubleByteCharacter) {
    EXPECT_EQ(trim_right("a" + so, '\\'), "a" + so);
    EXPECT_EQ(trim_right("a" + so + "\\\\", '\\'), "a" + so);
    EXPECT_EQ(trim_left("\x83" + so, '\x83'), "\x83" + so);
    EXPECT_EQ(trim(" " + hyo + " "), hyo);

    EXPECT_EQ(left_chars("ab" + hyo, 3), "ab");
    EXPECT_EQ(left_chars("ab" + hyo, 4), "ab" + hyo);
    EXPECT_EQ(left_chars(hyo + hyo, 3), hyo);
}

TEST_F(TextHelpersCodePage932, AbbreviatePathCutsOnlyBetweenCharacters) {
    // Head: the folder ending in 表 is whole; its second byte is no separator.
    const std::string head_path = "C:\\" + hyo + "\\" + std::string(20, 'x') + "\\tail";
    EXPECT_EQ(abbreviate_path(head_path, 8, 5), "C:\\" + hyo + "   " + "\\tail");

    // Tail: starting on the second byte of ソ must not take it for a separator.
    const std::string tail_path = std::string(10, 'a') + so + "\\bb\\" + so + "cc";
    EXPECT_EQ(abbreviate_path(tail_path, 4, 9).substr(4), " \\bb\\" + so + "cc");
    const std::string no_separator = std::string(10, 'a') + so + so + "cc";
    EXPECT_EQ(abbreviate_path(no_separator, 4, 5), "\\   _" + so + "cc");
    // An ordinary letter at the start of the tail is not mistaken for a
    // second byte.
    EXPECT_EQ(abbreviate_path(std::string(12, 'a') + "Abcd", 4, 4), "\\   Abcd");
}

// Every cut of left_chars and abbreviate_path (a head and a tail at every
// offset) leaves whole characters of the program's code page, whatever it
// is: text that converts exactly, of the width asked for; left_chars keeps
// every whole character that fits.
TEST(FixedWidth, CutsWholeCharactersInEveryCodePage) {
    const std::string e = "\xC3\xA9", ji = "\xE5\x86\x99", folder = "\xF0\x9F\x93\x81";
    const std::pair<unsigned, std::string> rows[] = {
        {1252, "C:\\me\\" + std::string(12, '\xE9') + "a"},
        {932, "C:\\" + hyo + so + hyo + "a" + so + "\\" + so + so + "b" + hyo},
        {65001, "C:\\a" + e + e + e + "\\" + ji + ji + "b" + ji + folder + "c" + folder}};
    for (const auto& [page, text] : rows) {
        testing_support::x_CodePage932 double_byte;
        testing_support::x_CodePageWithoutLeadBytes single(page);
        const platform::x_Substitute<platform::x_CodePageService> guard(
            page == 932 ? static_cast<platform::x_CodePageService&>(double_byte) : single);
        const auto whole = [page](const std::string& cut) {
            return to_utf16(page, cut).has_value();
        };
        for (std::size_t n = 0; n <= text.size(); ++n) {
            const std::string left = left_chars(text, n);
            EXPECT_TRUE(whole(left) && text.starts_with(left)) << page << " " << n;
            EXPECT_TRUE(left.size() == text.size() ||
                        left.size() + char_width(text, left.size()) > n);
            const std::string cut = abbreviate_path(text, n, text.size() - n);
            EXPECT_TRUE(whole(cut) && cut.size() == text.size()) << page << " " << n;
        }
    }
}

// Where the tail begins inside a character, each of its bytes there
// becomes an underscore.
TEST(FixedWidth, TailStartingInsideAUtf8CharacterBeginsWithUnderscores) {
    testing_support::x_CodePageWithoutLeadBytes utf8(65001);
    const platform::x_Substitute<platform::x_CodePageService> guard(utf8);
    const std::string ri = "\xE6\x97\xA5";  // 日
    EXPECT_EQ(abbreviate_path("abcd" + ri + ri, 1, 5), "\\__" + ri);
    EXPECT_EQ(abbreviate_path("abcd" + ri + ri, 1, 4), "\\_" + ri);
}

}  // namespace

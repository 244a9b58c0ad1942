#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "fileops/listing.h"
#include "support/code_page.h"
#include "support/temp_tree.h"

namespace {

using testing_support::x_TempTree;

x_StringList sorted(x_StringList list) {
    std::sort(list.begin(), list.end());
    return list;
}

class Listing : public ::testing::Test {
protected:
    void SetUp() override {
        tree.make_file("a.txt");
        tree.make_file("B.TXT");
        tree.make_file("notes");
        tree.make_file("atxt");
        tree.make_folder("sub.txt");
        tree.make_file("sub.txt\\inner.txt");
    }

    std::string at(const std::string& name) const { return tree.root() + "\\" + name; }

    x_TempTree tree;
};

TEST_F(Listing, ListsOneLevelWithFoldersMarked) {
    const x_StringList expected = {at("B.TXT"), at("a.txt"), at("atxt"), at("notes"),
                                   at("sub.txt\\")};
    EXPECT_EQ(sorted(list_folder(tree.root(), true)), expected);
    // The same with a trailing separator, or naming a file inside.
    EXPECT_EQ(sorted(list_folder(tree.root() + "\\", true)), expected);
    EXPECT_EQ(sorted(list_folder(at("notes"), true)), expected);

    const x_StringList with_dots = list_folder(tree.root(), false);
    EXPECT_NE(std::find(with_dots.begin(), with_dots.end(), at(".\\")), with_dots.end());
    EXPECT_NE(std::find(with_dots.begin(), with_dots.end(), at("..\\")), with_dots.end());
    EXPECT_EQ(with_dots.size(), expected.size() + 2);
}

TEST_F(Listing, MissingOrEmptyPathsListNothing) {
    EXPECT_TRUE(list_folder("", true).empty());
    EXPECT_TRUE(list_folder(at("missing"), true).empty());
    EXPECT_TRUE(list_matching(at("missing"), "*").empty());
}

TEST_F(Listing, MatchingNeverReturnsFolders) {
    const x_StringList files = {at("B.TXT"), at("a.txt"), at("atxt"), at("notes")};
    EXPECT_EQ(sorted(list_matching(tree.root(), "*")), files);
    EXPECT_EQ(sorted(list_matching(tree.root(), "")), files);
    EXPECT_EQ(sorted(list_matching(tree.root(), "*.txt")),
              (x_StringList{at("B.TXT"), at("a.txt")}));
    EXPECT_EQ(sorted(list_matching(tree.root(), "*.*")), (x_StringList{at("B.TXT"), at("a.txt")}));
}

x_StringList names_matching(const x_StringList& names, const std::string& pattern) {
    x_StringList listing;
    for (const std::string& name : names) listing.push_back("C:\\logs\\" + name);
    x_StringList result;
    for (const std::string& path : filter_by_pattern(listing, pattern)) {
        result.push_back(path.substr(8));
    }
    return result;
}

TEST(FilterByPattern, StarDotExtensionIgnoresCaseAndNeedsTheDot) {
    const x_StringList names = {"a.log",     "B.LOG",  "c.Log",       "dlog",
                                "e.log.bak", "f.logx", "folder.log\\"};
    EXPECT_EQ(names_matching(names, "*.log"), (x_StringList{"a.log", "B.LOG", "c.Log"}));
    EXPECT_EQ(names_matching(names, "*.LOG"), (x_StringList{"a.log", "B.LOG", "c.Log"}));
    EXPECT_EQ(names_matching(names, "*.*"),
              (x_StringList{"a.log", "B.LOG", "c.Log", "e.log.bak", "f.logx"}));
}

TEST(FilterByPattern, LiteralEndsAreAnchored) {
    const x_StringList names = {"pre_mid_suf", "presuf", "xpre_suf", "pre_sufx", "suf_pre", "pre"};
    EXPECT_EQ(names_matching(names, "pre*suf"), (x_StringList{"pre_mid_suf", "presuf"}));
    EXPECT_EQ(names_matching(names, "pre*"),
              (x_StringList{"pre_mid_suf", "presuf", "pre_sufx", "pre"}));
    EXPECT_EQ(names_matching(names, "*suf"), (x_StringList{"pre_mid_suf", "presuf", "xpre_suf"}));
    EXPECT_EQ(names_matching(names, "p*m*f"), (x_StringList{"pre_mid_suf"}));
    // Pieces are found in order and do not overlap.
    EXPECT_EQ(names_matching({"aba", "ab", "aa", "a"}, "a*a"), (x_StringList{"aba", "aa"}));
    // Without a star the whole name must be the pattern, not merely begin
    // and end with it.
    EXPECT_EQ(names_matching({"abc", "abcabc", "ABC"}, "abc"), (x_StringList{"abc", "ABC"}));
}

TEST(FilterByPattern, QuestionMarkIsLiteral) {
    EXPECT_TRUE(names_matching({"abc", "a.c"}, "a?c").empty());
    EXPECT_EQ(names_matching({"a?c", "abc"}, "a?c"), (x_StringList{"a?c"}));
}

TEST(FilterByPattern, SecondBytesOfDoubleByteCharactersDoNotMatch) {
    testing_support::x_UseCodePage932 code_page;
    // 0x83 0x61 is one katakana character whose second byte is 'a'; 0x95
    // 0x5C one whose second byte is a backslash.
    const std::string katakana = "\x83\x61";
    const std::string table = "\x95\x5C";
    const x_StringList names = {"x" + katakana, "xa", katakana + "b", table};
    EXPECT_EQ(names_matching(names, "*a"), (x_StringList{"xa"}));
    EXPECT_EQ(names_matching(names, "*a*"), (x_StringList{"xa"}));
    EXPECT_EQ(names_matching(names, "*" + katakana), (x_StringList{"x" + katakana}));
    // A name ending in such a character is a file, not a folder.
    EXPECT_EQ(names_matching(names, "*"), names);
}

}  // namespace

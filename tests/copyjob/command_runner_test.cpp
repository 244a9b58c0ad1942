#include "copyjob/command_runner.h"

#include <gtest/gtest.h>

#include <string>

#include "copyjob/fake_where.h"
#include "support/code_page_932_fixture.h"
#include "support/trace_surroundings.h"
#include "util/environment.h"
#include "util/paths.h"

namespace {

using testing_copyjob::x_FakeWhere;
using testing_support::x_TraceSurroundings;

// The clock of the surroundings stands on 2024/01/31.
std::string script_folder(const x_TraceSurroundings& surroundings) {
    return surroundings.folder() + "v_Urivu.tmp\\cmd_bat\\20240131\\";
}

TEST(CommandScriptPath, CleanedCommandInTheDatedFolder) {
    x_TraceSurroundings surroundings;
    const std::string folder = script_folder(surroundings);
    EXPECT_EQ(command_script_path("where robocopy"), folder + "where_robocopy.bat");
    EXPECT_EQ(command_script_path("dir > x.txt"), folder + "dir__x.txt.bat");
    EXPECT_TRUE(folder_exists(folder));

    const std::string shared = "where " + std::string(44, 'a');
    const std::string cleaned = "where_" + std::string(44, 'a');
    EXPECT_EQ(command_script_path(shared + "one"), folder + cleaned + ".bat");
    EXPECT_EQ(command_script_path(shared + "one"), command_script_path(shared + "two"));
}

class CommandScriptPathCodePage932 : public testing_support::x_CodePage932Test {};

// Cut at byte 50 a name would keep the lead byte of its last character.
TEST_F(CommandScriptPathCodePage932, CutNeverSplitsACharacter) {
    x_TraceSurroundings surroundings;
    const std::string folder = script_folder(surroundings);
    std::string hiragana;
    for (int i = 0; i < 5; ++i) hiragana += "\x82\xA0";
    for (std::size_t ascii : {42u, 43u, 44u}) {
        const std::string head = "where_" + std::string(ascii, 'a');
        const std::string expected = (head + hiragana).substr(0, head.size() == 49 ? 49 : 50);
        EXPECT_EQ(command_script_path("where " + std::string(ascii, 'a') + hiragana),
                  folder + expected + ".bat");
    }
}

TEST(ReplaceAll, ExactAndCaseBlindOccurrences) {
    EXPECT_EQ(replace_all("a>b>c", ">", "/"), "a/b/c");
    EXPECT_EQ(replace_all("Where WHERE where", "where", "w"), "w w w");
    // An occurrence in other letter case ahead of an exact one is replaced too.
    EXPECT_EQ(replace_all("aXbx", "x", "y"), "ayby");
    EXPECT_EQ(replace_all("xAbyab", "ab", "_"), "x_y_");
    // A shorter replacement is searched again together with what follows it.
    EXPECT_EQ(replace_all("abbb", "ab", "a"), "a");
    EXPECT_EQ(replace_all("", "x", "y"), "");
    EXPECT_EQ(replace_all("abc", "z", "y"), "abc");
}

TEST(ReplaceAll, EndsWhenTheReplacementHoldsThePattern) {
    EXPECT_EQ(replace_all("a-a", "a", "aa"), "aa-aa");
    EXPECT_EQ(replace_all("xX", "x", "Xx"), "XxXx");
    EXPECT_EQ(replace_all("ab", "ab", "xabab"), "xabab");
    // An empty pattern matches between bytes: the walk steps past each one.
    EXPECT_EQ(replace_all("abc", "", "-"), "-a-b-c");
    EXPECT_EQ(replace_all("abc", "", ""), "abc");
}

TEST(QuoteIfNeeded, QuotesWhatTheInterpreterWouldSplitOrRead) {
    EXPECT_EQ(quote_if_needed("C:\\Temp\\x.chk"), "C:\\Temp\\x.chk");
    for (const std::string text : {"a b", "a\tb", "a,b", "a\rb", "a\nb", "A&B", "a^b"}) {
        EXPECT_EQ(quote_if_needed(text), "\"" + text + "\"") << text;
    }
    EXPECT_EQ(quote_if_needed("\"a b\""), "\"a b\"");
    EXPECT_EQ(quote_if_needed("'a b'"), "'a b'");
    EXPECT_EQ(quote_if_needed("\"a b'"), "\"\"a b'\"");
    EXPECT_EQ(quote_if_needed("\"a b"), "\"\"a b\"");
    EXPECT_EQ(quote_if_needed("\""), "\"");
}

class LocateCommand : public ::testing::Test {
protected:
    LocateCommand() : guard_(where) {}

    x_TraceSurroundings surroundings;
    x_FakeWhere where;

private:
    platform::x_Substitute<platform::x_ShellService> guard_;
};

TEST_F(LocateCommand, FirstLineOfTheOutputTrimmed) {
    where.answers["winver"] = "C:\\Windows\\System32\\winver.exe  \t\r\nC:\\Other\\winver.exe\r\n";
    EXPECT_EQ(locate_command("  winver "), "C:\\Windows\\System32\\winver.exe");
    EXPECT_EQ(surroundings.process.sleeps, 0u);

    const std::string folder = runner_folder();
    EXPECT_EQ(folder, scratch_folder() + "20240131\\");
    ASSERT_EQ(where.scripts.size(), 1u);
    EXPECT_EQ(where.shows, std::vector<int>{0});
    const std::string line = "where winver > " + folder + "winver.chk 2> " + folder + "winver.err";
    EXPECT_EQ(where.scripts[0], command_script_path(line));
    EXPECT_EQ(testing_support::x_TempTree::content(where.scripts[0]), line + "\r\n");
}

TEST_F(LocateCommand, EmptyAnswerWhenNothingIsFoundOrNothingRuns) {
    EXPECT_EQ(locate_command("nothing"), "");
    EXPECT_EQ(surroundings.process.sleeps, 0u);  // standard error ends the poll

    where.runs = false;
    EXPECT_EQ(locate_command("silent"), "");
    EXPECT_EQ(surroundings.process.sleeps, 100u);
    EXPECT_EQ(surroundings.process.slept_ms, 10000u);
}

TEST_F(LocateCommand, BlankNamesAndExistingPathsStartNothing) {
    EXPECT_EQ(locate_command(" \t "), "");
    const std::string program = surroundings.tree.make_file("tool.exe", "MZ");
    EXPECT_EQ(locate_command(" " + program + " "), program);
    EXPECT_TRUE(where.scripts.empty());

    where.answers["gone.exe"] = "C:\\Found\\gone.exe\r\n";
    EXPECT_EQ(locate_command(surroundings.folder() + "gone.exe"), "C:\\Found\\gone.exe");
    EXPECT_EQ(where.asked, std::vector<std::string>{"gone.exe"});
}

// Output of an earlier call for the same name must not answer for this one.
TEST_F(LocateCommand, EarlierOutputOfTheSameNameIsNotReused) {
    where.answers["tool"] = "C:\\Old\\tool.exe\r\n";
    EXPECT_EQ(locate_command("tool"), "C:\\Old\\tool.exe");
    where.answers.clear();
    EXPECT_EQ(locate_command("tool"), "");
}

// Where the day's folder cannot be made (a file of that name stands there),
// the output goes into the scratch folder itself and the answer still comes.
TEST_F(LocateCommand, ScratchFolderServesWhenTheDaysFolderCannotBeMade) {
    const std::string scratch = scratch_folder();
    surroundings.tree.make_file(scratch.substr(surroundings.folder().size()) + "20240131");
    EXPECT_EQ(runner_folder(), scratch);

    where.answers["winver"] = "C:\\Windows\\System32\\winver.exe\r\n";
    EXPECT_EQ(locate_command("winver"), "C:\\Windows\\System32\\winver.exe");
    EXPECT_EQ(testing_support::x_TempTree::content(scratch + "winver.chk"),
              "C:\\Windows\\System32\\winver.exe\r\n");
}

}  // namespace

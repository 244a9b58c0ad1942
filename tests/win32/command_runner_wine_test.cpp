// The command runner against the real shell and command interpreter. Wine's
// own "where" prints nothing, so the stand-in built beside the test binary
// (tests/tools/where_stand_in.cpp) goes first on PATH; it searches the
// folders of WHERE_SEARCH_PATH.
#include <gtest/gtest.h>

#include <string>

#include "copyjob/command_runner.h"
#include "copyjob/copy_command.h"
#include "copyjob/version_probe.h"
#include "copyjob/version_source.h"
#include "platform/process.h"
#include "shell/shell_folders.h"
#include "support/child_process.h"
#include "support/temp_tree.h"
#include "util/environment.h"
#include "util/paths.h"

namespace {

using testing_support::x_ScopedEnvironment;
using testing_support::x_TempTree;

std::string stand_in_folder() {
    const std::string self = platform::process().module_file_name();
    return self.substr(0, self.find_last_of('\\') + 1) + "stand_in";
}

std::string with_stand_in_first() {
    return stand_in_folder() + ";" + platform::process().env_value("PATH");
}

// Real sleeps, counted: a poll that stops early sleeps fewer than 100 times.
class x_CountedSleeps : public platform::x_ProcessService {
public:
    void sleep_ms(unsigned milliseconds) override {
        ++count;
        x_ProcessService::sleep_ms(milliseconds);
    }
    unsigned count = 0;
};

class WineCommandRunner : public ::testing::Test {
protected:
    WineCommandRunner() : sleeps_guard_(sleeps) {}

    x_ScopedEnvironment path{"PATH", with_stand_in_first()};
    x_TempTree tree;
    x_ScopedEnvironment search{"WHERE_SEARCH_PATH", tree.root()};
    x_ScopedEnvironment log{"WHERE_LOG", tree.path("where.log")};
    const std::string program = tree.make_file("findme.exe", "MZ");
    x_CountedSleeps sleeps;

private:
    platform::x_Substitute<platform::x_ProcessService> sleeps_guard_;
};

TEST_F(WineCommandRunner, FoundProgramComesBackWithoutTheBlanksAfterIt) {
    ASSERT_TRUE(path_exists(stand_in_folder() + "\\where.exe"));
    EXPECT_EQ(locate_command("  findme "), program);
    EXPECT_LT(sleeps.count, 100u);
    EXPECT_EQ(x_TempTree::content(tree.path("where.log")), "[findme]\r\n");
}

TEST_F(WineCommandRunner, NothingFoundEndsThePollEarly) {
    EXPECT_EQ(locate_command("no_such_program"), "");
    EXPECT_LT(sleeps.count, 100u);
}

// Only the last call runs "where": its line is the only one in the log.
TEST_F(WineCommandRunner, BlankNamesAndExistingPathsStartNothing) {
    EXPECT_EQ(locate_command(" \t "), "");
    EXPECT_EQ(locate_command(program), program);
    EXPECT_EQ(locate_command("findme"), program);
    EXPECT_EQ(x_TempTree::content(tree.path("where.log")), "[findme]\r\n");
}

// A temporary folder whose name the interpreter would split at the blank,
// cut at the ampersand, lose the caret of, shorten at the percent sign, or
// read in another code page (u with diaeresis).
TEST_F(WineCommandRunner, TemporaryFolderNamesTheInterpreterWouldChange) {
    for (const char* name : {"A B", "A&B^100%", "M\xFCller"}) {
        const std::string temp = tree.make_folder(name);
        x_ScopedEnvironment tmp("TMP", temp);
        EXPECT_EQ(runner_folder().rfind(temp + "\\", 0), 0u) << runner_folder();
        EXPECT_EQ(locate_command("findme"), program) << name;
    }
}

// Run by tests/e2e/version_source_search.sh in a sandbox without winver.exe
// and explorer.exe, with a copy of explorer.exe in WHERE_SEARCH_PATH.
TEST(WineVersionSource, CopyFoundByWhereGivesTheVersion) {
    const std::string copies = platform::process().env_value("WHERE_SEARCH_PATH");
    const std::string winver = add_trailing_separator(get_special_folder(csidl_system));
    const std::string explorer = add_trailing_separator(get_special_folder(csidl_windows));
    if (copies.empty() || path_exists(winver + "winver.exe") ||
        path_exists(explorer + "explorer.exe")) {
        GTEST_SKIP() << "needs a sandbox without winver.exe and explorer.exe";
    }
    x_ScopedEnvironment path("PATH", with_stand_in_first());
    EXPECT_EQ(find_version_source(), copies + "\\explorer.exe");
    EXPECT_EQ(windows_version_text(), "6.1.7601.17567");
    x_CopyCommand job;
    job.choose_tool();
    EXPECT_EQ(job.tool, "robocopy");
}

}  // namespace

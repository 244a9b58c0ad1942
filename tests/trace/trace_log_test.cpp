#include "trace/trace_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/console.h"
#include "platform/files.h"
#include "support/error_capture.h"
#include "support/trace_surroundings.h"
#include "trace/open_with_retry.h"
#include "trace/work_folder.h"
#include "util/paths.h"

using testing_support::retry_counter_up_to;
using testing_support::x_ErrorCapture;
using testing_support::x_TempTree;
using testing_support::x_TraceSurroundings;

namespace {

const std::string stamp = "2024/01/31 17:05:09";

// Refuses every exclusive open while refusing is set; everything else is real.
class x_RefusingFiles : public platform::x_FileService {
public:
    std::FILE* open_file(const std::string& path, const char* mode,
                         platform::x_Sharing sharing) override {
        if (sharing != platform::x_Sharing::everyone && refusals_left > 0) {
            --refusals_left;
            return nullptr;
        }
        return x_FileService::open_file(path, mode, sharing);
    }
    bool find_entries(const std::string& pattern,
                      std::vector<platform::x_FindEntry>& entries) override {
        ++searches;
        return x_FileService::find_entries(pattern, entries);
    }
    int refusals_left = 0;
    int searches = 0;
};

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

TEST(TraceLog, FirstEntryOfAFileFollowsTheHeaderAndLaterOnesDoNot) {
    x_TraceSurroundings at;
    EXPECT_TRUE(write_trace("first\r\nsecond"));
    EXPECT_TRUE(write_trace_lines({"a\rb\nc", "d"}));
    EXPECT_TRUE(write_trace_lines({}));
    const std::string header =
        stamp + "\ttester\t\t" + at.folder() + "\t\tC:\\Work\t\tC:\\Tools\\shellbackup.exe\t\t\r\n";
    EXPECT_EQ(x_TempTree::content(at.hour_file("0131_17")),
              header + stamp + "\tshellbackup.exe\tfirst\t\tsecond\r\n" + stamp +
                  "\tshellbackup.exe\ta\tb\tc\r\n" + stamp + "\tshellbackup.exe\td\r\n");
}

TEST(TraceLog, EachHourHasItsOwnFileAndAnEmptyFileGetsTheHeader) {
    x_TraceSurroundings at;
    at.process.seconds += 54 * 60 + 50;  // 17:59:59
    EXPECT_TRUE(write_trace("late"));
    at.process.seconds += 1;
    EXPECT_TRUE(write_trace("next hour"));
    EXPECT_EQ(at.last_line("0131_17"), "2024/01/31 17:59:59\tshellbackup.exe\tlate");
    const std::string next = x_TempTree::content(at.hour_file("0131_18"));
    EXPECT_EQ(next.find("2024/01/31 18:00:00\ttester\t\t"), 0u);
    EXPECT_TRUE(ends_with(next, "\r\n2024/01/31 18:00:00\tshellbackup.exe\tnext hour\r\n"));

    // The same hour of an earlier year is appended to; an empty file is new.
    at.tree.make_file("v_Urivu.tmp\\_trace_\\QX\\0131_19.txt", "kept\r\n");
    at.tree.make_file("v_Urivu.tmp\\_trace_\\QX\\0131_20.txt", "");
    at.process.seconds += 3600;
    EXPECT_TRUE(write_trace("appended"));
    at.process.seconds += 3600;
    EXPECT_TRUE(write_trace("headed"));
    EXPECT_EQ(x_TempTree::content(at.hour_file("0131_19")),
              "kept\r\n2024/01/31 19:00:00\tshellbackup.exe\tappended\r\n");
    EXPECT_EQ(x_TempTree::content(at.hour_file("0131_20")).find("2024/01/31 20:00:00\ttester\t\t"),
              0u);
}

TEST(TraceLog, MissingUserAndFolderLeaveTheirFieldsEmpty) {
    x_TraceSurroundings at;
    at.process.user.clear();
    at.process.environment = {{"USER", ""}, {"USERNAME", "fallback"}};
    EXPECT_EQ(user_name(), "fallback");
    at.process.environment["USER"] = "unix";
    EXPECT_EQ(user_name(), "unix");
    at.process.environment.clear();
    at.process.folder.clear();
    EXPECT_TRUE(write_trace("bare"));
    EXPECT_EQ(x_TempTree::content(at.hour_file("0131_17")),
              stamp + "\t\t\t" + at.folder() + "\t\t\t\tC:\\Tools\\shellbackup.exe\t\t\r\n" +
                  stamp + "\tshellbackup.exe\tbare\r\n");
}

TEST(TraceLog, LineBreaksBecomeTheReplacementPair) {
    EXPECT_EQ(escape_line_breaks("a\r\nb\n\rc", "\t\t"), "a\t\tb\t\tc");
    EXPECT_EQ(escape_line_breaks("x\r\ny", "<>>"), "x<>>y");
    EXPECT_EQ(escape_line_breaks("x\r\ny", ""), "xy");
}

TEST(TraceLog, WorkFolderIsCreatedBelowTheScratchFolder) {
    x_TraceSurroundings at;
    const std::string folder = work_folder("cmd_bat");
    EXPECT_EQ(folder, at.folder() + "v_Urivu.tmp\\cmd_bat");
    EXPECT_TRUE(folder_exists(folder));
}

TEST(TraceLog, LaterEntriesOfAProcessDoNotLookForOldFiles) {
    x_TraceSurroundings at;
    write_trace("whichever entry of this process is the first");
    x_RefusingFiles files;
    platform::x_Substitute<platform::x_FileService> guard(files);
    EXPECT_TRUE(write_trace("later"));
    EXPECT_EQ(files.searches, 0);
}

TEST(TraceLog, FileLockedForTenSecondsLosesOnlyThatEntry) {
    x_TraceSurroundings at;
    x_RefusingFiles files;
    x_ErrorCapture console;
    platform::x_Substitute<platform::x_FileService> file_guard(files);

    files.refusals_left = 1000;
    EXPECT_FALSE(write_trace("lost"));
    EXPECT_EQ(at.process.sleeps, 100u);
    EXPECT_EQ(at.process.slept_ms, 10000u);
    EXPECT_TRUE(ends_with(console.text(), retry_counter_up_to(100)));

    files.refusals_left = 3;
    console.clear();
    EXPECT_TRUE(write_trace("kept"));
    EXPECT_TRUE(ends_with(console.text(), retry_counter_up_to(3)));
    const std::string log = x_TempTree::content(at.hour_file("0131_17"));
    EXPECT_EQ(log.find("lost"), std::string::npos);
    EXPECT_TRUE(ends_with(log, "\tshellbackup.exe\tkept\r\n"));
}

TEST(TraceLog, WaitsWhileAnotherWriterHoldsTheFile) {
    x_TraceSurroundings at;
    ASSERT_TRUE(write_trace("before"));
    static std::FILE* held = nullptr;
    held = platform::files().open_file(at.hour_file("0131_17"), "ab",
                                       platform::x_Sharing::readers_only);
    ASSERT_NE(held, nullptr);
    at.process.on_sleep = [](testing_support::x_FixedProcess& process) {
        if (process.sleeps == 2) {
            platform::files().close_file(held);
            held = nullptr;
        }
    };
    x_ErrorCapture console;
    EXPECT_TRUE(write_trace("after"));
    EXPECT_EQ(at.process.sleeps, 3u);
    EXPECT_TRUE(ends_with(console.text(), retry_counter_up_to(3)));
    EXPECT_EQ(at.last_line("0131_17"), stamp + "\tshellbackup.exe\tafter");
    if (held != nullptr) platform::files().close_file(held);
}

TEST(TraceLog, OpenWithRetryTriesAtLeastOnce) {
    x_TraceSurroundings at;
    x_ErrorCapture console;
    EXPECT_EQ(open_with_retry("", "ab", 10), nullptr);
    EXPECT_EQ(at.process.sleeps, 0u);
    EXPECT_EQ(open_with_retry(at.folder() + "missing\\x.txt", "rb", 0), nullptr);
    EXPECT_EQ(at.process.sleeps, 1u);
    EXPECT_EQ(console.text(), "1\r");
}

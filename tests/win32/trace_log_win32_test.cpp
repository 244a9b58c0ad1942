// The trace log against a file that another program holds: another writer
// for longer than the log waits, and a log viewer that keeps it open.
#include <gtest/gtest.h>

#include <string>

#include "support/error_capture.h"
#include "support/temp_tree.h"
#include "support/trace_surroundings.h"
#include "trace/trace_log.h"
#include "win32/other_program_hold.h"

namespace {

using testing_support::x_TempTree;

// The hundred waits of the log are recorded, not slept, so the other
// program still holds the file when the last try fails: a hold of more than
// ten seconds without the test taking them. It holds the file as a writer
// of the log does, inside an entry.
TEST(TraceLogWin32, FileHeldTooLongByAnotherWriterLosesOnlyThatEntry) {
    testing_support::x_TraceSurroundings at;
    ASSERT_TRUE(write_trace("before"));
    const std::string log = at.hour_file("0131_17");
    ASSERT_TRUE(testing_support::hold_in_other_process(log, 3000, "write"));
    {
        testing_support::x_ErrorCapture console;
        EXPECT_FALSE(write_trace("lost"));
        EXPECT_EQ(at.process.sleeps, 100u);
        EXPECT_EQ(at.process.slept_ms, 10000u);
    }
    ASSERT_TRUE(testing_support::released_by_other_process(log));
    EXPECT_TRUE(write_trace("after"));
    const std::string text = x_TempTree::content(log);
    EXPECT_NE(text.find("\tbefore\r\n"), std::string::npos);
    EXPECT_EQ(text.find("lost"), std::string::npos);
    EXPECT_EQ(at.last_line("0131_17"), "2024/01/31 17:05:09\tshellbackup.exe\tafter");
}

// A viewer keeps the log open for reading while the program runs; every
// entry still goes in at once, without a single wait.
TEST(TraceLogWin32, ViewerKeepingTheLogOpenMissesNoEntry) {
    testing_support::x_TraceSurroundings at;
    ASSERT_TRUE(write_trace("before"));
    const std::string log = at.hour_file("0131_17");
    ASSERT_TRUE(testing_support::hold_in_other_process(log, 3000, "read"));
    {
        testing_support::x_ErrorCapture console;
        EXPECT_TRUE(write_trace("while viewed"));
        EXPECT_TRUE(write_trace("still viewed"));
        EXPECT_EQ(at.process.sleeps, 0u);
    }
    ASSERT_TRUE(testing_support::released_by_other_process(log));
    const std::string text = x_TempTree::content(log);
    EXPECT_NE(text.find("\tbefore\r\n"), std::string::npos);
    EXPECT_NE(text.find("\twhile viewed\r\n"), std::string::npos);
    EXPECT_EQ(at.last_line("0131_17"), "2024/01/31 17:05:09\tshellbackup.exe\tstill viewed");
}

}  // namespace

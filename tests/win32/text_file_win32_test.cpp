#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/process.h"
#include "support/error_capture.h"
#include "support/temp_tree.h"
#include "win32/other_program_hold.h"
#include "util/paths.h"
#include "util/text_file.h"

namespace {

using testing_support::retry_counter_up_to;

using testing_support::hold_in_other_process;
using testing_support::released_by_other_process;
using testing_support::x_ErrorCapture;
using testing_support::x_TempTree;

class x_NoWaiting : public platform::x_ProcessService {
public:
    void sleep_ms(unsigned milliseconds) override { sleeps.push_back(milliseconds); }
    std::vector<unsigned> sleeps;
};

TEST(TextFileWin32, WriteWaitsForAnotherProgramToLetGo) {
    x_TempTree tree;
    const std::string path = tree.path("held.txt");
    ASSERT_TRUE(hold_in_other_process(path, 800));
    x_ErrorCapture console;

    EXPECT_TRUE(write_text_file(path, "written after the wait"));
    EXPECT_EQ(x_TempTree::content(path), "written after the wait");
    // Some tries failed while the other program held the file, each one
    // counted on the same console line.
    const std::size_t tries =
        static_cast<std::size_t>(std::count(console.text().begin(), console.text().end(), '\r'));
    EXPECT_GE(tries, 2u);
    EXPECT_LT(tries, 100u);
    EXPECT_EQ(console.text(), retry_counter_up_to(static_cast<int>(tries)));
    // Let the helper's last moments pass before the folder goes.
    platform::process().sleep_ms(200);
}

TEST(TextFileWin32, HeldFileFailsAfterAHundredTries) {
    x_TempTree tree;
    const std::string path = tree.make_file("held.txt", "old");
    ASSERT_TRUE(hold_in_other_process(path, 3000));
    {
        // The hundred waits are recorded, not slept, so the other program
        // still holds the file when the last try fails.
        x_ErrorCapture console;
        x_NoWaiting waits;
        platform::x_Substitute<platform::x_ProcessService> wait_guard(waits);
        EXPECT_FALSE(write_text_file(path, "new"));
        EXPECT_EQ(waits.sleeps, std::vector<unsigned>(100, 100));
        EXPECT_EQ(console.text(), retry_counter_up_to(100));
        EXPECT_TRUE(read_file_bytes(path).empty());
    }
    // Once the other program lets go, the file is as it was.
    ASSERT_TRUE(released_by_other_process(path));
    EXPECT_EQ(x_TempTree::content(path), "old");
}

}  // namespace

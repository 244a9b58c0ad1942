#include <gtest/gtest.h>

#include <string>

#include "app/backup_run.h"
#include "platform/process.h"

namespace {

// A sandbox prepared with known drive letters names the letter it expects
// the search to find ("-" for none).
TEST(RemovableDriveWin32, SearchFindsTheLetterTheSandboxExpects) {
    const std::string expected = platform::process().env_value("SHELLBACKUP_EXPECTED_REMOVABLE");
    if (expected.empty()) GTEST_SKIP() << "SHELLBACKUP_EXPECTED_REMOVABLE is not set";
    const int index = find_removable_drive();
    EXPECT_EQ(index < 0 ? std::string("-") : std::string(1, static_cast<char>('A' + index)),
              expected);
}

}  // namespace

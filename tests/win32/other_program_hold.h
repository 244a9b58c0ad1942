#pragma once
// A file held without sharing by another program (hold_file.exe, built
// beside the test binary) for tests of what waits for such a file.
#include <cstdio>
#include <string>

#include "platform/files.h"
#include "platform/process.h"
#include "support/temp_tree.h"
#include "util/paths.h"

namespace testing_support {

// Starts the helper without waiting for it and returns once it holds the
// file. Starting and polling go to the real process service, so that a
// test may have its own waits recorded instead of slept.
inline bool hold_in_other_process(const std::string& path, unsigned milliseconds) {
    platform::x_ProcessService real;
    const std::string helper = dir_part(real.module_file_name()) + "\\hold_file.exe";
    const std::string command =
        "start \"\" /b \"" + helper + "\" \"" + path + "\" " + std::to_string(milliseconds);
    real.run_command(command);
    for (int poll = 0; poll < 200; ++poll) {
        if (x_TempTree::exists(path + ".held")) return true;
        real.sleep_ms(50);
    }
    return false;
}

// Waits, for real, until the helper has let go of the file.
inline bool released_by_other_process(const std::string& path) {
    platform::x_ProcessService real;
    for (int poll = 0; poll < 100; ++poll) {
        if (std::FILE* file = platform::files().open_file(path, "ab", true)) {
            platform::files().close_file(file);
            return true;
        }
        real.sleep_ms(100);
    }
    return false;
}

}  // namespace testing_support

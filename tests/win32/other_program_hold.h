#pragma once
// A file held by another program (hold_file.exe, built beside the test
// binary) for tests of what waits for such a file, and of what must not.
#include <cstdio>
#include <string>

#include "platform/files.h"
#include "platform/process.h"
#include "support/temp_tree.h"
#include "util/paths.h"

namespace testing_support {

inline bool wait_for_file(const std::string& path, int polls) {
    platform::x_ProcessService real;
    for (int poll = 0; poll < polls; ++poll) {
        if (x_TempTree::exists(path)) return true;
        real.sleep_ms(50);
    }
    return false;
}

// Starts the helper without waiting for it and returns once it holds the
// file: shared with nobody, or as hold_file's "write" or "read" say. Starting and polling go to the
// real process service, so that a test may have its own waits recorded instead of slept.
inline bool hold_in_other_process(const std::string& path, unsigned milliseconds,
                                  const std::string& how = "") {
    platform::x_ProcessService real;
    const std::string helper = dir_part(real.module_file_name()) + "\\hold_file.exe";
    const std::string command = "start \"\" /b \"" + helper + "\" \"" + path + "\" " +
                                std::to_string(milliseconds) + (how.empty() ? "" : " " + how);
    real.run_command(command);
    return wait_for_file(path + ".held", 200);
}

// Waits, for real, until the helper has let go of the file.
inline bool released_by_other_process(const std::string& path) {
    return wait_for_file(path + ".released", 200);
}

}  // namespace testing_support

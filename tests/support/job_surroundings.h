#pragma once
// What a copy job meets when it runs, for tests: its scripts go below a
// temporary folder of the test's own, the commands for the interpreter and
// the launches by the shell are recorded instead of carried out, and the
// Windows version is the one given (5.1 chooses xcopy, 6.1 robocopy).
#include <string>

#include "app/fake_services.h"
#include "support/fake_windows_version.h"
#include "support/temp_tree.h"
#include "util/environment.h"
#include "util/paths.h"

namespace testing_support {

// The program's name is kept for the whole process. Worked out before
// anything is substituted, the reports of its lookup go to the real console
// and not into the output of whichever test happens to run first.
struct x_KnownProgramName {
    x_KnownProgramName() { program_name(); }
};

class x_JobSurroundings {
public:
    explicit x_JobSurroundings(const std::string& windows_version)
        : process_guard_(process), shell_guard_(shell), version_(windows_version) {
        process.temp = temp.root() + "\\";
    }
    x_JobSurroundings(const x_JobSurroundings&) = delete;
    x_JobSurroundings& operator=(const x_JobSurroundings&) = delete;

    // The script of that name in the program's scratch folder.
    static std::string script_path(const std::string& name) {
        return add_trailing_separator(scratch_folder()) + name;
    }

    int version_reads() const { return version_.version_reads(); }

private:
    x_KnownProgramName known_name_;

public:
    x_TempTree temp;
    testing_app::x_QuietProcess process;
    testing_app::x_FakeShell shell;

private:
    platform::x_Substitute<platform::x_ProcessService> process_guard_;
    platform::x_Substitute<platform::x_ShellService> shell_guard_;
    x_FakeWindowsVersion version_;
};

}  // namespace testing_support

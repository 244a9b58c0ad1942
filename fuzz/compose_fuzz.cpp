// Arbitrary source and destination texts through the command line, the
// script and the script name: nothing may crash, every percent sign of the
// paths must reach the script doubled, and the name must stay a plain file
// name of bounded length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "compose/script_name.h"
#include "copyjob/copy_command.h"
#include "tests/support/code_page.h"
#include "tests/support/fake_windows_version.h"

namespace {

// Every run of percent signs in the text has an even length.
bool percent_runs_even(const std::string& text) {
    std::size_t run = 0;
    for (const char byte : text + '.') {
        if (byte == '%') {
            ++run;
        } else if (run % 2 != 0) {
            return false;
        } else {
            run = 0;
        }
    }
    return true;
}

void check(bool condition) {
    if (!condition) std::abort();
}

void run(const std::string& source, const std::string& destination, std::uint8_t options) {
    x_CopyCommand job;
    job.set_source(source);
    job.set_destination(destination);
    if (options & 1) job.use_robocopy();
    if (options & 2) job.use_xcopy();
    job.set_pause_at_end((options & 4) != 0);
    // Nothing but the paths may bring a percent sign into the script.
    job.set_use_exclude_files(false);

    check(percent_runs_even(job.build_command_line()));
    job.compose_script();
    std::string script = job.get_script_text();
    // The script's own variables: the temporary folder and the tool's status.
    const char* const own_lines[] = {"\r\ncd /d %Temp%", "\r\n@set shellbackup_status=%errorlevel%",
                                     "\r\n@exit /b %shellbackup_status%"};
    for (const std::string own : own_lines) {
        const std::size_t at = script.find(own);
        check(at != std::string::npos);
        script.erase(at, own.size());
    }
    check(percent_runs_even(script));

    const std::string name = job.script_file_name();
    check(name.size() <= 147);
    if ((options & 8) == 0) {
        check(name.find_first_of("\\/:*?\"<>|%\r\n\t") == std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static testing_support::x_FakeWindowsVersion version("6.1.7601.17567");
    const std::uint8_t options = data[0];
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = rest.find('\0');
    const std::string source = rest.substr(0, split);
    const std::string destination = split == std::string::npos ? "" : rest.substr(split + 1);
    if (options & 8) {
        testing_support::x_UseCodePage932 code_page;
        run(source, destination, options);
    } else {
        run(source, destination, options);
    }
    return 0;
}

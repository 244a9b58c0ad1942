#include "copyjob/command_runner.h"

#include "compose/script_code_page.h"
#include "shell/shell_launcher.h"
#include "util/text_file.h"
#include "util/text_helpers.h"

namespace {

constexpr int hidden = 0;

}  // namespace

// The interpreter reads the script in its own code page, so a user name
// outside ASCII in the redirection paths is written in that code page. A
// line it cannot hold would send the output into another folder than the
// one polled, and is not run at all. The script stays in its folder after
// the run: it shows afterwards what was asked.
bool run_hidden_command(const std::string& command_line) {
    const std::string script = command_script_path(command_line);
    const std::optional<std::string> text = to_interpreter_code_page(join_lines({command_line}));
    if (!text) return true;
    write_text_file(script, *text);
    x_ShellLauncher launcher;
    launcher.set_file(script);
    launcher.set_show(hidden);
    launcher.execute();
    return true;
}

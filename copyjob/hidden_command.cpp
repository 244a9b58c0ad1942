#include "copyjob/command_runner.h"
#include "shell/shell_launcher.h"
#include "util/paths.h"
#include "util/text_file.h"
#include "util/text_helpers.h"

namespace {

constexpr int hidden = 0;

}  // namespace

// The script stays in its folder after the run: it shows afterwards what
// was asked, and the next call of the same command rewrites it.
bool run_hidden_command(const std::string& command_line) {
    const std::string script = command_script_path(command_line);
    write_text_file(script, join_lines({command_line}));
    x_ShellLauncher launcher;
    launcher.set_file(path_exists(script) ? script : locate_program(script));
    launcher.set_show(hidden);
    launcher.execute();
    return true;
}

// How a job reaches the operating system: its script is written into the
// scratch folder and handed to the command interpreter or to the shell.
#include <optional>

#include "copyjob/copy_command.h"
#include "copyjob/script_code_page.h"
#include "platform/codepage.h"
#include "platform/process.h"
#include "shell/shell_launcher.h"
#include "trace/trace_log.h"
#include "util/environment.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_file.h"

namespace {

// Characters that end or change a word on the interpreter's command line.
constexpr const char* interpreter_specials = " \t&|<>^(),;=";

bool needs_quotes(const std::string& path) {
    for (const char* special = interpreter_specials; *special != '\0'; ++special) {
        if (find_char(path, *special) != npos) return true;
    }
    return false;
}

// A command line that starts with a quote loses its first and last quote
// to the interpreter unless it is one plain quoted program name; with "&"
// or "(" in the path it is not. The outer pair is there to be taken, so
// the inner pair reaches the interpreter whatever the path holds.
std::string interpreter_command(const std::string& script_path) {
    if (!needs_quotes(script_path)) return script_path;
    return "\"\"" + script_path + "\"\"";
}

// A freshly composed script still holds the ANSI code page.
std::optional<std::string> composed_script(const x_CopyCommand& job) {
    x_CopyCommand copy(job);
    copy.compose_script();
    return to_interpreter_code_page(copy.script_text);
}

void report_unwritable(const std::string& script_path) {
    write_trace("The script names a character that the command interpreter's code page " +
                uint_to_text(platform::code_page().oem_code_page(), 10) +
                " cannot hold; it was not run.\nFile=" + surround(script_path, '"'));
}

void launch(const std::string& script_path, std::int32_t show_command) {
    x_ShellLauncher launcher;
    launcher.set_file(script_path);
    launcher.set_show(show_command);
    launcher.execute();
}

}  // namespace

bool x_CopyCommand::execute(std::int32_t show_command, bool use_interpreter) {
    // Named before anything is composed: a job without a tool keeps the
    // name of a job without a tool.
    const std::string name = script_file_name();
    const std::string folder = add_trailing_separator(scratch_folder());
    // When the usual scratch folder cannot be made, the one named in its
    // place is not made by whoever names it; the script would go nowhere
    // and its copy never run.
    create_folders(folder);
    const std::string script_path = folder + name;
    // A script read back from a file is already in the interpreter's code
    // page and is written as it came.
    std::optional<std::string> text = get_script_text();
    if (text->empty()) text = composed_script(*this);
    if (!text) {
        // Written with a stand-in character, the script would name another
        // folder than the job's, or one that does not exist.
        report_unwritable(script_path);
        return true;
    }
    write_text_file(script_path, *text);
    if (use_interpreter) {
        platform::process().run_command(interpreter_command(script_path));
    } else {
        launch(script_path, show_command);
    }
    return true;
}

// How a job reaches the operating system: its script is written into the
// scratch folder and handed to the command interpreter or to the shell.
#include <cstdio>
#include <optional>

#include "compose/backup_paths.h"
#include "compose/named_script.h"
#include "compose/script_code_page.h"
#include "copyjob/copy_command.h"
#include "copyjob/not_backed_up.h"
#include "platform/process.h"
#include "shell/shell_launcher.h"
#include "util/environment.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_file.h"
#include "util/text_helpers.h"

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

// The interpreter replaces %NAME% on its own command line by the variable's
// value when one is set, and no doubling protects a percent sign there. A
// percent sign is never the second byte of a double-byte character.
bool names_a_variable(const std::string& path) {
    std::size_t start = path.find('%');
    while (start != npos) {
        const std::size_t end = path.find('%', start + 1);
        if (end == npos) return false;
        if (end > start + 1 && !env_value(path.substr(start + 1, end - start - 1)).empty()) {
            return true;
        }
        start = end;
    }
    return false;
}

// The scratch folder, unless the interpreter would read its path as another.
std::optional<std::string> script_folder() {
    std::string folder = add_trailing_separator(scratch_folder());
    if (names_a_variable(folder)) folder = fallback_scratch_folder();
    // Without a public documents folder there is no fallback at all.
    if (folder.empty() || names_a_variable(folder)) return std::nullopt;
    // When the usual scratch folder cannot be made, the one named in its
    // place is not made by whoever names it; the script would go nowhere
    // and its copy never run.
    create_folders(folder);
    return folder;
}

std::string composed_text(const x_CopyCommand& job) {
    x_CopyCommand copy(job);
    copy.compose_script();
    return copy.script_text;
}

std::string code_page_reason(const std::string& what) {
    return "the command interpreter's code page " + uint_to_text(interpreter_code_page(), 10) +
           " cannot hold a character of " + what;
}

// The bytes of a script, or why there are none. A script that names its
// folders by names kept beside it needs them beside the file it is written
// to: text is what the bytes say, paths the folders those names stand for.
struct x_ScriptBytes {
    std::optional<std::string> bytes;
    std::string reason;
    std::string text;
    x_CopyPaths paths;
};

// The script that names the folders by the names kept beside it.
x_ScriptBytes named_script(x_CopyCommand& job, const x_CopyPaths& paths) {
    x_CopyCommand copy(job);
    const std::optional<std::string> text = compose_named_script(copy, paths);
    if (!text) return {std::nullopt, code_page_reason("its name"), "", paths};
    std::optional<std::string> bytes = to_interpreter_code_page(*text);
    return {bytes, bytes ? "" : code_page_reason("its copy line"), *text, paths};
}

// The job's own script, composed as given, in the bytes the interpreter
// reads. Written with a stand-in character it would name another folder
// than the job's, or none; where the page lacks a character of the paths,
// they are named by their names kept beside the script instead.
x_ScriptBytes own_script(x_CopyCommand& job, const std::string& composed) {
    const x_CopyPaths paths = copy_paths(job);
    if (!fits_a_path_word(paths.from) || !fits_a_path_word(paths.to)) {
        return {std::nullopt,
                "its path holds a double quote or a control character, which no Windows name "
                "holds and which would end its word on the copy line",
                "", paths};
    }
    std::optional<std::string> converted = to_interpreter_code_page(composed);
    if (converted) return {converted, "", composed, paths};
    return named_script(job, paths);
}

// A script read from a file and left as it was goes back in the bytes it
// came in; one the job composed beforehand is written as it would be
// composed now, whichever way that takes. Names a text read or set refers
// to stand for the job's folders as they are.
x_ScriptBytes script_bytes(x_CopyCommand& job) {
    const std::string text = job.get_script_text();
    if (text.empty()) return own_script(job, composed_text(job));
    const x_CopyPaths as_set{job.get_source(), job.get_destination()};
    if (!job.script_as_read.empty() && text == script_text_of_file(job.script_as_read)) {
        return {job.script_as_read, "", text, as_set};
    }
    std::optional<std::string> converted = to_interpreter_code_page(text);
    if (converted) return {converted, "", text, as_set};
    const std::string composed = composed_text(job);
    if (text == composed) return own_script(job, composed);
    return {std::nullopt, code_page_reason("its script"), text, as_set};
}

// The names a script reads, written beside it; else no script.
void keep_its_names(x_ScriptBytes& script, const std::string& script_folder) {
    if (!script.bytes || !names_folders_beside(script.text)) return;
    const std::optional<std::string> reason = keep_names(script_folder, script.text, script.paths);
    if (!reason) return;
    script.bytes.reset();
    script.reason = *reason;
}

void launch(const std::string& script_path, std::int32_t show_command) {
    x_ShellLauncher launcher;
    launcher.set_file(script_path);
    launcher.set_show(show_command);
    launcher.execute();
}

}  // namespace

// False when the folder was named on standard error instead: nothing was
// handed to the interpreter or the shell.
bool x_CopyCommand::execute(std::int32_t show_command, bool use_interpreter) {
    exit_code.reset();
    // Named before anything is composed: a job without a tool keeps the
    // name of a job without a tool.
    const std::string name = script_file_name();
    const std::string folder_shown = strip_quotes(get_source());
    const std::optional<std::string> folder = script_folder();
    if (!folder) {
        report_not_backed_up(folder_shown,
                             "the command interpreter would read the path of the scratch "
                             "folder as another, since it names a variable: " +
                                 scratch_folder());
        return false;
    }
    const std::string script_path = *folder + name;
    x_ScriptBytes script = script_bytes(*this);
    keep_its_names(script, *folder);
    if (!script.bytes) {
        report_not_backed_up(folder_shown,
                             script.reason + "; script not written: " + surround(script_path, '"'));
        return false;
    }
    if (!write_text_file(script_path, *script.bytes)) {
        report_not_backed_up(folder_shown,
                             "its script could not be written: " + surround(script_path, '"'));
        return false;
    }
    if (use_interpreter) {
        exit_code = platform::process().run_command(interpreter_command(script_path));
    } else {
        launch(script_path, show_command);
    }
    return true;
}

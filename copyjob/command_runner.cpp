#include "copyjob/command_runner.h"

#include "compose/batch_text.h"
#include "fileops/deferred_ops.h"
#include "platform/codepage.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/process.h"
#include "util/environment.h"
#include "util/paths.h"
#include "util/text_file.h"
#include "util/text_helpers.h"
#include "util/time_stamps.h"

namespace {

constexpr int poll_limit = 100;
constexpr unsigned poll_pause_ms = 100;

// The captured output and the working folder go when the process exits: the
// command may still be writing them after locate_command has given up.
x_DeferredFileOps& removals_at_exit() {
    // The services the removals use at exit must outlive this list; statics
    // are destroyed in the reverse order of their creation.
    platform::files();
    platform::code_page();
    platform::process();
    platform::console();
    static x_DeferredFileOps removals;
    return removals;
}

bool has_content(const std::string& path) { return x_FileStatus(path).size() > 0; }

// Stops at the first output of either kind: "where" writes only to standard
// error when it finds nothing.
void wait_for_output(const std::string& out_file, const std::string& err_file) {
    for (int check = 0; check < poll_limit; ++check) {
        if (has_content(out_file) || has_content(err_file)) return;
        platform::process().sleep_ms(poll_pause_ms);
    }
}

// Output left by an earlier call for the same name would end the poll at
// once with an old answer. The files are emptied rather than removed: the
// interpreter of that call may still hold them open, and a name whose
// removal waits for that cannot be opened by the next command at all.
void empty_earlier_output(const std::string& out_file, const std::string& err_file) {
    for (const std::string* path : {&out_file, &err_file}) {
        if (!path_exists(*path)) continue;
        if (std::FILE* file = platform::files().open_file(*path, "wb")) {
            platform::files().close_file(file);
        }
    }
}

// A path as a redirection target of a script line: quoted when it needs it,
// and with its percent signs doubled, which the interpreter would otherwise
// take for a variable and cut out of a user name such as "100%".
std::string redirection_target(const std::string& path) {
    return escape_batch_percent(quote_if_needed(path));
}

}  // namespace

std::string locate_command(const std::string& name) {
    std::string trimmed = trim(name);
    if (trimmed.empty()) return trimmed;
    const std::string bare = file_name(trimmed);
    if (bare != trimmed && path_exists(trimmed)) return trimmed;

    const std::string folder = runner_folder();
    const std::string out_file = folder + bare + ".chk";
    const std::string err_file = folder + bare + ".err";
    empty_earlier_output(out_file, err_file);
    run_hidden_command("where " + bare + " > " + redirection_target(out_file) + " 2> " +
                       redirection_target(err_file));

    x_DeferredFileOps& removals = removals_at_exit();
    removals.queue_delete(out_file.c_str());
    removals.queue_delete(err_file.c_str());
    removals.queue_delete(folder.c_str());

    wait_for_output(out_file, err_file);
    const x_StringList lines = split_lines(read_text_file(out_file));
    return lines.empty() ? std::string() : trim(lines.front());
}

std::string runner_folder() {
    const std::string stamp = time_text("%Y%m%d");
    std::string folder = add_trailing_separator(scratch_folder()) + stamp;
    if (!create_folders(folder)) folder = scratch_folder();
    return add_trailing_separator(folder);
}

std::string quote_if_needed(const std::string& text) {
    if (text.find_first_of(", \t\r\n&^") == npos) return text;
    const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                        last_char(text) == text.front();
    return quoted ? text : surround(text, '"');
}

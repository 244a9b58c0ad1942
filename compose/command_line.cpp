// The one copy command line of a job, for robocopy or xcopy.
#include "compose/backup_paths.h"
#include "compose/batch_text.h"
#include "compose/tool_switches.h"
#include "copyjob/copy_command.h"
#include "copyjob/version_probe.h"
#include "util/environment.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_helpers.h"

namespace {

struct x_ToolWord {
    bool robocopy_line;
    std::string word;
};

// A job without a tool still gets a line; its tool word keeps the padding
// older scripts were written with, and the job itself stays without a tool.
x_ToolWord tool_word(x_CopyCommand& job) {
    if (job.is_xcopy()) return {false, "xcopy"};
    if (job.is_robocopy()) return {true, "robocopy"};
    if (windows_version() >= first_robocopy_version) return {true, "robocopy"};
    return {false, "xcopy   "};
}

std::string base_folder() { return add_trailing_separator(temp_folder(), '\\'); }

std::string or_default(const std::string& path, const char* default_name) {
    return path.empty() ? base_folder() + default_name : path;
}

bool is_separator(char byte) { return byte == '\\' || byte == '/'; }

// A drive letter and its colon and nothing else.
bool is_bare_drive(const std::string& path) {
    return path.size() == 2 && path[1] == ':' && is_drive_root(path + '\\');
}

// A path as one word of a batch line: quoted always, and with its percent
// signs doubled so that the interpreter hands it to the tool as written.
std::string path_word(const std::string& path) {
    return surround(escape_batch_percent(path_in_word(path)), '"');
}

void add_if(x_StringList& words, bool condition, const std::string& word) {
    if (condition) words.push_back(word);
}

void add_xcopy_switches(x_CopyCommand& job, x_StringList& words) {
    // What the job asks of xcopy beside its flags replaces them all.
    const std::string extra = job.get_extra_switches();
    if (!extra.empty()) {
        words.push_back(extra);
        return;
    }
    add_if(words, job.xc_subfolders, "/s");
    add_if(words, job.xc_newer_only, "/d");
    add_if(words, job.xc_folder_target, "/i");
    add_if(words, job.xc_no_prompt, "/y");
    add_if(words, job.xc_continue_after_errors, "/c");
    add_if(words, job.xc_list_only, "/l");
}

void add_robocopy_switches(x_CopyCommand& job, x_StringList& words) {
    const std::string files = job.get_files();
    add_if(words, !files.empty(), files);
    add_if(words, job.rc_subfolders, "/s");
    add_if(words, job.rc_purge, "/purge");
    add_if(words, job.rc_mirror, "/mir");
    add_if(words, job.rc_fat_times, "/fft");
    add_if(words, job.rc_use_retries, "/r:" + uint_to_text(job.rc_retries, 10));
    add_if(words, job.rc_use_wait, "/w:" + uint_to_text(job.rc_wait_seconds, 10));
    add_if(words, job.rc_exclude_older, "/xo");
    add_if(words, job.rc_exclude_extra, "/xx");
    add_if(words, job.rc_exclude_junction_dirs, "/xjd");
    add_if(words, job.rc_use_max_age, "/maxage:" + uint_to_text(job.max_age, 10));
    add_if(words, job.rc_use_min_age, "/minage:" + uint_to_text(job.min_age, 10));
    add_if(words, job.rc_use_min_size, "/min:" + uint64_to_text(job.min_size, 10));
    add_if(words, job.rc_use_max_size, "/max:" + uint64_to_text(job.max_size, 10));
    add_if(words, job.rc_use_exclude_files, "/xf " + job.exclude_files);
    add_if(words, job.rc_use_exclude_dirs, "/xd " + job.exclude_dirs);
    words.push_back(job.get_extra_switches());
    add_if(words, job.rc_list_only, "/l");
}

}  // namespace

x_CopyPaths copy_paths(x_CopyCommand& job) {
    x_CopyPaths paths;
    paths.from = to_unc_path(or_default(strip_quotes(job.get_source()), "v_Urivu.tmp"));
    const std::string to = or_default(strip_quotes(job.get_destination()), "_Backup_");
    paths.to = backup_destination(paths.from, to_unc_path(to));
    return paths;
}

// Trailing separators go (C:\Data\\ is C:\Data), but a root cannot lose its
// backslash ("D:" is the drive's current folder; a drive named without a
// separator keeps that meaning). By the C runtime's argument rules a
// backslash before the closing quote escapes the quote; doubled, the two
// are one backslash and the quote stays a quote, and a tool that reads its
// line itself takes D:\\ for the root as well.
std::string path_in_word(const std::string& path) {
    std::string folder = path;
    while (folder.size() > 1 && is_separator(last_char(folder))) folder.pop_back();
    if (folder.size() < path.size() && is_bare_drive(folder)) folder += '\\';
    if (last_char(folder) == '\\') folder += '\\';
    return folder;
}

bool fits_a_path_word(const std::string& path) {
    for (const char byte : path) {
        if (byte == '"' || (static_cast<unsigned char>(byte) < 0x20)) return false;
    }
    return true;
}

x_ToolSwitches tool_switches(x_CopyCommand& job) {
    const x_ToolWord tool_choice = tool_word(job);
    x_ToolSwitches switches{tool_choice.robocopy_line, tool_choice.word, {}};
    if (tool_choice.robocopy_line) {
        add_robocopy_switches(job, switches.words);
    } else {
        add_xcopy_switches(job, switches.words);
    }
    return switches;
}

std::string command_line_with(x_CopyCommand& job, const std::string& from_word,
                              const std::string& to_word) {
    const x_ToolSwitches switches = tool_switches(job);
    x_StringList words{switches.tool_word, from_word, to_word};
    words.insert(words.end(), switches.words.begin(), switches.words.end());
    return join(words, ' ');
}

std::string x_CopyCommand::build_command_line() {
    const x_CopyPaths paths = copy_paths(*this);
    return command_line_with(*this, path_word(paths.from), path_word(paths.to));
}

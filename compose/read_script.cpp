// Reading a batch script back into a job. The job keeps the whole text, so
// that it runs unchanged; the copy command line in it describes the job.
#include <optional>

#include "compose/batch_text.h"
#include "compose/named_script.h"
#include "compose/script_code_page.h"
#include "copyjob/copy_command.h"
#include "util/environment.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_file.h"
#include "util/text_helpers.h"

namespace {

struct x_CopyLine {
    std::string tool;
    std::string line;
};

// A prefix test only, so "xcopy.exe" and a padded "xcopy   " count, while a
// comment, an at sign, a path or a quote in front does not.
bool starts_with_tool(const std::string& lower_line, const std::string& tool) {
    return lower_line.compare(0, tool.size(), tool) == 0;
}

std::size_t count_copy_lines(const x_StringList& lines, x_CopyLine& first) {
    std::size_t count = 0;
    for (const std::string& raw : lines) {
        const std::string line = trim(raw);
        const std::string lower = to_lower(line);
        for (const char* tool : {"xcopy", "robocopy"}) {
            if (!starts_with_tool(lower, tool)) continue;
            if (count++ == 0) first = {tool, line};
            break;
        }
    }
    return count;
}

// The composer doubles the percent signs of the paths it writes, and writes
// a root with two backslashes so that its closing quote stays one.
std::string undoubled_root(std::string path) {
    const bool doubled_root = path == "\\\\" || (path.size() == 4 && path.back() == '\\' &&
                                                 is_drive_root(path.substr(0, 3)));
    if (doubled_root) path.pop_back();
    return path;
}

std::string path_of_word(const std::string& word) {
    return undoubled_root(unescape_batch_percent(strip_quotes(word)));
}

// A script named relative to the current folder is read from there, and
// the names its copy line may read are kept beside it there.
std::string full_path_of(const std::string& path) {
    const std::string current = is_absolute_path(path) ? std::string() : current_folder();
    return current.empty() ? path : add_trailing_separator(current) + path;
}

}  // namespace

// Each word is taken when the line holds it: a line with every switch
// turned off still names its destination, and a single switch is kept.
// The file holds the interpreter's code page; the job holds the ANSI code
// page in its script text as in every other text. The file's text is kept
// as well: executed unchanged, the script is written back as it was read,
// also where a character has no counterpart in the ANSI page. A script
// that names its folders by names kept beside it, found without them,
// names no folder: the job stays as it was and the answer is false.
bool x_CopyCommand::read_script(const std::string& path) {
    const std::string full_path = full_path_of(path);
    script_as_read = read_text_file(full_path);
    script_text = script_text_of_file(script_as_read);
    x_CopyLine first;
    const auto count = count_copy_lines(split_lines(script_text), first);
    if (count == 0) return false;
    const x_StringList words = split_words(first.line);
    const std::string folder = dir_part(full_path);
    const x_NamedPath from =
        words.size() > 1 ? named_path(folder, script_text, words[1]) : x_NamedPath{};
    const x_NamedPath to =
        words.size() > 2 ? named_path(folder, script_text, words[2]) : x_NamedPath{};
    if ((from.named && !from.path) || (to.named && !to.path)) return false;
    if (count == 1) {
        if (first.tool == "xcopy") {
            use_xcopy();
        } else {
            use_robocopy();
        }
        command_line = first.line;
    }
    if (words.size() > 1)
        set_source(from.path ? undoubled_root(*from.path) : path_of_word(words[1]));
    if (words.size() > 2) {
        set_destination(to.path ? undoubled_root(*to.path) : path_of_word(words[2]));
    }
    if (words.size() > 3) {
        set_extra_switches(join(x_StringList(words.begin() + 3, words.end()), ' '));
    }
    return true;
}

// Names of the command runner's one-line scripts.
#include <algorithm>

#include "copyjob/command_runner.h"
#include "trace/work_folder.h"
#include "util/paths.h"
#include "util/text_helpers.h"
#include "util/time_stamps.h"

namespace {

constexpr std::size_t script_name_limit = 50;

// The earlier of the next exact and the next case-blind occurrence: an
// occurrence in other letter case ahead of an exact one is not passed over.
std::size_t next_occurrence(const std::string& text, const std::string& pattern,
                            const std::string& lower_pattern, std::size_t from) {
    const std::size_t exact = text.find(pattern, from);
    if (exact == from) return exact;
    const std::size_t case_blind = to_lower(text).find(lower_pattern, from);
    return std::min(exact, case_blind);
}

}  // namespace

std::string dated_work_folder(const std::string& name) {
    std::string folder = add_trailing_separator(work_folder(name)) + time_text("%Y%m%d");
    create_folders(folder);
    return folder;
}

// A replacement that holds the pattern is stepped over, never searched
// again, so the walk always ends.
std::string replace_all(const std::string& text, const std::string& pattern,
                        const std::string& replacement) {
    std::string result = text;
    const std::string lower_pattern = to_lower(pattern);
    std::size_t position = 0;
    while (position < result.size()) {
        const std::size_t found = next_occurrence(result, pattern, lower_pattern, position);
        if (found == npos) break;
        result.replace(found, pattern.size(), replacement);
        position = replacement.size() < pattern.size()
                       ? found
                       : found + replacement.size() - pattern.size() + 1;
    }
    return result;
}

// The command's text becomes a file name: its separators, colons, blanks,
// redirections and quotes turn into underscores. The cut never splits a
// double-byte character, whose lead byte alone would change the name.
std::string command_script_path(const std::string& command) {
    const std::string folder = dated_work_folder("cmd_bat");
    std::string name = command;
    for (const char* byte : {">", ":", " "}) name = replace_all(name, byte, "/");
    name = normalize_separators(name, '\\');
    for (const char* byte : {"/", "\\", "\""}) name = replace_all(name, byte, "_");
    name = normalize_separators(name, '\\');
    return add_trailing_separator(folder) + left_chars(name, script_name_limit) + ".bat";
}

#include "fileops/listing.h"

#include <optional>
#include <vector>

#include "fileops/wildcard.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/wide_files.h"
#include "util/paths.h"
#include "util/wide_text.h"

namespace {

bool is_dot_entry(const std::string& name) { return name == "." || name == ".."; }

bool is_folder_entry(const std::string& entry) {
    const char last = last_char(entry);
    return last == '\\' || last == '/';
}

// The name and the pattern as keys of the one matcher. A pattern the code
// page cannot carry matches nothing: read as empty, it would match all.
std::optional<std::u16string> key_of(const std::string& text) {
    const std::optional<std::u16string> units =
        to_utf16(platform::code_page().ansi_code_page(), text);
    if (!units) return std::nullopt;
    return platform::wide_files().case_key(*units);
}

}  // namespace

x_StringList list_folder(const std::string& path, bool skip_dots) {
    std::string folder = strip_trailing_separator(path);
    if (folder.empty() || !path_exists(folder)) return {};
    if (!x_FileStatus(folder).is_folder()) folder = dir_part(folder);
    const std::string prefix = add_trailing_separator(folder, '\\');
    std::vector<platform::x_FindEntry> entries;
    if (!platform::files().find_entries(prefix + "*.*", entries)) return {};
    x_StringList listing;
    listing.reserve(entries.size());
    for (const platform::x_FindEntry& entry : entries) {
        if (entry.name.empty() || (skip_dots && is_dot_entry(entry.name))) continue;
        const bool folder_bit = (entry.attributes & platform::attribute_directory) != 0;
        listing.push_back(prefix + entry.name + (folder_bit ? "\\" : ""));
    }
    return listing;
}

// Only '*' is a wildcard; "*.*" asks for a dot, as the matcher reads it.
x_StringList filter_by_pattern(const x_StringList& listing, const std::string& pattern) {
    const std::optional<std::u16string> pattern_key = key_of(pattern);
    x_StringList matching;
    if (!pattern_key) return matching;
    for (const std::string& entry : listing) {
        if (is_folder_entry(entry)) continue;
        const std::optional<std::u16string> name_key = key_of(file_name(entry));
        if (name_key && matches_wildcard(*name_key, *pattern_key, listing_wildcards)) {
            matching.push_back(entry);
        }
    }
    return matching;
}

x_StringList list_matching(const std::string& folder, const std::string& pattern) {
    return filter_by_pattern(list_folder(folder, true), pattern);
}

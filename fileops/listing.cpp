#include "fileops/listing.h"

#include <vector>

#include "platform/files.h"
#include "util/paths.h"

namespace {

bool is_dot_entry(const std::string& name) { return name == "." || name == ".."; }

bool is_folder_entry(const std::string& entry) {
    const char last = last_char(entry);
    return last == '\\' || last == '/';
}

// Whether a character starts at the position. A byte-wise search could
// otherwise match a letter that is the second byte of a double-byte
// character.
std::vector<bool> character_starts(const std::string& text) {
    std::vector<bool> starts(text.size() + 1, false);
    for (std::size_t i = 0; i < text.size(); i += char_width(text, i)) starts[i] = true;
    starts[text.size()] = true;
    return starts;
}

std::size_t find_whole(const std::string& text, const std::vector<bool>& starts,
                       const std::string& piece, std::size_t from) {
    for (std::size_t at = text.find(piece, from); at != npos; at = text.find(piece, at + 1)) {
        if (starts[at] && starts[at + piece.size()]) return at;
    }
    return npos;
}

bool ends_with_whole(const std::string& text, const std::vector<bool>& starts,
                     const std::string& piece) {
    if (piece.size() > text.size()) return false;
    const std::size_t at = text.size() - piece.size();
    return starts[at] && text.compare(at, npos, piece) == 0;
}

// Pieces must appear in order without overlapping; the ends are anchored
// unless the pattern has a star there.
bool matches_pieces(const std::string& name, const std::string& pattern) {
    const x_StringList pieces = drop_empty(split(pattern, '*'));
    const std::vector<bool> starts = character_starts(name);
    std::size_t from = 0;
    std::size_t first_at = 0;
    for (const std::string& piece : pieces) {
        const std::size_t at = find_whole(name, starts, piece, from);
        if (at == npos) return false;
        if (from == 0) first_at = at;
        from = at + piece.size();
    }
    if (pieces.empty()) return true;
    if (pattern.front() != '*' && first_at != 0) return false;
    return pattern.back() == '*' || ends_with_whole(name, starts, pieces.back());
}

// Both arguments already lower-cased.
bool name_matches(const std::string& name, const std::string& pattern) {
    if (pattern.empty() || pattern == "*") return true;
    if (pattern == "*.*") return find_char(name, '.') != npos;
    // Without a star the name is the pattern itself; anchoring one piece at
    // both ends would also accept a name that merely repeats it.
    if (find_char(pattern, '*') == npos) return name == pattern;
    return matches_pieces(name, pattern);
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

x_StringList filter_by_pattern(const x_StringList& listing, const std::string& pattern) {
    const std::string lower_pattern = to_lower(pattern);
    x_StringList matching;
    for (const std::string& entry : listing) {
        if (is_folder_entry(entry)) continue;
        if (name_matches(to_lower(file_name(entry)), lower_pattern)) matching.push_back(entry);
    }
    return matching;
}

x_StringList list_matching(const std::string& folder, const std::string& pattern) {
    return filter_by_pattern(list_folder(folder, true), pattern);
}

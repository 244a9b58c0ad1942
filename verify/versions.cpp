#include "verify/versions.h"

#include "platform/files.h"
#include "verify/copy_rule.h"
#include "verify/drive_place.h"

namespace {

bool is_separator(char16_t unit) { return unit == u'\\' || unit == u'/'; }

// Each folder from the backup folder down to the path's parent, made where
// it is missing; false where one is a link or is not a folder. Each is
// looked at before anything is made inside it.
bool make_parents(const x_VersionPlaces& places, const std::u16string& path) {
    auto& files = platform::wide_files();
    if (!link_on_the_way(places.root, places.backup).empty()) return false;
    for (std::size_t end = places.backup.size() + 1; end < path.size(); ++end) {
        if (!is_separator(path[end])) continue;
        const std::u16string folder = path.substr(0, end);
        platform::x_WideEntry entry;
        if (!files.entry_of(folder, entry) && !files.make_folder(folder)) return false;
        if (!files.entry_of(folder, entry) ||
            (entry.attributes & platform::attribute_directory) == 0 ||
            (entry.attributes & platform::attribute_reparse_point) != 0) {
            return false;
        }
    }
    const std::size_t slash = path.find_last_of(u"\\/");
    return is_plainly_on_drive(places.root, places.backup, path.substr(0, slash));
}

bool keep(const x_VersionPlaces& places, const std::u16string& relative) {
    const std::u16string from = child_path(places.copy, relative);
    const std::u16string to = child_path(places.kept, relative);
    if (!is_plainly_on_drive(places.root, places.backup, from)) return false;
    if (!make_parents(places, to)) return false;
    auto& files = platform::wide_files();
    return files.move_entry(from, to) || files.copy_new_file(from, to);
}

}  // namespace

std::vector<std::u16string> copies_to_keep(const x_TreePairs& pairs, const x_CopyRule& rule) {
    std::vector<std::u16string> kept;
    for (const x_FilePair& pair : pairs.files) {
        if (!pair.has_copy || is_cut_short(pair.source, pair.copy)) continue;
        if (rule.would_copy(pair.source, &pair.copy) || is_newer_version(pair.source, pair.copy)) {
            kept.push_back(pair.relative);
        }
    }
    if (!rule.purges()) return kept;
    for (const x_StaleCopy& stale : pairs.stale) kept.push_back(stale.relative);
    return kept;
}

std::vector<std::u16string> move_aside(const x_VersionPlaces& places,
                                       const std::vector<std::u16string>& relatives) {
    std::vector<std::u16string> lost;
    if (!lies_below(places.backup, places.kept)) return relatives;
    for (const std::u16string& relative : relatives) {
        if (!keep(places, relative)) lost.push_back(relative);
    }
    return lost;
}

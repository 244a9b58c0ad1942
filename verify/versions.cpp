#include "verify/versions.h"

#include <algorithm>
#include <set>

#include "platform/files.h"
#include "verify/copy_rule.h"
#include "verify/drive_place.h"

namespace {

std::u16string parent_of(const std::u16string& path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

bool is_plain_folder(const platform::x_WideEntry& entry) {
    return (entry.attributes & platform::attribute_directory) != 0 &&
           (entry.attributes & platform::attribute_reparse_point) == 0;
}

// The folders of the drive proven plain: below the backup folder, each a
// folder and no link, the backup folder on the drive's volume. A folder
// that is no link lies on the volume of its parent, so a thousand copies
// moved from a few folders cost a look at each folder once, not at every
// piece of every path.
class x_PlainFolders {
public:
    explicit x_PlainFolders(const x_VersionPlaces& places) : places_(places) {}

    // Whether the folder is plain; with make, missing folders are made,
    // from the top down, each looked at before anything is made inside it.
    bool prove(const std::u16string& folder, bool make) {
        std::vector<std::u16string> unproven;
        for (std::u16string at = folder; proven_.count(at) == 0; at = parent_of(at)) {
            if (same_place(at, places_.backup)) {
                if (!stays_on_drive(places_.root, at)) return false;
                proven_.insert(at);
                break;
            }
            if (!lies_below(places_.backup, at)) return false;
            unproven.push_back(at);
        }
        std::reverse(unproven.begin(), unproven.end());
        for (const std::u16string& at : unproven) {
            if (!is_plain(at, make)) return false;
            proven_.insert(at);
        }
        return true;
    }

private:
    // A folder made here, in a plain parent, is plain; one found is looked at.
    static bool is_plain(const std::u16string& folder, bool make) {
        auto& files = platform::wide_files();
        if (make && files.make_folder(folder)) return true;
        platform::x_WideEntry entry;
        return files.entry_of(folder, entry) && is_plain_folder(entry);
    }

    const x_VersionPlaces& places_;
    std::set<std::u16string> proven_;
};

// The copy is moved, or else copied, only out of a plain folder into one.
// A rename moves a link itself; a copy would read what it leads to.
bool keep(const x_VersionPlaces& places, x_PlainFolders& plain, const std::u16string& relative) {
    const std::u16string from = child_path(places.copy, relative);
    const std::u16string to = child_path(places.kept, relative);
    if (!plain.prove(parent_of(from), false) || !plain.prove(parent_of(to), true)) return false;
    auto& files = platform::wide_files();
    if (files.move_entry(from, to)) return true;
    platform::x_WideEntry entry;
    return files.entry_of(from, entry) &&
           (entry.attributes & platform::attribute_reparse_point) == 0 &&
           files.copy_new_file(from, to);
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

x_MovedAside move_aside(const x_VersionPlaces& places,
                        const std::vector<std::u16string>& relatives) {
    x_MovedAside moved;
    if (!lies_below(places.backup, places.kept)) {
        moved.lost = relatives;
        return moved;
    }
    x_PlainFolders plain(places);
    for (const std::u16string& relative : relatives) {
        if (keep(places, plain, relative)) {
            moved.kept.push_back(child_path(places.kept, relative));
        } else {
            moved.lost.push_back(relative);
        }
    }
    return moved;
}

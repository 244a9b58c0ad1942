#include "verify/version_retention.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/wide_files.h"
#include "verify/drive_place.h"
#include "verify/file_pairs.h"

namespace {

bool has(const platform::x_WideEntry& entry, std::uint32_t bit) {
    return (entry.attributes & bit) != 0;
}

// A link is left where it is: what it leads to is no version of ours.
void remove_tree(const std::u16string& root, const std::u16string& backup,
                 const std::u16string& folder, x_RemovedVersions& removed) {
    auto& files = platform::wide_files();
    std::vector<platform::x_WideEntry> entries;
    if (!is_plainly_on_drive(root, backup, folder) || !files.list_folder(folder, entries)) return;
    for (const platform::x_WideEntry& entry : entries) {
        const std::u16string path = child_path(folder, entry.name);
        if (has(entry, platform::attribute_reparse_point)) continue;
        if (has(entry, platform::attribute_directory)) {
            remove_tree(root, backup, path, removed);
        } else if (is_plainly_on_drive(root, backup, path) && files.remove_file(path)) {
            ++removed.files;
            removed.bytes += entry.size;
            removed.paths.push_back(path);
        }
    }
    files.remove_folder(folder);
}

std::u16string parent_of(const std::u16string& path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

}  // namespace

std::vector<std::u16string> runs_oldest_first(std::vector<std::u16string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

x_RemovedVersions remove_oldest_versions(const std::u16string& root, const std::u16string& backup,
                                         const std::u16string& run_folder, std::uint64_t needed) {
    x_RemovedVersions removed;
    auto& files = platform::wide_files();
    std::uint32_t cluster = 0;
    if (!files.free_space(root, removed.free, cluster)) return removed;
    const std::u16string versions = parent_of(run_folder);
    const std::u16string current = run_folder.substr(versions.size() + 1);
    std::vector<platform::x_WideEntry> entries;
    if (!lies_below(backup, versions) || !files.list_folder(versions, entries)) return removed;
    std::vector<std::u16string> names;
    for (const platform::x_WideEntry& entry : entries) {
        const bool folder = has(entry, platform::attribute_directory) &&
                            !has(entry, platform::attribute_reparse_point);
        if (folder && files.case_key(entry.name) != files.case_key(current)) {
            names.push_back(entry.name);
        }
    }
    for (const std::u16string& name : runs_oldest_first(names)) {
        if (removed.free >= needed) break;
        remove_tree(root, backup, child_path(versions, name), removed);
        if (removed.oldest_run.empty()) removed.oldest_run = name;
        removed.newest_run = name;
        files.free_space(root, removed.free, cluster);
    }
    return removed;
}

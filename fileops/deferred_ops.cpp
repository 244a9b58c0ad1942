#include "fileops/deferred_ops.h"

#include <algorithm>
#include <vector>

#include "platform/files.h"
#include "util/paths.h"

namespace {

// Both separators are accepted in queued paths; ordering them as one keeps
// a folder written with slashes behind the contents written with
// backslashes, and lets the two spellings of one path count as duplicates.
std::string with_backslashes(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Descending byte order puts every path before each of its prefixes, so a
// folder's queued contents go before the folder itself.
void order_for_deletion(x_StringList& paths) {
    std::transform(paths.begin(), paths.end(), paths.begin(), with_backslashes);
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    std::reverse(paths.begin(), paths.end());
}

void delete_entry(const std::string& entry) {
    const std::string path = strip_trailing_separator(entry);
    if (!path_exists(path)) return;
    if (x_FileStatus(path).is_folder()) {
        // A folder that still holds anything, queued or not, stays.
        if (folder_is_empty(path)) platform::files().remove_folder(path);
    } else {
        platform::files().remove_file(path);
    }
}

}  // namespace

x_DeferredFileOps::~x_DeferredFileOps() {
    run_copies();
    run_deletes();
}

bool x_DeferredFileOps::queue_delete_string(const std::string& path) {
    return queue_delete(path.c_str());
}

bool x_DeferredFileOps::queue_delete(const char* path) {
    sources.emplace_back(path != nullptr ? path : "");
    return true;
}

bool x_DeferredFileOps::queue_delete_list(const x_StringList& paths) {
    sources.insert(sources.end(), paths.begin(), paths.end());
    return true;
}

bool x_DeferredFileOps::queue_move(const char* source, const char* destination) {
    sources.emplace_back(source != nullptr ? source : "");
    destinations.resize(sources.size());
    destinations.back() = destination != nullptr ? destination : "";
    return true;
}

bool x_DeferredFileOps::run_copies() {
    const std::size_t pairs = std::min(sources.size(), destinations.size());
    for (std::size_t i = 0; i < pairs; ++i) {
        const std::string& source = sources[i];
        const std::string& destination = destinations[i];
        if (source.empty() || destination.empty() || !path_exists(source)) continue;
        // Without its copy the source must survive the delete pass.
        if (!copy_file(source, destination, false)) sources[i].clear();
    }
    destinations.clear();
    return true;
}

bool x_DeferredFileOps::run_deletes() {
    order_for_deletion(sources);
    for (std::string& entry : sources) {
        if (entry.empty()) continue;
        delete_entry(entry);
        entry.clear();
    }
    sources.clear();
    return true;
}

bool copy_file(const std::string& source, const std::string& destination, bool fail_if_exists) {
    if (!path_exists(source)) return false;
    if (fail_if_exists && path_exists(destination)) return false;
    const std::string folder = dir_part(destination);
    if (!folder_exists(folder) && !create_folders(folder)) return false;
    return platform::files().copy_file(source, destination, fail_if_exists);
}

bool folder_is_empty(const std::string& path) {
    std::string folder = strip_trailing_separator(path);
    if (!x_FileStatus(folder).is_folder()) folder = dir_part(folder);
    std::vector<platform::x_FindEntry> entries;
    if (!platform::files().find_entries(add_trailing_separator(folder, '\\') + "*.*", entries)) {
        return true;
    }
    return std::all_of(entries.begin(), entries.end(), [](const platform::x_FindEntry& entry) {
        return entry.name == "." || entry.name == "..";
    });
}

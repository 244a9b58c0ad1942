#include "verify/file_pairs.h"

#include <algorithm>
#include <unordered_map>

#include "platform/files.h"
#include "verify/copy_rule.h"

namespace {

bool has(const platform::x_WideEntry& entry, std::uint32_t bits) {
    return (entry.attributes & bits) != 0;
}

bool is_folder(const platform::x_WideEntry& entry) {
    return has(entry, platform::attribute_directory);
}

std::u16string key_of(const std::u16string& name) { return platform::wide_files().case_key(name); }

// The copy's entries of one folder by the key of their names.
using x_CopyIndex = std::unordered_map<std::u16string, platform::x_WideEntry>;

x_CopyIndex index_of(const std::u16string& folder) {
    std::vector<platform::x_WideEntry> entries;
    x_CopyIndex index;
    if (!platform::wide_files().list_folder(folder, entries)) return index;
    for (platform::x_WideEntry& entry : entries)
        index.emplace(key_of(entry.name), std::move(entry));
    return index;
}

struct x_Walk {
    const std::u16string& source_root;
    const std::u16string& copy_root;
    const x_CopyRule& rule;
    x_TreePairs pairs;
    std::vector<x_SourceFolder> pending;  // folders still to list
};

// Whether a folder link leads to the folder that holds it or one above:
// following it would never end.
bool leads_back_up(const x_Walk& walk, const std::u16string& relative) {
    platform::x_FileIdentity target;
    if (!platform::wide_files().identity_of(child_path(walk.source_root, relative), target)) {
        return true;
    }
    std::u16string above = relative;
    for (;;) {
        const std::size_t slash = above.find_last_of(u'\\');
        above = slash == std::u16string::npos ? u"" : above.substr(0, slash);
        platform::x_FileIdentity identity;
        if (platform::wide_files().identity_of(child_path(walk.source_root, above), identity) &&
            identity == target) {
            return true;
        }
        if (above.empty()) return false;
    }
}

// Every file below a folder of the copy that the source no longer has; a
// link is what the cleaning removes, not what it leads to.
void add_stale_folder(x_Walk& walk, const std::u16string& relative) {
    std::vector<std::u16string> folders{relative};
    std::vector<platform::x_WideEntry> entries;
    while (!folders.empty()) {
        const std::u16string folder = std::move(folders.back());
        folders.pop_back();
        if (!platform::wide_files().list_folder(child_path(walk.copy_root, folder), entries)) {
            continue;
        }
        for (const platform::x_WideEntry& entry : entries) {
            const std::u16string path = child_path(folder, entry.name);
            if (!is_folder(entry)) {
                walk.pairs.stale.push_back({path, entry.size});
            } else if (!has(entry, platform::attribute_reparse_point)) {
                folders.push_back(path);
            }
        }
    }
}

void add_stale(x_Walk& walk, const std::u16string& relative, const x_CopyIndex& left) {
    for (const auto& [key, entry] : left) {
        const std::u16string path = child_path(relative, entry.name);
        if (!is_folder(entry)) {
            walk.pairs.stale.push_back({path, entry.size});
        } else if (walk.rule.purges() && !has(entry, platform::attribute_reparse_point)) {
            add_stale_folder(walk, path);
        }
    }
}

void enter_folder(x_Walk& walk, const std::u16string& path, const platform::x_WideEntry& folder,
                  const x_CopyIndex& copies) {
    if (!walk.rule.enters(folder)) return;
    if (has(folder, platform::attribute_reparse_point) && leads_back_up(walk, path)) return;
    const auto copy = copies.find(key_of(folder.name));
    if (copy != copies.end() && has(copy->second, platform::attribute_reparse_point)) {
        walk.pairs.links_in_copy.push_back(path);
    }
    walk.pending.push_back({path, {}});
}

void pair_folder(x_Walk& walk, x_SourceFolder folder) {
    const std::u16string& relative = folder.relative;
    std::vector<platform::x_WideEntry> entries;
    if (!platform::wide_files().list_folder(child_path(walk.source_root, relative), entries)) {
        if (relative.empty()) return;
        walk.pairs.unlisted.push_back(relative);
        return;
    }
    if (relative.empty()) walk.pairs.source_listed = true;
    // Read as the check after the tool reads it: NTFS's listing of a
    // folder's parent may hold an older time for it.
    platform::wide_files().entry_of(child_path(walk.source_root, relative), folder.entry);
    walk.pairs.folders.push_back(folder);
    x_CopyIndex copies = index_of(child_path(walk.copy_root, relative));
    for (const platform::x_WideEntry& entry : entries) {
        const std::u16string path = child_path(relative, entry.name);
        if (is_folder(entry)) {
            enter_folder(walk, path, entry, copies);
            copies.erase(key_of(entry.name));
            continue;
        }
        x_FilePair pair{path, entry, false, {}};
        const auto copy = copies.find(key_of(entry.name));
        if (copy != copies.end()) {
            pair.has_copy = !is_folder(copy->second);
            pair.copy = std::move(copy->second);
            copies.erase(copy);
        }
        if (walk.rule.selects(entry)) {
            walk.pairs.files.push_back(std::move(pair));
        } else if (walk.rule.too_large(entry)) {
            walk.pairs.too_large.push_back(path);
        }
    }
    add_stale(walk, relative, copies);
}

bool by_relative(const x_FilePair& one, const x_FilePair& other) {
    return one.relative < other.relative;
}

// A linked folder's own time says nothing of the folder it leads to.
bool folders_stand(const x_TreePairs& pairs, const std::u16string& source) {
    for (const x_SourceFolder& folder : pairs.folders) {
        platform::x_WideEntry now;
        if (!platform::wide_files().entry_of(child_path(source, folder.relative), now) ||
            has(now, platform::attribute_reparse_point) || now.written != folder.entry.written) {
            return false;
        }
    }
    return true;
}

std::u16string folder_part(const std::u16string& relative) {
    const std::size_t slash = relative.find_last_of(u'\\');
    return slash == std::u16string::npos ? u"" : relative.substr(0, slash);
}

// The source file as it is now, where its copy falls short; false when it
// has gone meanwhile.
bool read_again(x_FilePair& pair, const std::u16string& source) {
    if (pair.has_copy && is_complete_copy(pair.source, pair.copy)) return true;
    return platform::wide_files().entry_of(child_path(source, pair.relative), pair.source);
}

}  // namespace

std::u16string child_path(const std::u16string& folder, const std::u16string& name) {
    if (folder.empty()) return name;
    if (name.empty()) return folder;
    const char16_t last = folder.back();
    return last == u'\\' || last == u'/' ? folder + name : folder + u'\\' + name;
}

const x_FilePair* x_TreePairs::find(const std::u16string& relative) const {
    const x_FilePair probe{relative, {}, false, {}};
    const auto found = std::lower_bound(files.begin(), files.end(), probe, by_relative);
    return found != files.end() && found->relative == relative ? &*found : nullptr;
}

x_TreePairs pair_files(const std::u16string& source, const std::u16string& copy,
                       const x_CopyRule& rule) {
    x_Walk walk{source, copy, rule, {}, {}};
    if (source.empty() || copy.empty()) return walk.pairs;
    walk.pending.push_back({});
    while (!walk.pending.empty()) {
        x_SourceFolder folder = std::move(walk.pending.back());
        walk.pending.pop_back();
        pair_folder(walk, std::move(folder));
    }
    // In the order of their names, so that "the first" file is the same on
    // every run, whatever order the file system lists them in.
    std::sort(walk.pairs.files.begin(), walk.pairs.files.end(), by_relative);
    return walk.pairs;
}

x_TreePairs pair_again(const x_TreePairs& before, const std::u16string& source,
                       const std::u16string& copy, const x_CopyRule& rule) {
    if (!before.source_listed || !folders_stand(before, source)) {
        return pair_files(source, copy, rule);
    }
    x_TreePairs pairs = before;
    std::unordered_map<std::u16string, x_CopyIndex> copies;
    std::vector<x_FilePair> files;
    for (x_FilePair& pair : pairs.files) {
        const std::u16string folder = folder_part(pair.relative);
        auto index = copies.find(folder);
        if (index == copies.end()) {
            index = copies.emplace(folder, index_of(child_path(copy, folder))).first;
        }
        const auto found = index->second.find(key_of(pair.source.name));
        pair.has_copy = found != index->second.end() && !is_folder(found->second);
        pair.copy = pair.has_copy ? found->second : platform::x_WideEntry{};
        if (read_again(pair, source)) files.push_back(std::move(pair));
    }
    pairs.files = std::move(files);
    return pairs;
}

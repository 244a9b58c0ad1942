#include "verify/file_pairs.h"

#include <algorithm>
#include <unordered_map>

#include "platform/files.h"
#include "util/wide_text.h"
#include "verify/copy_rule.h"

namespace {

bool is_folder(const platform::x_WideEntry& entry) {
    return (entry.attributes & platform::attribute_directory) != 0;
}

// Windows finds names without regard to the case of ASCII letters; the
// tools keep each name's case, so an exact match is the usual one.
using x_CopyIndex = std::unordered_map<std::u16string, platform::x_WideEntry>;

x_CopyIndex index_of(const std::u16string& folder) {
    std::vector<platform::x_WideEntry> entries;
    x_CopyIndex index;
    if (!platform::wide_files().list_folder(folder, entries)) return index;
    for (platform::x_WideEntry& entry : entries)
        index.emplace(ascii_lower(entry.name), std::move(entry));
    return index;
}

struct x_Walk {
    const x_CopyRule& rule;
    x_TreePairs pairs;
    std::vector<std::u16string> pending;  // relative folders still to list
};

void pair_folder(x_Walk& walk, const std::u16string& source_root, const std::u16string& copy_root,
                 const std::u16string& relative) {
    std::vector<platform::x_WideEntry> entries;
    if (!platform::wide_files().list_folder(child_path(source_root, relative), entries)) {
        if (relative.empty()) return;
        walk.pairs.unlisted.push_back(relative);
        return;
    }
    if (relative.empty()) walk.pairs.source_listed = true;
    x_CopyIndex copies = index_of(child_path(copy_root, relative));
    for (const platform::x_WideEntry& entry : entries) {
        const std::u16string path = child_path(relative, entry.name);
        if (is_folder(entry)) {
            if (walk.rule.enters(entry)) walk.pending.push_back(path);
            continue;
        }
        x_FilePair pair{path, entry, false, {}};
        const auto copy = copies.find(ascii_lower(entry.name));
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
    for (const auto& [name, left] : copies) {
        if (!is_folder(left)) walk.pairs.extra_sizes.push_back(left.size);
    }
}

}  // namespace

std::u16string child_path(const std::u16string& folder, const std::u16string& name) {
    if (folder.empty()) return name;
    if (name.empty()) return folder;
    const char16_t last = folder.back();
    return last == u'\\' || last == u'/' ? folder + name : folder + u'\\' + name;
}

x_TreePairs pair_files(const std::u16string& source, const std::u16string& copy,
                       const x_CopyRule& rule) {
    x_Walk walk{rule, {}, {u""}};
    while (!walk.pending.empty()) {
        const std::u16string relative = std::move(walk.pending.back());
        walk.pending.pop_back();
        pair_folder(walk, source, copy, relative);
    }
    // In the order of their names, so that "the first" file is the same on
    // every run, whatever order the file system lists them in.
    std::sort(walk.pairs.files.begin(), walk.pairs.files.end(),
              [](const x_FilePair& one, const x_FilePair& other) {
                  return one.relative < other.relative;
              });
    return walk.pairs;
}

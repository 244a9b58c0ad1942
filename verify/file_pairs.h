#pragma once
// The files a copy tool is meant to copy from a folder tree, each beside
// its copy as it stands, found by walking the source and its copy in step.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/wide_files.h"

class x_CopyRule;

struct x_FilePair {
    std::u16string relative;  // below the source folder, with backslashes
    platform::x_WideEntry source;
    bool has_copy = false;
    platform::x_WideEntry copy;
};

struct x_TreePairs {
    // False when the source folder itself could not be listed.
    bool source_listed = false;
    std::vector<x_FilePair> files;
    // Subfolders of the source the walk could not list.
    std::vector<std::u16string> unlisted;
    // Files the drive cannot take for their size, below the source folder.
    std::vector<std::u16string> too_large;
    // Sizes of files in the copy's folders that the source no longer has.
    std::vector<std::uint64_t> extra_sizes;
};

x_TreePairs pair_files(const std::u16string& source, const std::u16string& copy,
                       const x_CopyRule& rule);

// The folder with the name below it.
std::u16string child_path(const std::u16string& folder, const std::u16string& name);

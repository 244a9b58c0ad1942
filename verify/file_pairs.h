#pragma once
// The files a copy tool is meant to copy from a folder tree, each beside
// its copy as it stands, found by walking the source and its copy in step.
// Names pair as Windows compares them: without regard to case, across
// Unicode.
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

// A file of the copy that the source no longer has, in a folder the source
// has or (where the tool cleans the copy) in one it no longer has.
struct x_StaleCopy {
    std::u16string relative;  // below the copy's folder
    std::uint64_t size = 0;
};

// A folder of the source the walk listed, with its last-write time then:
// Windows changes it when an entry is added to, taken from or renamed in it.
struct x_SourceFolder {
    std::u16string relative;
    platform::x_WideEntry entry;
};

struct x_TreePairs {
    // False when the source folder itself could not be listed.
    bool source_listed = false;
    std::vector<x_FilePair> files;
    // Subfolders of the source the walk could not list.
    std::vector<std::u16string> unlisted;
    // Files the drive cannot take for their size, below the source folder.
    std::vector<std::u16string> too_large;
    std::vector<x_StaleCopy> stale;
    // Folders of the copy the tool would write into that are links: what is
    // written there lands wherever they lead, perhaps off the drive.
    std::vector<std::u16string> links_in_copy;
    std::vector<x_SourceFolder> folders;

    // The pair of the file (relative to the source), or none; files stay in
    // the order of their relative paths.
    const x_FilePair* find(const std::u16string& relative) const;
};

x_TreePairs pair_files(const std::u16string& source, const std::u16string& copy,
                       const x_CopyRule& rule);

// The pairs again, after the tool ran. Where no folder of the source has
// changed since the walk before, only the copy is listed again, and a
// source file is read again only where its copy falls short (the usual
// daily run, with nothing to copy, lists the source once); otherwise the
// whole walk is made again.
x_TreePairs pair_again(const x_TreePairs& before, const std::u16string& source,
                       const std::u16string& copy, const x_CopyRule& rule);

// The folder with the name below it.
std::u16string child_path(const std::u16string& folder, const std::u16string& name);

#pragma once
// What the check of one folder's copy found, before the copy tool runs and
// after it, for the folder job to report.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Whether the copy may be started.
struct x_StartFindings {
    // A folder on the copy's way on the drive that is a link (the drive's
    // form of its path); the tool would write wherever it leads.
    std::u16string link;
    bool fits = true;
    std::uint64_t needed = 0;  // bytes the tool is about to add
    std::uint64_t free = 0;    // bytes free on the drive
    bool may_start() const { return link.empty() && fits; }
};

enum class x_ShortKind {
    missing,
    differs,
    // Newer than its source and of another size: another version of the
    // file, which the check does not destroy.
    kept_newer,
    // A copy the tool was about to write over or remove whose content could
    // be neither moved aside nor copied among the versions.
    not_kept,
};

struct x_ShortFile {
    std::u16string relative;  // below the source folder
    x_ShortKind kind = x_ShortKind::missing;
    std::string why;  // empty when it cannot be told
    // A damaged copy that could not be made to look older than its source:
    // the tool may pass over it on the next run too.
    bool mend_failed = false;
};

struct x_CopyFindings {
    // False when the source folder cannot be read (or named), so that its
    // copy cannot be checked.
    bool checkable = false;
    std::size_t files = 0;  // files the tool was meant to copy
    std::vector<x_ShortFile> short_files;
    std::vector<std::u16string> unlisted;  // subfolders that cannot be read
    // Copies on the drive that the source changed under: written to while
    // the tool ran; the next run copies them again.
    std::vector<std::u16string> changed;
    // Files that were not there when the tool started (saved or moved in
    // during the backup), whatever their date.
    std::vector<std::u16string> added;
    // Files left out because the drive cannot hold a file that large.
    std::vector<std::u16string> too_large;

    bool complete() const { return checkable && short_files.empty() && unlisted.empty(); }
};

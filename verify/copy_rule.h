#pragma once
// What a job's copy tool takes from the source and when it writes a copy,
// read from the switches of the job's copy line, so that a check of the
// copy asks for what the tool was meant to copy and nothing else.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/wide_files.h"

class x_CopyCommand;

// FAT keeps last-write times to 2 seconds.
inline constexpr std::int64_t two_seconds = 20000000;

class x_CopyRule {
public:
    // The tool is the job's, or the one its copy line falls back on.
    explicit x_CopyRule(x_CopyCommand& job);

    bool is_xcopy() const { return xcopy_; }
    // Whether the tool walks into the subfolder. A folder link counts as the
    // folder it leads to where the tool follows it (xcopy without /b); the
    // walk guards against links that lead back up.
    bool enters(const platform::x_WideEntry& folder) const;
    // Whether the tool copies the file.
    bool selects(const platform::x_WideEntry& file) const;
    // Whether the file is larger than the drive takes (robocopy's /max,
    // which the job also carries for xcopy where the drive is FAT32).
    bool too_large(const platform::x_WideEntry& file) const {
        return max_size_ && file.size > *max_size_;
    }
    // Whether the tool writes the file when its copy stands as given (none:
    // no copy yet). xcopy /d copies a source newer than its copy; robocopy
    // copies what is not the same in size and time, unless /xo and the
    // source is the older one.
    bool would_copy(const platform::x_WideEntry& source, const platform::x_WideEntry* copy) const;
    // Whether the tool would clean the file out of the copy (robocopy's
    // /purge and /mir remove what the source no longer has).
    bool purges() const { return purge_; }

private:
    // Notes one switch; the list that the names after it go to, if any.
    std::vector<std::u16string>* take_switch(const std::string& word);

    bool xcopy_ = false;
    bool subfolders_ = false;
    bool newer_only_ = false;
    bool exclude_older_ = false;
    bool fat_times_ = false;
    bool copies_hidden_ = false;
    bool skip_links_ = false;
    bool purge_ = false;
    std::vector<std::u16string> excluded_files_;
    std::vector<std::u16string> excluded_folders_;
    std::optional<std::uint64_t> min_size_;
    std::optional<std::uint64_t> max_size_;
};

// A copy that holds its source: the same size, and a last-write time not
// older than the source's by what FAT's rounding leaves (under 2 seconds).
bool is_complete_copy(const platform::x_WideEntry& source, const platform::x_WideEntry& copy);
// A copy the tool cut short: another size, but the source's time (within
// FAT's 2 seconds), as a copy tool leaves a file it could not finish. A copy
// of another size and another time is another version of the file.
bool is_cut_short(const platform::x_WideEntry& source, const platform::x_WideEntry& copy);
// A copy newer than its source by more than FAT's rounding and of another
// size: another version of the file (the user went back to an older one),
// which neither tool writes over.
bool is_newer_version(const platform::x_WideEntry& source, const platform::x_WideEntry& copy);

#pragma once
// Versions stay until the drive needs the room: before a folder is refused
// for lack of it, whole runs of versions go, the oldest first, until the
// folder fits. The run under way keeps its versions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct x_RemovedVersions {
    std::size_t files = 0;
    std::uint64_t bytes = 0;
    std::u16string oldest_run;  // names of the first and last run removed
    std::u16string newest_run;
    std::vector<std::u16string> paths;  // each file removed
    std::uint64_t free = 0;             // free on the drive afterwards
};

// Run folders by name: a run's name starts with its date and time, so the
// order of names is the order of runs.
std::vector<std::u16string> runs_oldest_first(std::vector<std::u16string> names);

// Removes the oldest runs' folders beside the run folder (root: the drive's
// root; backup: the drive's "_Backup_", outside which nothing is removed)
// until the drive has the bytes needed free or only the run's own folder is
// left. Files are removed one by one, never through a link or off the
// drive.
x_RemovedVersions remove_oldest_versions(const std::u16string& root, const std::u16string& backup,
                                         const std::u16string& run_folder, std::uint64_t needed);

#pragma once
#include <cstddef>
#include <string>

// What became of one folder's backup: complete, with the files checked on
// the drive, or short of that and named on standard error.
struct x_FolderOutcome {
    bool complete = false;
    std::size_t files = 0;
};

// Copies one folder below the backup root, this computer's folder
// "_Backup_" on the drive (a letter and a colon), through the command
// interpreter, and checks the copy once the copy tool is done. What the
// tool is about to write over or remove is first moved into the run's
// versions folder (place/versions_place.h); none is kept where it is empty.
x_FolderOutcome run_folder_job(const std::string& drive_root, const std::string& backup_root,
                               const std::string& folder_path, const std::string& versions_folder);

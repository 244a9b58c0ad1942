#pragma once
#include <string>

// Copies one folder below the folder "_Backup_" of the drive (a letter and a
// colon), through the command interpreter, and returns when the copy is done.
void run_folder_job(const std::string& drive_root, const std::string& folder_path);

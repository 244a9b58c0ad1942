#pragma once
#include <string>

// Writes the heading, then backs up each shell folder of the fixed list to
// the first removable drive. False when there is no removable drive.
bool run_backup(const std::string& heading);
// Writes the folder's line and runs its backup job. False, with nothing
// written, when no removable drive exists at the time of the call.
bool backup_folder(int csidl);
// The index (0 for A: to 25 for Z:) of the first removable drive, or -1.
int find_removable_drive();

#pragma once
#include <string>

// Writes the heading, then backs up each shell folder of the fixed list to
// the first removable drive, and says on standard error whether every copy
// was confirmed. True only then: false when there is no removable drive or
// a folder falls short.
bool run_backup(const std::string& heading);
// Writes the folder's line and runs its backup job. False, with no line
// and the folder named on standard error, when no removable drive exists
// at the time of the call.
bool backup_folder(int csidl);
// The index (0 for A: to 25 for Z:) of the first removable drive that
// holds a medium, or -1.
int find_removable_drive();

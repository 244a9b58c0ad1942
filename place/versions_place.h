#pragma once
// Where a run keeps the earlier versions of the copies it replaces or
// removes: a folder per run, named by the run's local date and time so that
// Explorer lists the runs in order, below "%versions" in the computer's
// backup root; below it each copy keeps its path below the backup root:
//   E:\_Backup_\%versions\2026-12-08 14.05.31\C\Users\Ann\Documents\Budget.xls
// No source path maps onto "%versions" (see backup_place.h), and the copy
// tools never reach it: each copies into its folder's own path below the
// root.
#include <string>

inline constexpr char versions_folder_name[] = "%versions";

// The folder of all runs' versions in a backup root.
std::string versions_folder(const std::string& backup_root);

// This run's folder in it, not made yet; a name no earlier run took.
std::string versions_folder_for_run(const std::string& backup_root);

#pragma once
// Whose backup a drive's folder "_Backup_" holds, and where this computer's
// backup goes. The first computer to back up to a drive owns the folder and
// keeps the layout it always had (E:\_Backup_\C\Users\...), so existing
// backups and kept scripts go on working; a drive whose "_Backup_" has no
// owner yet belongs to the first computer that asks. Every other computer
// backs up below a folder of its own inside it, never onto the owner's
// copies: E:\_Backup_\%computer <its identity>\_Backup_\C\Users\...
//
// Each backup root holds, beside the copies, files whose names begin with a
// percent sign followed by more letters. The copy line never makes such a
// name below a "_Backup_" folder (compose/backup_paths.cpp: a percent sign
// of a source path only ends a name, or is a name of its own), so no source
// path maps onto them.
#include <string>

// A computer as a drive records it: what tells it apart, and what a person
// calls it.
struct x_ComputerIdentity {
    std::string id;
    std::string name;
};

// The machine GUID, or the computer's name where Windows gives none.
x_ComputerIdentity this_computer();

// The file in a backup root that names the computer it belongs to.
inline constexpr char owner_record_name[] = "%computer.txt";
// The start of the folder name of another computer's place.
inline constexpr char other_computer_prefix[] = "%computer ";

struct x_BackupPlace {
    // The folder named "_Backup_" that the copy jobs receive as their
    // destination.
    std::string root;
    // What the run says once on standard error about it; empty when the
    // drive's own layout serves this computer as before.
    std::string notice;
};

// This computer's place on the drive (a letter and a colon). Records the
// owner where the drive has none yet.
x_BackupPlace backup_place(const std::string& drive);

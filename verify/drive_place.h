#pragma once
// Where a path on the removable drive really leads. A folder on the drive
// can be a link (an NTFS stick can hold one, a hostile one will) to a folder
// anywhere else; the text of a path alone does not tell.
#include <string>

// The first entry on the way from the root down to the path that is a link
// (a reparse point), as a path; empty when there is none. The way ends at
// the first entry that does not exist yet.
std::u16string link_on_the_way(const std::u16string& root, const std::u16string& path);

// Whether the path lies below the folder, by names as Windows compares them.
// same_place: whether both name the same place that way.
bool lies_below(const std::u16string& folder, const std::u16string& path);
bool same_place(const std::u16string& one, const std::u16string& other);

// Whether the path lies below the root with no link on the way, on the
// volume of the root.
bool stays_on_drive(const std::u16string& root, const std::u16string& path);

// Whether the file can be changed as a file of the drive: below the folder
// on the drive, with no link on the way, and on the volume of the root.
bool is_plainly_on_drive(const std::u16string& root, const std::u16string& folder,
                         const std::u16string& path);

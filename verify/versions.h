#pragma once
// Earlier versions kept on the drive. Before the tool runs, each copy it is
// about to write over or clean out is moved, by a rename on the drive, into
// the run's versions folder under the same path below the backup root, so
// that what the source lost or changed stays on the drive. A rerun with
// nothing changed moves nothing.
#include <string>
#include <vector>

#include "verify/file_pairs.h"

class x_CopyRule;

// The copies, by their paths below the copy's folder, that the tool is
// about to write over (a copy cut short holds nothing worth keeping), that
// its cleaning removes, and those newer than their source and different,
// which the tool would pass over and which are moved aside so that it
// copies the source in their place.
std::vector<std::u16string> copies_to_keep(const x_TreePairs& pairs, const x_CopyRule& rule);

// Where a folder's copy and its versions lie on the drive.
struct x_VersionPlaces {
    std::u16string root;    // the drive's root ("E:\")
    std::u16string backup;  // the drive's "_Backup_": nothing outside it is changed
    std::u16string copy;    // the folder's copy
    std::u16string kept;    // the same folder below the run's versions folder
};

struct x_MovedAside {
    std::vector<std::u16string> kept;  // where each kept copy now lies
    std::vector<std::u16string> lost;  // copies whose content could be kept neither way
};

// Moves each copy aside, making folders as needed; one that cannot be
// moved is copied there instead when it can be read. Nothing is moved,
// made or copied through a link or off the drive.
x_MovedAside move_aside(const x_VersionPlaces& places,
                        const std::vector<std::u16string>& relatives);

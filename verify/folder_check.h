#pragma once
// One folder's backup, checked around the copy tool's run. Before it:
// whether the copy can fit on the drive. After it: whether every file the
// tool was meant to copy is on the drive as it is in the source, by size
// and last-write time (metadata only; no file is read). What falls short is
// named on standard error, each file of it in the trace log, and a damaged
// copy that the tool would pass over on its next run is made to look older
// than its source, so that the next run copies it again.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "verify/copy_rule.h"

class x_CopyCommand;
struct x_FilePair;

class x_FolderCheck {
public:
    // The job with its tool chosen; the drive as messages name it ("E:"),
    // which is also the root of the volume the copy goes to.
    x_FolderCheck(x_CopyCommand& job, const std::string& drive);

    // False, with the folder named beside what it needs and what is free,
    // when the bytes the tool is about to write clearly exceed the drive's
    // free space. True when the free space cannot be told.
    bool has_room();
    // Right before the tool runs: a source file written to after this is
    // changing under the backup, which is said but not held against it.
    void copy_starts();
    // The number of files checked, or nothing when the copy falls short.
    std::optional<std::size_t> confirm();

private:
    std::string why_short(const x_FilePair& pair, bool drive_present,
                          std::uint64_t free_bytes) const;
    void mend(const x_FilePair& pair) const;

    std::string folder_;
    std::string drive_;
    std::u16string source_;
    std::u16string copy_;
    x_CopyRule rule_;
    std::uint32_t cluster_bytes_ = 0;
    bool mendable_ = false;
    std::int64_t started_ = 0;
};

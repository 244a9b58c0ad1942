#pragma once
// One folder's backup, checked around the copy tool's run. Before it:
// whether the copy may start (no link on its way on the drive, room for
// it). After it: whether every file the tool was meant to copy is on the
// drive as it is in the source, by size and last-write time (metadata only;
// no file is read). A copy the tool cut short, which it would pass over on
// its next run, is made to look older than its source so that the next run
// copies it again; nothing else on the drive is changed. What it finds is
// returned, for the folder job to report.
#include <cstdint>
#include <string>
#include <vector>

#include "verify/check_findings.h"
#include "verify/copy_rule.h"
#include "verify/file_pairs.h"

class x_CopyCommand;

class x_FolderCheck {
public:
    // The job with its tool chosen; the drive as messages name it ("E:"),
    // which is also the root of the volume the copy goes to.
    x_FolderCheck(x_CopyCommand& job, const std::string& drive);

    // Walks the source and its copy as they stand before the tool runs.
    // The copy does not fit when the bytes the tool is about to write
    // clearly exceed the drive's free space; it fits when that cannot be
    // told.
    x_StartFindings before_copy();
    // The walk before the copy: each file the tool is meant to copy beside
    // its copy as it stood, and what the copy has that the source has not.
    const x_TreePairs& before() const { return before_; }
    // Keeps earlier versions: the copies the tool is about to write over
    // or clean out go below the run's versions folder (the drive's form of
    // its path), and the room asked for counts nothing they free.
    void keep_versions_in(const std::string& run_folder);
    // Once the copy may start: moves those copies aside (verify/versions.h)
    // and answers where each now lies. A copy whose content could not be
    // kept is named by confirm.
    std::vector<std::u16string> move_aside();
    // Right before the tool runs: a source file written to after this is
    // changing under the backup.
    void copy_starts();
    x_CopyFindings confirm();

private:
    std::string why_short(const x_FilePair& pair, bool drive_present,
                          std::uint64_t free_bytes) const;
    x_ShortFile short_file(const x_FilePair& pair, bool drive_present,
                           std::uint64_t free_bytes) const;
    bool mend(const x_FilePair& pair) const;
    void add_not_kept(std::vector<x_ShortFile>& short_files) const;

    std::string drive_;
    std::u16string root_;
    std::u16string backup_folder_;
    std::u16string source_;
    std::u16string copy_;
    x_CopyRule rule_;
    std::string copy_destination_;
    std::uint32_t cluster_bytes_ = 0;
    x_TreePairs before_;
    std::u16string kept_;
    bool keeps_versions_ = false;
    std::vector<std::u16string> not_kept_;
    bool walked_ = false;
    std::int64_t started_ = 0;
};

#include "verify/folder_check.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "compose/backup_paths.h"
#include "copyjob/copy_command.h"
#include "util/text_helpers.h"
#include "util/wide_text.h"
#include "verify/drive_place.h"
#include "verify/versions.h"

namespace {

// 1980-01-02 00:00 UTC in the unit of last-write times: FAT, which keeps
// local time from 1980-01-01 on, can hold it in every time zone.
constexpr std::int64_t mend_time = 119600928000000000;
// A longer path than xcopy can take (the classic limit with its zero).
constexpr std::size_t xcopy_path_limit = 260;
// Windows' errors for a file that another program holds.
constexpr std::uint32_t sharing_violation = 32;
constexpr std::uint32_t lock_violation = 33;

std::uint64_t on_disk(std::uint64_t size, std::uint32_t cluster) {
    if (cluster == 0) return size;
    return (size + cluster - 1) / cluster * cluster;
}

// The bytes the tool is about to add to the drive: what it copies, less
// the copies it writes over and, where it cleans the copy, the files the
// source no longer has. Where earlier versions are kept, those stay on the
// drive (only a copy cut short is written over), and a newer version moved
// aside makes the tool copy its source as well.
std::int64_t bytes_to_write(const x_TreePairs& pairs, const x_CopyRule& rule, std::uint32_t cluster,
                            bool keeps_versions) {
    std::int64_t bytes = 0;
    for (const x_FilePair& pair : pairs.files) {
        const platform::x_WideEntry* copy = pair.has_copy ? &pair.copy : nullptr;
        const bool moved_newer = keeps_versions && copy && is_newer_version(pair.source, *copy);
        if (!moved_newer && !rule.would_copy(pair.source, copy)) continue;
        bytes += static_cast<std::int64_t>(on_disk(pair.source.size, cluster));
        if (copy && (!keeps_versions || is_cut_short(pair.source, *copy))) {
            bytes -= static_cast<std::int64_t>(on_disk(copy->size, cluster));
        }
    }
    if (rule.purges() && !keeps_versions) {
        for (const x_StaleCopy& stale : pairs.stale) {
            bytes -= static_cast<std::int64_t>(on_disk(stale.size, cluster));
        }
    }
    return bytes;
}

}  // namespace

x_FolderCheck::x_FolderCheck(x_CopyCommand& job, const std::string& drive)
    : drive_(drive),
      root_(ansi_to_utf16(drive) + u"\\"),
      backup_folder_(ansi_to_utf16(backup_folder_on(drive))),
      rule_(job),
      copy_destination_(strip_quotes(job.get_destination())) {
    const x_CopyPaths paths = copy_paths(job);
    // A path the conversion cannot carry stays empty, which names no folder.
    source_ = ansi_to_utf16(paths.from);
    copy_ = ansi_to_utf16(paths.to);
}

x_StartFindings x_FolderCheck::before_copy() {
    x_StartFindings findings;
    before_ = pair_files(source_, copy_, rule_);
    walked_ = true;
    findings.link = link_on_the_way(root_, copy_);
    if (findings.link.empty() && !before_.links_in_copy.empty()) {
        findings.link = child_path(copy_, before_.links_in_copy.front());
    }
    if (!platform::wide_files().free_space(root_, findings.free, cluster_bytes_)) return findings;
    const std::int64_t needed = bytes_to_write(before_, rule_, cluster_bytes_, keeps_versions_);
    findings.needed = needed > 0 ? static_cast<std::uint64_t>(needed) : 0;
    findings.fits = findings.needed <= findings.free;
    return findings;
}

void x_FolderCheck::keep_versions_in(const std::string& run_folder) {
    keeps_versions_ = true;
    const std::u16string destination = ansi_to_utf16(copy_destination_);
    // A copy outside the destination has no place among the versions: its
    // copies are then named as not kept rather than moved anywhere else.
    if (lies_below(destination, copy_)) {
        kept_ = ansi_to_utf16(run_folder) + copy_.substr(destination.size());
    }
}

std::vector<std::u16string> x_FolderCheck::move_aside() {
    if (!keeps_versions_ || !walked_) return {};
    x_MovedAside moved =
        ::move_aside({root_, backup_folder_, copy_, kept_}, copies_to_keep(before_, rule_));
    not_kept_ = std::move(moved.lost);
    return std::move(moved.kept);
}

void x_FolderCheck::copy_starts() { started_ = platform::wide_files().now(); }

std::string x_FolderCheck::why_short(const x_FilePair& pair, bool drive_present,
                                     std::uint64_t free_bytes) const {
    if (!drive_present) return drive_ + " went away";
    const std::u16string source = child_path(source_, pair.relative);
    const std::uint32_t error = platform::wide_files().read_open_error(source);
    if (error == sharing_violation || error == lock_violation) {
        return "held open by another program";
    }
    const std::uint64_t written = pair.has_copy ? on_disk(pair.copy.size, cluster_bytes_) : 0;
    if (on_disk(pair.source.size, cluster_bytes_) > free_bytes + written) {
        return "no room left on " + drive_;
    }
    if (rule_.is_xcopy() && (source.size() >= xcopy_path_limit ||
                             child_path(copy_, pair.relative).size() >= xcopy_path_limit)) {
        return "its path is too long for xcopy";
    }
    return "";
}

x_ShortFile x_FolderCheck::short_file(const x_FilePair& pair, bool drive_present,
                                      std::uint64_t free_bytes) const {
    x_ShortFile file{pair.relative, x_ShortKind::missing, "", false};
    if (pair.has_copy && is_newer_version(pair.source, pair.copy)) {
        file.kind = x_ShortKind::kept_newer;
        return file;
    }
    if (pair.has_copy) file.kind = x_ShortKind::differs;
    file.why = why_short(pair, drive_present, free_bytes);
    file.mend_failed = !mend(pair);
    return file;
}

// Only a copy cut short, with its source's time, is damaged: xcopy /d
// passes over it for good (a copy as new as its source, whatever its size).
// It is dated back, older than its source, and the new date is read back;
// one whose source is that old itself is removed. Nothing is changed
// through a link or off the drive. False when a needed mend failed.
bool x_FolderCheck::mend(const x_FilePair& pair) const {
    if (!pair.has_copy || !is_cut_short(pair.source, pair.copy)) return true;
    if (rule_.would_copy(pair.source, &pair.copy)) return true;
    const std::u16string copy = child_path(copy_, pair.relative);
    if (!is_plainly_on_drive(root_, backup_folder_, copy)) return false;
    auto& files = platform::wide_files();
    if (pair.source.written <= mend_time + two_seconds) return files.remove_file(copy);
    platform::x_WideEntry mended;
    return files.set_written(copy, mend_time) && files.entry_of(copy, mended) &&
           rule_.would_copy(pair.source, &mended);
}

// Each copy whose earlier content is lost, unless it is named already for
// falling short itself.
void x_FolderCheck::add_not_kept(std::vector<x_ShortFile>& short_files) const {
    for (const std::u16string& relative : not_kept_) {
        const auto named = [&](const x_ShortFile& file) { return file.relative == relative; };
        if (std::none_of(short_files.begin(), short_files.end(), named)) {
            short_files.push_back({relative, x_ShortKind::not_kept, "", false});
        }
    }
}

x_CopyFindings x_FolderCheck::confirm() {
    x_CopyFindings findings;
    const x_TreePairs pairs =
        walked_ ? pair_again(before_, source_, copy_, rule_) : pair_files(source_, copy_, rule_);
    if (!pairs.source_listed) return findings;
    findings.checkable = true;
    findings.files = pairs.files.size();
    findings.unlisted = pairs.unlisted;
    findings.too_large = pairs.too_large;
    platform::x_WideEntry root;
    const bool drive_present = platform::wide_files().entry_of(root_, root);
    std::uint64_t free_bytes = 0;
    platform::wide_files().free_space(root_, free_bytes, cluster_bytes_);

    // A file dated after the check began is not being written to; its date
    // is wrong (a camera's clock), and it is checked like any other.
    const std::int64_t checked_at = platform::wide_files().now();
    for (const x_FilePair& pair : pairs.files) {
        if (pair.has_copy && is_complete_copy(pair.source, pair.copy)) continue;
        if (walked_ && before_.find(pair.relative) == nullptr) {
            findings.added.push_back(pair.relative);
        } else if (pair.has_copy && pair.source.written > started_ &&
                   pair.source.written <= checked_at) {
            findings.changed.push_back(pair.relative);
        } else {
            findings.short_files.push_back(short_file(pair, drive_present, free_bytes));
        }
    }
    add_not_kept(findings.short_files);
    return findings;
}

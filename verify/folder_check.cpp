#include "verify/folder_check.h"

#include <vector>

#include "compose/backup_paths.h"
#include "copyjob/copy_command.h"
#include "copyjob/not_backed_up.h"
#include "trace/trace_log.h"
#include "util/strings.h"
#include "util/text_helpers.h"
#include "util/wide_text.h"
#include "verify/file_pairs.h"

namespace {

// 1980-01-01 00:00 UTC, the earliest time FAT can hold, in the unit of
// last-write times.
constexpr std::int64_t fat_epoch = 119600064000000000;
constexpr std::int64_t one_day = 864000000000;
// A longer path than xcopy can take (the classic limit with its zero).
constexpr std::size_t xcopy_path_limit = 260;
// Windows' errors for a file that another program holds.
constexpr std::uint32_t sharing_violation = 32;
constexpr std::uint32_t lock_violation = 33;

std::uint64_t on_disk(std::uint64_t size, std::uint32_t cluster) {
    if (cluster == 0) return size;
    return (size + cluster - 1) / cluster * cluster;
}

// As Explorer shows sizes: 1024 bytes a kilobyte, one decimal.
std::string size_text(std::uint64_t bytes) {
    static const char* const units[] = {"KB", "MB", "GB", "TB"};
    if (bytes < 1024) return uint64_to_text(bytes, 10) + " bytes";
    std::uint64_t tenths = bytes * 10 / 1024;
    std::size_t unit = 0;
    while (tenths >= 10240 && unit + 1 < std::size(units)) {
        tenths /= 1024;
        ++unit;
    }
    return uint64_to_text(tenths / 10, 10) + "." + uint64_to_text(tenths % 10, 10) + " " +
           units[unit];
}

// The bytes the tool is about to add to the drive: what it copies, less
// the copies it writes over and, where it cleans the copy, the files the
// source no longer has.
std::int64_t bytes_to_write(const x_TreePairs& pairs, const x_CopyRule& rule,
                            std::uint32_t cluster) {
    std::int64_t bytes = 0;
    for (const x_FilePair& pair : pairs.files) {
        if (!rule.would_copy(pair.source, pair.has_copy ? &pair.copy : nullptr)) continue;
        bytes += static_cast<std::int64_t>(on_disk(pair.source.size, cluster));
        if (pair.has_copy) bytes -= static_cast<std::int64_t>(on_disk(pair.copy.size, cluster));
    }
    if (rule.purges()) {
        for (const std::uint64_t size : pairs.extra_sizes) {
            bytes -= static_cast<std::int64_t>(on_disk(size, cluster));
        }
    }
    return bytes;
}

bool below_backup_folder(const std::u16string& path) {
    return ascii_lower(path).find(u"\\_backup_\\") != std::u16string::npos;
}

std::u16string drive_root(const std::string& drive) { return ansi_to_utf16(drive) + u"\\"; }

std::string first_detail(const std::string& relative, bool missing, const std::string& why) {
    return relative + " (" + (missing ? "missing" : "differs") + (why.empty() ? "" : ", " + why) +
           ")";
}

}  // namespace

x_FolderCheck::x_FolderCheck(x_CopyCommand& job, const std::string& drive)
    : folder_(strip_quotes(job.get_source())), drive_(drive), rule_(job) {
    const x_CopyPaths paths = copy_paths(job);
    source_ = ansi_to_utf16(paths.from);
    copy_ = ansi_to_utf16(paths.to);
    mendable_ = below_backup_folder(copy_);
}

bool x_FolderCheck::has_room() {
    std::uint64_t free_bytes = 0;
    if (!platform::wide_files().free_space(drive_root(drive_), free_bytes, cluster_bytes_)) {
        return true;
    }
    const std::int64_t needed =
        bytes_to_write(pair_files(source_, copy_, rule_), rule_, cluster_bytes_);
    if (needed <= 0 || static_cast<std::uint64_t>(needed) <= free_bytes) return true;
    report_not_backed_up(folder_, "it needs " + size_text(static_cast<std::uint64_t>(needed)) +
                                      " on " + drive_ + ", which has " + size_text(free_bytes) +
                                      " free");
    return false;
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

// xcopy /d passes over a copy as new as its source, whatever its size; so
// does robocopy /xo one that is newer. Such a copy is dated back to the
// start of FAT's calendar, older than any source it can hold; one whose
// source is older still is removed.
void x_FolderCheck::mend(const x_FilePair& pair) const {
    if (!mendable_ || !pair.has_copy || pair.copy.size == pair.source.size) return;
    if (rule_.would_copy(pair.source, &pair.copy)) return;
    const std::u16string copy = child_path(copy_, pair.relative);
    if (pair.source.written > fat_epoch + one_day) {
        platform::wide_files().set_written(copy, fat_epoch);
    } else {
        platform::wide_files().remove_file(copy);
    }
}

std::optional<std::size_t> x_FolderCheck::confirm() {
    const x_TreePairs pairs = pair_files(source_, copy_, rule_);
    if (!pairs.source_listed) {
        report_not_backed_up(folder_, "the folder cannot be read, so its copy cannot be checked");
        return std::nullopt;
    }
    platform::x_WideEntry root;
    const bool drive_present = platform::wide_files().entry_of(drive_root(drive_), root);
    std::uint64_t free_bytes = 0;
    platform::wide_files().free_space(drive_root(drive_), free_bytes, cluster_bytes_);

    // A file dated after the check began is not being written to; its date
    // is wrong (a camera's clock), and it is checked like any other.
    const std::int64_t checked_at = platform::wide_files().now();
    std::vector<const x_FilePair*> changing;
    std::string first;
    std::size_t short_files = 0;
    for (const x_FilePair& pair : pairs.files) {
        if (pair.has_copy && is_complete_copy(pair.source, pair.copy)) continue;
        if (pair.source.written > started_ && pair.source.written <= checked_at) {
            changing.push_back(&pair);
            continue;
        }
        const std::string relative = utf16_to_ansi(pair.relative);
        const std::string why = why_short(pair, drive_present, free_bytes);
        write_trace("Not backed up completely: " + folder_ + "\\" + relative + " - " +
                    (pair.has_copy ? "differs" : "missing") + (why.empty() ? "" : ", " + why));
        if (short_files++ == 0) first = first_detail(relative, !pair.has_copy, why);
        mend(pair);
    }
    for (const std::u16string& unlisted : pairs.unlisted) {
        const std::string relative = utf16_to_ansi(unlisted);
        write_trace("Not backed up completely: " + folder_ + "\\" + relative +
                    " - the folder cannot be read");
        if (short_files++ == 0) first = relative + " (a folder that cannot be read)";
    }
    if (!changing.empty()) {
        const bool one = changing.size() == 1;
        report_notice("Changed during the backup: " + folder_ + " - " +
                      uint64_to_text(changing.size(), 10) + (one ? " file was" : " files were") +
                      " written to while it was copied, the first " +
                      utf16_to_ansi(changing.front()->relative) + "; the next run copies " +
                      (one ? "it" : "them") + " again");
    }
    for (const std::u16string& relative : pairs.too_large) {
        report_notice("Left out for its size: " + folder_ + "\\" + utf16_to_ansi(relative) +
                      " - larger than a file on " + drive_ + " can be");
    }
    const std::size_t checked = pairs.files.size() + pairs.unlisted.size();
    if (short_files == 0) return pairs.files.size();
    report_not_backed_up_completely(
        folder_, uint64_to_text(short_files, 10) + " of " + uint64_to_text(checked, 10) +
                     " files are missing or differ on " + drive_ + "; the first: " + first);
    return std::nullopt;
}

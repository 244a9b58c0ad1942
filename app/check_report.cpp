#include "app/check_report.h"

#include <iterator>
#include <vector>

#include "copyjob/not_backed_up.h"
#include "trace/trace_log.h"
#include "util/strings.h"
#include "util/wide_text.h"

namespace {

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

std::string count_text(std::size_t count) { return uint64_to_text(count, 10); }

// "missing, held open by another program" and the like.
std::string what_fell_short(const x_ShortFile& file, const std::string& drive) {
    std::string text = file.kind == x_ShortKind::missing   ? "missing"
                       : file.kind == x_ShortKind::differs ? "differs"
                       : file.kind == x_ShortKind::not_kept
                           ? "its earlier copy on " + drive + " could not be kept as a version"
                           : "newer on " + drive + ", kept";
    if (!file.why.empty()) text += ", " + file.why;
    if (file.mend_failed) text += ", its copy could not be marked to be copied again";
    return text;
}

// One trace line per path, written in one go.
void trace_paths(const std::string& what, const std::vector<std::u16string>& paths) {
    std::vector<std::string> lines;
    lines.reserve(paths.size());
    for (const std::u16string& path : paths) lines.push_back(what + utf16_to_ansi(path));
    write_trace_lines(lines);
}

// The trace log's line for one file or folder of a copy that falls short.
void trace_short(const std::string& folder, const std::string& relative, const std::string& what) {
    std::string line = "Not backed up completely: ";
    line.append(folder).append("\\").append(relative).append(" - ").append(what);
    write_trace(line);
}

std::string first_of(const std::string& relative, const std::string& what) {
    return std::string(relative).append(" (").append(what).append(")");
}

void report_during(const std::string& heading, const std::string& folder,
                   const std::vector<std::u16string>& files, const std::string& what) {
    if (files.empty()) return;
    const bool one = files.size() == 1;
    report_notice(heading + folder + " - " + count_text(files.size()) +
                  (one ? " file was " : " files were ") + what + ", the first " +
                  utf16_to_ansi(files.front()) + "; the next run copies " + (one ? "it" : "them") +
                  " again");
}

// Not a shortfall: the drive's file system cannot hold the file at all.
void report_too_large(const std::string& folder, const std::u16string& relative,
                      const std::string& drive) {
    std::string line = "Left out for its size: ";
    line.append(folder).append("\\").append(utf16_to_ansi(relative));
    line.append(" - larger than a file on ").append(drive).append(" can be");
    report_notice(line);
}

}  // namespace

bool report_start(const std::string& folder, const std::string& drive,
                  const x_StartFindings& findings) {
    if (!findings.link.empty()) {
        report_not_backed_up(folder, "its copy would go through " + utf16_to_ansi(findings.link) +
                                         ", a link on " + drive + " that may lead off the drive");
        return false;
    }
    if (!findings.fits) {
        report_not_backed_up(folder, "it needs " + size_text(findings.needed) + " on " + drive +
                                         ", which has " + size_text(findings.free) + " free");
        return false;
    }
    return true;
}

bool report_copy(const std::string& folder, const std::string& drive,
                 const x_CopyFindings& findings) {
    if (!findings.checkable) {
        report_not_backed_up(folder, "the folder cannot be read, so its copy cannot be checked");
        return false;
    }
    std::string first;
    for (const x_ShortFile& file : findings.short_files) {
        const std::string relative = utf16_to_ansi(file.relative);
        const std::string what = what_fell_short(file, drive);
        trace_short(folder, relative, what);
        if (first.empty()) first = first_of(relative, what);
    }
    for (const std::u16string& unlisted : findings.unlisted) {
        const std::string relative = utf16_to_ansi(unlisted);
        trace_short(folder, relative, "the folder cannot be read");
        if (first.empty()) first = first_of(relative, "a folder that cannot be read");
    }
    report_during("Changed during the backup: ", folder, findings.changed,
                  "written to while it was copied");
    report_during("New during the backup: ", folder, findings.added,
                  "saved or moved in while the folder was copied");
    for (const std::u16string& relative : findings.too_large) {
        report_too_large(folder, relative, drive);
    }
    if (findings.complete()) return true;
    const std::size_t short_count = findings.short_files.size() + findings.unlisted.size();
    report_not_backed_up_completely(
        folder, count_text(short_count) + " of " +
                    count_text(findings.files + findings.unlisted.size()) +
                    " files are missing or differ on " + drive + "; the first: " + first);
    return false;
}

void report_removed_versions(const std::string& drive, const x_RemovedVersions& removed) {
    if (removed.oldest_run.empty()) return;
    trace_paths("Earlier version removed for room: ", removed.paths);
    std::string runs = "the run " + utf16_to_ansi(removed.oldest_run);
    if (removed.newest_run != removed.oldest_run)
        runs = "the runs " + utf16_to_ansi(removed.oldest_run) + " to " +
               utf16_to_ansi(removed.newest_run);
    const char* const versions = removed.files == 1 ? " earlier version (" : " earlier versions (";
    report_notice("Removed " + count_text(removed.files) + versions + size_text(removed.bytes) +
                  ", of " + runs + ") to make room on " + drive);
}

void report_kept_versions(const std::vector<std::u16string>& paths) {
    trace_paths("Earlier version kept: ", paths);
}

#include "app/folder_job.h"

#include <cstdint>
#include <optional>

#include "app/check_report.h"
#include "compose/backup_paths.h"
#include "copyjob/copy_command.h"
#include "platform/drives.h"
#include "trace/trace_log.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_helpers.h"
#include "util/wide_text.h"
#include "verify/folder_check.h"

namespace {

// FAT and FAT32 hold no file of 4 GiB or more: such files are left out
// (and named by the check) rather than fail the copy. exFAT and NTFS hold
// them, so there the limit would only lose a user's largest videos.
constexpr std::uint64_t largest_file = std::uint64_t{1} << 32;
constexpr std::int32_t show_maximized = 3;

// A drive that does not say stays limited: a stick that cannot be asked
// is most likely FAT32.
bool cannot_hold_large_files(const std::string& drive_root) {
    const std::string name =
        platform::drives().file_system_name(add_trailing_separator(drive_root));
    return name.empty() || equals_ignore_case(name, "FAT32") || equals_ignore_case(name, "FAT");
}

// The oldest versions give way before a folder is refused for room.
void make_room(const std::string& drive_root, const std::string& versions_folder,
               x_StartFindings& start) {
    if (start.fits || !start.link.empty() || versions_folder.empty()) return;
    const x_RemovedVersions removed = remove_oldest_versions(
        ansi_to_utf16(drive_root) + u"\\", ansi_to_utf16(backup_folder_on(drive_root)),
        ansi_to_utf16(versions_folder), start.needed);
    report_removed_versions(drive_root, removed);
    if (removed.oldest_run.empty()) return;
    start.free = removed.free;
    start.fits = start.needed <= start.free;
}

// robocopy sets 8 when files failed and 16 on a fatal error; xcopy answers
// 4 when it could not start and 5 on a write error. A code beyond robocopy's
// five bits is not its own: the interpreter's, from a kept script that
// ends with its wait.
constexpr int robocopy_codes = 32;

bool says_it_failed(x_CopyCommand& tool, int code) {
    if (tool.is_robocopy()) return code > 0 && code < robocopy_codes && (code & (8 | 16)) != 0;
    return code == 4 || code == 5;
}

// The tool's word goes to the trace log; where it says the copy failed and
// the check finds it whole, the check is what the outcome rests on.
void trace_exit_code(x_CopyCommand& tool, const std::string& folder, const std::optional<int>& code,
                     const x_CopyFindings& findings) {
    if (!code) return;
    const std::string said = tool.get_tool() + " exit code " + std::to_string(*code);
    write_trace(said + ": " + folder);
    if (findings.complete() && says_it_failed(tool, *code)) {
        write_trace(said + " says the copy failed, but the check finds nothing missing of " +
                    folder + "; the check is trusted");
    }
}

}  // namespace

x_FolderOutcome run_folder_job(const std::string& drive_root, const std::string& backup_root,
                               const std::string& folder_path, const std::string& versions_folder) {
    x_CopyCommand job;
    // Every folder names the same destination; the copy line puts each one
    // below it under its whole source path, so they never meet.
    job.set_destination(backup_root);
    job.set_source(folder_path);
    if (cannot_hold_large_files(drive_root)) {
        job.set_max_size(largest_file);
        job.set_use_max_size(true);
    }
    // The check asks the tool that execute will choose; the job itself keeps
    // no tool, so that its script keeps its name.
    x_CopyCommand chosen(job);
    chosen.choose_tool();
    x_FolderCheck check(chosen, drive_root);
    if (!versions_folder.empty()) check.keep_versions_in(versions_folder);
    const std::string folder = strip_quotes(folder_path);
    x_StartFindings start = check.before_copy();
    make_room(drive_root, versions_folder, start);
    if (!report_start(folder, drive_root, start)) return {};
    report_kept_versions(check.move_aside());
    check.copy_starts();
    // False when execute reported the folder: never handed to the copy tool.
    if (!job.execute(show_maximized, true)) return {};
    const x_CopyFindings findings = check.confirm();
    trace_exit_code(chosen, folder, job.exit_code, findings);
    if (!report_copy(folder, drive_root, findings)) return {};
    return {true, findings.files};
}

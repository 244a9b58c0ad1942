#include "app/folder_job.h"

#include <cstdint>

#include "app/check_report.h"
#include "compose/backup_paths.h"
#include "copyjob/copy_command.h"
#include "util/text_helpers.h"
#include "verify/folder_check.h"

namespace {

// Larger files are left out rather than stall the run on a small stick.
constexpr std::uint64_t largest_file = std::uint64_t{1} << 32;
constexpr std::int32_t show_maximized = 3;

}  // namespace

x_FolderOutcome run_folder_job(const std::string& drive_root, const std::string& backup_root,
                               const std::string& folder_path) {
    x_CopyCommand job;
    // Every folder names the same destination; the copy line puts each one
    // below it under its whole source path, so they never meet.
    job.set_destination(backup_root);
    job.set_source(folder_path);
    job.set_max_size(largest_file);
    job.set_use_max_size(true);
    // The check asks the tool that execute will choose; the job itself keeps
    // no tool, so that its script keeps its name.
    x_CopyCommand chosen(job);
    chosen.choose_tool();
    x_FolderCheck check(chosen, drive_root);
    const std::string folder = strip_quotes(folder_path);
    if (!report_start(folder, drive_root, check.before_copy())) return {};
    check.copy_starts();
    // False when execute reported the folder: never handed to the copy tool.
    if (!job.execute(show_maximized, true)) return {};
    const x_CopyFindings findings = check.confirm();
    if (!report_copy(folder, drive_root, findings)) return {};
    return {true, findings.files};
}

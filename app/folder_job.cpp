#include "app/folder_job.h"

#include <cstdint>

#include "copyjob/copy_command.h"
#include "util/paths.h"

namespace {

// Larger files are left out rather than stall the run on a small stick.
constexpr std::uint64_t largest_file = std::uint64_t{1} << 32;
constexpr std::int32_t show_maximized = 3;

}  // namespace

void run_folder_job(const std::string& drive_root, const std::string& folder_path) {
    x_CopyCommand job;
    // Every folder names the same destination; the copy line puts each one
    // below it under its whole source path, so they never meet.
    job.set_destination(add_trailing_separator(drive_root) + "_Backup_");
    job.set_source(folder_path);
    job.set_max_size(largest_file);
    job.set_use_max_size(true);
    job.execute(show_maximized, true);
}

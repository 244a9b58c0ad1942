#include "trace/purge_old_files.h"

#include <cstdint>

#include "fileops/file_attributes.h"
#include "fileops/listing.h"
#include "fileops/unchanged_deletions.h"
#include "platform/codepage.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/process.h"
#include "util/paths.h"

namespace {

// Carried out when the process exits. A file that was written to after it
// was queued, by this run when it crossed into that file's hour or by
// another process, keeps its entries.
x_UnchangedDeletions& deletions_at_exit() {
    // The services the deletions use at exit must outlive this list; statics
    // are destroyed in the reverse order of their creation.
    platform::files();
    platform::code_page();
    platform::process();
    platform::console();
    static x_UnchangedDeletions deletions;
    return deletions;
}

bool is_expired(const std::string& path, std::int64_t now, std::int64_t max_age) {
    // Attributes that cannot be read count as read-only: such a file stays.
    if (x_FileAttributes(path).has_any(platform::attribute_read_only) != 0) return false;
    return now - x_FileStatus(path).modify_time() >= max_age;
}

}  // namespace

bool purge_old_files(const std::string& path_template, int days) {
    const std::string folder = dir_part(path_template);
    // The listing of a path that is no folder is that of its parent, which
    // holds no log files.
    if (!folder_exists(folder)) return true;
    const std::int64_t now = platform::process().now();
    const std::string pattern = base_name(path_template) + "*." + file_extension(path_template);
    const x_StringList candidates = list_matching(folder, pattern);
    x_UnchangedDeletions& deletions = deletions_at_exit();
    const std::int64_t max_age = std::int64_t{days} * 86400;
    bool none_queued = true;
    for (const std::string& path : candidates) {
        // Stamped before its age is judged, so that a write at any later
        // moment keeps the file.
        platform::x_FileStamp stamp;
        if (!platform::files().file_stamp(path, stamp)) continue;
        if (!is_expired(path, now, max_age)) continue;
        deletions.queue(path, stamp);
        none_queued = false;
    }
    return none_queued;
}

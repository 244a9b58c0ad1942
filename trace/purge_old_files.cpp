#include "trace/purge_old_files.h"

#include <cstdint>

#include "fileops/deferred_ops.h"
#include "fileops/file_attributes.h"
#include "fileops/listing.h"
#include "platform/codepage.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/process.h"
#include "util/paths.h"
#include "util/strings.h"

namespace {

// Carried out when the process exits, so that a log file is never removed
// under a writer of this run.
x_DeferredFileOps& deletions_at_exit() {
    // The services the deletions use at exit must outlive this list; statics
    // are destroyed in the reverse order of their creation.
    platform::files();
    platform::code_page();
    platform::process();
    platform::console();
    static x_DeferredFileOps deletions;
    return deletions;
}

bool is_expired(const std::string& path, std::int64_t now, std::int64_t max_age) {
    // Attributes that cannot be read count as read-only: such a file stays.
    if (x_FileAttributes(path).has_any(platform::attribute_read_only) != 0) return false;
    return now - x_FileStatus(path).modify_time() >= max_age;
}

}  // namespace

bool purge_old_files(const std::string& path_template, int days) {
    return purge_old_files_except(path_template, days, std::string());
}

bool purge_old_files_except(const std::string& path_template, int days,
                            const std::string& kept_name) {
    const std::int64_t now = platform::process().now();
    const std::string pattern = base_name(path_template) + "*." + file_extension(path_template);
    const x_StringList candidates = list_matching(dir_part(path_template), pattern);
    x_DeferredFileOps& deletions = deletions_at_exit();
    const std::int64_t max_age = std::int64_t{days} * 86400;
    bool none_queued = true;
    for (const std::string& path : candidates) {
        if (!kept_name.empty() && equals_ignore_case(file_name(path), kept_name)) continue;
        if (!is_expired(path, now, max_age)) continue;
        deletions.queue_delete_string(path);
        none_queued = false;
    }
    return none_queued;
}

#include "fileops/unchanged_deletions.h"

x_UnchangedDeletions::~x_UnchangedDeletions() { run(); }

void x_UnchangedDeletions::queue(const std::string& path, const platform::x_FileStamp& stamp) {
    queued_.push_back({path, stamp});
}

void x_UnchangedDeletions::run() {
    for (const x_Queued& entry : queued_) {
        platform::files().remove_unchanged_file(entry.path, entry.stamp);
    }
    queued_.clear();
}

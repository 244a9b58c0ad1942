#include "compose/backup_paths.h"

#include "platform/drives.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_helpers.h"

namespace {

const char* const shared_backup_folder = "_Backup_";

// The last folder of a destination, whether or not it ends in a separator.
std::string last_folder(const std::string& destination) {
    return file_name(strip_trailing_separator(destination));
}

// The source as a relative path: drive colons, network slashes and percent
// signs become separators, and runs of separators collapse later. The
// separator passes never split a double-byte character, so a name whose
// last character ends in the byte of a backslash arrives whole.
std::string source_below_destination(const std::string& source) {
    const std::string normalized = normalize_separators(strip_quotes(source), '\\');
    return join(tokenize(normalized, false, "/:%"), '\\');
}

}  // namespace

std::string to_unc_path(const std::string& path) {
    if (path.size() < 2 || path[1] != ':') return path;
    const std::string drive = path.substr(0, 2);
    if (platform::drives().drive_type(drive) != platform::drive_remote) return path;
    std::string remote_name;
    platform::drives().network_connection(drive, remote_name);
    return remote_name.empty() ? path : remote_name + path.substr(2);
}

std::string backup_destination(const std::string& source, const std::string& destination) {
    std::string folder = strip_quotes(destination);
    if (!equals_ignore_case(last_folder(folder), shared_backup_folder)) return folder;
    return normalize_separators(
        add_trailing_separator(folder, '\\') + source_below_destination(source), '\\');
}

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

// Windows does not keep a blank or a dot at the end of a folder name, so a
// piece that a percent sign cut ("X % Y" gives "X " and " Y") would name
// another folder or none. A percent sign itself never reaches the part below
// the backup folder, so one put back at such an end cannot make the name of
// any other source's copy. Names that end as the source's own do are left
// alone: the source is read under the same rule.
std::string keepable_piece(const std::string& piece) {
    const char last = piece.empty() ? '\0' : piece.back();
    return last == ' ' || last == '.' ? piece + "%" : piece;
}

// A percent sign is never the second byte of a double-byte character.
std::string cut_at_percent_signs(const std::string& path) {
    std::string cut;
    std::size_t start = 0;
    for (std::size_t at = path.find('%'); at != npos; at = path.find('%', start)) {
        cut += keepable_piece(path.substr(start, at - start)) + '\\';
        start = at + 1;
    }
    return cut + path.substr(start);
}

// The source as a relative path: drive colons, network slashes and percent
// signs become separators, and runs of separators collapse later. The
// separator passes never split a double-byte character, so a name whose
// last character ends in the byte of a backslash arrives whole.
std::string source_below_destination(const std::string& source) {
    const std::string normalized = normalize_separators(strip_quotes(source), '\\');
    return cut_at_percent_signs(join(tokenize(normalized, false, "/:"), '\\'));
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

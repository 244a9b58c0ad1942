#include "compose/backup_paths.h"

#include "platform/drives.h"
#include "util/path_split.h"
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

// "." and ".." would climb instead of naming a folder: C:\x\..\.. would
// land on E:\_Backup_ itself, where robocopy's /purge removes every other
// copy. Kept as names, with the percent sign that marks them as such.
std::string named_piece(const std::string& piece) {
    return piece == "." || piece == ".." ? piece + "%" : piece;
}

// One folder of the source, cut at its percent signs. A percent sign is
// never the second byte of a double-byte character.
void add_pieces(const std::string& folder, x_StringList& pieces) {
    const x_StringList cut = split_literally(folder, "%");
    for (std::size_t i = 0; i < cut.size(); ++i) {
        const std::string piece = i + 1 < cut.size() ? keepable_piece(cut[i]) : cut[i];
        if (!piece.empty()) pieces.push_back(named_piece(piece));
    }
}

// The source as a relative path: drive colons, network slashes and percent
// signs become separators, and runs of separators collapse. Quotes are
// letters here: a folder named 'Tis is split like any other. The split
// never cuts a double-byte character, so a name whose last character ends
// in the byte of a backslash arrives whole. A source of nothing but
// separators and percent signs ("\" is the current drive's root) would be
// copied onto the backup folder itself; it gets a folder "%" of its own.
std::string source_below_destination(const std::string& source) {
    x_StringList pieces;
    for (const std::string& folder : split_literally(strip_quotes(source), "\\/:")) {
        add_pieces(folder, pieces);
    }
    return pieces.empty() ? std::string("%") : join(pieces, '\\');
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
    const std::string base = strip_trailing_separator(normalize_separators(folder, '\\'));
    return base + '\\' + source_below_destination(source);
}

std::string backup_folder_on(const std::string& drive_root) {
    return add_trailing_separator(drive_root, '\\') + shared_backup_folder;
}

#include "place/backup_place.h"

#include <cstdint>
#include <optional>

#include "compose/backup_paths.h"
#include "platform/computer.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_file.h"

namespace {

constexpr char identity_key[] = "Identity: ";
constexpr char name_key[] = "Computer: ";
// An owner record is a few short lines; anything larger is no record of
// ours and is not read into memory.
constexpr std::int64_t largest_record = 4096;

std::string record_path(const std::string& root) {
    return add_trailing_separator(root) + owner_record_name;
}

// The text after the key on its line, or nothing when no line starts so.
// Lines may end in CR LF or in LF alone, as an editor may have left them.
std::optional<std::string> value_of(const std::string& text, const std::string& key) {
    for (const std::string& line : tokenize(text, false, "\r\n")) {
        if (line.rfind(key, 0) == 0) return line.substr(key.size());
    }
    return std::nullopt;
}

// Who the record in a backup root names: nothing when the root has no
// record, a computer without id when the record cannot be read as one. An
// unreadable record is never taken for this computer's.
std::optional<x_ComputerIdentity> recorded_owner(const std::string& root) {
    const std::string path = record_path(root);
    if (!path_exists(path)) return std::nullopt;
    x_ComputerIdentity owner;
    if (x_FileStatus(path).size() > largest_record) return owner;
    const x_ByteList bytes = read_file_bytes(path);
    const std::string text(bytes.begin(), bytes.end());
    owner.id = value_of(text, identity_key).value_or("");
    owner.name = value_of(text, name_key).value_or("");
    return owner;
}

bool record_owner(const std::string& root, const x_ComputerIdentity& owner) {
    const std::string text =
        "This backup belongs to the computer below. The backups of other computers go to "
        "folders of their own beside this file.\r\n" +
        std::string(identity_key) + owner.id + "\r\n" + name_key + owner.name + "\r\n";
    // Never half a record: an empty or cut one would stand for another
    // computer's on the next run.
    return create_folders(root) && replace_text_file(record_path(root), text);
}

// A folder name holds none of the characters Windows refuses in names.
std::string folder_safe(const std::string& text) {
    std::string safe = text;
    for (char& letter : safe) {
        if (find_char("\\/:*?\"<>|", letter) != npos || static_cast<unsigned char>(letter) < 0x20) {
            letter = '_';
        }
    }
    return safe;
}

std::string shown_name(const x_ComputerIdentity& computer) {
    return computer.name.empty() ? std::string("another computer") : "computer " + computer.name;
}

std::string claim_notice(const std::string& root) {
    return "This drive's backup owner could not be recorded in " + record_path(root) +
           ": another computer may take its place";
}

}  // namespace

x_ComputerIdentity this_computer() {
    x_ComputerIdentity computer{platform::computer().machine_guid(),
                                platform::computer().computer_name()};
    // A folder name must not end in a blank, which Windows would drop.
    if (computer.id.empty()) computer.id = "named " + (computer.name.empty() ? "?" : computer.name);
    return computer;
}

x_BackupPlace backup_place(const std::string& drive) {
    const std::string shared = backup_folder_on(drive);
    const x_ComputerIdentity self = this_computer();
    const std::optional<x_ComputerIdentity> owner = recorded_owner(shared);
    if (!owner) return {shared, record_owner(shared, self) ? "" : claim_notice(shared)};
    if (owner->id == self.id) return {shared, ""};
    // The copy line puts a source below a folder named like the shared one.
    const std::string own = backup_folder_on(add_trailing_separator(shared) +
                                             other_computer_prefix + folder_safe(self.id));
    if (!recorded_owner(own) && !record_owner(own, self)) return {own, claim_notice(own)};
    return {own, "The backup in " + shared + " belongs to " + shown_name(*owner) +
                     "; this computer's backup goes to " + own};
}

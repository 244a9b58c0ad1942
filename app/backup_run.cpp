#include "app/backup_run.h"

#include <cstdint>

#include "app/folder_job.h"
#include "copyjob/not_backed_up.h"
#include "copyjob/version_probe.h"
#include "platform/console.h"
#include "platform/drives.h"
#include "shell/shell_folders.h"
#include "util/strings.h"

namespace {

// The user's folders first, then the all-users ones, the desktop last.
constexpr int folder_list[] = {
    csidl_personal,          csidl_my_pictures,
    csidl_my_music,          csidl_my_video,
    csidl_desktop_directory, csidl_common_documents,
    csidl_common_pictures,   csidl_common_music,
    csidl_common_video,      csidl_common_desktop_directory,
    csidl_desktop,
};

constexpr int drive_count = 26;

void write_line(const std::string& text) {
    platform::console().write_out(text + "\n");
    platform::console().flush_out();
}

std::string identifier_text(int csidl) {
    // Widened with its sign, so that a negative value shows as such rather
    // than as an unrelated small number.
    const auto widened = static_cast<std::uint64_t>(static_cast<std::int64_t>(csidl));
    return uint64_to_padded_text(widened, 16, 8);
}

// An empty path would make the job copy its default source, the program's
// own scratch folder, to the stick. A question mark is what the system
// put for a character of the name that the program's code page lacks; no
// file name holds one, and to the copy tools it is a wildcard.
bool can_be_handed_over(int csidl, const std::string& path) {
    if (path.empty()) {
        report_not_backed_up("folder " + identifier_text(csidl), "Windows gives no path for it");
        return false;
    }
    if (find_char(path, '?') != npos) {
        report_not_backed_up(path,
                             "its name holds a character that this program's code page "
                             "cannot hold, shown as a question mark");
        return false;
    }
    return true;
}

}  // namespace

int find_removable_drive() {
    for (int index = 0; index < drive_count; ++index) {
        const std::string root = std::string(1, static_cast<char>('A' + index)) + ":/";
        if (platform::drives().drive_type(root) == platform::drive_removable) return index;
    }
    return -1;
}

bool backup_folder(int csidl) {
    // Searched again for every folder: a stick pulled during the run must
    // not receive the remaining folders, another one plugged in may.
    const int drive = find_removable_drive();
    if (drive < 0) return false;
    const std::string folder = get_special_folder(csidl);
    write_line(identifier_text(csidl) + "\t" + folder);
    if (can_be_handed_over(csidl, folder)) {
        run_folder_job(std::string(1, static_cast<char>('A' + drive)) + ":", folder);
    }
    return true;
}

bool run_backup(const std::string& heading) {
    write_line(heading);
    if (find_removable_drive() < 0) return false;
    const x_HeldWindowsVersion one_version_per_run;
    for (const int csidl : folder_list) backup_folder(csidl);
    return true;
}

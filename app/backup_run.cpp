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

std::string folder_shown(int csidl, const std::string& path) {
    return path.empty() ? "folder " + identifier_text(csidl) : path;
}

// What the run found so far: the folders it meant to back up, those that
// fall short, and the files checked on the drive.
struct x_RunTally {
    std::size_t folders = 0;
    std::size_t short_folders = 0;
    std::size_t files = 0;
};

// A question mark is what the system put for a character of the name that
// the program's code page lacks; no file name holds one, and to the copy
// tools it is a wildcard.
x_FolderOutcome back_up(const std::string& drive_root, const std::string& path) {
    if (find_char(path, '?') != npos) {
        report_not_backed_up(path,
                             "its name holds a character that this program's code page "
                             "cannot hold, shown as a question mark");
        return {};
    }
    return run_folder_job(drive_root, path);
}

// A folder the system has no path for has nothing to copy: it is named, but
// no backup falls short for it. An empty path would make the job copy its
// default source, the program's own scratch folder, to the stick.
bool back_up_folder(int csidl, x_RunTally& tally) {
    const int drive = find_removable_drive();
    const std::string folder = get_special_folder(csidl);
    if (drive < 0) {
        ++tally.folders;
        ++tally.short_folders;
        report_not_backed_up(folder_shown(csidl, folder),
                             "the removable drive went away during the run");
        return false;
    }
    write_line(identifier_text(csidl) + "\t" + folder);
    if (folder.empty()) {
        report_not_backed_up(folder_shown(csidl, folder), "Windows gives no path for it");
        return true;
    }
    const x_FolderOutcome outcome =
        back_up(std::string(1, static_cast<char>('A' + drive)) + ":", folder);
    ++tally.folders;
    if (!outcome.complete) ++tally.short_folders;
    tally.files += outcome.files;
    return true;
}

// The one line that sums the run up, before the program waits.
void report_verdict(const x_RunTally& tally, const std::string& drive) {
    if (tally.short_folders == 0) {
        report_notice("Backed up completely: " + uint64_to_text(tally.folders, 10) + " folders, " +
                      uint64_to_text(tally.files, 10) + (tally.files == 1 ? " file" : " files") +
                      " checked on " + drive);
        return;
    }
    report_notice("Not backed up completely: " + uint64_to_text(tally.short_folders, 10) + " of " +
                  uint64_to_text(tally.folders, 10) + " folders fall short, each named above");
}

}  // namespace

int find_removable_drive() {
    for (int index = 0; index < drive_count; ++index) {
        const std::string root = std::string(1, static_cast<char>('A' + index)) + ":/";
        if (platform::drives().drive_type(root) == platform::drive_removable) return index;
    }
    return -1;
}

// Searched again for every folder: a stick pulled during the run must not
// receive the remaining folders, another one plugged in may.
bool backup_folder(int csidl) {
    x_RunTally tally;
    return back_up_folder(csidl, tally);
}

bool run_backup(const std::string& heading) {
    write_line(heading);
    const int drive = find_removable_drive();
    if (drive < 0) {
        report_notice(
            "Nothing was backed up: no removable drive was found (plug in a USB "
            "drive and run the program again)");
        return false;
    }
    const x_HeldWindowsVersion one_version_per_run;
    x_RunTally tally;
    for (const int csidl : folder_list) back_up_folder(csidl, tally);
    report_verdict(tally, std::string(1, static_cast<char>('A' + drive)) + ":");
    return tally.short_folders == 0;
}

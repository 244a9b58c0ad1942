#include "app/backup_run.h"

#include <cstdint>

#include "app/folder_job.h"
#include "copyjob/not_backed_up.h"
#include "copyjob/version_probe.h"
#include "platform/console.h"
#include "place/backup_place.h"
#include "place/run_record.h"
#include "place/versions_place.h"
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

std::string drive_name(int index) { return std::string(1, static_cast<char>('A' + index)) + ":"; }

// The first removable drive that holds a medium, and the removable drives
// before it that hold none: a card reader's empty slots come before the
// stick on many computers.
struct x_DriveSearch {
    int index = -1;
    x_StringList empty_slots;
};

x_DriveSearch search_drives() {
    x_DriveSearch search;
    for (int index = 0; index < drive_count; ++index) {
        const std::string drive = drive_name(index);
        if (platform::drives().drive_type(drive + "/") != platform::drive_removable) continue;
        if (platform::drives().holds_medium(drive + "\\")) {
            search.index = index;
            return search;
        }
        search.empty_slots.push_back(drive);
    }
    return search;
}

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
// fall short, and the files checked on the drive; and the drive it last
// backed up to, with this computer's place there.
struct x_RunTally {
    std::size_t folders = 0;
    std::size_t short_folders = 0;
    std::size_t files = 0;
    std::string drive;
    std::string backup_root;
    std::string versions;
};

// Worked out, and said, once for each drive the run backs up to.
void find_place(const std::string& drive, x_RunTally& tally) {
    if (tally.drive == drive) return;
    const x_BackupPlace place = backup_place(drive);
    tally.drive = drive;
    tally.backup_root = place.root;
    tally.versions = versions_folder_for_run(place.root);
    if (!place.notice.empty()) report_notice(place.notice);
}

// A question mark is what the system put for a character of the name that
// the program's code page lacks; no file name holds one, and to the copy
// tools it is a wildcard.
x_FolderOutcome back_up(const x_RunTally& tally, const std::string& path) {
    if (find_char(path, '?') != npos) {
        report_not_backed_up(path,
                             "its name holds a character that this program's code page "
                             "cannot hold, shown as a question mark");
        return {};
    }
    return run_folder_job(tally.drive, tally.backup_root, path, tally.versions);
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
    find_place(drive_name(drive), tally);
    write_line(identifier_text(csidl) + "\t" + folder);
    if (folder.empty()) {
        report_not_backed_up(folder_shown(csidl, folder), "Windows gives no path for it");
        return true;
    }
    const x_FolderOutcome outcome = back_up(tally, folder);
    ++tally.folders;
    if (!outcome.complete) ++tally.short_folders;
    tally.files += outcome.files;
    return true;
}

// The one line that sums the run up, before the program waits.
std::string verdict(const x_RunTally& tally, const std::string& drive) {
    if (tally.short_folders == 0) {
        return "Backed up completely: " + uint64_to_text(tally.folders, 10) + " folders, " +
               uint64_to_text(tally.files, 10) + (tally.files == 1 ? " file" : " files") +
               " checked on " + drive;
    }
    return "Not backed up completely: " + uint64_to_text(tally.short_folders, 10) + " of " +
           uint64_to_text(tally.folders, 10) + " folders fall short, each named above";
}

// The verdict goes to the drive, the last thing written there, and then to
// standard error as the last line before the prompt.
void report_verdict(const x_RunTally& tally, const std::string& drive) {
    const std::string line = verdict(tally, drive);
    const x_RunSummary summary{line, tally.folders, tally.short_folders, tally.files};
    if (!tally.backup_root.empty() && !write_run_record(tally.backup_root, summary)) {
        report_notice("The record of this run could not be written to " +
                      run_record_path(tally.backup_root));
    }
    report_notice(line);
}

// Names the empty slots passed over, so that a card reader is not taken
// for the missing stick.
std::string no_drive_line(const x_StringList& empty_slots) {
    std::string line =
        "Nothing was backed up: no removable drive was found (plug in a USB drive and run the "
        "program again)";
    if (!empty_slots.empty())
        line += "; passed over, holding no medium: " + join(empty_slots, ", ");
    return line;
}

}  // namespace

int find_removable_drive() { return search_drives().index; }

// Searched again for every folder: a stick pulled during the run must not
// receive the remaining folders, another one plugged in may.
bool backup_folder(int csidl) {
    x_RunTally tally;
    return back_up_folder(csidl, tally);
}

bool run_backup(const std::string& heading) {
    write_line(heading);
    const x_DriveSearch search = search_drives();
    if (search.index < 0) {
        report_notice(no_drive_line(search.empty_slots));
        return false;
    }
    const x_HeldWindowsVersion one_version_per_run;
    x_RunTally tally;
    for (const int csidl : folder_list) back_up_folder(csidl, tally);
    report_verdict(tally, drive_name(search.index));
    return tally.short_folders == 0;
}

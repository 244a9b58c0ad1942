#include "app/folder_job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/job_surroundings.h"

namespace {

using testing_support::x_JobSurroundings;
using testing_support::x_TempTree;

// Every hour file of the trace log below that temporary folder, in one.
std::string trace_text(const std::string& temp_root) {
    const std::string folder = temp_root + "\\v_Urivu.tmp\\_trace_\\QX\\";
    std::vector<platform::x_FindEntry> entries;
    platform::files().find_entries(folder + "*.txt", entries);
    std::string text;
    for (const platform::x_FindEntry& entry : entries) {
        text += x_TempTree::content(folder + entry.name);
    }
    return text;
}

// The whole script of one folder's job on a system that copies with
// robocopy: the folder lands below E:\_Backup_ under its whole path, files
// over 4 GiB stay behind, and the interpreter runs the script and is
// waited for. The name is asked for before a tool is chosen.
TEST(FolderJob, DocumentsGoBelowTheBackupFolderOfTheDrive) {
    x_JobSurroundings job("6.1.7601.17567");
    testing_app::x_FakeDrives fat32;
    const platform::x_Substitute<platform::x_DriveService> drives(fat32);
    run_folder_job("E:", "E:\\_Backup_", "C:\\Users\\ann\\Documents", "");

    const std::string script =
        x_JobSurroundings::script_path("___C__Users_ann_Documents_E___Backup__.bat");
    EXPECT_EQ(job.process.commands, std::vector<std::string>{script});
    EXPECT_TRUE(job.shell.launches.empty());
    EXPECT_EQ(x_TempTree::content(script),
              "rem\trobocopy\tC:\\Users\\ann\\Documents\r\n"
              "rem\t\t\t\r\n"
              "rem\r\n"
              "cd /d %Temp%\r\n"
              "robocopy \"C:\\Users\\ann\\Documents\" \"E:\\_Backup_\\C\\Users\\ann\\Documents\""
              " /s /purge /fft /r:3 /w:5 /xo /xjd /max:4294967296 /xf  mfc*.tmp  Thumbs.db  \r\n"
              "@set shellbackup_status=%errorlevel%\r\n"
              "timeout /t 10\r\n"
              "@exit /b %shellbackup_status%\r\n");
}

// Only a drive that cannot hold a file of 4 GiB keeps robocopy from such
// files; a stick that does not say is taken for FAT32.
TEST(FolderJob, SizeLimitOnlyWhereTheFileSystemNeedsIt) {
    const struct {
        const char* file_system;
        bool limited;
    } drives[] = {{"FAT32", true}, {"fat", true}, {"", true}, {"exFAT", false}, {"NTFS", false}};
    for (const auto& drive : drives) {
        x_JobSurroundings job("10.0.19041.1");
        testing_app::x_FakeDrives fake;
        fake.file_system = drive.file_system;
        const platform::x_Substitute<platform::x_DriveService> guard(fake);
        run_folder_job("E:", "E:\\_Backup_", "C:\\Users\\ann\\Videos", "");
        const std::string script = x_TempTree::content(
            x_JobSurroundings::script_path("___C__Users_ann_Videos_E___Backup__.bat"));
        EXPECT_EQ(script.find(" /max:4294967296 ") != std::string::npos, drive.limited)
            << drive.file_system << ": " << script;
    }
}

// Each folder's tool status goes to the trace log. Where it says the copy
// failed (robocopy's bits 8 and 16, xcopy's 4 and 5) and the check finds
// the copy whole, the trace says the check is trusted; the console says
// nothing of it and the folder counts as backed up. 9009 is no robocopy
// code but the interpreter's, where a kept script ends with a wait it lacks.
TEST(FolderJob, ToolStatusInTheTraceLog) {
    const struct {
        const char* windows_version;
        int status;
        bool trusted;
    } rows[] = {{"10.0.19041.1", 16, true}, {"10.0.19041.1", 8 | 1, true},
                {"10.0.19041.1", 3, false}, {"10.0.19041.1", 9009, false},
                {"5.1.2600.0", 5, true},    {"5.1.2600.0", 4, true},
                {"5.1.2600.0", 1, false}};
    for (const auto& row : rows) {
        testing_app::x_CapturedConsole console;
        testing_app::x_FakeDrives drives;
        testing_app::x_EmptyFolders folders;
        const platform::x_Substitute<platform::x_ConsoleService> console_guard(console);
        const platform::x_Substitute<platform::x_DriveService> drives_guard(drives);
        const platform::x_Substitute<platform::x_WideFileService> folders_guard(folders);
        x_JobSurroundings job(row.windows_version);
        job.process.status = row.status;
        EXPECT_TRUE(run_folder_job("E:", "E:\\_Backup_", "C:\\Users\\ann\\Music", "").complete);

        const std::string trace = trace_text(job.temp.root());
        const std::string code = " exit code " + std::to_string(row.status);
        EXPECT_NE(trace.find(code + ": C:\\Users\\ann\\Music\r\n"), std::string::npos) << trace;
        EXPECT_EQ(trace.find(code + " says the copy failed, but the check finds nothing missing "
                                    "of C:\\Users\\ann\\Music; the check is trusted") !=
                      std::string::npos,
                  row.trusted)
            << trace;
        EXPECT_EQ((console.out + console.err).find("exit code"), std::string::npos);
    }
}

}  // namespace

#include "app/folder_job.h"

#include <gtest/gtest.h>

#include <string>

#include "support/job_surroundings.h"

namespace {

using testing_support::x_JobSurroundings;
using testing_support::x_TempTree;

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
              "timeout /t 10\r\n");
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

}  // namespace

#include "app/backup_run.h"

#include <gtest/gtest.h>

#include <string>

#include "app/arguments.h"
#include "app/entry.h"
#include "app/fake_services.h"
#include "support/job_surroundings.h"

namespace {

using testing_app::x_CapturedConsole;
using testing_app::x_DriveInFolder;
using testing_app::x_EmptyFolders;
using testing_app::x_FakeComputer;
using testing_app::x_FakeDrives;
using testing_app::x_FakeShell;
using testing_app::x_QuietProcess;

class BackupRun : public ::testing::Test {
protected:
    BackupRun() : console_guard_(console_), drive_guard_(drives_), folders_guard_(folders_) {
        job_.shell.paths = {
            {0, "C:\\Users\\ann\\Desktop"},    {5, "C:\\Users\\ann\\Documents"},
            {13, "C:\\Users\\ann\\Music"},     {14, "C:\\Users\\ann\\Videos"},
            {16, "C:\\Users\\ann\\Desktop"},   {25, "C:\\Users\\Public\\Desktop"},
            {39, "C:\\Users\\ann\\Pictures"},  {46, "C:\\Users\\Public\\Documents"},
            {53, "C:\\Users\\Public\\Music"},  {54, "C:\\Users\\Public\\Pictures"},
            {55, "C:\\Users\\Public\\Videos"},
        };
    }

    x_CapturedConsole console_;
    x_FakeDrives drives_;
    x_EmptyFolders folders_;
    x_FakeComputer computer_;
    // Installed before the job's surroundings, which pass file calls on to it.
    testing_support::x_TempTree drive_folder_;
    x_DriveInFolder drive_e_{drive_folder_.root()};
    platform::x_Substitute<platform::x_FileService> drive_e_guard_{drive_e_};
    testing_support::x_JobSurroundings job_{"5.1.2600.0"};
    x_FakeShell& shell_ = job_.shell;
    x_QuietProcess& process_ = job_.process;

    // A file of the drive's own, beside the copies in its "_Backup_".
    std::string on_drive(const std::string& name) const {
        return testing_support::x_TempTree::content(drive_folder_.path("_Backup_\\" + name));
    }

private:
    platform::x_Substitute<platform::x_ConsoleService> console_guard_;
    platform::x_Substitute<platform::x_DriveService> drive_guard_;
    platform::x_Substitute<platform::x_WideFileService> folders_guard_;
    platform::x_Substitute<platform::x_ComputerService> computer_guard_{computer_};
};

const std::string all_folder_lines =
    "00000005\tC:\\Users\\ann\\Documents\n"
    "00000027\tC:\\Users\\ann\\Pictures\n"
    "0000000d\tC:\\Users\\ann\\Music\n"
    "0000000e\tC:\\Users\\ann\\Videos\n"
    "00000010\tC:\\Users\\ann\\Desktop\n"
    "0000002e\tC:\\Users\\Public\\Documents\n"
    "00000036\tC:\\Users\\Public\\Pictures\n"
    "00000035\tC:\\Users\\Public\\Music\n"
    "00000037\tC:\\Users\\Public\\Videos\n"
    "00000019\tC:\\Users\\Public\\Desktop\n"
    "00000000\tC:\\Users\\ann\\Desktop\n";
const std::string complete_verdict = "Backed up completely: 11 folders, 0 files checked on E:\n";

TEST_F(BackupRun, FirstRemovableLetterWinsAndOtherDriveTypesDoNotCount) {
    EXPECT_EQ(find_removable_drive(), -1);
    ASSERT_EQ(drives_.asked.size(), 26u);
    EXPECT_EQ(drives_.asked.front(), "A:/");
    EXPECT_EQ(drives_.asked.back(), "Z:/");

    drives_.types = {{'C', platform::drive_fixed},
                     {'D', platform::drive_cdrom},
                     {'N', platform::drive_remote},
                     {'R', platform::drive_ramdisk},
                     {'Z', platform::drive_removable}};
    EXPECT_EQ(find_removable_drive(), 25);

    drives_.types['F'] = platform::drive_removable;
    drives_.types['A'] = platform::drive_removable;
    EXPECT_EQ(find_removable_drive(), 0);
}

// Card readers show removable letters with no card in them, before or after
// the stick: only a drive with a medium is taken.
TEST_F(BackupRun, RemovableDriveWithoutAMediumIsPassedOver) {
    const struct {
        std::string removable;
        std::string empty;
        int found;
    } cases[] = {
        {"ADEFG", "ADEF", 6}, {"DEFG", "DFG", 4},   {"EF", "F", 4},
        {"Z", "", 25},        {"DEFG", "DEFG", -1},
    };
    for (const auto& row : cases) {
        drives_.types = {{'C', platform::drive_fixed}};
        drives_.empty.clear();
        for (const char letter : row.removable) drives_.types[letter] = platform::drive_removable;
        for (const char letter : row.empty) drives_.empty.insert(letter);
        EXPECT_EQ(find_removable_drive(), row.found) << row.removable << " / " << row.empty;
    }
    EXPECT_FALSE(run_backup("heading"));
    EXPECT_EQ(console_.err,
              "Nothing was backed up: no removable drive was found (plug in a USB drive and run "
              "the program again); passed over, holding no medium: D:, E:, F:, G:\n");
}

TEST_F(BackupRun, WritesHeadingAndElevenFolderLinesInOrder) {
    drives_.types = {{'E', platform::drive_removable}};
    EXPECT_TRUE(run_backup("heading"));
    EXPECT_EQ(console_.out, "heading\n" + all_folder_lines);
    EXPECT_EQ(console_.err, complete_verdict);
    // Each line is flushed before the folder's copy starts.
    EXPECT_EQ(console_.out_flushes, 12);
    EXPECT_EQ(shell_.id_list_calls.size(), 0u);
    for (const auto& call : shell_.function_calls) EXPECT_FALSE(call.create);
    // One job per folder, run one after the other; Desktop twice.
    ASSERT_EQ(process_.commands.size(), 11u);
    EXPECT_EQ(process_.commands[4], process_.commands.back());
    // One reading of the version serves the whole run, and only the run.
    EXPECT_EQ(job_.version_reads(), 1);
    backup_folder(5);
    EXPECT_EQ(job_.version_reads(), 4);
}

TEST_F(BackupRun, WithoutRemovableDriveOnlyTheHeadingIsWritten) {
    drives_.types = {{'C', platform::drive_fixed}};
    EXPECT_FALSE(run_backup("heading"));
    EXPECT_EQ(console_.out, "heading\n");
    EXPECT_TRUE(shell_.function_calls.empty());

    EXPECT_FALSE(backup_folder(5));
    EXPECT_EQ(console_.out, "heading\n");
}

TEST_F(BackupRun, UnknownFolderStillGetsItsLineWithAnEmptyPath) {
    drives_.types = {{'E', platform::drive_removable}};
    shell_.paths.erase(46);
    EXPECT_TRUE(backup_folder(46));
    EXPECT_TRUE(backup_folder(-1));
    EXPECT_EQ(console_.out, "0000002e\t\nffffffffffffffff\t\n");
}

// An empty path would back up the program's own scratch folder; a
// question mark stands for a character the code page lacks. Neither is
// handed to the copy tool, and the console says so beside the folder line.
TEST_F(BackupRun, FolderThatCannotBeCopiedIsNamedOnStandardError) {
    drives_.types = {{'E', platform::drive_removable}};
    shell_.paths.erase(46);
    shell_.paths[39] = "C:\\Users\\ann\\?ictures";
    EXPECT_TRUE(backup_folder(46));
    EXPECT_TRUE(backup_folder(39));
    EXPECT_TRUE(backup_folder(5));
    EXPECT_EQ(console_.out,
              "0000002e\t\n00000027\tC:\\Users\\ann\\?ictures\n"
              "00000005\tC:\\Users\\ann\\Documents\n");
    EXPECT_EQ(process_.commands.size(), 1u);
    const std::size_t first = console_.err.find("Not backed up: folder 0000002e - ");
    const std::size_t second = console_.err.find("Not backed up: C:\\Users\\ann\\?ictures - ");
    EXPECT_NE(first, std::string::npos) << console_.err;
    EXPECT_NE(second, std::string::npos) << console_.err;
    EXPECT_LT(first, second);
}

class ProgramEntry : public BackupRun {
protected:
    ProgramEntry() { drives_.types = {{'E', platform::drive_removable}}; }
    ~ProgramEntry() override { set_arguments(0, nullptr); }

    int run(std::vector<std::string> arguments) {
        std::vector<char*> argv;
        argv.reserve(arguments.size() + 1);
        for (auto& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        return app::run_main(static_cast<int>(arguments.size()), argv.data());
    }
};

TEST_F(ProgramEntry, RunsTheBackupThenWaitsForOneLine) {
    console_.input = {"yes", "not read"};
    EXPECT_EQ(run({"shellbackup.exe", "ignored", "options"}), 0);
    EXPECT_EQ(process_.calls, (std::vector<std::string>{"error mode", "locale"}));
    EXPECT_EQ(console_.out, "test x_CopyCommand\n" + all_folder_lines);
    EXPECT_EQ(console_.err, complete_verdict + "wait...");
    EXPECT_EQ(console_.limits, std::vector<std::size_t>{999});
    EXPECT_EQ(console_.input.size(), 1u);
    EXPECT_EQ(get_arv(), (x_StringList{"shellbackup.exe", "ignored", "options"}));
}

TEST_F(ProgramEntry, EndOfInputOrOverlongLineEndsWithZeroAsWell) {
    EXPECT_EQ(run({"shellbackup.exe"}), 0);
    EXPECT_EQ(console_.err, complete_verdict + "wait...");

    console_.input = {std::string(5000, 'x')};
    EXPECT_EQ(run({"shellbackup.exe"}), 0);
    EXPECT_TRUE(console_.input.empty());
}

// The folders left when the stick was pulled get no line and no copy, but
// each is named, and the run does not end as a success.
TEST_F(ProgramEntry, DrivePulledDuringTheRunEndsTheCopiesButNotTheProgram) {
    process_.after_command = [this] {
        if (process_.commands.size() == 3) drives_.types.clear();
    };
    EXPECT_EQ(run({"shellbackup.exe"}), 1);
    EXPECT_EQ(console_.out,
              "test x_CopyCommand\n"
              "00000005\tC:\\Users\\ann\\Documents\n"
              "00000027\tC:\\Users\\ann\\Pictures\n"
              "0000000d\tC:\\Users\\ann\\Music\n");
    EXPECT_EQ(process_.commands.size(), 3u);
    EXPECT_EQ(console_.err.find("Not backed up: C:\\Users\\ann\\Videos - the removable drive went "
                                "away during the run\n"),
              0u)
        << console_.err;
    const std::string end =
        "Not backed up completely: 8 of 11 folders fall short, each named "
        "above\nwait...";
    EXPECT_EQ(console_.err.substr(console_.err.size() - std::min(end.size(), console_.err.size())),
              end);
}

TEST_F(ProgramEntry, NoRemovableDriveStillPromptsButSaysNothingWasBackedUp) {
    drives_.types.clear();
    console_.input = {""};
    EXPECT_EQ(run({"shellbackup.exe"}), 1);
    EXPECT_EQ(console_.out, "test x_CopyCommand\n");
    EXPECT_EQ(console_.err,
              "Nothing was backed up: no removable drive was found (plug in a USB drive and "
              "run the program again)\nwait...");
}

// A source that cannot be read cannot be confirmed on the drive.
TEST_F(ProgramEntry, FolderThatCannotBeReadFailsTheRun) {
    folders_.missing.insert(u"C:\\Users\\ann\\Music");
    EXPECT_EQ(run({"shellbackup.exe"}), 1);
    EXPECT_NE(console_.err.find("Not backed up: C:\\Users\\ann\\Music - the folder cannot be read"),
              std::string::npos)
        << console_.err;
    EXPECT_NE(console_.err.find("1 of 11 folders fall short"), std::string::npos);
}

// A second computer's run goes to a place of its own, said once; the first
// computer's layout and record stay as they were.
TEST_F(ProgramEntry, AnotherComputersDriveGetsThisComputersBackupBesideIt) {
    EXPECT_EQ(run({"shellbackup.exe"}), 0);
    const std::string owner = on_drive("%computer.txt");
    EXPECT_NE(on_drive("%last backup.txt").find(complete_verdict.substr(0, 40)), std::string::npos);
    process_.commands.clear();
    computer_.guid = "guid-b";
    computer_.name = "PC-B";
    console_.err.clear();
    EXPECT_EQ(run({"shellbackup.exe"}), 0);
    EXPECT_EQ(console_.err,
              "The backup in E:\\_Backup_ belongs to computer PC-A; this computer's backup goes "
              "to E:\\_Backup_\\%computer guid-b\\_Backup_\n" +
                  complete_verdict + "wait...");
    EXPECT_EQ(on_drive("%computer.txt"), owner);
    EXPECT_NE(on_drive("%computer guid-b\\_Backup_\\%last backup.txt").find("Computer: PC-B"),
              std::string::npos);
    ASSERT_EQ(process_.commands.size(), 11u);
    for (const std::string& script : process_.commands) {
        EXPECT_NE(script.find("_E___Backup__-computer_guid-b__Backup__.bat"), std::string::npos)
            << script;
    }
}

// The copy tool's output that follows a folder line belongs to that folder:
// the line must be out, and flushed, before the folder's job runs.
TEST_F(BackupRun, EachFolderLineIsOutBeforeItsJobRuns) {
    drives_.types = {{'E', platform::drive_removable}};
    std::vector<std::string> shown;
    std::vector<int> flushed;
    process_.after_command = [this, &shown, &flushed] {
        shown.push_back(console_.out);
        flushed.push_back(console_.out_flushes);
    };
    EXPECT_TRUE(run_backup("heading"));
    ASSERT_EQ(shown.size(), 11u);
    std::string expected = "heading\n";
    std::size_t line_start = 0;
    for (std::size_t job = 0; job < shown.size(); ++job) {
        const std::size_t line_end = all_folder_lines.find('\n', line_start) + 1;
        expected += all_folder_lines.substr(line_start, line_end - line_start);
        line_start = line_end;
        EXPECT_EQ(shown[job], expected) << job;
        EXPECT_EQ(flushed[job], static_cast<int>(job) + 2) << job;
    }
}

}  // namespace

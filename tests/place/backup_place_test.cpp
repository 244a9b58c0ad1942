#include "place/backup_place.h"

#include <gtest/gtest.h>

#include <string>

#include "app/fake_services.h"
#include "compose/backup_paths.h"
#include "place/run_record.h"
#include "support/temp_tree.h"

namespace {

using testing_support::x_TempTree;

class BackupPlace : public ::testing::Test {
protected:
    std::string shared() const { return drive_.path("_Backup_"); }
    std::string record(const std::string& root) const {
        return x_TempTree::content(root + "\\" + owner_record_name);
    }

    x_TempTree drive_;
    testing_app::x_FakeComputer computer_;
    platform::x_Substitute<platform::x_ComputerService> guard_{computer_};
};

// Whatever the drive's "_Backup_" holds, a computer gets one place of its
// own, and nobody takes the place of the computer that came first.
TEST_F(BackupPlace, FirstComputerKeepsTheLayoutOthersGetTheirOwnPlace) {
    const struct {
        const char* guid;
        const char* owner_record;  // written first unless null
        const char* below;         // the place below the drive's "_Backup_"
    } cases[] = {
        {"guid-a", nullptr, ""},                                             // a new drive
        {"guid-a", "Identity: guid-a\n", ""},                                // this computer's
        {"guid-b", "Identity: guid-a\r\n", "\\%computer guid-b\\_Backup_"},  // another's
        {"guid-a", "written by hand", "\\%computer guid-a\\_Backup_"},       // nobody's
        {"", "Identity: named PC-A", ""},  // Windows gives no GUID
    };
    for (const auto& row : cases) {
        x_TempTree::remove_tree(shared());
        if (row.owner_record != nullptr) {
            drive_.make_folder("_Backup_");
            drive_.make_file("_Backup_\\%computer.txt", row.owner_record);
        }
        computer_.guid = row.guid;
        const std::string before = record(shared());
        const x_BackupPlace place = backup_place(drive_.root());
        const std::string root = shared() + row.below;
        EXPECT_EQ(place.root, root) << row.below;
        EXPECT_EQ(place.notice.empty(), root == shared()) << place.notice;
        if (row.owner_record != nullptr) {
            EXPECT_EQ(record(shared()), before);
        }
        EXPECT_NE(record(root).find("Identity: " + this_computer().id), std::string::npos);
        EXPECT_EQ(backup_place(drive_.root()).root, root);
    }
}

// The copy line never makes a name that begins with a percent sign and goes
// on, which is what the drive's own files and places are named.
TEST(BackupPlaceNames, NoSourcePathMapsOntoThem) {
    for (const char* source :
         {"C:\\%computer.txt", "\\\\%computer guid\\share", "C:\\..\\%last backup.txt", "%",
          "%computer guid-b\\_Backup_", "C:%%computer.txt", "\\\\% \\x", "\\\\.%\\x"}) {
        const std::string copy = backup_destination(source, "E:\\_Backup_");
        const std::string below = copy.substr(std::string("E:\\_Backup_\\").size());
        EXPECT_FALSE(below.size() > 1 && below[0] == '%' && below[1] != '\\') << copy;
    }
}

// The record is replaced whole; a record that cannot be staged leaves the
// previous one as it was.
TEST_F(BackupPlace, RunRecordReplacesThePreviousOneWhole) {
    drive_.make_folder("_Backup_");
    const x_RunSummary summary{"Backed up completely: 11 folders, 2 files checked on E:", 11, 0, 2};
    EXPECT_TRUE(write_run_record(shared(), summary));
    const std::string first = x_TempTree::content(run_record_path(shared()));
    EXPECT_EQ(first.substr(0, first.find("Date and time: ")),
              "Last backup of this computer to this drive\r\nComputer: PC-A\r\nUser: " +
                  platform::process().user_name() + "\r\n");
    EXPECT_NE(first.find("\r\n" + summary.verdict +
                         "\r\nFolders: 11, 0 of them short\r\nFiles checked: 2\r\n"
                         "Program version: " SHELLBACKUP_VERSION "\r\n"),
              std::string::npos);
    EXPECT_FALSE(x_TempTree::exists(drive_.path("_Backup_\\%last backup.txt.new")));

    drive_.make_folder("_Backup_\\%last backup.txt.new");
    struct x_NoWaits : platform::x_ProcessService {
        void sleep_ms(unsigned) override {}
    } no_waits;
    testing_app::x_CapturedConsole console;
    const platform::x_Substitute<platform::x_ProcessService> process_guard(no_waits);
    const platform::x_Substitute<platform::x_ConsoleService> console_guard(console);
    EXPECT_FALSE(write_run_record(shared(), {"Not backed up completely", 11, 1, 0}));
    EXPECT_EQ(x_TempTree::content(run_record_path(shared())), first);
}

}  // namespace

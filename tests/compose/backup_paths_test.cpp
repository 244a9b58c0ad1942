#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "compose/backup_paths.h"
#include "copyjob/copy_command.h"
#include "platform/codepage.h"
#include "platform/drives.h"
#include "tests/support/code_page.h"

namespace {

// M: stands for \\server\share; every other letter is a local disk.
class x_MappedDrive : public platform::x_DriveService {
public:
    unsigned drive_type(const std::string& root) override {
        return root == "M:" ? platform::drive_remote : platform::drive_fixed;
    }
    unsigned long network_connection(const std::string& local_name,
                                     std::string& remote_name) override {
        remote_name = local_name == "M:" ? "\\\\server\\share" : "";
        return remote_name.empty() ? 2250 : 0;
    }
};

TEST(BackupDestination, SharedBackupFolderReceivesTheWholeSourcePath) {
    struct Case {
        const char* source;
        const char* destination;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\Data\\Reports", "E:\\_Backup_", "E:\\_Backup_\\C\\Data\\Reports"},
        {"\\\\server\\share\\dir", "E:\\_Backup_", "E:\\_Backup_\\server\\share\\dir"},
        {"C:/Data//Reports/", "\"E:\\_BACKUP_\"", "E:\\_BACKUP_\\C\\Data\\Reports"},
        {"'C:\\Data'", "E:/_backup_", "E:\\_backup_\\C\\Data"},
        // One trailing separator does not hide the folder's name: without
        // this every source would land directly in E:\_Backup_.
        {"C:\\Data", "E:\\_Backup_\\", "E:\\_Backup_\\C\\Data"},
        {"C:\\Data", "\"E:\\Copies\\\"", "E:\\Copies\\"},
        {"C:\\Data", "E:\\_Backup_\\old", "E:\\_Backup_\\old"},
        {"C:\\Data", "E:\\_Backup_x", "E:\\_Backup_x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(backup_destination(c.source, c.destination), c.expected)
            << c.source << " -> " << c.destination;
    }
}

// A percent sign becomes a separator, and Windows does not keep the blank
// or dot that then ends a name ("X % Y" would make "X", or nothing). Such
// an end keeps a percent sign, which no other name below the backup
// folder can hold; every name that worked before stays as it was.
TEST(BackupDestination, NamesCutAtAPercentSignKeepTheirLastCharacter) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\X % Y", "E:\\_Backup_\\C\\X %\\ Y"},
        {"C:\\v2.%draft", "E:\\_Backup_\\C\\v2.%\\draft"},
        {"C:\\Plan %", "E:\\_Backup_\\C\\Plan %"},
        // No climbing out of the copy's own folder.
        {"C:\\a%..%b", "E:\\_Backup_\\C\\a\\..%\\b"},
        {"C:\\a\\%.%", "E:\\_Backup_\\C\\a\\.%"},
        // Unchanged: no blank or dot at a cut, or the source's own ending.
        {"C:\\100% Done", "E:\\_Backup_\\C\\100\\ Done"},
        {"C:\\%USERNAME% & Co", "E:\\_Backup_\\C\\USERNAME\\ & Co"},
        {"C:\\Notes. \\x", "E:\\_Backup_\\C\\Notes. \\x"},
    };
    for (const auto& [source, expected] : cases) {
        EXPECT_EQ(backup_destination(source, "E:\\_Backup_"), expected) << source;
    }
}

TEST(BackupDestination, MappedDriveBecomesItsNetworkNameFirst) {
    x_MappedDrive drives;
    platform::x_Substitute<platform::x_DriveService> guard(drives);
    EXPECT_EQ(to_unc_path("M:\\Docs\\x"), "\\\\server\\share\\Docs\\x");
    EXPECT_EQ(to_unc_path("M:"), "\\\\server\\share");
    for (const char* unchanged : {"C:\\Docs", "M", "", "\\\\other\\share"}) {
        EXPECT_EQ(to_unc_path(unchanged), unchanged);
    }

    x_CopyCommand job;
    job.use_xcopy();
    job.set_source("M:\\Docs");
    job.set_destination("E:\\_Backup_");
    EXPECT_EQ(job.build_command_line(),
              "xcopy \"\\\\server\\share\\Docs\" "
              "\"E:\\_Backup_\\server\\share\\Docs\" /s /d /i /y");
}

// 文書表 in code page 932: the second byte of 表 is a backslash.
const std::string documents = "C:\\users\\taro\\\x95\xB6\x8F\x91\x95\x5C";

void expect_every_byte_kept() {
    EXPECT_EQ(backup_destination(documents, "E:\\_Backup_"),
              "E:\\_Backup_\\C\\users\\taro\\\x95\xB6\x8F\x91\x95\x5C");
    x_CopyCommand job;
    job.use_xcopy();
    job.set_source(documents);
    job.set_destination("E:\\Copies");
    EXPECT_EQ(job.build_command_line(), "xcopy \"" + documents + "\" \"E:\\Copies\" /s /d /i /y");
}

TEST(BackupDestination, DoubleByteNameEndingInBackslashByteKeepsEveryByte) {
    testing_support::x_UseCodePage932 code_page;
    expect_every_byte_kept();
}

// The same under the process's real code page, when it is 932 (Wine with a
// Japanese locale); skipped elsewhere.
TEST(BackupDestinationCodePage932, RealCodePageKeepsEveryByte) {
    testing_support::x_UserLocale locale;
    if (platform::code_page().ansi_code_page() != 932) GTEST_SKIP() << "ANSI code page is not 932";
    expect_every_byte_kept();
}

}  // namespace

#include <gtest/gtest.h>

#include <string>

#include "compose/script_name.h"
#include "copyjob/copy_command.h"
#include "tests/support/code_page.h"

namespace {

x_CopyCommand data_job() {
    x_CopyCommand job;
    job.set_source("C:\\Data");
    job.set_destination("E:\\_Backup_");
    return job;
}

TEST(ScriptFileName, NamesTellToolPathsAndSwitches) {
    x_CopyCommand job = data_job();
    EXPECT_EQ(job.script_file_name(), "___C__Data_E___Backup__.bat");
    job.use_xcopy();
    EXPECT_EQ(job.script_file_name(), "xc_C__Data_E___Backup__sdiy.bat");
    job.use_robocopy();
    EXPECT_EQ(job.script_file_name(), "rc_C__Data_E___Backup__sfft.bat");
    job.set_mirror(true);
    job.set_list_only(true);
    job.set_subfolders(false);
    EXPECT_EQ(job.script_file_name(), "rc_C__Data_E___Backup__mirfftl.bat");

    job.set_source("\"C:\\100% Done\"");
    job.set_destination("F:\\#1");
    EXPECT_EQ(job.script_file_name(), "rc_C__100-_Done_F__-1_mirfftl.bat");
}

TEST(ScriptFileName, LongSourceIsShortenedThenMadeSafe) {
    const std::string tail = std::string(40, 'C');
    x_CopyCommand job = data_job();
    job.use_xcopy();
    job.set_source("C:\\" + std::string(30, 'A') + "\\" + std::string(10, 'B') + "\\" + tail);
    const std::string name = job.script_file_name();
    // Head "C:" and tail "\CCC..." padded with blanks to 30 and 50 bytes.
    EXPECT_EQ(name, "xc_C_" + std::string(38, '_') + tail + "_E___Backup__sdiy.bat");
}

TEST(SafeFileName, ReplacesEverySpecialByteAndNothingElse) {
    EXPECT_EQ(safe_file_name("\t\n\r\",;| /:?\\#%*<>"), "......._____--x()");
    const std::string kept = "aZ09_-.()[]{}!@$^&'~\xE9\xFF";
    EXPECT_EQ(safe_file_name(kept), kept);
}

TEST(SafeFileName, SecondByteOfDoubleByteCharacterIsNotReplaced) {
    testing_support::x_UseCodePage932 code_page;
    // ソ is 0x83 0x5C; a lead byte at the very end stays as well.
    EXPECT_EQ(safe_file_name("\x83\x5C:\x83\x5C\x83"), "\x83\x5C_\x83\x5C\x83");

    x_CopyCommand job = data_job();
    job.use_xcopy();
    job.set_source("C:\\\x83\x5C");
    EXPECT_EQ(job.script_file_name(), "xc_C__\x83\x5C_E___Backup__sdiy.bat");
}

// The destination is shortened to a head of 20 and a tail of 30 bytes: the
// drive stays readable and the folder copied last is named whole.
TEST(ScriptFileName, LongDestinationKeepsItsDriveAndLastFolder) {
    x_CopyCommand job = data_job();
    job.use_xcopy();
    const std::string last = std::string(25, 'c');
    job.set_destination("F:\\" + std::string(25, 'a') + "\\" + std::string(25, 'b') + "\\" + last);
    // Head "F:" padded to 20 bytes, tail "\ccc..." padded to 30.
    EXPECT_EQ(job.script_file_name(), "xc_C__Data_F" + std::string(24, '_') + last + "_sdiy.bat");
}

}  // namespace

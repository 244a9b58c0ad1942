#include <gtest/gtest.h>

#include <string>

#include "copyjob/copy_command.h"
#include "tests/support/fake_windows_version.h"
#include "platform/process.h"

namespace {

const std::string default_exclusions = "/xf  mfc*.tmp  Thumbs.db ";

x_CopyCommand data_job(const char* tool) {
    x_CopyCommand job;
    job.set_source("C:\\Data");
    job.set_destination("E:\\_Backup_");
    if (std::string(tool) == "xcopy") job.use_xcopy();
    if (std::string(tool) == "robocopy") job.use_robocopy();
    return job;
}

TEST(CommandLine, DefaultJobsGiveTheExactLines) {
    EXPECT_EQ(data_job("robocopy").build_command_line(),
              "robocopy \"C:\\Data\" \"E:\\_Backup_\\C\\Data\" /s /purge /fft /r:3 /w:5 /xo /xjd " +
                  default_exclusions + " ");
    EXPECT_EQ(data_job("xcopy").build_command_line(),
              "xcopy \"C:\\Data\" \"E:\\_Backup_\\C\\Data\" /s /d /i /y /c");
}

TEST(CommandLine, JobWithoutToolFollowsTheVersionAndStaysWithoutTool) {
    {
        testing_support::x_FakeWindowsVersion version("5.1.2600.0");
        x_CopyCommand job = data_job("");
        EXPECT_EQ(job.build_command_line(),
                  "xcopy    \"C:\\Data\" \"E:\\_Backup_\\C\\Data\" /s /d /i /y /c");
        EXPECT_EQ(job.tool, "");
    }
    testing_support::x_FakeWindowsVersion version("6.1.7601.17567");
    EXPECT_EQ(data_job("").build_command_line(), data_job("robocopy").build_command_line());
}

TEST(CommandLine, ExtraSwitchesReplaceXcopySwitchesButFollowRobocopySwitches) {
    x_CopyCommand xcopy = data_job("xcopy");
    xcopy.set_extra_switches("/e /h");
    xcopy.set_list_only(true);
    EXPECT_EQ(xcopy.build_command_line(), "xcopy \"C:\\Data\" \"E:\\_Backup_\\C\\Data\" /e /h");

    x_CopyCommand robocopy = data_job("robocopy");
    robocopy.set_extra_switches("/e /h");
    robocopy.set_use_exclude_dirs(true);
    robocopy.set_exclude_dirs(" tmp ");
    robocopy.set_list_only(true);
    EXPECT_EQ(robocopy.build_command_line(),
              "robocopy \"C:\\Data\" \"E:\\_Backup_\\C\\Data\" /s /purge /fft /r:3 /w:5 /xo /xjd " +
                  default_exclusions + " /xd  tmp  /e /h /l");
}

TEST(CommandLine, RobocopySwitchesAreIndependentOfEachOther) {
    x_CopyCommand job = data_job("robocopy");
    job.set_mirror(true);
    job.set_use_retries(false);
    job.set_use_max_size(true);
    job.set_use_min_age(true);
    job.set_min_age(30);
    job.set_use_exclude_files(false);
    job.set_files("*.doc");
    job.set_list_only(true);
    EXPECT_EQ(job.build_command_line(),
              "robocopy \"C:\\Data\" \"E:\\_Backup_\\C\\Data\" *.doc /s /purge /mir /fft /w:5 /xo "
              "/xjd /minage:30 /max:1099511627776  /l");
}

TEST(CommandLine, PathsAreUnquotedThenQuotedWithoutTrailingSeparator) {
    for (const char* source : {"C:\\Data", "\"C:\\Data\"", "'\"C:\\Data\"'", "C:\\Data\\"}) {
        x_CopyCommand job = data_job("xcopy");
        job.set_source(source);
        EXPECT_EQ(job.build_command_line(), data_job("xcopy").build_command_line()) << source;
    }
}

// "C:" would be the drive's current folder: the folder the script has just
// changed to, or the one a console left on that drive. Written with two
// backslashes the root reaches the interpreter, a tool that splits its
// line by the C runtime's rules (where "C:\" would escape the quote) and
// a tool that reads the line itself.
TEST(CommandLine, DriveRootStaysTheRootForBothTools) {
    for (const char* tool : {"xcopy", "robocopy"}) {
        x_CopyCommand root = data_job(tool);
        root.set_source("C:\\");
        root.set_destination("F:/");
        const std::string line = root.build_command_line();
        EXPECT_EQ(line.rfind(std::string(tool) + " \"C:\\\\\" \"F:\\\\\" /s ", 0), 0u) << line;
    }
    x_CopyCommand backup = data_job("xcopy");
    backup.set_source("d:\\");
    EXPECT_EQ(backup.build_command_line(), "xcopy \"d:\\\\\" \"E:\\_Backup_\\d\" /s /d /i /y /c");
    // Only a whole root: a folder keeps its word, a drive named without a
    // separator keeps its own meaning.
    backup.set_source("C:");
    EXPECT_EQ(backup.build_command_line(), "xcopy \"C:\" \"E:\\_Backup_\\C\" /s /d /i /y /c");
}

// The platform's temporary path, as Windows gives it.
class x_UserTemp : public platform::x_ProcessService {
public:
    std::string temp_path() override { return "C:\\Users\\me\\Temp\\"; }
    bool long_path_name(const std::string& path, std::string& long_path) override {
        long_path = path;
        return true;
    }
};

TEST(CommandLine, EmptyPathsFallBackToTheTemporaryFolder) {
    x_UserTemp process;
    platform::x_Substitute<platform::x_ProcessService> guard(process);
    x_CopyCommand job;
    job.use_xcopy();
    EXPECT_EQ(job.build_command_line(),
              "xcopy \"C:\\Users\\me\\Temp\\v_Urivu.tmp\" "
              "\"C:\\Users\\me\\Temp\\_Backup_\\C\\Users\\me\\Temp\\v_Urivu.tmp\" /s /d /i /y /c");
}

// The interpreter reads %...% as a variable even inside quotes: a folder
// named "a%b%c" would reach the tool as "ac" or as another folder.
TEST(CommandLine, PercentSignsOfThePathsReachTheToolAsWritten) {
    x_CopyCommand job = data_job("robocopy");
    job.set_source("C:\\100% Done\\a%b%c");
    job.set_destination("F:\\%USERNAME%");
    job.set_files("%PATTERN%");
    job.set_extra_switches("/log:%TEMP%\\copy.log");
    job.set_use_exclude_files(false);
    job.set_use_exclude_dirs(true);
    job.set_exclude_dirs(" %SKIP% ");
    EXPECT_EQ(job.build_command_line(),
              "robocopy \"C:\\100%% Done\\a%%b%%c\" \"F:\\%%USERNAME%%\" %PATTERN% /s /purge /fft "
              "/r:3 /w:5 /xo /xjd /xd  %SKIP%  /log:%TEMP%\\copy.log");

    // Below the shared backup folder the percent signs turn into separators.
    job.set_destination("E:\\_Backup_");
    EXPECT_NE(job.build_command_line().find("\"E:\\_Backup_\\C\\100\\ Done\\a\\b\\c\""),
              std::string::npos);
}

}  // namespace

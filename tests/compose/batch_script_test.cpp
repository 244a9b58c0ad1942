#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "compose/batch_text.h"
#include "copyjob/copy_command.h"
#include "tests/support/fake_windows_version.h"

namespace {

const std::string robocopy_line =
    "robocopy \"C:\\Data\" \"E:\\_Backup_\\C\\Data\" /s /purge /fft /r:3 /w:5 /xo /xjd "
    "/xf  mfc*.tmp  Thumbs.db  ";
const std::string xcopy_line = "xcopy \"C:\\Data\" \"E:\\_Backup_\\C\\Data\" /s /d /i /y /c";
// Around the closing wait: the copy tool's status is the script's.
const std::string keep_status = "@set shellbackup_status=%errorlevel%\r\n";
const std::string end_with_status = "@exit /b %shellbackup_status%\r\n";

x_CopyCommand data_job() {
    x_CopyCommand job;
    job.set_source("C:\\Data");
    job.set_destination("E:\\_Backup_");
    return job;
}

std::string composed(x_CopyCommand job) {
    job.compose_script();
    return job.get_script_text();
}

// The first line of a composed script.
std::string header_of(x_CopyCommand job) {
    const std::string script = composed(job);
    return script.substr(0, script.find("\r\n"));
}

TEST(BatchScript, NewJobOnCurrentWindowsGivesTheRobocopyScript) {
    testing_support::x_FakeWindowsVersion version("6.1.7601.17567");
    EXPECT_EQ(composed(data_job()),
              "rem\trobocopy\tC:\\Data\r\nrem\t\t\t\r\nrem\r\ncd /d %Temp%\r\n" + robocopy_line +
                  "\r\n" + keep_status + "timeout /t 10\r\n" + end_with_status);

    x_CopyCommand pausing = data_job();
    pausing.set_pause_at_end(true);
    EXPECT_EQ(composed(pausing),
              "rem\trobocopy\tC:\\Data\r\nrem\t\t\t\r\nrem\r\ncd /d %Temp%\r\ntimeout /t 10\r\n" +
                  robocopy_line + "\r\n" + keep_status + "timeout /t 100\r\n" + end_with_status);
}

TEST(BatchScript, OlderWindowsPausesInsteadOfTimingOut) {
    testing_support::x_FakeWindowsVersion version("5.1.2600.0");
    const std::string head = "rem\txcopy\tC:\\Data\r\nrem\t\t\t\r\nrem\r\ncd /d %Temp%\r\n";
    EXPECT_EQ(composed(data_job()),
              head + xcopy_line + "\r\n" + keep_status + "rem pause\r\n" + end_with_status);

    x_CopyCommand pausing = data_job();
    pausing.set_pause_at_end(true);
    EXPECT_EQ(composed(pausing), head + "pause\r\n" + xcopy_line + "\r\n" + keep_status +
                                     "pause\r\n" + end_with_status);
}

TEST(BatchScript, ListOnlyDescriptionFollowsTheTool) {
    testing_support::x_FakeWindowsVersion version("10.0.19041.1");
    x_CopyCommand robocopy = data_job();
    robocopy.set_list_only(true);
    EXPECT_NE(composed(robocopy).find("\r\nrem\t\t\tSpecifies that files are to be listed only "
                                      "(and not copied, deleted, or time stamped).\r\nrem\r\n"),
              std::string::npos);

    x_CopyCommand xcopy = data_job();
    xcopy.use_xcopy();
    xcopy.rc_list_only = true;
    const std::string script = composed(xcopy);
    EXPECT_NE(
        script.find("\r\nrem\t\t\tDisplays a list of files that are to be copied. \r\nrem\r\n"),
        std::string::npos);
    EXPECT_NE(script.find("\r\n" + xcopy_line + "\r\n"), std::string::npos);
}

TEST(BatchScript, HeaderShortensLongSourcesAndShowsEmptyOnes) {
    testing_support::x_FakeWindowsVersion version("6.1.7601.17567");
    const std::string tail = std::string(46, 'B');
    const std::string source80 = "C:\\" + std::string(30, 'A') + "\\" + tail;
    ASSERT_EQ(source80.size(), 80u);
    const std::string source79 = source80.substr(0, 79);

    x_CopyCommand job = data_job();
    job.set_source(source79);
    EXPECT_EQ(header_of(job), "rem\trobocopy\t" + source79);
    job.set_source(source80);
    EXPECT_EQ(header_of(job), "rem\trobocopy\tC:" + std::string(31, ' ') + "\\" + tail);
    job.set_source("");
    EXPECT_EQ(header_of(job), "rem\trobocopy\t");
}

TEST(BatchScript, PercentSignsOfTheSourceAreDoubledInEveryLine) {
    testing_support::x_FakeWindowsVersion version("6.1.7601.17567");
    x_CopyCommand job = data_job();
    job.use_xcopy();
    job.set_source("\"C:\\100% Done\"");
    job.set_destination("F:\\a%b%c");
    job.set_extra_switches("/exclude:%TEMP%\\skip.txt");
    EXPECT_EQ(composed(job),
              "rem\txcopy\tC:\\100%% Done\r\nrem\t\t\t\r\nrem\r\ncd /d %Temp%\r\n"
              "xcopy \"C:\\100%% Done\" \"F:\\a%%b%%c\" /exclude:%TEMP%\\skip.txt\r\n" +
                  keep_status + "timeout /t 10\r\n" + end_with_status);
}

TEST(BatchText, PercentDoublingIsUndoneExactly) {
    for (const std::string text : {"", "plain", "100%", "a%b%c", "%%", "%USERNAME%%"}) {
        const std::string escaped = escape_batch_percent(text);
        EXPECT_EQ(escaped.size(), text.size() + std::count(text.begin(), text.end(), '%'));
        EXPECT_EQ(unescape_batch_percent(escaped), text);
    }
    EXPECT_EQ(unescape_batch_percent("%A%%%B"), "%A%%B");
}

}  // namespace

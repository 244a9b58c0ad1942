#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "copyjob/copy_command.h"
#include "copyjob/version_probe.h"
#include "tests/support/decimal_comma_locale.h"
#include "tests/support/fake_windows_version.h"

namespace {

using testing_support::x_DecimalCommaLocale;
using testing_support::x_FakeWindowsVersion;
using testing_support::x_VersionProgram;

TEST(VersionText, CommasAndBlanksBecomeADottedNumber) {
    EXPECT_EQ(normalize_version_text("10, 0, 190, 1"), "10.0.190.1");
    EXPECT_EQ(parse_version_number(normalize_version_text("10, 0, 190, 1")), 10.0);
    EXPECT_EQ(normalize_version_text("6, 1, 760, 175"), "6.1.760.175");
    EXPECT_EQ(normalize_version_text("6.1\t(build)"), "6.1\t(build)");  // only blanks go
    EXPECT_EQ(normalize_version_text(""), "");
}

TEST(VersionNumber, LeadingDecimalNumberOfTheText) {
    EXPECT_EQ(parse_version_number("10.0.190.1"), 10.0);
    EXPECT_EQ(parse_version_number("6.1.7601.17567"), 6.1);
    EXPECT_EQ(parse_version_number("6.1.760.175"), first_robocopy_version);
    EXPECT_EQ(parse_version_number("5.1.2600.0"), 5.1);
    EXPECT_EQ(parse_version_number("v6.1"), 0.0);
    EXPECT_EQ(parse_version_number("Windows 10"), 0.0);
    EXPECT_EQ(parse_version_number(""), 0.0);
}

TEST(WindowsVersion, ReadFromTheSystemProgram) {
    x_FakeWindowsVersion fake("6.1.760.175");
    EXPECT_EQ(windows_version_text(), "6.1.760.175");
    EXPECT_EQ(windows_version(), 6.1);
    EXPECT_EQ(fake.version_reads(), 2);  // nothing is cached between calls
}

TEST(WindowsVersion, AHoldReadsOnceUntilItsOutermostEnd) {
    {
        x_FakeWindowsVersion fake("6.1.760.175");
        const x_HeldWindowsVersion held;
        EXPECT_EQ(windows_version_text(), "6.1.760.175");
        {
            const x_HeldWindowsVersion nested;
            EXPECT_EQ(windows_version(), 6.1);
        }
        EXPECT_EQ(windows_version(), 6.1);
        EXPECT_EQ(fake.version_reads(), 1);
    }
    // A later hold meets whatever Windows answers by then, an unreadable
    // version included, and holds that answer too.
    x_FakeWindowsVersion fake("");
    const x_HeldWindowsVersion held;
    EXPECT_EQ(windows_version(), 0.0);
    EXPECT_EQ(windows_version_text(), "");
    EXPECT_EQ(fake.version_reads(), 1);
}

TEST(WindowsVersion, ExplorerStandsInForAMissingWinver) {
    x_FakeWindowsVersion fake("6.1.7601.17567", x_VersionProgram::explorer);
    EXPECT_EQ(windows_version_text(), "6.1.7601.17567");
    EXPECT_EQ(fake.version_reads(), 1);
}

std::string chosen_tool(const char* version, const std::string& preset = "") {
    x_FakeWindowsVersion fake(version);
    x_CopyCommand job;
    job.tool = preset;
    EXPECT_TRUE(job.choose_tool());
    if (preset == "xcopy" || preset == "robocopy") {
        EXPECT_EQ(fake.version_reads(), 0) << "a set tool needs no version";
    }
    return job.tool;
}

TEST(ChooseTool, RobocopyFromVersionSixPointOneOn) {
    EXPECT_EQ(chosen_tool("6.1.7601.17567"), "robocopy");
    EXPECT_EQ(chosen_tool("10.0.19041.1"), "robocopy");
    EXPECT_EQ(chosen_tool("6.0.6002.18005"), "xcopy");
    EXPECT_EQ(chosen_tool("5.1.2600.0"), "xcopy");
    EXPECT_EQ(chosen_tool(""), "xcopy");  // nothing readable
}

TEST(ChooseTool, ASetToolIsKept) {
    EXPECT_EQ(chosen_tool("5.1.2600.0", "robocopy"), "robocopy");
    EXPECT_EQ(chosen_tool("10.0.19041.1", "xcopy"), "xcopy");
    // A text that names neither tool is replaced.
    EXPECT_EQ(chosen_tool("10.0.19041.1", "xcopy.exe"), "robocopy");
}

TEST(VersionNumberGermanLocale, DotIsTheDecimalPointWhateverTheLocale) {
    x_DecimalCommaLocale german;
    if (!x_DecimalCommaLocale::active()) GTEST_SKIP() << "no locale with a decimal comma";
    const std::string locale_before = std::setlocale(LC_ALL, nullptr);

    EXPECT_EQ(parse_version_number("6.1.7601"), 6.1);
    EXPECT_EQ(parse_version_number("10.0.190.1"), 10.0);
    EXPECT_EQ(parse_version_number("6,1"), 6.0);  // a comma ends the number as anywhere else

    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), locale_before);
    EXPECT_TRUE(x_DecimalCommaLocale::active());
}

TEST(ChooseToolGermanLocale, RobocopyOnSixPointOne) {
    x_DecimalCommaLocale german;
    if (!x_DecimalCommaLocale::active()) GTEST_SKIP() << "no locale with a decimal comma";
    EXPECT_EQ(chosen_tool("6.1.7601.17567"), "robocopy");
    EXPECT_EQ(chosen_tool("6.0.6002.18005"), "xcopy");
}

}  // namespace

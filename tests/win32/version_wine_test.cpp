#include <gtest/gtest.h>

#include <fstream>

#include "copyjob/copy_command.h"
#include "copyjob/version_probe.h"
#include "shell/shell_folders.h"
#include "shell/version_info.h"
#include "tests/support/decimal_comma_locale.h"
#include "tests/support/error_capture.h"
#include "util/environment.h"
#include "util/paths.h"

namespace {

using testing_support::x_DecimalCommaLocale;
using testing_support::x_ErrorCapture;

std::string winver_path() {
    return add_trailing_separator(get_special_folder(csidl_system)) + "winver.exe";
}

// The program is built one folder above the test binary, unless ctest or
// the caller names it in SHELLBACKUP_EXE.
std::string program_path() {
    const std::string named = env_value("SHELLBACKUP_EXE");
    if (!named.empty()) return named;
    std::string folder = module_path();
    folder.erase(folder.find_last_of('\\'));
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + "shellbackup.exe";
}

TEST(WineVersionInfo, ProgramReadsItsOwnResource) {
    const std::string program = program_path();
    ASSERT_TRUE(path_exists(program)) << program;
    x_ErrorCapture errors;

    x_VersionInfo info(program);
    EXPECT_EQ(info.prefix, "\\StringFileInfo\\040904b0\\");
    EXPECT_EQ(info.get_file_version(), SHELLBACKUP_VERSION ".0");
    EXPECT_EQ(info.get_product_version(), SHELLBACKUP_VERSION ".0");
    EXPECT_EQ(info.get_original_filename(), "shellbackup.exe");
    EXPECT_EQ(info.get_product_name(), "shellbackup");
    EXPECT_EQ(info.get_internal_name(), "shellbackup");
    EXPECT_EQ(info.get_company_name(), "shellbackup developers");
    EXPECT_EQ(info.get_file_description(),
              "Backs up the shell folders to the first removable drive");
    EXPECT_EQ(info.get_legal_copyright(), "Copyright (C) 2026 shellbackup developers");
    EXPECT_EQ(errors.text(), "");

    EXPECT_EQ(info.get_legal_trademarks(), "");
    EXPECT_EQ(errors.text(), "::VerQueryValue ...   LegalTrademarks\n");
    EXPECT_EQ(original_filename_of(program), "shellbackup.exe");
}

TEST(WineVersionInfo, FileWithoutResourceReportsEveryAttempt) {
    const std::string plain = add_trailing_separator(temp_folder()) + "no_version_resource.exe";
    std::ofstream(plain) << "MZ but not a program";
    x_ErrorCapture errors;

    x_VersionInfo info(plain);
    EXPECT_EQ(errors.text(), "::GetFileVersionInfoSize ... 0\n");
    EXPECT_EQ(info.get_product_version(), "");
    EXPECT_EQ(info.get_original_filename(), "");
    EXPECT_EQ(errors.text(),
              "::GetFileVersionInfoSize ... 0\n::GetFileVersionInfoSize ... 0\n"
              "::GetFileVersionInfoSize ... 0\n");
    EXPECT_EQ(info.prefix, "");
    EXPECT_EQ(original_filename_of(plain), "");
    std::remove(plain.c_str());
}

// The prefix's winver.exe says 5.1; its explorer.exe says 6.1. The script
// tests/e2e/version_without_winver.sh removes winver.exe from a sandbox of
// its own and runs the second pair of cases there.
void expect_winver_and_xcopy() {
    if (!path_exists(winver_path())) GTEST_SKIP() << "this sandbox has no winver.exe";
    EXPECT_EQ(windows_version_text(), "5.1.2600.0");
    EXPECT_EQ(windows_version(), 5.1);
    x_CopyCommand job;
    job.choose_tool();
    EXPECT_EQ(job.tool, "xcopy");
}

void expect_explorer_and_robocopy() {
    if (path_exists(winver_path())) GTEST_SKIP() << "needs a sandbox without winver.exe";
    EXPECT_EQ(windows_version_text(), "6.1.7601.17567");
    EXPECT_EQ(windows_version(), first_robocopy_version);
    x_CopyCommand job;
    job.choose_tool();
    EXPECT_EQ(job.tool, "robocopy");
}

TEST(WineVersionProbe, WinverGivesXcopy) { expect_winver_and_xcopy(); }
TEST(WineVersionProbe, ExplorerWithoutWinverGivesRobocopy) { expect_explorer_and_robocopy(); }

TEST(WineVersionProbeGermanLocale, WinverGivesXcopy) {
    x_DecimalCommaLocale german;
    if (!x_DecimalCommaLocale::active()) GTEST_SKIP() << "no locale with a decimal comma";
    expect_winver_and_xcopy();
}

TEST(WineVersionProbeGermanLocale, ExplorerWithoutWinverGivesRobocopy) {
    x_DecimalCommaLocale german;
    if (!x_DecimalCommaLocale::active()) GTEST_SKIP() << "no locale with a decimal comma";
    expect_explorer_and_robocopy();
}

}  // namespace

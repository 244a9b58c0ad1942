#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "copyjob/copy_command.h"
#include "support/fake_windows_version.h"
#include "support/job_surroundings.h"
#include "support/temp_tree.h"
#include "util/text_helpers.h"

namespace {

const std::string source = "C:\\100% Done";
const std::string destination = "F:\\a%b%c";
const std::string robocopy_switches = "/s /purge /fft /r:3 /w:5 /xo /xjd /xf mfc*.tmp Thumbs.db";

void switch_everything_off(x_CopyCommand& job) {
    job.set_subfolders(false);
    job.xc_newer_only = job.xc_folder_target = job.xc_no_prompt = false;
    job.xc_continue_after_errors = false;
    for (auto setter :
         {&x_CopyCommand::set_purge, &x_CopyCommand::set_fat_times, &x_CopyCommand::set_use_retries,
          &x_CopyCommand::set_use_wait, &x_CopyCommand::set_exclude_older,
          &x_CopyCommand::set_exclude_junction_dirs, &x_CopyCommand::set_use_exclude_files}) {
        (job.*setter)(false);
    }
}

// A job as the composer sees it, and the switches its line reads back as;
// "kept" when the line has no word after the destination.
struct x_Variant {
    const char* label;
    const char* tool;  // empty: chosen by the Windows version
    void (*adjust)(x_CopyCommand&);
    std::string switches;
};

std::vector<x_Variant> variants(bool robocopy_version) {
    const std::string chosen = robocopy_version ? robocopy_switches : "/s /d /i /y /c";
    return {
        {"robocopy", "robocopy", [](x_CopyCommand&) {}, robocopy_switches},
        {"robocopy list", "robocopy", [](x_CopyCommand& j) { j.set_list_only(true); },
         robocopy_switches + " /l"},
        {"robocopy bare", "robocopy", switch_everything_off, "kept"},
        {"xcopy", "xcopy", [](x_CopyCommand&) {}, "/s /d /i /y /c"},
        {"xcopy list", "xcopy", [](x_CopyCommand& j) { j.set_list_only(true); },
         "/s /d /i /y /c /l"},
        {"xcopy as written before /c", "xcopy",
         [](x_CopyCommand& j) { j.xc_continue_after_errors = false; }, "/s /d /i /y"},
        {"xcopy bare", "xcopy", switch_everything_off, "kept"},
        {"xcopy one switch", "xcopy",
         [](x_CopyCommand& j) {
             switch_everything_off(j);
             j.set_subfolders(true);
         },
         "/s"},
        {"no tool", "", [](x_CopyCommand&) {}, chosen},
    };
}

// The script as versions before the tool's status was kept wrote it.
std::string without_status_lines(std::string text) {
    for (const std::string line :
         {"@set shellbackup_status=%errorlevel%\r\n", "@exit /b %shellbackup_status%\r\n"}) {
        const std::size_t at = text.find(line);
        if (at != std::string::npos) text.erase(at, line.size());
    }
    return text;
}

class ReadScript : public ::testing::Test {
protected:
    std::string file(const std::string& name, const std::string& text) {
        return folder.make_file(name, text);
    }

    testing_support::x_TempTree folder;
};

TEST_F(ReadScript, EveryComposedScriptReadsBack) {
    for (const char* version : {"6.1.7601.17567", "5.1.2600.0"}) {
        testing_support::x_FakeWindowsVersion windows(version);
        for (const x_Variant& variant : variants(version[0] == '6')) {
            for (const bool pause : {false, true}) {
                SCOPED_TRACE(std::string(version) + " " + variant.label + (pause ? " pause" : ""));
                x_CopyCommand writer;
                writer.set_source(source);
                writer.set_destination(destination);
                writer.tool = variant.tool;
                writer.set_pause_at_end(pause);
                variant.adjust(writer);
                writer.compose_script();
                const std::string path = file("job.bat", writer.get_script_text());

                x_CopyCommand reader;
                reader.set_extra_switches("kept");
                ASSERT_TRUE(reader.read_script(path));
                EXPECT_EQ(reader.get_script_text(), writer.get_script_text());
                EXPECT_EQ(reader.get_tool(), writer.get_tool());
                EXPECT_EQ(reader.get_command_line(), trim(writer.build_command_line()));
                EXPECT_EQ(reader.get_source(), source);
                EXPECT_EQ(reader.get_destination(), destination);
                EXPECT_EQ(reader.get_extra_switches(), variant.switches);

                x_CopyCommand older;
                older.set_extra_switches("kept");
                ASSERT_TRUE(older.read_script(
                    file("older.bat", without_status_lines(writer.get_script_text()))));
                EXPECT_EQ(older.get_command_line(), reader.get_command_line());
                EXPECT_EQ(older.get_source(), source);
                EXPECT_EQ(older.get_destination(), destination);
                EXPECT_EQ(older.get_extra_switches(), variant.switches);
            }
        }
    }
}

TEST_F(ReadScript, CopyLinesFoundByTheirFirstWord) {
    const std::string path = file("lines.bat",
                                  "rem\trobocopy\tC:\\Data\r\n"
                                  "REM robocopy \"C:\\a\" \"D:\\b\" /s\r\n"
                                  "@xcopy \"C:\\c\" \"D:\\d\"\r\n"
                                  " \t robocopy \"C:\\x  y\" 'D:\\z' /mir   /xx \r\n");
    x_CopyCommand job;
    ASSERT_TRUE(job.read_script(path));
    EXPECT_EQ(job.tool, "robocopy");
    EXPECT_EQ(job.get_command_line(), "robocopy \"C:\\x  y\" 'D:\\z' /mir   /xx");
    EXPECT_EQ(job.get_source(), "C:\\x  y");
    EXPECT_EQ(job.get_destination(), "D:\\z");
    EXPECT_EQ(job.get_extra_switches(), "/mir /xx");
}

TEST_F(ReadScript, TwoCopyLinesLeaveToolAndLineButDescribeTheFirst) {
    const std::string path = file("two.bat",
                                  "XCOPY.EXE   \"C:\\a\" \"D:\\b\" /e\r\n"
                                  "robocopy \"C:\\c\" \"D:\\d\" /s /mir\r\n");
    x_CopyCommand job;
    job.use_robocopy();
    job.set_extra_switches("/old");
    ASSERT_TRUE(job.read_script(path));
    EXPECT_EQ(job.tool, "robocopy");
    EXPECT_EQ(job.get_command_line(), "");
    EXPECT_EQ(job.get_source(), "C:\\a");
    EXPECT_EQ(job.get_destination(), "D:\\b");
    EXPECT_EQ(job.get_extra_switches(), "/e");

    // Reading again replaces the switches rather than adding to them.
    ASSERT_TRUE(job.read_script(path));
    EXPECT_EQ(job.get_extra_switches(), "/e");
}

TEST_F(ReadScript, NoCopyLineChangesOnlyTheScriptText) {
    x_CopyCommand job;
    job.script_text = "earlier";
    job.set_source("C:\\kept");
    EXPECT_FALSE(job.read_script(folder.path("missing.bat")));
    EXPECT_EQ(job.get_script_text(), "");

    const std::string text = "rem robocopy\r\necho xcopy\r\n";
    EXPECT_FALSE(job.read_script(file("none.bat", text)));
    EXPECT_EQ(job.get_script_text(), text);
    EXPECT_EQ(job.get_source(), "C:\\kept");
    EXPECT_EQ(job.tool, "");
}

// A job read back runs the script as it was read, composing nothing.
TEST(ReadScriptAndExecute, ReadTextIsWrittenAndRunUnchanged) {
    testing_support::x_JobSurroundings surroundings("6.1.7601.17567");
    const std::string text =
        "rem\txcopy\tC:\\Data\r\ncd /d %Temp%\r\nxcopy   \"C:\\Data\" \"E:\\x\"\r\n";
    const std::string path = surroundings.temp.make_file("old.bat", text);
    x_CopyCommand job;
    ASSERT_TRUE(job.read_script(path));
    job.execute(0, true);
    const std::string script = surroundings.script_path(job.script_file_name());
    EXPECT_EQ(testing_support::x_TempTree::content(script), text);
    EXPECT_EQ(surroundings.process.commands, std::vector<std::string>{script});
}

// A drive root is written with two backslashes before its closing quote;
// it reads back as the root, and composes to the same line again.
TEST_F(ReadScript, DriveRootReadsBackAsTheRoot) {
    testing_support::x_FakeWindowsVersion version("5.1.2600.0");
    x_CopyCommand job;
    job.use_xcopy();
    job.set_source("D:\\");
    job.set_destination("E:\\_Backup_");
    job.compose_script();
    x_CopyCommand read;
    ASSERT_TRUE(read.read_script(file("root.bat", job.script_text)));
    EXPECT_EQ(read.get_source(), "D:\\");
    EXPECT_EQ(read.get_destination(), "E:\\_Backup_\\D");
    read.set_destination("E:\\_Backup_");
    EXPECT_EQ(read.build_command_line(), job.build_command_line());
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "copyjob/copy_command.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "support/code_page_932_fixture.h"
#include "support/job_surroundings.h"

namespace {

using testing_support::x_JobSurroundings;
using testing_support::x_TempTree;

x_CopyCommand job_for(const std::string& source) {
    x_CopyCommand job;
    job.set_source(source);
    job.set_destination("E:\\_Backup_");
    return job;
}

std::string script_name_for(const std::string& folder_name) {
    return "___C__Users_ann_" + folder_name + "_E___Backup__.bat";
}

TEST(Execute, NewJobIsComposedOnACopyAndStaysAsItWas) {
    x_JobSurroundings surroundings("5.1.2600.0");
    x_CopyCommand job = job_for("C:\\Users\\ann\\Data");
    EXPECT_TRUE(job.execute(1, true));

    const std::string script = x_JobSurroundings::script_path(script_name_for("Data"));
    EXPECT_EQ(surroundings.process.commands, std::vector<std::string>{script});
    EXPECT_EQ(x_TempTree::content(script).rfind("rem\txcopy\tC:\\Users\\ann\\Data\r\n", 0), 0u);
    EXPECT_EQ(job.tool, "");
    EXPECT_EQ(job.script_text, "");
}

// A script read back from a file is already in the interpreter's code page:
// neither composed again nor converted.
TEST(Execute, ScriptTextThatIsSetIsWrittenByteForByte) {
    x_JobSurroundings surroundings("5.1.2600.0");
    x_CopyCommand job = job_for("C:\\Users\\ann\\Data");
    job.use_xcopy();
    job.script_text = "rem \x82\xE9\x95\x5C\r\nxcopy \"C:\\Caf\x82\" \"E:\\x\"\r\n";
    job.execute(1, true);
    const std::string script =
        x_JobSurroundings::script_path("xc_C__Users_ann_Data_E___Backup__sdiy.bat");
    EXPECT_EQ(x_TempTree::content(script), job.script_text);
    EXPECT_EQ(surroundings.process.commands.size(), 1u);
}

// A temporary folder below a user name with a blank (or an ampersand, a
// caret, parentheses) must still reach the interpreter as one path.
TEST(Execute, ScriptPathIsQuotedForTheInterpreterWhenItHasToBe) {
    x_JobSurroundings surroundings("5.1.2600.0");
    for (const std::string folder : {"plain", "Ann Lee", "Tom&Jerry", "a^b", "x (1)", "1;2,3=4"}) {
        surroundings.process.temp = surroundings.temp.make_folder(folder) + "\\";
        surroundings.process.commands.clear();
        job_for("C:\\Users\\ann\\Data").execute(1, true);

        const std::string script = x_JobSurroundings::script_path(script_name_for("Data"));
        EXPECT_TRUE(x_TempTree::exists(script)) << script;
        const std::string expected = folder == "plain" ? script : "\"\"" + script + "\"\"";
        EXPECT_EQ(surroundings.process.commands, std::vector<std::string>{expected});
    }
}

TEST(Execute, ShellRunsTheScriptWithoutTheInterpreterWhenAskedTo) {
    x_JobSurroundings surroundings("5.1.2600.0");
    job_for("C:\\Users\\ann\\Data").execute(0, false);
    ASSERT_EQ(surroundings.shell.launches.size(), 1u);
    EXPECT_EQ(surroundings.shell.launches[0].file,
              x_JobSurroundings::script_path(script_name_for("Data")));
    EXPECT_EQ(surroundings.shell.launches[0].show_command, 0);
    EXPECT_TRUE(surroundings.process.commands.empty());
}

bool western_code_pages() {
    const unsigned oem = platform::code_page().oem_code_page();
    return platform::code_page().ansi_code_page() == 1252 && (oem == 437 || oem == 850);
}

std::string trace_text(const x_TempTree& temp) {
    const std::string folder = temp.path("v_Urivu.tmp\\_trace_\\QX");
    std::vector<platform::x_FindEntry> entries;
    platform::files().find_entries(folder + "\\*.txt", entries);
    std::string text;
    for (const auto& entry : entries) text += x_TempTree::content(folder + "\\" + entry.name);
    return text;
}

// The interpreter reads the script in the OEM code page: e with acute
// accent is 0xE9 in the ANSI page and 0x82 in both Western OEM pages.
// A name the OEM page cannot hold is not approximated (S with caron as S
// would copy a folder "Safe" in place of its own) and not run at all.
TEST(Execute, ComposedScriptIsWrittenInTheInterpretersCodePage) {
    if (!western_code_pages()) GTEST_SKIP() << "needs ANSI code page 1252 with OEM 437 or 850";
    x_JobSurroundings surroundings("5.1.2600.0");
    job_for("C:\\Users\\ann\\Caf\xE9").execute(1, true);
    const std::string text =
        x_TempTree::content(x_JobSurroundings::script_path(script_name_for("Caf\xE9")));
    EXPECT_NE(
        text.find("xcopy \"C:\\Users\\ann\\Caf\x82\" \"E:\\_Backup_\\C\\Users\\ann\\Caf\x82\""),
        std::string::npos)
        << text;
    EXPECT_EQ(text.find('\xE9'), std::string::npos);

    surroundings.process.commands.clear();
    job_for(
        "C:\\Users\\ann\\\x8A"
        "afe")
        .execute(1, true);
    EXPECT_TRUE(surroundings.process.commands.empty());
    EXPECT_FALSE(
        x_TempTree::exists(x_JobSurroundings::script_path(script_name_for("\x8A"
                                                                          "afe"))));
    EXPECT_NE(trace_text(surroundings.temp).find("cannot hold"), std::string::npos);
}

class ExecuteCodePage932 : public testing_support::x_CodePage932Test {};

// Both pages are 932: the second byte 0x5C of the last character must
// neither be converted nor taken for a separator.
TEST_F(ExecuteCodePage932, DoubleByteFolderNameIsWrittenUnchanged) {
    x_JobSurroundings surroundings("5.1.2600.0");
    const std::string folder = "\x83\x66\x81\x5B\x83\x5E" + testing_support::hyo;
    job_for("C:\\Users\\ann\\" + folder).execute(1, true);
    const std::string text =
        x_TempTree::content(x_JobSurroundings::script_path(script_name_for(folder)));
    EXPECT_NE(text.find("\"C:\\Users\\ann\\" + folder + "\" \"E:\\_Backup_\\C\\Users\\ann\\" +
                        folder + "\""),
              std::string::npos)
        << text;
    EXPECT_EQ(surroundings.process.commands.size(), 1u);
}

}  // namespace

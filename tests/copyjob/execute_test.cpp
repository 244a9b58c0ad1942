#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "compose/backup_paths.h"
#include "copyjob/copy_command.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "support/code_page_932_fixture.h"
#include "shell/shell_folders.h"
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

// A script text that is set is written as it is, composing nothing, in
// the interpreter's code page like a composed one.
TEST(Execute, ScriptTextThatIsSetIsWrittenWithoutComposing) {
    x_JobSurroundings surroundings("5.1.2600.0");
    x_CopyCommand job = job_for("C:\\Users\\ann\\Data");
    job.use_xcopy();
    job.script_text = "rem old\r\nxcopy \"C:\\Old\" \"E:\\x\"\r\n";
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

// A quote or a line break would end the path's word or its line, and the
// rest of the path would run as commands.
TEST(Execute, PathThatWouldBreakOutOfItsWordIsNotRun) {
    x_JobSurroundings surroundings("5.1.2600.0");
    testing_app::x_CapturedConsole console;
    platform::x_Substitute<platform::x_ConsoleService> console_guard(console);
    for (const char* source : {"C:\\a\" & del /q E:\\x & \"", "C:\\a\r\ndel /q E:\\x"}) {
        job_for(source).execute(1, true);
    }
    EXPECT_TRUE(surroundings.process.commands.empty());
    EXPECT_NE(console.err.find("- its path holds a double quote"), std::string::npos)
        << console.err;
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

// The interpreter reads the script in the OEM code page: e with acute
// accent is 0xE9 in the ANSI page and 0x82 in both Western OEM pages.
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

namespace {

// A German Windows: ANSI 1252, OEM 850 (e with acute accent: 0xE9, 0x82),
// and the console's page as chcp left it (0: no console).
class x_GermanPages : public platform::x_CodePageService {
public:
    unsigned ansi_code_page() override { return 1252; }
    unsigned oem_code_page() override { return 850; }
    unsigned system_oem_code_page() override { return 850; }
    unsigned console_output_code_page() override { return console; }
    unsigned console = 0;
};

class ExecuteCodePages : public ::testing::Test {
protected:
    ExecuteCodePages() : pages_guard_(pages), console_guard_(console) {}

    std::string script_of(const std::string& folder_name) const {
        return x_TempTree::content(x_JobSurroundings::script_path(script_name_for(folder_name)));
    }

    x_GermanPages pages;
    testing_app::x_CapturedConsole console;
    x_JobSurroundings surroundings{"5.1.2600.0"};

private:
    platform::x_Substitute<platform::x_CodePageService> pages_guard_;
    platform::x_Substitute<platform::x_ConsoleService> console_guard_;
};

// The one line that says a folder was not backed up (the executable-path
// notices may stand beside it).
std::string report_line(const std::string& err) {
    const std::size_t start = err.find("Not backed up: ");
    if (start == std::string::npos) return std::string();
    const std::size_t end = err.find('\n', start);
    EXPECT_EQ(err.find("Not backed up: ", start + 1), std::string::npos) << err;
    return err.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

const std::string cafe = "C:\\Users\\ann\\Caf\xE9";
const std::string oem_line =
    "xcopy \"C:\\Users\\ann\\Caf\x82\" \"E:\\_Backup_\\C\\Users\\ann\\Caf\x82\" /s /d /i /y /c\r\n";

// The job's script text holds the program's own code page whether it was
// composed or read back; either way the file gets the interpreter's bytes,
// and a script read back is written as it was read.
TEST_F(ExecuteCodePages, ComposedAndReadBackScriptsAgreeOnTheBytes) {
    x_CopyCommand composed = job_for(cafe);
    composed.compose_script();
    EXPECT_NE(composed.script_text.find("Caf\xE9\" "), std::string::npos);
    composed.execute(1, true);
    const std::string script = x_JobSurroundings::script_path(composed.script_file_name());
    const std::string written = x_TempTree::content(script);
    EXPECT_NE(written.find(oem_line), std::string::npos) << written;
    EXPECT_EQ(written.find('\xE9'), std::string::npos);

    x_CopyCommand read;
    ASSERT_TRUE(read.read_script(script));
    EXPECT_EQ(read.script_text, composed.script_text);
    EXPECT_EQ(read.get_source(), cafe);
    read.execute(1, true);
    EXPECT_EQ(x_TempTree::content(x_JobSurroundings::script_path(read.script_file_name())),
              written);
    EXPECT_EQ(surroundings.process.commands.size(), 2u);
}

// A character of the interpreter's page that the ANSI page lacks (a box of
// page 850): converted as if the script held the ANSI page, the line would
// name another folder.
TEST_F(ExecuteCodePages, ScriptReadBackIsWrittenWithTheBytesItWasReadFrom) {
    const std::string bytes = "rem\r\nxcopy \"C:\\Users\\ann\\Box\xB0\" \"E:\\x\" /s /d\r\n";
    x_CopyCommand job;
    ASSERT_TRUE(job.read_script(surroundings.temp.make_file("old.bat", bytes)));
    job.execute(1, true);
    EXPECT_EQ(x_TempTree::content(x_JobSurroundings::script_path(job.script_file_name())), bytes);
}

// The interpreter reads in the page that chcp set for the console.
TEST_F(ExecuteCodePages, ConsolePageWinsOverTheOemPage) {
    pages.console = 1252;
    job_for(cafe).execute(1, true);
    EXPECT_NE(script_of("Caf\xE9").find("\"C:\\Users\\ann\\Caf\xE9\""), std::string::npos);
    pages.console = 65001;
    job_for(cafe).execute(1, true);
    EXPECT_NE(script_of("Caf\xE9").find("\"C:\\Users\\ann\\Caf\xC3\xA9\""), std::string::npos);
    EXPECT_EQ(surroundings.process.commands.size(), 2u);
}

// A name the console's page cannot hold is never approximated (S with
// caron as S would copy a folder "Safe" in place of its own): the copy line
// names both folders by variables, which the script sets from files named
// after them beside it. Short names play no part.
TEST_F(ExecuteCodePages, NameTheConsoleCannotHoldIsNamedByAFileBesideTheScript) {
    const std::string source = "C:\\Users\\\x8A\xE1rka #1";
    x_CopyCommand job = job_for(source);
    job.use_xcopy();
    job.execute(1, true);

    ASSERT_EQ(surroundings.process.commands.size(), 1u) << console.err;
    const std::string path = surroundings.process.commands[0];
    const std::string script = x_TempTree::content(path);
    EXPECT_NE(
        script.find("\r\nxcopy \"%shellbackup_from%\" \"%shellbackup_to%\" /s /d /i /y /c\r\n"),
        std::string::npos)
        << script;
    // The header's comment shows the name as the console can (S, or "?").
    EXPECT_NE(script.find("\xA0rka #1\r\nrem"), std::string::npos) << script;
    EXPECT_EQ(script.find('\x8A'), std::string::npos);
    EXPECT_EQ(console.err.find("Not backed up"), std::string::npos) << console.err;
    const std::size_t id = script.find("names\\");
    ASSERT_NE(id, std::string::npos);
    const std::string names = dir_part(path) + "\\" + script.substr(id, 22);
    const std::string from_name = names + "\\from\\C#c#sUsers#s\x8A\xE1rka#b#h1";
    const std::string to_name = names + "\\to\\E#c#s_Backup_#sC#sUsers#s\x8A\xE1rka#b#h1";
    EXPECT_TRUE(x_TempTree::exists(from_name));
    EXPECT_TRUE(x_TempTree::exists(to_name));

    // Composed beforehand, the job goes the same way; read back, it knows
    // its folders and runs as it was written.
    x_CopyCommand composed(job);
    composed.compose_script();
    composed.execute(1, true);
    ASSERT_EQ(surroundings.process.commands.size(), 2u) << console.err;
    EXPECT_EQ(x_TempTree::content(surroundings.process.commands[1]), script);
    x_CopyCommand read;
    ASSERT_TRUE(read.read_script(path));
    EXPECT_EQ(read.get_source(), source);
    EXPECT_EQ(read.get_destination(), "E:\\_Backup_\\C\\Users\\\x8A\xE1rka #1");

    // Read by a name relative to the current folder, and executed where
    // its names are gone: they are written beside the script again.
    surroundings.process.current = dir_part(path);
    x_CopyCommand relative;
    ASSERT_TRUE(relative.read_script(file_name(path)));
    EXPECT_EQ(relative.get_source(), source);
    x_TempTree::remove_tree(names);
    EXPECT_TRUE(relative.execute(1, true));
    EXPECT_TRUE(x_TempTree::exists(from_name) && x_TempTree::exists(to_name));
    EXPECT_EQ(surroundings.process.commands.size(), 3u);

    // Found without them, it names no folder; executed, it is refused.
    x_TempTree::remove_tree(names);
    x_CopyCommand orphan;
    EXPECT_FALSE(orphan.read_script(path));
    EXPECT_FALSE(orphan.execute(1, true));
    EXPECT_NE(report_line(console.err).find("not found beside the script"), std::string::npos)
        << console.err;
    EXPECT_EQ(surroundings.process.commands.size(), 3u);
}

// A percent sign never travels in a variable, since Wine's interpreter
// expands a value once more ("..%\..%" would climb): it stands doubled
// between the variables. A long path goes in pieces whose names stay short
// enough for the interpreter to reach. Read back, both paths come whole.
TEST_F(ExecuteCodePages, NamedPathsGoInPiecesWithoutPercentSigns) {
    const std::string folders = std::string(60, 'x') + "\\" + std::string(60, 'y') + "\\z.";
    const std::string source = "C:\\Users\\\x8A\\" + folders + "\\a\\..\\..";
    x_CopyCommand job = job_for(source);
    job.use_xcopy();
    EXPECT_TRUE(job.execute(1, true));
    ASSERT_EQ(surroundings.process.commands.size(), 1u) << console.err;
    const std::string script = x_TempTree::content(surroundings.process.commands[0]);
    EXPECT_NE(script.find(" \"%shellbackup_from%%shellbackup_from2%\" "), std::string::npos)
        << script;
    EXPECT_NE(script.find("%shellbackup_to3%%%%shellbackup_to4%%%\" /s"), std::string::npos)
        << script;

    x_CopyCommand read;
    ASSERT_TRUE(read.read_script(surroundings.process.commands[0]));
    EXPECT_EQ(read.get_source(), source);
    EXPECT_EQ(read.get_destination(), "E:\\_Backup_\\C\\Users\\\x8A\\" + folders + "\\a\\..%\\..%");
}

// %NAME% in the path handed to the interpreter is replaced when the
// variable is set; the script then runs from the fallback scratch folder.
class x_VariableInTemp : public testing_app::x_QuietProcess {
public:
    std::string env_value(const std::string& name) override {
        return name == "HOMEPATH" ? "\\Users\\ann" : testing_app::x_QuietProcess::env_value(name);
    }
};

TEST(ExecuteScratchFolder, PathNamingAVariableRunsFromTheFallback) {
    x_JobSurroundings surroundings("5.1.2600.0");
    testing_app::x_CapturedConsole console;
    platform::x_Substitute<platform::x_ConsoleService> console_guard(console);
    x_VariableInTemp process;
    platform::x_Substitute<platform::x_ProcessService> guard(process);
    surroundings.shell.paths[csidl_common_documents] = surroundings.temp.make_folder("Public");

    for (const char* unchanged : {"100% sure", "%NOT_SET_ANYWHERE%", "50%%"}) {
        process.temp = surroundings.temp.make_folder(unchanged) + "\\";
        job_for("C:\\Users\\ann\\Data").execute(1, true);
        ASSERT_FALSE(process.commands.empty());
        EXPECT_NE(process.commands.back().find(unchanged), std::string::npos);
    }
    process.temp = surroundings.temp.make_folder("a%HOMEPATH%b") + "\\";
    job_for("C:\\Users\\ann\\Data").execute(1, true);
    const std::string fallback = fallback_scratch_folder();
    EXPECT_EQ(fallback.rfind(surroundings.temp.path("Public\\Temp\\Temp\\v_Urivu.tmp\\"), 0), 0u);
    EXPECT_EQ(process.commands.back(), fallback + script_name_for("Data"));
    EXPECT_TRUE(x_TempTree::exists(process.commands.back()));

    // A fallback that names a variable as well: nothing to run, and said.
    const std::size_t runs = process.commands.size();
    surroundings.shell.paths[csidl_common_documents] = surroundings.temp.make_folder("%HOMEPATH%");
    job_for("C:\\Users\\ann\\Data").execute(1, true);
    EXPECT_EQ(process.commands.size(), runs);
    EXPECT_EQ(report_line(console.err).rfind("Not backed up: C:\\Users\\ann\\Data - ", 0), 0u)
        << console.err;
    EXPECT_TRUE(console.out.empty());
}

}  // namespace

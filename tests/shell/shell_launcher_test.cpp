#include "shell/shell_launcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/files.h"
#include "platform/shell.h"
#include "support/trace_surroundings.h"

using testing_support::x_TraceSurroundings;

namespace {

// What the shell was asked; absent values are nullopt.
struct x_ShellCall {
    std::optional<std::string> verb, file, parameters, folder;
    int show = -1;
};

std::optional<std::string> text_of(const char* value) {
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

class x_FakeShell : public platform::x_ShellService {
public:
    bool folder_path_function_available() override { return true; }
    std::string folder_path_by_function(int csidl, bool) override { return folders[csidl]; }
    std::string folder_path_by_id_list(int csidl) override { return folders[csidl]; }
    std::intptr_t execute(const char* verb, const char* file, const char* parameters,
                          const char* folder, int show_command) override {
        calls.push_back(
            {text_of(verb), text_of(file), text_of(parameters), text_of(folder), show_command});
        return result;
    }

    std::map<int, std::string> folders;
    std::vector<x_ShellCall> calls;
    std::intptr_t result = 42;
};

// A file system that holds exactly the listed paths, as files.
class x_FakeFiles : public platform::x_FileService {
public:
    int status(const std::string& path, platform::x_StatRecord& record) override {
        record = platform::x_StatRecord{};
        if (existing.count(path) == 0) return ENOENT;
        record.mode = platform::mode_file;
        return 0;
    }
    bool access_exists(const std::string& path) override { return existing.count(path) != 0; }

    std::set<std::string> existing;
};

class ShellLauncher : public ::testing::Test {
protected:
    ShellLauncher() : shell_guard(shell) {
        shell.folders = {{38, "P:\\Apps"}, {36, "W:\\Win"}, {37, "S:\\Sys"}};
    }

    x_FakeShell shell;
    platform::x_Substitute<platform::x_ShellService> shell_guard;
};

// Program search and set_file run against a file system of listed paths.
class ProgramSearch : public ShellLauncher {
protected:
    ProgramSearch() : files_guard(files) {}

    std::string located(const std::string& name, std::set<std::string> existing) {
        files.existing = std::move(existing);
        return locate_program(name);
    }

    x_FakeFiles files;
    platform::x_Substitute<platform::x_FileService> files_guard;
};

}  // namespace

TEST_F(ShellLauncher, PassesAbsentValuesAsNullAndSetEmptyTextsAsEmpty) {
    x_ShellLauncher launcher;
    EXPECT_TRUE(launcher.execute());
    launcher.set_parameters("C:\\Data");
    EXPECT_TRUE(launcher.execute());
    launcher.set_show(0);
    launcher.set_verb("");
    launcher.set_file("C:\\missing\\tool.exe");
    launcher.set_parameters("");
    EXPECT_TRUE(launcher.execute());

    ASSERT_EQ(shell.calls.size(), 3u);
    const x_ShellCall& fresh = shell.calls[0];
    EXPECT_FALSE(fresh.verb || fresh.file || fresh.parameters || fresh.folder);
    EXPECT_EQ(fresh.show, 1);
    // Without a file the parameters name what to open.
    EXPECT_EQ(shell.calls[1].file, "C:\\Data");
    EXPECT_FALSE(shell.calls[1].parameters);
    const x_ShellCall& full = shell.calls[2];
    EXPECT_EQ(full.verb, "");
    EXPECT_EQ(full.file, "C:\\missing\\tool.exe");
    EXPECT_EQ(full.parameters, "");
    EXPECT_FALSE(full.folder);
    EXPECT_EQ(full.show, 0);
}

TEST_F(ShellLauncher, CopiesCarryTheirOwnTexts) {
    x_ShellLauncher copy;
    {
        x_ShellLauncher original;
        original.set_verb("print");
        original.set_parameters(std::string(300, 'p'));
        x_ShellLauncher constructed(original);
        copy = original;
        original.set_verb("edit");
        constructed.execute();
    }
    copy.execute();
    ASSERT_EQ(shell.calls.size(), 2u);
    for (const x_ShellCall& call : shell.calls) {
        EXPECT_EQ(call.verb, "print");
        EXPECT_EQ(call.file, std::string(300, 'p'));
    }
}

// Each refusal is one entry: the shell's reason, then what was asked for.
// The codes the shell documents each have a reason of their own; any other
// code names the file and the parameters instead. An accepted launch, a
// code above 32 read as unsigned, writes nothing.
TEST_F(ShellLauncher, EachRefusalIsOneEntryWithItsReasonAndWhatWasAsked) {
    x_TraceSurroundings at;
    x_ShellLauncher launcher;
    launcher.set_verb("open");
    launcher.set_file("C:\\no such\\job.bat");
    launcher.set_parameters("/c \"x\"");
    // The message's line feeds each become one tab in the entry.
    const std::string asked =
        "\tOperation=\"open\"\tFile=\"C:\\no such\\job.bat\"\tParamaters=\"/c \"x\"\"";
    const std::string prefix = "2024/01/31 17:05:09\tshellbackup.exe\t";
    std::map<std::string, std::set<int>> codes_by_reason;
    for (int code = 0; code <= 32; ++code) {
        shell.result = code;
        EXPECT_FALSE(launcher.execute()) << code;
        const std::string line = at.last_line("0131_17");
        ASSERT_EQ(line.rfind(prefix, 0), 0u) << code;
        ASSERT_GE(line.size(), prefix.size() + asked.size()) << code;
        EXPECT_EQ(line.substr(line.size() - asked.size()), asked) << code;
        codes_by_reason[line.substr(prefix.size(), line.size() - prefix.size() - asked.size())]
            .insert(code);
    }
    const std::string log = testing_support::x_TempTree::content(at.hour_file("0131_17"));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1 + 33);  // header and entries

    const std::set<int> documented = {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32};
    const std::string fallback = "Error\tC:\\no such\\job.bat\t/c \"x\"";
    ASSERT_EQ(codes_by_reason.size(), documented.size() + 1);
    for (const auto& [reason, codes] : codes_by_reason) {
        if (reason == fallback) {
            EXPECT_EQ(codes.size(), 33 - documented.size());
            for (const int code : codes) EXPECT_EQ(documented.count(code), 0u) << code;
        } else {
            ASSERT_EQ(codes.size(), 1u) << reason;
            EXPECT_EQ(documented.count(*codes.begin()), 1u) << reason;
            EXPECT_EQ(reason.back(), '.') << reason;
        }
    }
    // The two refusals that a script launch meets in practice.
    EXPECT_EQ(*codes_by_reason["The specified file was not found."].begin(), 2);
    EXPECT_EQ(*codes_by_reason["The specified path was not found."].begin(), 3);

    for (const std::intptr_t code : {std::intptr_t{33}, std::intptr_t{42}, std::intptr_t{-1}}) {
        shell.result = code;
        EXPECT_TRUE(launcher.execute()) << code;
    }
    EXPECT_EQ(testing_support::x_TempTree::content(at.hour_file("0131_17")), log);
}

// The real shell: a script that is not there is refused with code 2.
TEST(ShellLauncherReal, MissingScriptLeavesFourLinesAsOneEntry) {
    x_TraceSurroundings at;
    const std::string script = at.folder() + "job.bat";
    x_ShellLauncher launcher;
    launcher.set_file(script);
    EXPECT_FALSE(launcher.execute());
    EXPECT_EQ(at.last_line("0131_17"),
              "2024/01/31 17:05:09\tshellbackup.exe\tThe specified file was not found."
              "\tOperation=\"\"\tFile=\"" +
                  script + "\"\tParamaters=\"\"");
}

TEST_F(ProgramSearch, ProgramFoldersComeFirstThenTheWindowsAndSystemFolders) {
    EXPECT_EQ(located("tool.exe", {"tool.exe", "P:\\Apps\\tool.exe"}), "tool.exe");
    EXPECT_EQ(located("tool.exe",
                      {"P:\\Apps\\tool.exe", "C:\\Program Files\\tool.exe", "W:\\Win\\tool.exe"}),
              "P:\\Apps\\tool.exe");
    EXPECT_EQ(located("tool.exe", {"C:\\Program Files\\tool.exe",
                                   "C:\\Program Files (x86)\\tool.exe", "W:\\Win\\tool.exe"}),
              "C:\\Program Files\\tool.exe");
    EXPECT_EQ(located("tool.exe", {"C:\\Program Files (x86)\\tool.exe", "S:\\Sys\\tool.exe"}),
              "C:\\Program Files (x86)\\tool.exe");
    EXPECT_EQ(located("Vendor\\Tool.EXE", {"W:\\Win\\Tool.EXE", "S:\\Sys\\Tool.EXE"}),
              "W:\\Win\\Tool.EXE");
    EXPECT_EQ(located("tool.exe", {"S:\\Sys\\tool.exe"}), "S:\\Sys\\tool.exe");
}

TEST_F(ProgramSearch, NamesFoundNowhereComeBackUnchanged) {
    EXPECT_EQ(located("notes.txt", {"W:\\Win\\notes.txt", "S:\\Sys\\notes.txt"}), "notes.txt");
    EXPECT_EQ(located("tool.exe", {}), "tool.exe");
    EXPECT_EQ(located("", {"P:\\Apps", "C:\\Program Files"}), "");
    shell.folders.clear();
    EXPECT_EQ(located("tool.exe", {"W:\\Win\\tool.exe"}), "tool.exe");
}

TEST_F(ProgramSearch, SetFileKeepsAnExistingPathAsPassed) {
    files.existing = {"C:\\dir\\sub", "\\\\server\\share\\x.bat", "P:\\Apps\\x.bat"};
    x_ShellLauncher launcher;
    launcher.set_file("C:/dir/sub/");
    launcher.execute();
    launcher.set_file("\\\\server\\share\\x.bat");
    launcher.execute();
    launcher.set_file("x.bat");
    launcher.execute();
    ASSERT_EQ(shell.calls.size(), 3u);
    EXPECT_EQ(shell.calls[0].file, "C:/dir/sub/");
    EXPECT_EQ(shell.calls[1].file, "\\\\server\\share\\x.bat");
    EXPECT_EQ(shell.calls[2].file, "P:\\Apps\\x.bat");
}

TEST_F(ProgramSearch, ExploreOpensTheFolderWithTheLocatedExplorer) {
    files.existing = {"W:\\Win\\explorer.exe", "S:\\Sys\\explorer.exe"};
    x_ShellLauncher launcher;
    launcher.set_verb("open");
    EXPECT_TRUE(launcher.explore("D:\\Data"));
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].verb, "open");
    EXPECT_EQ(shell.calls[0].file, "W:\\Win\\explorer.exe");
    EXPECT_EQ(shell.calls[0].parameters, "D:\\Data");
}

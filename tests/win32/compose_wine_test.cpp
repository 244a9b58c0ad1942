#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "compose/script_code_page.h"
#include "copyjob/copy_command.h"
#include "platform/files.h"
#include "platform/process.h"
#include "util/environment.h"
#include "util/paths.h"

namespace {

namespace fs = std::filesystem;

// Composes an xcopy script for source and destination, runs it through the
// command interpreter and answers the text of the file that arrived.
std::string copied_through_script(const fs::path& source, const fs::path& destination) {
    x_CopyCommand job;
    job.use_xcopy();
    job.set_source(source.string());
    job.set_destination(destination.string());
    job.compose_script();
    const std::string script = source.parent_path().string() + "\\copy.bat";
    std::ofstream(script, std::ios::binary) << job.get_script_text();
    platform::process().run_command("\"" + script + "\" >nul 2>&1");
    std::string text;
    std::getline(std::ifstream(destination / "kept.txt"), text);
    return text;
}

// The interpreter must hand folders with percent signs to the copy tool as
// they are named: expanded, "a%b%c" would name the decoy folder "ac".
TEST(WineBatchScript, FoldersWithPercentSignsAreCopiedAsNamed) {
    const fs::path root = fs::path(add_trailing_separator(temp_folder())) / "compose_percent";
    fs::remove_all(root);
    for (const char* name : {"100% Done", "a%b%c", "ac"}) {
        fs::create_directories(root / name);
        std::ofstream(root / name / "kept.txt") << name;
    }
    EXPECT_EQ(copied_through_script(root / "100% Done", root / "out%1"), "100% Done");
    EXPECT_EQ(copied_through_script(root / "a%b%c", root / "out%b%2"), "a%b%c");
    EXPECT_FALSE(fs::exists(root / "out2"));
    fs::remove_all(root);
}

// A kept script that names its folders by the names kept beside it (O E
// ligature: code page 1252 has it, the console's 437 does not), read back
// from where it was kept and executed: the names go beside the script it
// writes, and the copy is made again. The folder is made through the
// program's narrow calls, which name it in its code page.
TEST(WineBatchScript, KeptScriptNamingItsFoldersByVariablesCopiesAgain) {
    const fs::path root = fs::path(add_trailing_separator(temp_folder())) / "compose_named";
    fs::remove_all(root);
    const std::string source = root.string() + "\\\x8Cuvre";
    const std::string copied = root.string() + "\\out\\kept.txt";
    ASSERT_FALSE(to_interpreter_code_page(source).has_value());
    ASSERT_TRUE(create_folders(source));
    platform::files().close_file(platform::files().open_file(source + "\\kept.txt", "wb"));
    x_CopyCommand job;
    job.use_xcopy();
    job.set_source(source);
    job.set_destination((root / "out").string());
    ASSERT_TRUE(job.execute(1, true));
    ASSERT_TRUE(path_exists(copied));

    const std::string scratch = scratch_folder();
    fs::create_directories(root / "kept");
    ASSERT_TRUE(platform::files().copy_file(scratch + job.script_file_name(),
                                            (root / "kept" / "copy.bat").string(), true));
    fs::copy(scratch + "names", root / "kept" / "names", fs::copy_options::recursive);
    fs::remove_all(scratch + "names");
    fs::remove_all(root / "out");
    x_CopyCommand read;
    ASSERT_TRUE(read.read_script((root / "kept" / "copy.bat").string()));
    EXPECT_EQ(read.get_source(), source);
    EXPECT_TRUE(read.execute(1, true));
    EXPECT_TRUE(path_exists(copied));
    fs::remove_all(root);
}

}  // namespace

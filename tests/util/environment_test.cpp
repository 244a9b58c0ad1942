#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

#include "app/arguments.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/version.h"
#include "util/environment.h"
#include "util/time_stamps.h"
#include "tests/support/error_capture.h"

namespace {

using testing_support::x_ErrorCapture;

const char* const public_documents = "C:\\Users\\Public\\Documents";
const char* const executable = "C:\\apps\\tool.exe";

class x_ArrangedProcess : public platform::x_ProcessService {
public:
    std::vector<std::string> runtime_arguments() override { return {}; }
    std::string module_file_name() override { return module; }
    std::string temp_path() override { return temp; }
    bool long_path_name(const std::string& path, std::string& long_form) override {
        const auto found = long_names.find(path);
        if (found == long_names.end()) return false;
        long_form = found->second;
        return true;
    }
    bool current_directory(std::string& folder) override {
        folder = current;
        return !current.empty();
    }
    std::string env_value(const std::string& name) override {
        const auto found = variables.find(name);
        return found == variables.end() ? std::string() : found->second;
    }

    std::string module = executable;
    std::string temp = "C:\\Temp\\";
    std::map<std::string, std::string> long_names;
    std::string current = "D:\\work";
    std::map<std::string, std::string> variables;
};

// Folders that exist, and the ones the program creates.
class x_ArrangedFolders : public platform::x_FileService {
public:
    int status(const std::string& path, platform::x_StatRecord& record) override {
        record = platform::x_StatRecord{};
        if (folders.count(key(path)) == 0) return ENOENT;
        record.mode = platform::mode_folder;
        return 0;
    }
    bool access_exists(const std::string& path) override { return folders.count(key(path)) != 0; }
    bool make_folder(const std::string& path) override {
        if (!creatable) return false;
        made.push_back(path);
        folders.insert(key(path));
        return true;
    }
    static std::string key(std::string path) {
        for (char& c : path) {
            if (c == '/') c = '\\';
        }
        return path;
    }

    std::set<std::string> folders;
    std::vector<std::string> made;
    bool creatable = true;
};

class x_PublicDocuments : public platform::x_ShellService {
public:
    bool folder_path_function_available() override { return true; }
    std::string folder_path_by_function(int csidl, bool) override {
        return csidl == 46 ? documents : "";
    }

    std::string documents = public_documents;
};

void use_arguments(std::vector<std::string> arguments) {
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    set_arguments(static_cast<int>(pointers.size()), pointers.data());
}

// Runs the check in a fresh process of this test binary, where the
// process-wide state of the environment is still untouched. The check
// answers the empty text when it holds.
template <class Check>
void expect_in_fresh_process(Check check) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const std::string failure = check();
            std::fprintf(stderr, "%s\n", failure.c_str());
            std::fflush(stderr);
            std::exit(failure.empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

std::string expect_equal(const std::string& actual, const std::string& expected) {
    return actual == expected ? std::string() : "got '" + actual + "', expected '" + expected + "'";
}

class Environment : public ::testing::Test {
protected:
    Environment() : process_guard_(process_), files_guard_(files_), shell_guard_(shell_) {
        use_arguments({executable});
    }
    ~Environment() override { set_arguments(0, nullptr); }

    x_ArrangedProcess process_;
    x_ArrangedFolders files_;
    x_PublicDocuments shell_;
    x_ErrorCapture errors_;

private:
    platform::x_Substitute<platform::x_ProcessService> process_guard_;
    platform::x_Substitute<platform::x_FileService> files_guard_;
    platform::x_Substitute<platform::x_ShellService> shell_guard_;
};

TEST_F(Environment, ModulePathNamesADifferingFirstArgumentOnEveryCall) {
    EXPECT_EQ(module_path(), executable);
    EXPECT_EQ(errors_.text(), "");

    use_arguments({"tool"});
    EXPECT_EQ(module_path(), executable);
    EXPECT_EQ(module_path(), executable);
    EXPECT_EQ(errors_.text(), "C:\\apps\\tool.exe\ntool\nC:\\apps\\tool.exe\ntool\n");

    errors_.clear();
    process_.module = "";
    EXPECT_EQ(module_path(), "tool");
    EXPECT_EQ(errors_.text(), "");
}

TEST_F(Environment, ModulePathNoticesMissingArgumentsOncePerProcess) {
    set_arguments(0, nullptr);
    expect_in_fresh_process([] {
        x_ErrorCapture errors;
        for (int call = 0; call < 3; ++call) {
            if (module_path() != executable) return std::string("wrong path");
        }
        return expect_equal(errors.text(), "::get_arv() ... empty\nC:\\apps\\tool.exe\n");
    });
}

TEST_F(Environment, TempFolderInsideWindowsMovesToPublicDocuments) {
    for (const char* temp :
         {"C:\\Windows\\Temp\\", "c:\\windows\\temp\\", "C:\\WINDOWS\\TEMP", "D:\\wInDoWs\\x\\"}) {
        SCOPED_TRACE(temp);
        process_.temp = temp;
        EXPECT_EQ(temp_folder(), "C:\\Users\\Public\\Documents\\Temp\\Temp");
    }
    // The test applies to the long form of the answer.
    process_.temp = "C:\\WINDOW~1\\TEMP\\";
    process_.long_names[process_.temp] = "C:\\Windows\\Temp\\";
    EXPECT_EQ(temp_folder(), "C:\\Users\\Public\\Documents\\Temp\\Temp");
    process_.temp = "C:\\Users\\BOBBY~1\\Temp\\";
    process_.long_names[process_.temp] = "C:\\Users\\bobby smith\\Temp\\";
    EXPECT_EQ(temp_folder(), "C:\\Users\\bobby smith\\Temp\\");
}

TEST_F(Environment, EmptyTempAnswerTakesTheFirstSetVariableUnchanged) {
    process_.temp = "";
    process_.variables = {{"TMP", ""}, {"TMPDIR", "/var/tmp/x"}, {"TEMP", "C:\\temp"}};
    EXPECT_EQ(temp_folder(), "/var/tmp/x");
    process_.variables["TMP"] = "C:\\my temp";
    EXPECT_EQ(temp_folder(), "C:\\my temp");
    EXPECT_TRUE(files_.made.empty());
}

// A relative answer would put the scratch files below the folder the
// program was started from: each such source is passed over.
TEST_F(Environment, TempFolderIsNeverRelative) {
    shell_.documents = "";
    process_.temp = "C:\\Windows\\Temp\\";
    process_.variables = {{"TMP", "C:\\Users\\bob\\Temp"}};
    EXPECT_EQ(temp_folder(), "C:\\Users\\bob\\Temp");

    process_.temp = "Temp\\";
    process_.variables = {{"TMP", "T"}, {"TMPDIR", "C:temp"}, {"TEMP", "\\\\server\\temp"}};
    EXPECT_EQ(temp_folder(), "\\\\server\\temp");
    process_.variables = {{"TEMP", "Temp"}, {"USER", "bob"}};
    EXPECT_EQ(temp_folder(), "D:\\work\\bob");
    process_.current = "";
    EXPECT_EQ(temp_folder(), "\\bob");
    EXPECT_TRUE(files_.folders.count("\\bob"));
}

TEST_F(Environment, WithoutVariablesAFolderOfTheUserIsCreated) {
    process_.temp = "";
    files_.folders = {"\\tmp"};
    process_.variables = {{"USER", "bob"}, {"USERNAME", "robert"}};
    EXPECT_EQ(temp_folder(), "/tmp/bob");
    process_.variables = {{"USERNAME", "robert"}};
    EXPECT_EQ(temp_folder(), "/tmp/robert");
    process_.variables = {};
    EXPECT_EQ(temp_folder(), "/tmp/___");
    EXPECT_TRUE(files_.folders.count("\\tmp\\___"));

    files_.folders = {};
    EXPECT_EQ(temp_folder(), "D:\\work\\___");
    EXPECT_TRUE(files_.folders.count("D:\\work\\___"));
}

TEST_F(Environment, ScratchFolderEndsInABackslashAlsoInItsFallback) {
    const std::string scratch = scratch_folder();
    EXPECT_EQ(scratch.rfind("C:\\Temp\\v_Urivu.tmp\\", 0), 0u) << scratch;
    EXPECT_EQ(scratch.back(), '\\');
    EXPECT_TRUE(files_.folders.count(scratch.substr(0, scratch.size() - 1))) << scratch;

    files_.folders.clear();
    files_.creatable = false;
    EXPECT_EQ(scratch_folder(), "C:\\Users\\Public\\Documents\\Temp\\Temp\\v_Urivu.tmp\\tool\\");
    // Without that folder the fallback would be relative; the folder that
    // could not be made is answered instead.
    shell_.documents = "";
    EXPECT_EQ(scratch_folder(), scratch);
}

// The executable's recorded name, when it has one.
class x_RecordedName : public platform::x_VersionService {
public:
    explicit x_RecordedName(std::string name) : name_(std::move(name)) {}
    std::uint32_t info_size(const std::string&, std::uint32_t& handle) override {
        handle = 0;
        return name_.empty() ? 0 : 64;
    }
    bool info(const std::string&, std::uint32_t, std::uint32_t, void*) override { return true; }
    bool query_value(const void*, const std::string& sub_block, const void*& buffer,
                     std::uint32_t& length) override {
        static const std::uint16_t translation[2] = {0x0409, 0x04b0};
        if (sub_block == "\\VarFileInfo\\Translation") {
            buffer = translation;
            length = 4;
            return true;
        }
        if (sub_block != "\\StringFileInfo\\040904b0\\OriginalFilename") return false;
        buffer = name_.c_str();
        length = static_cast<std::uint32_t>(name_.size() + 1);
        return true;
    }

private:
    std::string name_;
};

std::string scratch_with_recorded_name(const std::string& name) {
    x_RecordedName recorded(name);
    platform::x_Substitute<platform::x_VersionService> guard(recorded);
    x_ErrorCapture errors;
    return scratch_folder();
}

TEST_F(Environment, ScratchFolderIsNamedAfterTheRecordedProgramName) {
    expect_in_fresh_process([] {
        return expect_equal(scratch_with_recorded_name("Backup.EXE"),
                            "C:\\Temp\\v_Urivu.tmp\\Backup\\");
    });
    expect_in_fresh_process([] {
        return expect_equal(scratch_with_recorded_name("TOOL.EXE"),
                            "C:\\Temp\\v_Urivu.tmp\\tool\\");
    });
    expect_in_fresh_process([] {
        return expect_equal(scratch_with_recorded_name(""), "C:\\Temp\\v_Urivu.tmp\\tool\\");
    });
}

TEST_F(Environment, ScratchFolderOfANamelessProgramIsTodaysDate) {
    process_.module = "";
    use_arguments({""});
    expect_in_fresh_process([] {
        const std::string today = time_text("%Y%m%d");
        return expect_equal(scratch_with_recorded_name(""),
                            "C:\\Temp\\v_Urivu.tmp\\" + today + "\\");
    });
}

}  // namespace

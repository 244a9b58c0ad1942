#pragma once
// Stand-ins for the console, the drives and the shell, so that a whole
// backup run can be watched without a removable drive or a real desktop.
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/computer.h"
#include "platform/console.h"
#include "platform/drives.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/wide_files.h"

namespace testing_app {

class x_CapturedConsole : public platform::x_ConsoleService {
public:
    void write_out(std::string_view text) override { out.append(text); }
    void flush_out() override { ++out_flushes; }
    void write_err(std::string_view text) override { err.append(text); }
    void flush_err() override {}
    bool read_line(std::string& line, std::size_t max_chars) override {
        limits.push_back(max_chars);
        if (input.empty()) return false;
        line = input.front().substr(0, max_chars);
        input.pop_front();
        return true;
    }

    std::string out;
    std::string err;
    int out_flushes = 0;
    std::deque<std::string> input;
    std::vector<std::size_t> limits;
};

// Letters not listed have no root directory, as on Windows; those in
// empty hold no medium.
class x_FakeDrives : public platform::x_DriveService {
public:
    unsigned drive_type(const std::string& root) override {
        asked.push_back(root);
        const auto found = types.find(root.empty() ? '?' : root[0]);
        return found == types.end() ? platform::drive_no_root : found->second;
    }
    bool holds_medium(const std::string& root) override {
        return root.size() == 3 && root[1] == ':' && root[2] == '\\' && empty.count(root[0]) == 0;
    }
    std::string file_system_name(const std::string&) override { return file_system; }

    std::map<char, unsigned> types;
    std::set<char> empty;
    std::vector<std::string> asked;
    std::string file_system = "FAT32";
};

// Drive E: is a folder of the test's own.
class x_DriveInFolder : public platform::x_FileService {
public:
    explicit x_DriveInFolder(std::string folder) : folder_(std::move(folder)) {}
    int status(const std::string& path, platform::x_StatRecord& record) override {
        return x_FileService::status(at(path), record);
    }
    bool make_folder(const std::string& path) override {
        return x_FileService::make_folder(at(path));
    }
    std::FILE* open_file(const std::string& path, const char* mode,
                         platform::x_Sharing sharing) override {
        return x_FileService::open_file(at(path), mode, sharing);
    }
    bool replace_file(const std::string& source, const std::string& destination) override {
        return x_FileService::replace_file(at(source), at(destination));
    }

private:
    std::string at(const std::string& path) const {
        return path.rfind("E:", 0) == 0 ? folder_ + path.substr(2) : path;
    }
    std::string folder_;
};

class x_FakeComputer : public platform::x_ComputerService {
public:
    std::string machine_guid() override { return guid; }
    std::string computer_name() override { return name; }

    std::string guid = "guid-a";
    std::string name = "PC-A";
};

class x_FakeShell : public platform::x_ShellService {
public:
    bool folder_path_function_available() override { return function_available; }
    std::string folder_path_by_function(int csidl, bool create) override {
        function_calls.push_back({csidl, create});
        return path_of(csidl);
    }
    std::string folder_path_by_id_list(int csidl) override {
        id_list_calls.push_back(csidl);
        return path_of(csidl);
    }

    struct x_Call {
        int csidl;
        bool create;
    };
    struct x_Launch {
        std::string file;
        int show_command;
    };
    std::intptr_t execute(const char*, const char* file, const char*, const char*,
                          int show_command) override {
        launches.push_back({file == nullptr ? "" : file, show_command});
        return 42;
    }

    bool function_available = true;
    std::vector<x_Launch> launches;
    std::map<int, std::string> paths;
    std::vector<x_Call> function_calls;
    std::vector<int> id_list_calls;

private:
    std::string path_of(int csidl) {
        const auto found = paths.find(csidl & 0xFF);
        return found == paths.end() ? std::string() : found->second;
    }
};

// Keeps the test process in its own locale; answers a fixed runtime vector;
// records the commands given to the interpreter instead of running them,
// calling after_command after each. A temp path that is set is answered in
// place of the system's.
class x_QuietProcess : public platform::x_ProcessService {
public:
    void quiet_error_boxes() override { calls.emplace_back("error mode"); }
    void use_user_locale() override {
        ++locale_calls;
        calls.emplace_back("locale");
    }
    std::vector<std::string> runtime_arguments() override { return runtime; }
    std::string temp_path() override {
        return temp.empty() ? platform::x_ProcessService::temp_path() : temp;
    }
    bool current_directory(std::string& folder) override {
        if (current.empty()) return platform::x_ProcessService::current_directory(folder);
        folder = current;
        return true;
    }
    int run_command(const std::string& command) override {
        commands.push_back(command);
        if (after_command) after_command();
        return status;
    }

    int locale_calls = 0;
    std::vector<std::string> calls;
    std::vector<std::string> runtime;
    std::string temp;
    std::string current;
    std::vector<std::string> commands;
    std::function<void()> after_command;
    int status = 0;  // answered for every command
};

// A drive and folders that are there, empty, with room to spare: each
// folder's copy checks out with no files. Listing a path in missing fails.
class x_EmptyFolders : public platform::x_WideFileService {
public:
    bool list_folder(const std::u16string& folder,
                     std::vector<platform::x_WideEntry>& entries) override {
        entries.clear();
        return missing.count(folder) == 0;
    }
    bool entry_of(const std::u16string& path, platform::x_WideEntry& entry) override {
        entry = {};
        return missing.count(path) == 0;
    }
    bool free_space(const std::u16string&, std::uint64_t& free_bytes,
                    std::uint32_t& cluster_bytes) override {
        free_bytes = std::uint64_t{1} << 40;
        cluster_bytes = 4096;
        return true;
    }
    std::int64_t now() override { return 0; }

    std::set<std::u16string> missing;
};

}  // namespace testing_app

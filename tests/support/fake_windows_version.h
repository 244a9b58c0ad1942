#pragma once
// Makes windows_version_text() answer a chosen product version without
// touching the disk: the special folders name C:\Windows and
// C:\Windows\System32, the chosen system program exists there and carries
// a version resource with the translation 0409/04b0 and that
// ProductVersion. Every other question goes to the services that were
// installed before, so tests may combine this with their own substitutes.
// While it lives, the executable's path agrees with the first argument, so
// that the path query stays silent on standard error.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/version.h"

namespace testing_support {

enum class x_VersionProgram { winver, explorer };

class x_FakeVersionFiles : public platform::x_FileService {
public:
    x_FakeVersionFiles(platform::x_FileService& next, std::string present, std::string absent);

    int status(const std::string& path, platform::x_StatRecord& record) override;
    bool access_exists(const std::string& path) override;
    bool make_folder(const std::string& path) override;
    bool remove_file(const std::string& path) override;
    bool remove_folder(const std::string& path) override;
    bool replace_file(const std::string& source, const std::string& destination) override {
        return next_.replace_file(source, destination);
    }
    std::FILE* open_file(const std::string& path, const char* mode,
                         platform::x_Sharing sharing) override;
    std::size_t write_file(std::FILE* file, const void* data, std::size_t size) override;
    std::size_t read_file(std::FILE* file, void* data, std::size_t size) override;
    bool close_file(std::FILE* file) override;
    bool find_entries(const std::string& pattern,
                      std::vector<platform::x_FindEntry>& entries) override;
    bool copy_file(const std::string& source, const std::string& destination,
                   bool fail_if_exists) override;
    bool file_stamp(const std::string& path, platform::x_FileStamp& stamp) override;
    bool remove_unchanged_file(const std::string& path,
                               const platform::x_FileStamp& stamp) override;
    std::uint32_t get_attributes(const std::string& path) override;
    bool set_attributes(const std::string& path, std::uint32_t bits) override;

private:
    platform::x_FileService& next_;
    std::string present_;
    std::string absent_;
};

class x_FakeSystemFolders : public platform::x_ShellService {
public:
    explicit x_FakeSystemFolders(platform::x_ShellService& next) : next_(next) {}

    bool folder_path_function_available() override { return true; }
    std::string folder_path_by_function(int csidl, bool create) override;
    std::string folder_path_by_id_list(int csidl) override;
    std::intptr_t execute(const char* verb, const char* file, const char* parameters,
                          const char* folder, int show_command) override;

private:
    platform::x_ShellService& next_;
};

class x_FakeVersionResource : public platform::x_VersionService {
public:
    x_FakeVersionResource(platform::x_VersionService& next, std::string path,
                          std::string product_version);

    std::uint32_t info_size(const std::string& path, std::uint32_t& handle) override;
    bool info(const std::string& path, std::uint32_t handle, std::uint32_t size,
              void* block) override;
    bool query_value(const void* block, const std::string& sub_block, const void*& buffer,
                     std::uint32_t& length) override;

    int reads = 0;  // version blocks handed out

private:
    std::uint32_t block_size() const;

    platform::x_VersionService& next_;
    std::string path_;
    std::string product_version_;
};

class x_ArgumentModulePath : public platform::x_ProcessService {
public:
    explicit x_ArgumentModulePath(platform::x_ProcessService& next) : next_(next) {}

    void quiet_error_boxes() override { next_.quiet_error_boxes(); }
    void use_user_locale() override { next_.use_user_locale(); }
    std::vector<std::string> runtime_arguments() override { return next_.runtime_arguments(); }
    std::string module_file_name() override;
    std::string temp_path() override { return next_.temp_path(); }
    bool long_path_name(const std::string& path, std::string& long_path) override {
        return next_.long_path_name(path, long_path);
    }
    bool current_directory(std::string& folder) override { return next_.current_directory(folder); }
    std::string user_name() override { return next_.user_name(); }
    std::string env_value(const std::string& name) override { return next_.env_value(name); }
    std::int64_t now() override { return next_.now(); }
    bool local_time(std::int64_t seconds, std::tm& out) override {
        return next_.local_time(seconds, out);
    }
    void sleep_ms(unsigned milliseconds) override { next_.sleep_ms(milliseconds); }
    int run_command(const std::string& command) override { return next_.run_command(command); }

private:
    platform::x_ProcessService& next_;
};

class x_FakeWindowsVersion {
public:
    explicit x_FakeWindowsVersion(const std::string& product_version,
                                  x_VersionProgram present = x_VersionProgram::winver);

    static const char* windows_folder() { return "C:\\Windows"; }
    static const char* system_folder() { return "C:\\Windows\\System32"; }
    static std::string winver_path() { return std::string(system_folder()) + "\\winver.exe"; }
    static std::string explorer_path() { return std::string(windows_folder()) + "\\explorer.exe"; }

    // How often a version block was read while the fake was installed.
    int version_reads() const { return resource_.reads; }

private:
    x_FakeVersionFiles files_;
    x_FakeSystemFolders folders_;
    x_FakeVersionResource resource_;
    x_ArgumentModulePath process_;
    platform::x_Substitute<platform::x_FileService> files_guard_;
    platform::x_Substitute<platform::x_ShellService> folders_guard_;
    platform::x_Substitute<platform::x_VersionService> resource_guard_;
    platform::x_Substitute<platform::x_ProcessService> process_guard_;
};

}  // namespace testing_support

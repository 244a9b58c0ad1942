#include "tests/support/fake_windows_version.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "app/arguments.h"
#include "shell/shell_folders.h"

namespace testing_support {

namespace {

// Layout of a fake version block: a marker that tells our blocks from
// others, the translation pair, then the product version and its zero.
constexpr char block_marker[8] = {'F', 'A', 'K', 'E', 'V', 'E', 'R', 0};
constexpr std::size_t translation_offset = sizeof block_marker;
constexpr std::size_t text_offset = translation_offset + 4;
const std::uint16_t translation[2] = {0x0409, 0x04b0};

bool is_fake_block(const void* block) {
    return block != nullptr && std::memcmp(block, block_marker, sizeof block_marker) == 0;
}

}  // namespace

x_FakeVersionFiles::x_FakeVersionFiles(platform::x_FileService& next, std::string present,
                                       std::string absent)
    : next_(next), present_(std::move(present)), absent_(std::move(absent)) {}

int x_FakeVersionFiles::status(const std::string& path, platform::x_StatRecord& record) {
    if (path == present_) {
        record = platform::x_StatRecord{};
        record.mode = platform::mode_file | 0644;
        record.size = 4096;
        return 0;
    }
    if (path == absent_) {
        record = platform::x_StatRecord{};
        return ENOENT;
    }
    return next_.status(path, record);
}

bool x_FakeVersionFiles::access_exists(const std::string& path) {
    return path == present_ || (path != absent_ && next_.access_exists(path));
}
bool x_FakeVersionFiles::make_folder(const std::string& path) { return next_.make_folder(path); }
bool x_FakeVersionFiles::remove_file(const std::string& path) { return next_.remove_file(path); }
bool x_FakeVersionFiles::remove_folder(const std::string& path) {
    return next_.remove_folder(path);
}
std::FILE* x_FakeVersionFiles::open_file(const std::string& path, const char* mode,
                                         platform::x_Sharing sharing) {
    return next_.open_file(path, mode, sharing);
}
std::size_t x_FakeVersionFiles::write_file(std::FILE* file, const void* data, std::size_t size) {
    return next_.write_file(file, data, size);
}
std::size_t x_FakeVersionFiles::read_file(std::FILE* file, void* data, std::size_t size) {
    return next_.read_file(file, data, size);
}
bool x_FakeVersionFiles::close_file(std::FILE* file) { return next_.close_file(file); }
bool x_FakeVersionFiles::find_entries(const std::string& pattern,
                                      std::vector<platform::x_FindEntry>& entries) {
    return next_.find_entries(pattern, entries);
}
bool x_FakeVersionFiles::copy_file(const std::string& source, const std::string& destination,
                                   bool fail_if_exists) {
    return next_.copy_file(source, destination, fail_if_exists);
}
bool x_FakeVersionFiles::file_stamp(const std::string& path, platform::x_FileStamp& stamp) {
    return next_.file_stamp(path, stamp);
}
bool x_FakeVersionFiles::remove_unchanged_file(const std::string& path,
                                               const platform::x_FileStamp& stamp) {
    return next_.remove_unchanged_file(path, stamp);
}
std::uint32_t x_FakeVersionFiles::get_attributes(const std::string& path) {
    if (path == present_) return platform::attribute_archive;
    if (path == absent_) return platform::invalid_attributes;
    return next_.get_attributes(path);
}
bool x_FakeVersionFiles::set_attributes(const std::string& path, std::uint32_t bits) {
    return next_.set_attributes(path, bits);
}

namespace {

const char* fake_folder(int csidl) {
    switch (csidl & 0xFF) {
        case csidl_windows:
            return x_FakeWindowsVersion::windows_folder();
        case csidl_system:
            return x_FakeWindowsVersion::system_folder();
        default:
            return nullptr;
    }
}

}  // namespace

std::string x_FakeSystemFolders::folder_path_by_function(int csidl, bool create) {
    const char* folder = fake_folder(csidl);
    return folder ? folder : next_.folder_path_by_function(csidl, create);
}

std::string x_FakeSystemFolders::folder_path_by_id_list(int csidl) {
    const char* folder = fake_folder(csidl);
    return folder ? folder : next_.folder_path_by_id_list(csidl);
}

std::intptr_t x_FakeSystemFolders::execute(const char* verb, const char* file,
                                           const char* parameters, const char* folder,
                                           int show_command) {
    return next_.execute(verb, file, parameters, folder, show_command);
}

x_FakeVersionResource::x_FakeVersionResource(platform::x_VersionService& next, std::string path,
                                             std::string product_version)
    : next_(next), path_(std::move(path)), product_version_(std::move(product_version)) {}

std::uint32_t x_FakeVersionResource::block_size() const {
    return static_cast<std::uint32_t>(text_offset + product_version_.size() + 1);
}

std::uint32_t x_FakeVersionResource::info_size(const std::string& path, std::uint32_t& handle) {
    if (path != path_) return next_.info_size(path, handle);
    handle = 0;
    return block_size();
}

bool x_FakeVersionResource::info(const std::string& path, std::uint32_t handle, std::uint32_t size,
                                 void* block) {
    if (path != path_) return next_.info(path, handle, size, block);
    if (size < block_size()) return false;
    char* bytes = static_cast<char*>(block);
    std::memcpy(bytes, block_marker, sizeof block_marker);
    std::memcpy(bytes + translation_offset, translation, sizeof translation);
    std::memcpy(bytes + text_offset, product_version_.c_str(), product_version_.size() + 1);
    ++reads;
    return true;
}

bool x_FakeVersionResource::query_value(const void* block, const std::string& sub_block,
                                        const void*& buffer, std::uint32_t& length) {
    if (!is_fake_block(block)) return next_.query_value(block, sub_block, buffer, length);
    const char* bytes = static_cast<const char*>(block);
    buffer = nullptr;
    length = 0;
    if (sub_block == "\\VarFileInfo\\Translation") {
        buffer = bytes + translation_offset;
        length = sizeof translation;
        return true;
    }
    if (sub_block == "\\StringFileInfo\\040904b0\\ProductVersion") {
        buffer = bytes + text_offset;
        length = static_cast<std::uint32_t>(product_version_.size() + 1);
        return true;
    }
    return false;
}

std::string x_ArgumentModulePath::module_file_name() {
    const x_StringList arguments = get_arv();
    return arguments.empty() ? next_.module_file_name() : arguments.front();
}

x_FakeWindowsVersion::x_FakeWindowsVersion(const std::string& product_version,
                                           x_VersionProgram present)
    : files_(platform::files(),
             present == x_VersionProgram::winver ? winver_path() : explorer_path(),
             present == x_VersionProgram::winver ? explorer_path() : winver_path()),
      folders_(platform::shell()),
      resource_(platform::version(),
                present == x_VersionProgram::winver ? winver_path() : explorer_path(),
                product_version),
      process_(platform::process()),
      files_guard_(files_),
      folders_guard_(folders_),
      resource_guard_(resource_),
      process_guard_(process_) {}

}  // namespace testing_support

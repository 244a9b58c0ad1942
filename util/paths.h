#pragma once
// The program's path conventions: the backslash is written, the slash is
// accepted; composers add a separator before appending a name, testers and
// creators strip one; a path beginning with two backslashes is a network
// path whose server and share are never created. Separator searches are
// multi-byte aware.
#include <cstdint>
#include <string>

#include "platform/files.h"

std::string add_trailing_separator(const std::string& path, char separator = '\\');
std::string strip_trailing_separator(const std::string& path);
std::string normalize_separators(const std::string& path, char separator = '\\');
std::string file_name(const std::string& path);
std::string dir_part(const std::string& path);
std::string file_extension(const std::string& path);
std::string base_name(const std::string& path);
// A drive letter with its root ("C:\"), or a path that begins with a
// separator: a network path, the root of the current drive, or a host path
// of the POSIX stand-in. Never one that depends on the current folder.
bool is_absolute_path(const std::string& path);
// A drive letter with its root and nothing after it ("D:\").
bool is_drive_root(const std::string& path);
bool path_exists(const std::string& path);
bool folder_exists(const std::string& path);
bool create_folders(const std::string& path);

// The status of one path, queried at construction.
class x_FileStatus {
public:
    explicit x_FileStatus(const std::string& path);

    virtual bool failed();
    virtual std::int64_t size();
    virtual std::int64_t access_time();
    virtual std::int64_t modify_time();
    virtual std::int64_t change_time();
    virtual std::uint16_t mode();
    virtual bool is_file();
    virtual bool is_folder();

    int error() const { return error_; }

private:
    platform::x_StatRecord record_;
    int error_ = 0;
};

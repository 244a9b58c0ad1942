#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/slot.h"

namespace platform {

// The runtime's 64-bit file status record, field by field.
struct x_StatRecord {
    std::uint32_t device = 0;
    std::uint16_t serial = 0;
    std::uint16_t mode = 0;  // type bits under 0xF000, permission bits
    std::int16_t link_count = 0;
    std::int16_t user_id = 0;
    std::int16_t group_id = 0;
    std::uint32_t special_device = 0;
    std::int64_t size = 0;
    std::int64_t access_time = 0;
    std::int64_t modify_time = 0;
    std::int64_t change_time = 0;  // creation time on Windows
};

enum : std::uint16_t { mode_type_mask = 0xF000, mode_folder = 0x4000, mode_file = 0x8000 };

// Windows attribute bits.
enum : std::uint32_t {
    attribute_read_only = 0x1,
    attribute_hidden = 0x2,
    attribute_system = 0x4,
    attribute_directory = 0x10,
    attribute_archive = 0x20,
    attribute_normal = 0x80,
    attribute_reparse_point = 0x400,
    invalid_attributes = 0xFFFFFFFFu,
};

// What a write to a file changes: its size and its last-write time, in the
// system's own unit.
struct x_FileStamp {
    std::int64_t size = 0;
    std::int64_t written = 0;

    friend bool operator==(const x_FileStamp&, const x_FileStamp&) = default;
};

// What others may do with a file while it is open (Windows share modes).
enum class x_Sharing {
    everyone,
    // Nobody else can open the file for writing until it is closed, and it
    // cannot be opened so while anyone else writes to it; readers, a log
    // viewer for one, may keep it open meanwhile. Writers that must not
    // interleave use it.
    readers_only,
    // Nobody else can open the file at all. The POSIX stand-in cannot keep
    // readers out and treats it as readers_only.
    nobody,
};

// One entry of a folder search (FindFirstFileA / FindNextFileA).
struct x_FindEntry {
    std::string name;
    std::uint32_t attributes = 0;
};

class x_FileService {
public:
    virtual ~x_FileService() = default;

    // _stat64: 0 and the filled record, or the runtime's error number (2 for
    // a missing path) and the record left zero.
    virtual int status(const std::string& path, x_StatRecord& record);
    // _access(path, 0) == 0
    virtual bool access_exists(const std::string& path);
    // Single-level folder creation (_mkdir).
    virtual bool make_folder(const std::string& path);
    virtual bool remove_file(const std::string& path);    // remove()
    virtual bool remove_folder(const std::string& path);  // rmdir()
    // Puts the file in the place of the destination in one step, replacing
    // a file there (MoveFileExA with MOVEFILE_REPLACE_EXISTING and
    // MOVEFILE_WRITE_THROUGH): a reader finds the old file or the new one,
    // never part of either.
    virtual bool replace_file(const std::string& source, const std::string& destination);

    // Buffered files (fopen and friends). open_file answers nullptr when the
    // file cannot be opened, also when another holder's sharing refuses the
    // open.
    virtual std::FILE* open_file(const std::string& path, const char* mode,
                                 x_Sharing sharing = x_Sharing::everyone);
    virtual std::size_t write_file(std::FILE* file, const void* data, std::size_t size);
    virtual std::size_t read_file(std::FILE* file, void* data, std::size_t size);
    virtual bool close_file(std::FILE* file);

    // FindFirstFileA / FindNextFileA / FindClose over a pattern such as
    // "C:\\dir\\*.*". False when the search cannot start; the entries
    // include "." and ".." where the system reports them.
    virtual bool find_entries(const std::string& pattern, std::vector<x_FindEntry>& entries);

    virtual bool copy_file(const std::string& source, const std::string& destination,
                           bool fail_if_exists);  // CopyFileA

    // The stamp of an existing file; false when it cannot be read.
    virtual bool file_stamp(const std::string& path, x_FileStamp& stamp);
    // Deletes the file only while it still bears the stamp. Writers that
    // share the file with readers only are held off between the test and
    // the deletion; a file that anyone holds open stays.
    virtual bool remove_unchanged_file(const std::string& path, const x_FileStamp& stamp);

    virtual std::uint32_t get_attributes(const std::string& path);             // GetFileAttributesA
    virtual bool set_attributes(const std::string& path, std::uint32_t bits);  // SetFileAttributesA
};

inline x_FileService& files() { return x_Slot<x_FileService>::current(); }

}  // namespace platform

#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/slot.h"

namespace platform {

// One entry of a folder, as a folder search reports it.
struct x_WideEntry {
    std::u16string name;
    std::uint32_t attributes = 0;  // Windows attribute bits (platform/files.h)
    std::uint64_t size = 0;
    std::int64_t written = 0;  // last-write time: 100 ns steps since 1601, UTC
};

// Folder trees by their UTF-16 names, as the copy tools see them: a name
// outside the program's code page is not a question mark here. Paths past
// the classic 260-character limit work too.
class x_WideFileService {
public:
    virtual ~x_WideFileService() = default;

    // FindFirstFileW / FindNextFileW over the folder, without "." and "..";
    // false when the folder cannot be listed.
    virtual bool list_folder(const std::u16string& folder, std::vector<x_WideEntry>& entries);
    // The entry of one path (GetFileAttributesExW); false when it is absent.
    virtual bool entry_of(const std::u16string& path, x_WideEntry& entry);
    // What opening the file for reading beside other readers and writers
    // answers: 0, or the system's error (32: held by a program that shares
    // it with nobody).
    virtual std::uint32_t read_open_error(const std::u16string& path);
    // SetFileTime of the last-write time.
    virtual bool set_written(const std::u16string& path, std::int64_t written);
    virtual bool remove_file(const std::u16string& path);
    // The bytes free to this user on the volume that holds the path, and the
    // volume's cluster size (GetDiskFreeSpaceExW, GetDiskFreeSpaceW).
    virtual bool free_space(const std::u16string& path, std::uint64_t& free_bytes,
                            std::uint32_t& cluster_bytes);
    // The system clock in the unit of written (GetSystemTimeAsFileTime).
    virtual std::int64_t now();
};

inline x_WideFileService& wide_files() { return x_Slot<x_WideFileService>::current(); }

}  // namespace platform

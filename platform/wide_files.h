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

// Where a path really leads: the volume's serial number and the file's
// number on it, the same for every path (and link) that leads there.
struct x_FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const x_FileIdentity&) const = default;
};

// Folder trees by their UTF-16 names, as the copy tools see them: a name
// outside the program's code page is not a question mark here. Paths past
// the classic 260-character limit work too. Every path goes to the system in
// its \\?\ form, at any length, so that a name Windows tells apart ("Tax."
// beside "Tax") is never read as another.
class x_WideFileService {
public:
    virtual ~x_WideFileService() = default;

    // FindFirstFileW / FindNextFileW over the folder, without "." and "..";
    // false when the folder cannot be listed (an empty path names none).
    virtual bool list_folder(const std::u16string& folder, std::vector<x_WideEntry>& entries);
    // The entry of one path itself, not what a link leads to
    // (GetFileAttributesExW); false when it is absent.
    virtual bool entry_of(const std::u16string& path, x_WideEntry& entry);
    // What opening the file for reading beside other readers and writers
    // answers: 0, or the system's error (32: held by a program that shares
    // it with nobody).
    virtual std::uint32_t read_open_error(const std::u16string& path);
    // SetFileTime of the last-write time, on the file itself: a link is
    // not followed.
    virtual bool set_written(const std::u16string& path, std::int64_t written);
    // Removes the file, or a link itself rather than what it leads to.
    virtual bool remove_file(const std::u16string& path);
    // Gives the file or folder another name on the same volume
    // (MoveFileExW without replacing or copying): fails where the new name
    // exists or lies on another volume; a link moves itself.
    virtual bool move_entry(const std::u16string& from, const std::u16string& to);
    // One folder (CreateDirectoryW); false when it cannot be made, also when
    // it exists.
    virtual bool make_folder(const std::u16string& path);
    // Removes an empty folder, or a folder link itself (RemoveDirectoryW).
    virtual bool remove_folder(const std::u16string& path);
    // Copies the file's content and last-write time to a new file
    // (CopyFileW); fails where the new name exists.
    virtual bool copy_new_file(const std::u16string& from, const std::u16string& to);
    // What the path leads to, links followed (GetFileInformationByHandle);
    // false when it cannot be opened.
    virtual bool identity_of(const std::u16string& path, x_FileIdentity& identity);
    // The name as Windows compares file names, without regard to case
    // across Unicode ("Ärger" and "ärger" give one key): each
    // unit upper-cased by the system's invariant case table.
    virtual std::u16string case_key(const std::u16string& name);
    // The bytes free to this user on the volume that holds the path, and the
    // volume's cluster size (GetDiskFreeSpaceExW, GetDiskFreeSpaceW).
    virtual bool free_space(const std::u16string& path, std::uint64_t& free_bytes,
                            std::uint32_t& cluster_bytes);
    // The system clock in the unit of written (GetSystemTimeAsFileTime).
    virtual std::int64_t now();
};

inline x_WideFileService& wide_files() { return x_Slot<x_WideFileService>::current(); }

}  // namespace platform

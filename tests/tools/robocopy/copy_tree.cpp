// The walk of robocopy's documentation: each source file falls into a
// class against its destination (new, newer, older, changed, same), files
// in the destination only are extras, a file facing a folder is a
// mismatch; what is copied, purged and counted follows the switches.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

#include "command_words.h"
#include "robocopy.h"

namespace {

constexpr std::int64_t two_seconds = 20000000;  // in FILETIME's 100 ns

struct x_Walk {
    const x_RobocopyLine& line;
    unsigned long second_ms;
    int code = 0;
};

using x_Entries = std::map<std::wstring, WIN32_FIND_DATAW>;

// A path as the user wrote it, without the long-path prefix.
std::string shown(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return utf8(L"\\" + path.substr(7));
    return utf8(path.rfind(L"\\\\?\\", 0) == 0 ? path.substr(4) : path);
}

void say(const char* what, const std::wstring& path) {
    std::printf("\t%s\t%s\n", what, shown(path).c_str());
}

std::wstring child(const std::wstring& folder, const std::wstring& name) {
    return folder.back() == L'\\' ? folder + name : folder + L'\\' + name;
}

// Absolute and prefixed, so that paths past 260 characters work as they do
// for robocopy.
std::wstring long_path(const std::wstring& path) {
    wchar_t full[32768];
    const DWORD size = ::GetFullPathNameW(path.c_str(), 32768, full, nullptr);
    if (size == 0 || size >= 32768) return path;
    std::wstring text(full, size);
    if (text.size() > 3 && text.back() == L'\\') text.pop_back();
    if (text.rfind(L"\\\\?\\", 0) == 0) return text;
    if (text.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + text.substr(2);
    return L"\\\\?\\" + text;
}

// Windows finds names without regard to case across Unicode (the C
// runtime's towupper knows ASCII only): an "Ärger.txt" meets its copy
// "ärger.txt" as the same file, not as a new one beside an extra.
std::wstring folded(const std::wstring& name) {
    std::wstring key = name;
    if (!key.empty()) ::CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

x_Entries list(const std::wstring& folder) {
    x_Entries entries;
    WIN32_FIND_DATAW data;
    const HANDLE search = ::FindFirstFileW(child(folder, L"*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") entries[folded(name)] = data;
    } while (::FindNextFileW(search, &data));
    ::FindClose(search);
    return entries;
}

bool is_folder(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::int64_t written(const WIN32_FIND_DATAW& entry) {
    return static_cast<std::int64_t>((std::uint64_t{entry.ftLastWriteTime.dwHighDateTime} << 32) |
                                     entry.ftLastWriteTime.dwLowDateTime);
}

std::uint64_t size_of(const WIN32_FIND_DATAW& entry) {
    return (std::uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow;
}

bool excluded(const x_Walk& walk, const std::wstring& name) {
    for (const std::wstring& pattern : walk.line.excluded_files) {
        if (matches_wildcard(name, pattern)) return true;
    }
    return false;
}

bool make_folders(const std::wstring& folder) {
    if (::CreateDirectoryW(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        return true;
    }
    const std::size_t cut = folder.find_last_of(L'\\');
    if (::GetLastError() != ERROR_PATH_NOT_FOUND || cut == std::wstring::npos) return false;
    return make_folders(folder.substr(0, cut)) && ::CreateDirectoryW(folder.c_str(), nullptr);
}

// The class of a source file against its copy, or null when it is not copied.
const char* copy_class(const x_Walk& walk, const WIN32_FIND_DATAW& source,
                       const WIN32_FIND_DATAW* copy) {
    if (copy == nullptr) return "New File";
    const std::int64_t tolerance = walk.line.fat_times ? two_seconds : 0;
    const std::int64_t apart = written(source) - written(copy[0]);
    if (apart > tolerance) return "Newer";
    if (apart < -tolerance) return walk.line.exclude_older ? nullptr : "Older";
    return size_of(source) == size_of(copy[0]) ? nullptr : "Changed";
}

using x_Handle = std::unique_ptr<void, BOOL(WINAPI*)(HANDLE)>;

x_Handle opened(HANDLE handle) {
    return {handle == INVALID_HANDLE_VALUE ? nullptr : handle, ::CloseHandle};
}

constexpr DWORD chunk_size = 1 << 20;

bool all_zero(const char* bytes, DWORD size) {
    static const char zeros[chunk_size] = {};
    return std::memcmp(bytes, zeros, size) == 0;
}

// Content, last-write time and attributes, as robocopy's default /copy:dat.
// Runs of zeros are skipped rather than written, so that a sparse test file
// of several GiB costs no disk in its copy either.
bool copy_content(const std::wstring& source, const std::wstring& target) {
    const x_Handle in = opened(::CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
    // The copy is not touched while its source cannot be read.
    if (!in) return false;
    const x_Handle out = opened(::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return false;
    static char chunk[chunk_size];
    for (;;) {
        DWORD got = 0;
        DWORD put = 0;
        if (!::ReadFile(in.get(), chunk, sizeof chunk, &got, nullptr)) return false;
        if (got == 0) break;
        LARGE_INTEGER skip{};
        skip.QuadPart = got;
        const bool done = all_zero(chunk, got)
                              ? ::SetFilePointerEx(out.get(), skip, nullptr, FILE_CURRENT)
                              : ::WriteFile(out.get(), chunk, got, &put, nullptr) && put == got;
        if (!done) return false;
    }
    FILETIME created{};
    FILETIME accessed{};
    FILETIME written{};
    return ::SetEndOfFile(out.get()) && ::GetFileTime(in.get(), &created, &accessed, &written) &&
           ::SetFileTime(out.get(), nullptr, nullptr, &written);
}

// Retries a file it cannot copy (a file held open by another program),
// as /r and /w say.
void copy_file(x_Walk& walk, const std::wstring& source, const std::wstring& target) {
    for (unsigned long attempt = 0;; ++attempt) {
        ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        const std::size_t cut = target.find_last_of(L'\\');
        if (make_folders(target.substr(0, cut)) && copy_content(source, target)) {
            ::SetFileAttributesW(target.c_str(), ::GetFileAttributesW(source.c_str()));
            walk.code |= robocopy_copied;
            return;
        }
        const DWORD error = ::GetLastError();
        std::printf("ERROR %lu (0x%08lX) Copying File %s\n", error, error, shown(source).c_str());
        if (attempt >= walk.line.retries) break;
        std::printf("Waiting %lu seconds... Retrying...\n", walk.line.wait_seconds);
        std::fflush(stdout);
        ::Sleep(walk.line.wait_seconds * walk.second_ms);
    }
    std::printf("ERROR: RETRY LIMIT EXCEEDED.\n");
    walk.code |= robocopy_failures;
}

void remove_tree(const std::wstring& path, const WIN32_FIND_DATAW& entry) {
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!is_folder(entry)) {
        ::DeleteFileW(path.c_str());
        return;
    }
    // A link to a folder goes, what it leads to stays.
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        for (const auto& [key, inner] : list(path))
            remove_tree(child(path, inner.cFileName), inner);
    }
    ::RemoveDirectoryW(path.c_str());
}

void copy_folder(x_Walk& walk, const std::wstring& source, const std::wstring& target);

void copy_entry(x_Walk& walk, const WIN32_FIND_DATAW& entry, const WIN32_FIND_DATAW* copy,
                const std::wstring& source, const std::wstring& target) {
    const std::wstring name = entry.cFileName;
    if (is_folder(entry)) {
        if (!walk.line.subfolders) return;
        if (walk.line.skip_junctions && (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            return;
        }
        if (copy != nullptr && !is_folder(*copy)) {
            say("*MISMATCH", child(source, name));
            walk.code |= robocopy_mismatches;
            return;
        }
        copy_folder(walk, child(source, name), child(target, name));
        return;
    }
    if (excluded(walk, name) || (walk.line.max_size && size_of(entry) > *walk.line.max_size)) {
        return;
    }
    if (copy != nullptr && is_folder(*copy)) {
        say("*MISMATCH", child(source, name));
        walk.code |= robocopy_mismatches;
        return;
    }
    if (const char* what = copy_class(walk, entry, copy)) {
        say(what, child(source, name));
        copy_file(walk, child(source, name), child(target, name));
    }
}

// What the destination has and the source has not: counted, and removed
// with /purge. Files the line excludes are neither.
void handle_extras(x_Walk& walk, const x_Entries& sources, const x_Entries& copies,
                   const std::wstring& target) {
    for (const auto& [key, copy] : copies) {
        if (sources.count(key) != 0) continue;
        if (is_folder(copy) ? !walk.line.subfolders : excluded(walk, copy.cFileName)) continue;
        const std::wstring path = child(target, copy.cFileName);
        say(is_folder(copy) ? "*EXTRA Dir" : "*EXTRA File", path);
        walk.code |= robocopy_extras;
        if (walk.line.purge) remove_tree(path, copy);
    }
}

void copy_folder(x_Walk& walk, const std::wstring& source, const std::wstring& target) {
    const x_Entries sources = list(source);
    const x_Entries copies = list(target);
    for (const auto& [key, entry] : sources) {
        const auto copy = copies.find(key);
        copy_entry(walk, entry, copy == copies.end() ? nullptr : &copy->second, source, target);
    }
    handle_extras(walk, sources, copies, target);
}

}  // namespace

int run_robocopy(const x_RobocopyLine& line, unsigned long second_ms) {
    const std::wstring source = long_path(line.source);
    const std::wstring target = long_path(line.destination);
    const DWORD attributes = ::GetFileAttributesW(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        say("ERROR 2 (0x00000002) Accessing Source Directory", line.source);
        return robocopy_fatal;
    }
    if (!make_folders(target)) {
        say("ERROR Creating Destination Directory", line.destination);
        return robocopy_fatal;
    }
    x_Walk walk{line, second_ms};
    copy_folder(walk, source, target);
    return walk.code;
}

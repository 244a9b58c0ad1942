#include "util/text_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>

#include "platform/console.h"
#include "platform/files.h"
#include "platform/process.h"
#include "util/paths.h"

namespace {

constexpr unsigned open_attempts = 100;
constexpr unsigned open_wait_ms = 100;
// The size check catches a write that never reached the file; a share that
// reports the new size only after a moment gets a few more passes.
constexpr int last_write_pass = 11;
constexpr unsigned write_pass_wait_ms = 10;

// Another process may hold the file for a moment (an editor, a scanner, a
// second copy of this program). The count of failed tries overwrites itself
// on one console line, so a long wait is visible without filling the screen.
std::FILE* open_with_retries(const std::string& path, const char* mode) {
    for (unsigned failed = 1; failed <= open_attempts; ++failed) {
        if (std::FILE* file = platform::files().open_file(path, mode)) return file;
        platform::process().sleep_ms(open_wait_ms);
        platform::console().write_err(uint_to_text(failed, 10) + "\r");
        platform::console().flush_err();
    }
    return nullptr;
}

// True only when every byte was handed over and the close flushed them: a
// short write (a full disk) must not pass for a complete file.
bool write_and_close(std::FILE* file, const x_ByteList& bytes) {
    bool complete = true;
    if (!bytes.empty()) {
        complete = platform::files().write_file(file, bytes.data(), bytes.size()) == bytes.size();
    }
    return platform::files().close_file(file) && complete;
}

// The size the status query reports, or 0 when it cannot be trusted as a
// read length: a file beyond 4 GB is no text of ours, and reading only the
// low 32 bits of its size would hand back an arbitrary slice as if whole.
std::size_t expected_size(const std::string& path) {
    const std::int64_t size = x_FileStatus(path).size();
    if (size <= 0 || size > std::int64_t{UINT32_MAX}) return 0;
    return static_cast<std::size_t>(size);
}

// One read sized by the status query. The file may have changed since that
// query, so the list keeps only what the read delivered: no zero bytes
// that were never in the file, and never more than the buffer holds.
x_ByteList read_once(std::FILE* file, std::size_t size) {
    x_ByteList bytes;
    if (size == 0) return bytes;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        return {};
    }
    const std::size_t got = platform::files().read_file(file, bytes.data(), bytes.size());
    bytes.resize(std::min(got, bytes.size()));
    return bytes;
}

}  // namespace

bool write_text_file(const std::string& path, const std::string& text) {
    const x_ByteList bytes = to_bytes(text);
    if (path.empty()) return false;
    for (int pass = 0;; ++pass) {
        std::FILE* file = open_with_retries(path, "wb");
        if (file == nullptr) return false;
        const bool complete = write_and_close(file, bytes);
        if (bytes.empty()) return true;
        if (complete && x_FileStatus(path).size() != 0) return true;
        if (pass >= last_write_pass) return false;
        platform::process().sleep_ms(write_pass_wait_ms);
    }
}

bool replace_text_file(const std::string& path, const std::string& text) {
    const std::string staged = path + ".new";
    if (write_text_file(staged, text) && platform::files().replace_file(staged, path)) return true;
    platform::files().remove_file(staged);
    return false;
}

x_ByteList read_file_bytes(const std::string& path) {
    if (path.empty()) return {};
    std::FILE* file = open_with_retries(path, "rb");
    if (file == nullptr) return {};
    x_ByteList bytes = read_once(file, expected_size(path));
    platform::files().close_file(file);
    return bytes;
}

std::string read_text_file(const std::string& path) {
    if (!path_exists(path)) return std::string();
    return decode_text(read_file_bytes(path));
}

#ifndef _WIN32
#include "platform/posix/host_path.h"

#include <cctype>
#include <cstdlib>
#include <optional>

#include "platform/code_page_text.h"
#include "platform/codepage.h"

namespace platform::posix {

namespace {

bool is_ascii(const std::string& text) {
    for (const char byte : text) {
        if (static_cast<unsigned char>(byte) >= 0x80) return false;
    }
    return true;
}

// Between two code pages through UTF-16; nothing when a byte is invalid.
bool convert(const std::string& text, unsigned from, unsigned to, std::string& converted) {
    const std::optional<std::u16string> wide = to_utf16(from, text);
    const std::optional<std::string> narrow = wide ? from_utf16(to, *wide, false) : std::nullopt;
    if (!narrow || narrow->empty()) return false;
    converted = *narrow;
    return true;
}

std::string mapped_drive(const std::string& path) {
    if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0]))) {
        return path;
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    const std::string root = env_or_empty((std::string("SHELLBACKUP_DRIVE_") + letter).c_str());
    if (root.empty()) return path;
    const std::string rest = path.substr(2);
    return root + (rest.empty() || rest[0] == '\\' || rest[0] == '/' ? "" : "/") + rest;
}

// Backslashes become slashes; with lead bytes honoured, the second byte of
// a double-byte character may be 0x5C and is no separator.
std::string slashed(std::string path, bool lead_bytes) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (lead_bytes && code_page().is_lead_byte(static_cast<unsigned char>(path[i]))) {
            ++i;
        } else if (path[i] == '\\') {
            path[i] = '/';
        }
    }
    return path;
}

}  // namespace

std::string env_or_empty(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// Windows turns a narrow name into UTF-16 by the ANSI code page; the host
// keeps names in UTF-8. Bytes that are no text of the page go as they are.
std::string host_path(const std::string& windows_path) {
    std::string utf8;
    if (is_ascii(windows_path) ||
        !convert(windows_path, code_page().ansi_code_page(), code_page_utf8, utf8)) {
        return slashed(mapped_drive(windows_path), true);
    }
    return host_path_of_utf8(utf8);
}

std::string host_path_of_utf8(const std::string& path) {
    return slashed(mapped_drive(path), false);
}

std::string ansi_name(const std::string& host_name) {
    std::string ansi;
    if (is_ascii(host_name) ||
        !convert(host_name, code_page_utf8, code_page().ansi_code_page(), ansi)) {
        return host_name;
    }
    return ansi;
}

}  // namespace platform::posix
#endif

#ifndef _WIN32
#include "platform/posix/host_path.h"

#include <cctype>
#include <cstdlib>

#include "platform/codepage.h"

namespace platform::posix {

std::string env_or_empty(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string host_path(const std::string& windows_path) {
    std::string path = windows_path;
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
        const std::string variable = std::string("SHELLBACKUP_DRIVE_") + letter;
        const std::string root = env_or_empty(variable.c_str());
        if (!root.empty()) {
            std::string rest = path.substr(2);
            path = root + (rest.empty() || rest[0] == '\\' || rest[0] == '/' ? "" : "/") + rest;
        }
    }
    // The second byte of a double-byte character may be 0x5C and is no
    // separator.
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (code_page().is_lead_byte(static_cast<unsigned char>(path[i]))) {
            ++i;
        } else if (path[i] == '\\') {
            path[i] = '/';
        }
    }
    return path;
}

}  // namespace platform::posix
#endif

#include "shell/shell_launcher.h"
#include "shell/shell_folders.h"
#include "util/paths.h"
#include "util/strings.h"

namespace {

std::string in_special_folder(int csidl, const std::string& name) {
    return add_trailing_separator(get_special_folder(csidl)) + name;
}

// Program folders hold installed programs under their own folders, so the
// name is appended whole; the Windows and System folders hold programs
// directly, so only its file-name part is.
std::string in_program_folders(const std::string& name) {
    std::string candidate = in_special_folder(csidl_program_files, name);
    if (path_exists(name)) candidate = name;
    if (path_exists(candidate)) return candidate;
    for (const char* prefix : {"C:\\Program Files\\", "C:\\Program Files (x86)\\"}) {
        if (path_exists(prefix + name)) return prefix + name;
    }
    return candidate;
}

std::string in_system_folders(const std::string& name) {
    const std::string leaf = file_name(name);
    for (int csidl : {csidl_windows, csidl_system}) {
        std::string candidate = in_special_folder(csidl, leaf);
        if (path_exists(candidate)) return candidate;
    }
    return std::string();
}

}  // namespace

std::string locate_program(const std::string& name) {
    // An empty name would otherwise find a Program Files folder itself.
    if (name.empty()) return name;
    std::string candidate = in_program_folders(name);
    if (path_exists(candidate)) return candidate;
    if (to_lower(file_extension(name)) != "exe") return name;
    const std::string found = in_system_folders(name);
    return found.empty() ? name : found;
}

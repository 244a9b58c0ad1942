#include "shell/shell_folders.h"

#include "platform/shell.h"
#include "util/strings.h"

namespace {

// Wine's item-id-list route answers the documents folder with a trailing
// backslash, which callers appending a name or quoting the path do not
// expect. A drive root keeps its backslash: "D:" alone would mean the
// current folder of D:.
std::string without_trailing_backslash(std::string path) {
    const bool drive_root = path.size() == 3 && path[1] == ':';
    if (!drive_root && last_char(path) == '\\') path.pop_back();
    return path;
}

}  // namespace

// The owner window would only parent a dialog of the shell; no caller has
// one, and the shell service does not take one.
std::string get_special_folder(int csidl, void*) {
    platform::x_ShellService& shell = platform::shell();
    // Older shells lack the direct function; the item-id-list route gives
    // the same paths there.
    if (shell.folder_path_function_available()) {
        return without_trailing_backslash(
            shell.folder_path_by_function(csidl, (csidl & csidl_flag_create) != 0));
    }
    return without_trailing_backslash(shell.folder_path_by_id_list(csidl));
}

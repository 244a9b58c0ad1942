#include "shell/special_folders.h"

#include "platform/shell.h"

// The owner window would only parent a dialog of the shell; no caller has
// one, and the shell service does not take one.
std::string get_special_folder(int csidl, void*) {
    platform::x_ShellService& shell = platform::shell();
    // Older shells lack the direct function; the item-id-list route gives
    // the same paths there.
    if (shell.folder_path_function_available()) {
        return shell.folder_path_by_function(csidl, (csidl & csidl_flag_create) != 0);
    }
    return shell.folder_path_by_id_list(csidl);
}

#pragma once
#include <cstdint>
#include <string>

#include "platform/slot.h"

namespace platform {

// The Windows shell: special folder paths and ShellExecuteA.
class x_ShellService {
public:
    virtual ~x_ShellService() = default;

    // Whether "Shell32.dll" loads and exports "SHGetSpecialFolderPathA".
    virtual bool folder_path_function_available();
    // SHGetSpecialFolderPathA into a zero-filled 530-byte buffer, taken up to
    // its first zero byte; create asks the shell to create a missing folder.
    virtual std::string folder_path_by_function(int csidl, bool create);
    // SHGetMalloc, SHGetSpecialFolderLocation, SHGetPathFromIDListA, then
    // the list freed and the allocator released where they were obtained.
    virtual std::string folder_path_by_id_list(int csidl);

    // ShellExecuteA with no owner window; a null pointer passes an absent
    // value. Answers the shell's result code (above 32 on success).
    virtual std::intptr_t execute(const char* verb, const char* file, const char* parameters,
                                  const char* folder, int show_command);
};

inline x_ShellService& shell() { return x_Slot<x_ShellService>::current(); }

}  // namespace platform

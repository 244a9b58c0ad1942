#pragma once
#include <string>

// CSIDL values that the program passes.
enum : int {
    csidl_desktop = 0,
    csidl_personal = 5,
    csidl_my_music = 13,
    csidl_my_video = 14,
    csidl_desktop_directory = 16,
    csidl_common_desktop_directory = 25,
    csidl_windows = 36,
    csidl_system = 37,
    csidl_program_files = 38,
    csidl_my_pictures = 39,
    csidl_common_documents = 46,
    csidl_common_music = 53,
    csidl_common_pictures = 54,
    csidl_common_video = 55,
    csidl_flag_create = 0x8000,
};

// The folder's path as the shell gives it (no trailing separator), or the
// empty text when the shell knows no such folder.
std::string get_special_folder(int csidl, void* owner_window = nullptr);

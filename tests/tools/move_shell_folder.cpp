// Moves one of the user's shell folders for a whole-program test, the way
// the Explorer records a moved folder: both registry keys name the new
// path. The path may hold any character; it is taken from the wide command
// line, since a narrow one could not carry what the code page lacks.
//
//   move_shell_folder VALUE_NAME PATH     (VALUE_NAME: Personal, My Music, ...)
//
// The folder is created when missing.
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

const wchar_t* const folder_keys[] = {
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
};

bool write_value(const wchar_t* key, const std::wstring& name, const std::wstring& path) {
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                          nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const auto size = static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t));
    const bool written =
        ::RegSetValueExW(handle, name.c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(path.c_str()), size) == ERROR_SUCCESS;
    ::RegCloseKey(handle);
    return written;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr || count != 3) return 2;
    const std::wstring name = arguments[1];
    const std::wstring path = arguments[2];
    ::LocalFree(arguments);
    if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        return 1;
    }
    for (const wchar_t* key : folder_keys) {
        if (!write_value(key, name, path)) return 1;
    }
    return 0;
}

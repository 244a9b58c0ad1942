// The real shell under Wine. Paths are compared without regard to case so
// that the same expectations hold on a Windows with default folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "shell/shell_folders.h"
#include "support/code_page.h"
#include "util/strings.h"

namespace {

std::string user_folder() { return "C:\\users\\" + platform::process().user_name(); }

TEST(SpecialFoldersWin32, BackupFoldersAndProgramFoldersAreWhereTheShellKeepsThem) {
    const std::string user = user_folder();
    const std::vector<std::pair<int, std::string>> expected = {
        {csidl_desktop, user + "\\Desktop"},
        {csidl_personal, user + "\\Documents"},
        {csidl_my_music, user + "\\Music"},
        {csidl_my_video, user + "\\Videos"},
        {csidl_desktop_directory, user + "\\Desktop"},
        {csidl_my_pictures, user + "\\Pictures"},
        {csidl_common_desktop_directory, "C:\\users\\Public\\Desktop"},
        {csidl_common_documents, "C:\\users\\Public\\Documents"},
        {csidl_common_music, "C:\\users\\Public\\Music"},
        {csidl_common_pictures, "C:\\users\\Public\\Pictures"},
        {csidl_common_video, "C:\\users\\Public\\Videos"},
        {csidl_windows, "C:\\windows"},
        {csidl_system, "C:\\windows\\system32"},
        {csidl_program_files, "C:\\Program Files"},
    };
    for (const auto& [csidl, path] : expected) {
        const std::string found = get_special_folder(csidl);
        EXPECT_TRUE(equals_ignore_case(found, path)) << csidl << ": " << found;
    }
}

// The real shell with the direct function hidden, as on older systems.
class x_ShellWithoutFolderPathFunction : public platform::x_ShellService {
public:
    bool folder_path_function_available() override { return false; }
};

std::string by_id_list(int csidl) {
    x_ShellWithoutFolderPathFunction shell;
    platform::x_Substitute<platform::x_ShellService> guard(shell);
    return get_special_folder(csidl);
}

TEST(SpecialFoldersWin32, BothShellRoutesGiveTheSamePaths) {
    ASSERT_TRUE(platform::shell().folder_path_function_available());
    for (const int csidl : {0, 5, 13, 14, 16, 25, 36, 37, 38, 39, 46, 53, 54, 55}) {
        const std::string by_function = get_special_folder(csidl);
        EXPECT_FALSE(by_function.empty()) << csidl;
        EXPECT_EQ(by_function, by_id_list(csidl)) << csidl;
    }
}

TEST(SpecialFoldersWin32, UnknownValueGivesEmptyPathOnBothRoutes) {
    const int unknown = 0x7E;
    EXPECT_EQ(get_special_folder(unknown), "");
    EXPECT_EQ(by_id_list(unknown), "");
}

// Points the user's documents at another folder for the test's lifetime;
// the registry values come back byte for byte, type included.
class x_MovedDocuments {
public:
    explicit x_MovedDocuments(const std::wstring& folder) : folder_(folder) {
        ::CreateDirectoryW(folder.c_str(), nullptr);
        for (const wchar_t* key : keys) {
            HKEY handle = nullptr;
            if (::RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &handle, nullptr) != ERROR_SUCCESS) {
                continue;
            }
            saved_.push_back(read(key, handle));
            write(handle, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                  (folder.size() + 1) * sizeof(wchar_t));
            ::RegCloseKey(handle);
        }
    }
    ~x_MovedDocuments() {
        for (const x_Saved& saved : saved_) {
            HKEY handle = nullptr;
            if (::RegOpenKeyExW(HKEY_CURRENT_USER, saved.key, 0, KEY_ALL_ACCESS, &handle) != 0) {
                continue;
            }
            if (saved.present) {
                write(handle, saved.type, saved.data.data(), saved.data.size());
            } else {
                ::RegDeleteValueW(handle, value_name);
            }
            ::RegCloseKey(handle);
        }
        ::RemoveDirectoryW(folder_.c_str());
    }
    x_MovedDocuments(const x_MovedDocuments&) = delete;
    x_MovedDocuments& operator=(const x_MovedDocuments&) = delete;

private:
    struct x_Saved {
        const wchar_t* key;
        bool present;
        DWORD type;
        std::vector<BYTE> data;
    };

    static constexpr const wchar_t* value_name = L"Personal";
    static constexpr const wchar_t* keys[] = {
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
    };

    static x_Saved read(const wchar_t* key, HKEY handle) {
        x_Saved saved{key, false, REG_NONE, std::vector<BYTE>(4096)};
        DWORD size = static_cast<DWORD>(saved.data.size());
        saved.present = ::RegQueryValueExW(handle, value_name, nullptr, &saved.type,
                                           saved.data.data(), &size) == ERROR_SUCCESS;
        saved.data.resize(saved.present ? size : 0);
        return saved;
    }

    static void write(HKEY handle, DWORD type, const BYTE* data, std::size_t size) {
        ::RegSetValueExW(handle, value_name, 0, type, data, static_cast<DWORD>(size));
    }

    std::wstring folder_;
    std::vector<x_Saved> saved_;
};

std::wstring widened(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// Documents in a folder whose last character's second byte is a backslash
// (0x5C) in code page 932: nothing may cut the path there.
TEST(SpecialFoldersCodePage932, JapaneseFolderNameComesBackWhole) {
    if (platform::code_page().ansi_code_page() != 932) GTEST_SKIP() << "needs code page 932";
    testing_support::x_UserLocale locale;
    const std::string user = user_folder();
    x_MovedDocuments moved(widened(user) + L"\\\u30C9\u30AD\u30E5\u30E1\u30F3\u30C8\u8868");
    const std::string expected =
        user + "\\\x83\x68\x83\x4c\x83\x85\x83\x81\x83\x93\x83\x67\x95\x5c";
    EXPECT_EQ(get_special_folder(csidl_personal), expected);
    EXPECT_EQ(by_id_list(csidl_personal), expected);
}

}  // namespace

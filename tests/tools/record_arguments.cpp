// Stands in for a copy tool: appends the command line it was started with,
// and the words the runtime's rules make of it, to the file named by
// SHELLBACKUP_RECORD, as UTF-8 lines:
//   line<TAB>the whole command line
//   word<TAB>one word, for each word, the program's own first
//   end
// Copies nothing and exits with 0.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return std::string();
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(size) - 1);
    return bytes;
}

}  // namespace

int main() {
    const wchar_t* record = ::_wgetenv(L"SHELLBACKUP_RECORD");
    if (record == nullptr || *record == L'\0') return 0;
    const wchar_t* line = ::GetCommandLineW();
    std::string text = "line\t" + utf8(line) + "\n";
    int count = 0;
    if (wchar_t** words = ::CommandLineToArgvW(line, &count)) {
        for (int i = 0; i < count; ++i) text += "word\t" + utf8(words[i]) + "\n";
        ::LocalFree(words);
    }
    text += "end\n";
    if (std::FILE* file = ::_wfopen(record, L"ab")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    return 0;
}

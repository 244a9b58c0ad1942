// The words are split here from the raw command line by the runtime's
// documented rules rather than taken from this program's own argv, which
// another runtime (or Wine's) may split by rules of its own:
// - blanks and tabs outside quotes end a word;
// - the program's name ends at the first blank or tab outside quotes, and
//   its backslashes are plain characters;
// - 2n backslashes before a quote give n backslashes, and the quote opens
//   or closes a quoted part; 2n+1 give n backslashes and a literal quote;
// - inside a quoted part, two quotes in a row give one literal quote;
// - backslashes anywhere else are plain characters.
#include "command_words.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

std::string utf8(const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

namespace {

bool is_blank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring program_word(const wchar_t*& p) {
    std::wstring word;
    bool quoted = false;
    for (; *p != L'\0' && (quoted || !is_blank(*p)); ++p) {
        if (*p == L'"') {
            quoted = !quoted;
        } else {
            word += *p;
        }
    }
    return word;
}

// Backslashes up to a quote follow the halving rule; the quote itself is
// left for the caller when it is not escaped.
void backslashes(const wchar_t*& p, std::wstring& word) {
    std::size_t count = 0;
    for (; *p == L'\\'; ++p) ++count;
    if (*p != L'"') {
        word.append(count, L'\\');
        return;
    }
    word.append(count / 2, L'\\');
    if (count % 2 == 1) {
        word += L'"';
        ++p;
    }
}

std::wstring next_word(const wchar_t*& p) {
    std::wstring word;
    bool quoted = false;
    while (*p != L'\0' && (quoted || !is_blank(*p))) {
        if (*p == L'\\') {
            backslashes(p, word);
        } else if (*p == L'"') {
            if (quoted && p[1] == L'"') {
                word += L'"';
                p += 2;
            } else {
                quoted = !quoted;
                ++p;
            }
        } else {
            word += *p++;
        }
    }
    return word;
}

}  // namespace

std::vector<std::wstring> runtime_words(const wchar_t* line) {
    std::vector<std::wstring> words{program_word(line)};
    for (;;) {
        while (is_blank(*line)) ++line;
        if (*line == L'\0') return words;
        words.push_back(next_word(line));
    }
}

void record_command_line(const wchar_t* line) {
    const wchar_t* record = ::_wgetenv(L"SHELLBACKUP_RECORD");
    if (record == nullptr || *record == L'\0') return;
    std::string text = "line\t" + utf8(line) + "\n";
    for (const std::wstring& word : runtime_words(line)) text += "word\t" + utf8(word) + "\n";
    text += "end\n";
    if (std::FILE* file = ::_wfopen(record, L"ab")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
}

// robocopy <source> <destination> [<file>...] [<options>], as in
// Microsoft's robocopy page; switches are read without regard to case.
#include <cwctype>

#include "robocopy.h"

namespace {

std::wstring lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

// Digits only, no sign, within 64 bits.
bool read_number(const std::wstring& digits, std::uint64_t& value) {
    if (digits.empty() || digits.size() > 19) return false;
    value = 0;
    for (const wchar_t c : digits) {
        if (c < L'0' || c > L'9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - L'0');
    }
    return true;
}

bool read_numbered(const std::wstring& word, const std::wstring& stem, std::uint64_t& value) {
    return word.rfind(stem, 0) == 0 && read_number(word.substr(stem.size()), value);
}

bool read_flag(const std::wstring& word, x_RobocopyLine& line) {
    const struct {
        const wchar_t* word;
        bool x_RobocopyLine::*flag;
    } flags[] = {{L"/s", &x_RobocopyLine::subfolders},
                 {L"/purge", &x_RobocopyLine::purge},
                 {L"/fft", &x_RobocopyLine::fat_times},
                 {L"/xo", &x_RobocopyLine::exclude_older},
                 {L"/xjd", &x_RobocopyLine::skip_junctions}};
    for (const auto& entry : flags) {
        if (word == entry.word) {
            line.*entry.flag = true;
            return true;
        }
    }
    return false;
}

bool read_switch(const std::wstring& word, x_RobocopyLine& line) {
    std::uint64_t value = 0;
    if (read_flag(word, line)) return true;
    if (read_numbered(word, L"/max:", value)) {
        line.max_size = value;
    } else if (read_numbered(word, L"/r:", value) && value <= 0xFFFFFFFFu) {
        line.retries = static_cast<unsigned long>(value);
    } else if (read_numbered(word, L"/w:", value) && value <= 0xFFFFFFFFu) {
        line.wait_seconds = static_cast<unsigned long>(value);
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::wstring read_line(const std::vector<std::wstring>& words, x_RobocopyLine& line) {
    if (words.size() < 2) return L"(a source and a destination)";
    line.source = words[0];
    line.destination = words[1];
    bool in_file_list = false;
    for (std::size_t i = 2; i < words.size(); ++i) {
        const std::wstring word = lower(words[i]);
        const bool is_switch = !word.empty() && word[0] == L'/';
        if (!is_switch && in_file_list) {
            line.excluded_files.push_back(words[i]);
            continue;
        }
        in_file_list = word == L"/xf";
        // A file filter after the paths is robocopy's, but not the program's.
        if (!in_file_list && !(is_switch && read_switch(word, line))) return words[i];
    }
    return {};
}

// A matcher of its own, not the check's: the stand-in plays robocopy, by
// which the program's check is judged, so it shares none of its code.
bool matches_wildcard(const std::wstring& name, const std::wstring& pattern) {
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t star = std::wstring::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == L'?' || std::towlower(pattern[p]) == std::towlower(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::wstring::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

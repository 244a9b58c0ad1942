#include "util/path_split.h"

#include <algorithm>

#include "util/token_rules.h"

namespace {

bool is_one_of(char byte, const std::string& separators) { return separators.find(byte) != npos; }

// The tokenizer resumes only after a single-byte separator or a closing
// quote, and neither can be a later byte of a character, so from is always
// a character boundary.
std::size_t find_separator_char(const std::string& text, std::size_t from,
                                const std::string& separators) {
    for (std::size_t i = from; i < text.size(); i += char_width(text, i)) {
        if (is_one_of(text[i], separators)) return i;
    }
    return npos;
}

}  // namespace

x_StringList split_path(const std::string& path, const std::string& separators) {
    if (separators.empty()) return path.empty() ? x_StringList() : x_StringList{path};
    const auto bytes = std::count_if(path.begin(), path.end(),
                                     [&](char byte) { return is_one_of(byte, separators); });
    return tokenize_with(path, 1, static_cast<std::size_t>(bytes) + 1, [&](std::size_t from) {
        return find_separator_char(path, from, separators);
    });
}

x_StringList split_path(const std::string& path, char separator) {
    return split_path(path, std::string(1, separator));
}

x_StringList split_literally(const std::string& path, const std::string& separators) {
    x_StringList pieces;
    std::size_t start = 0;
    for (std::size_t end = find_separator_char(path, 0, separators); end != npos;
         end = find_separator_char(path, start, separators)) {
        pieces.emplace_back(path, start, end - start);
        start = end + 1;
    }
    pieces.emplace_back(path, start);
    return pieces;
}

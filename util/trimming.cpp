#include "util/text_helpers.h"

namespace {

// The C library's white space, fixed here rather than taken from the
// locale, so that no byte of a double-byte character can ever qualify.
bool is_white(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_candidate(char c, char byte) { return byte == 0 ? is_white(c) : c == byte; }

}  // namespace

std::string trim(const std::string& text, char byte) {
    return trim_right(trim_left(text, byte), byte);
}

// The first byte of a longer character never counts as a candidate:
// trimming it would leave the rest of its character behind.
std::string trim_left(const std::string& text, char byte) {
    std::size_t start = 0;
    while (start < text.size() && char_width(text, start) == 1 && is_candidate(text[start], byte)) {
        ++start;
    }
    return text.substr(start);
}

// Walked from the start, because only from there can a byte be told apart
// from a later byte of a character.
std::string trim_right(const std::string& text, char byte) {
    std::size_t run = npos;
    for (std::size_t i = 0; i < text.size(); i += char_width(text, i)) {
        if (char_width(text, i) == 1 && is_candidate(text[i], byte)) {
            if (run == npos) run = i;
        } else {
            run = npos;
        }
    }
    return run == npos ? text : text.substr(0, run);
}

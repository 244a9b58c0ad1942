#pragma once
// The tokenizer's rules with the delimiter search supplied by the caller, so
// that a splitter which must not match inside a double-byte character keeps
// exactly the rules of tokenize: a token that opens with a double or single
// quote runs to the same quote before the delimiter is looked for, an
// unclosed quote makes the rest one token, adjacent delimiters give an
// empty token between them, and a final delimiter gives no empty last one.
#include <string>

#include "util/strings.h"

namespace token_rules {

// Where the token that starts at cursor ends: the delimiter's position, or
// npos when the rest of the text is the last token.
template <class FindDelimiter>
std::size_t token_end(const std::string& text, std::size_t cursor, FindDelimiter& find_delimiter) {
    std::size_t from = cursor;
    const char first = text[cursor];
    if (first == '"' || first == '\'') {
        const std::size_t closing = text.find(first, cursor + 1);
        if (closing == npos) return npos;
        from = closing + 1;
    }
    return find_delimiter(from);
}

}  // namespace token_rules

// find_delimiter(from): the position of the first delimiter at or after
// from, or npos. step: the bytes a delimiter occupies. expected: how many
// tokens to make room for.
template <class FindDelimiter>
x_StringList tokenize_with(const std::string& text, std::size_t step, std::size_t expected,
                           FindDelimiter find_delimiter) {
    x_StringList tokens;
    tokens.reserve(expected);
    std::size_t cursor = 0;
    while (cursor < text.size()) {
        const std::size_t end = token_rules::token_end(text, cursor, find_delimiter);
        if (end == npos) break;
        tokens.emplace_back(text, cursor, end - cursor);
        cursor = end + step;
    }
    if (cursor < text.size()) tokens.emplace_back(text, cursor);
    return tokens;
}

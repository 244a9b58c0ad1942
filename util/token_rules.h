#pragma once
// The tokenizer's rules (quoted tokens, empty tokens between adjacent
// delimiters, no empty last token) with the delimiter search supplied by the
// caller, so that a splitter which must not match inside a double-byte
// character keeps exactly the same rules as tokenize.
#include <string>

#include "util/strings.h"

// The position of the first delimiter at or after from, or npos.
using x_DelimiterSearch = std::size_t (*)(const std::string& text, std::size_t from,
                                          const std::string& delimiter);

// step: how many bytes a found delimiter occupies.
x_StringList tokenize_with(const std::string& text, const std::string& delimiter,
                           std::size_t step, x_DelimiterSearch search);

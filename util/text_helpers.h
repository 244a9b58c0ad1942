#pragma once
// Quoting, trimming, line and word splitting, and fixed-width shortening.
// Multi-byte aware where a double-byte character could be split or matched
// in its second byte.
#include <string>

#include "util/strings.h"

std::string strip_quotes(const std::string& text);
std::string strip_quote_pair(const std::string& text);
std::string trim(const std::string& text, char byte = 0);
std::string trim_left(const std::string& text, char byte = 0);
std::string trim_right(const std::string& text, char byte = 0);
x_StringList split_lines(const std::string& text);
x_StringList split_words(const std::string& line);
std::string join_lines(const x_StringList& lines);
std::string abbreviate_path(const std::string& path, std::size_t head_width,
                            std::size_t tail_width);
std::string left_chars(const std::string& text, std::size_t count);
std::string pad_right(const std::string& text, std::size_t width);

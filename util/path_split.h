#pragma once
// Splitting a path at its separators with the tokenizer's quote rules, but
// multi-byte aware: under a double-byte code page a backslash that is the
// second byte of a character (as in many Shift_JIS characters) belongs to
// that character and never ends a component.
#include <string>

#include "util/strings.h"

// Any byte of separators ends a component, as split and tokenize in set mode.
x_StringList split_path(const std::string& path, const std::string& separators);
x_StringList split_path(const std::string& path, char separator);

// Every byte of separators ends a piece wherever it stands, quotes included:
// n separators give n + 1 pieces, empty ones too. For names that are never
// quoted, such as the folders of a path that has lost its enclosing quotes,
// where an apostrophe at the start of a name ('Tis) is an ordinary letter.
x_StringList split_literally(const std::string& path, const std::string& separators);

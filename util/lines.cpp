#include "util/text_helpers.h"

namespace {

const std::string line_end = "\r\n";

}  // namespace

x_StringList split_lines(const std::string& text) { return tokenize(text, true, line_end); }

x_StringList split_words(const std::string& line) {
    return drop_empty(tokenize(line, false, " \t\r\n"));
}

std::string join_lines(const x_StringList& lines) { return join(lines, line_end) + line_end; }

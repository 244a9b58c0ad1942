#include "util/path_split.h"

#include "util/token_rules.h"

namespace {

// The tokenizer resumes only after a single-byte delimiter or a closing
// quote, and neither can be the second byte of a double-byte character, so
// from is always a character boundary.
std::size_t find_separator_char(const std::string& text, std::size_t from,
                                const std::string& separators) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (is_lead_byte(text[i])) {
            ++i;
        } else if (separators.find(text[i]) != npos) {
            return i;
        }
    }
    return npos;
}

}  // namespace

x_StringList split_path(const std::string& path, const std::string& separators) {
    return tokenize_with(path, separators, 1, find_separator_char);
}

x_StringList split_path(const std::string& path, char separator) {
    return split_path(path, std::string(1, separator));
}

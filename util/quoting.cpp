#include "util/text_helpers.h"

namespace {

bool is_quote(char c) { return c == '"' || c == '\''; }

}  // namespace

// A pass runs only while its number is below the current length, so four
// nested pairs around one byte lose three: the fourth pass meets a text of
// three bytes and does not run.
std::string strip_quotes(const std::string& text) {
    std::string result = text;
    for (std::size_t pass = 0; pass < result.size(); ++pass) {
        if (result.size() < 2 || !is_quote(result[0]) || result[0] != last_char(result)) break;
        result = strip_quote_pair(result);
    }
    return result;
}

std::string strip_quote_pair(const std::string& text) {
    if (text.size() < 2 || !is_quote(text.front()) || text.front() != text.back()) return text;
    return text.substr(1, text.size() - 2);
}

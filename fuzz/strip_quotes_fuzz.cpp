// Stripping takes the same number of bytes from both ends, each pair a
// matching quote, and nothing else.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "util/text_helpers.h"

using namespace fuzz_support;

namespace {

void require_stripped_pairs(const std::string& text, const std::string& result) {
    require(result.size() <= text.size());
    const std::size_t pairs = (text.size() - result.size()) / 2;
    require(result.size() + 2 * pairs == text.size());
    require(text.compare(pairs, result.size(), result) == 0);
    for (std::size_t i = 0; i < pairs; ++i) {
        const char opening = text[i];
        require(opening == '"' || opening == '\'');
        require(text[text.size() - 1 - i] == opening);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    choose_code_page(data[0]);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    require_stripped_pairs(text, strip_quotes(text));
    const std::string once = strip_quote_pair(text);
    require_stripped_pairs(text, once);
    require(text.size() - once.size() <= 2);
    return 0;
}

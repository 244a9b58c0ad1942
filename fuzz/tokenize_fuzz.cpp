// tokenize on arbitrary text and delimiters: never reads past its input,
// and the tokens never hold more bytes than the text they came from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "util/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const bool whole = data[0] & 1;
    const std::size_t delimiter_length = 1 + data[1] % 3;
    if (size < 2 + delimiter_length) return 0;
    const std::string delimiter(reinterpret_cast<const char*>(data + 2), delimiter_length);
    const std::string text(reinterpret_cast<const char*>(data + 2 + delimiter_length),
                           size - 2 - delimiter_length);
    const x_StringList tokens = tokenize(text, whole, delimiter);
    std::size_t total = 0;
    for (const auto& token : tokens) total += token.size();
    if (total > text.size()) std::abort();
    // Without quotes the tokens and their delimiters rebuild the text,
    // less the one trailing delimiter that yields no token.
    if (whole && text.find_first_of("\"'") == std::string::npos) {
        const std::string rebuilt = join(tokens, delimiter);
        if (text.compare(0, rebuilt.size(), rebuilt) != 0) std::abort();
    }
    return 0;
}

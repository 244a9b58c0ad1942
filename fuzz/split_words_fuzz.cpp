// Words are non-empty, come from the line in order without overlapping, and
// hold a delimiter only when they open with a quote.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "util/text_helpers.h"

using namespace fuzz_support;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    std::size_t from = 0;
    for (const std::string& word : split_words(line)) {
        require(!word.empty());
        const std::size_t at = line.find(word, from);
        require(at != npos);
        from = at + word.size();
        const bool quoted = word[0] == '"' || word[0] == '\'';
        require(quoted || word.find_first_of(" \t\r\n") == npos);
    }
    return 0;
}

// Arbitrary text, pattern and replacement: the walk must end, whatever the
// replacement holds, and the text may grow by at most one replacement per
// byte of the original and one at its end.
#include <cstddef>
#include <cstdint>
#include <string>

#include "copyjob/command_runner.h"
#include "fuzz/fuzz_support.h"

namespace {

std::string next_part(const std::string& data, std::size_t& from) {
    const std::size_t end = data.find('\0', from);
    const std::string part = data.substr(from, end == std::string::npos ? end : end - from);
    from = end == std::string::npos ? data.size() : end + 1;
    return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fuzz_support::choose_code_page(data[0]);
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::size_t from = 0;
    const std::string text = next_part(input, from);
    const std::string pattern = next_part(input, from);
    const std::string replacement = next_part(input, from);

    const std::string result = replace_all(text, pattern, replacement);
    fuzz_support::require(result.size() <= text.size() + (text.size() + 1) * replacement.size());
    const bool occurs = text.find(pattern) != std::string::npos ||
                        to_lower(text).find(to_lower(pattern)) != std::string::npos;
    if (!occurs) fuzz_support::require(result == text);
    // Occurrences in other letter case take the pattern's case, nothing else.
    // (Under code page 932 a match may begin on the second byte of a
    // character, whose case the lowering then leaves alone.)
    const bool single_byte = (data[0] & 1) == 0;
    if (single_byte && pattern == replacement) {
        fuzz_support::require(to_lower(result) == to_lower(text));
    }
    return 0;
}

// Normalising never loses or invents anything but separators: with the
// separators taken out (as characters, so a second byte equal to a
// backslash stays), input and result hold the same characters; slashes
// are gone and runs of separators collapsed.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "util/paths.h"

using namespace fuzz_support;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    choose_code_page(data[0]);
    const std::string path(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string result = normalize_separators(path, '\\');
    require(result.size() <= path.size());
    if (path.find_first_of("\"'") != npos) return 0;

    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    require(characters_without(result, separator) == characters_without(path, separator));
    require(find_char(result, '/') == npos);
    // Only the first two parts are kept when empty, so two separators in a
    // row can only follow the first component.
    const std::size_t first = find_char(result, '\\');
    for (std::size_t i = first + 1; first != npos && i + 1 < result.size(); ++i) {
        if (on_boundary(result, i) && result[i] == '\\' && result[i + 1] == '\\') std::abort();
    }
    return 0;
}

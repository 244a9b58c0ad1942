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

    const auto is_separator = [](char c) { return c == '\\' || c == '/'; };
    require(characters_without(result, is_separator) == characters_without(path, is_separator));
    require(find_char(result, '/') == npos);
    // Only the first two parts are kept when empty, so two separators in a
    // row can only be the first separator and the one after it.
    std::size_t separators = 0;
    bool after_separator = false;
    for (std::size_t i = 0; i < result.size();) {
        const std::size_t width = char_width(result, i);
        const bool separator = width == 1 && result[i] == '\\';
        require(!(separator && after_separator) || separators == 1);
        separators += separator ? 1 : 0;
        after_separator = separator;
        i += width;
    }
    return 0;
}

// join of arbitrary lists equals the element-by-element join, whatever the
// number of elements and the separator.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "util/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t separator_length = data[0] % 4;
    if (size < 1 + separator_length) return 0;
    const std::string separator(reinterpret_cast<const char*>(data + 1), separator_length);
    // Each further byte is one element: its value's worth of copies of
    // itself, so that lists of a few thousand elements are reachable.
    x_StringList parts;
    for (std::size_t i = 1 + separator_length; i < size; ++i) {
        parts.emplace_back(data[i] % 8, static_cast<char>(data[i]));
        if (data[i] == 0xFF) parts.resize(parts.size() + 300);
    }
    std::string expected;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) expected += separator;
        expected += parts[i];
    }
    if (join(parts, separator) != expected) std::abort();
    if (separator_length == 1 && join(parts, separator[0]) != expected) std::abort();
    return 0;
}

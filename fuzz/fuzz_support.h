#pragma once
// Shared by the fuzz targets: the input as text, a code page chosen by the
// input itself, and character boundaries as the helpers under test should
// see them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/codepage.h"
#include "util/strings.h"

namespace fuzz_support {

class x_ChosenCodePage : public platform::x_CodePageService {
public:
    unsigned page = 1252;
    unsigned ansi_code_page() override { return page; }
    unsigned oem_code_page() override { return page; }
    unsigned system_oem_code_page() override { return page; }
};

// Installs the code page for this input: 932 when the byte is odd.
inline void choose_code_page(std::uint8_t byte) {
    static x_ChosenCodePage service;
    static platform::x_Substitute<platform::x_CodePageService> guard(service);
    service.page = (byte & 1) != 0 ? 932 : 1252;
}

// Whether position starts a character (or is the end of the text).
inline bool on_boundary(const std::string& text, std::size_t position) {
    std::size_t i = 0;
    while (i < position) i += char_width(text, i);
    return i == position;
}

// The text's characters without those for which drop answers true, a
// double-byte character being one character.
template <class Drop>
std::string characters_without(const std::string& text, Drop drop) {
    std::string kept;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = char_width(text, i);
        if (width > 1 || !drop(text[i])) kept.append(text, i, width);
        i += width;
    }
    return kept;
}

inline void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace fuzz_support

// Arbitrary bytes: detection must stay within the data and agree with the
// plain byte-by-byte walk below, which the fast one-pass scan replaces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "util/text_file.h"

namespace {

bool in(unsigned value, unsigned low, unsigned high) { return value >= low && value <= high; }

x_TextEncoding shift_jis_walk(const std::uint8_t* bytes, std::size_t size, bool& high_seen) {
    std::size_t i = 1;
    while (i < size) {
        const unsigned a = bytes[i - 1];
        const unsigned b = bytes[i];
        if (a < 0x80) {
            ++i;
            continue;
        }
        high_seen = true;
        if (in(a, 0x81, 0x9F) && (in(b, 0x40, 0x7E) || in(b, 0x80, 0xFC))) return shift_jis;
        if (in(a, 0xE0, 0xFC) && (in(b, 0x40, 0x7E) || in(b, 0xC0, 0xFC))) return shift_jis;
        if (b < 0x80) {
            i += 2;
            continue;
        }
        std::size_t next = i + 1;
        while (next < size && bytes[next] >= 0x80) ++next;
        i = next + 1;
    }
    return undetected;
}

x_TextEncoding utf8_walk(const std::uint8_t* bytes, std::size_t size) {
    std::size_t sequences = 0;
    std::size_t invalid = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned c = bytes[i];
        std::size_t needed = 0;
        if (in(c, 0xC0, 0xDF)) needed = 1;
        if (in(c, 0xE0, 0xEF)) needed = 2;
        if (in(c, 0xF0, 0xF7)) needed = 3;
        if (in(c, 0xF8, 0xFB)) needed = 4;
        if (in(c, 0xFC, 0xFD)) needed = 5;
        if (needed > 0) {
            bool complete = true;
            for (std::size_t k = 1; k <= needed; ++k) {
                const unsigned next = i + k < size ? bytes[i + k] : 0;
                complete = complete && in(next, 0x80, 0xBF);
            }
            if (complete) {
                ++sequences;
                i += needed;
            }
        } else if (in(c, 0x80, 0xBF) || c >= 0xFE) {
            ++invalid;
        }
    }
    return invalid == 0 && sequences > 0 ? utf8 : undetected;
}

x_TextEncoding reference(const std::uint8_t* bytes, std::size_t size) {
    bool high_seen = false;
    if (shift_jis_walk(bytes, size, high_seen) == shift_jis) return shift_jis;
    if (!high_seen) return ascii;
    return utf8_walk(bytes, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const x_ByteList bytes(data, data + size);
    if (detect_encoding(bytes) != reference(data, size)) std::abort();
    return 0;
}

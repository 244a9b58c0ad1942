// Arbitrary bytes: detection must stay within the data and answer one of
// the four codes it knows; a list without high bytes is always ASCII.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "util/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const x_ByteList bytes(data, data + size);
    const x_TextEncoding found = detect_encoding(bytes);
    if (found != ascii && found != shift_jis && found != utf8 && found != undetected) std::abort();
    const bool all_low = std::all_of(data, data + size, [](std::uint8_t b) { return b < 0x80; });
    if (all_low && found != ascii) std::abort();
    return 0;
}

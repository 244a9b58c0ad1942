// Arbitrary bytes as a file's content: decoding must never read beyond the
// data, whatever marks, odd lengths or malformed sequences it holds, and its
// result is code page 932 text without zero bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "util/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const x_ByteList bytes(data, data + size);
    const std::string text = decode_text(bytes);
    if (text.find('\0') != std::string::npos) std::abort();
    return 0;
}

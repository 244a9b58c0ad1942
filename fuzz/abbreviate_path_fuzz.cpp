// A path of at least head + tail bytes comes back exactly head + tail bytes
// long, any other unchanged. Under code page 932 no double-byte character
// is split: the head ends and the tail begins between characters of the
// path (a tail that would begin inside one begins with an underscore).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "util/text_helpers.h"

using namespace fuzz_support;

namespace {

// The longest piece of the path that the head part of the result repeats.
std::size_t head_taken(const std::string& path, const std::string& head) {
    std::size_t n = 0;
    while (n < head.size() && n < path.size() && head[n] == path[n]) ++n;
    return n;
}

void check_head(const std::string& path, const std::string& head) {
    if (head.empty() || (head[0] == '\\' && path[0] != '\\')) return;
    std::size_t n = head_taken(path, head);
    while (n > 0 && !on_boundary(path, n)) --n;
    require(head.find_first_not_of(' ', n) == npos);
}

void check_tail(const std::string& path, const std::string& tail) {
    for (std::size_t k = 0; k <= tail.size(); ++k) {
        const std::string piece = tail.substr(k);
        const std::size_t start = path.size() - piece.size();
        const bool same = path.compare(start, piece.size(), piece) == 0;
        const bool mended = !piece.empty() && piece[0] == '_' &&
                            path.compare(start + 1, piece.size() - 1, piece, 1) == 0 &&
                            !on_boundary(path, start);
        if ((same && on_boundary(path, start)) || mended) return;
        require(tail[k] == ' ');
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    choose_code_page(data[0]);
    const std::size_t head_width = data[1] % 64;
    const std::size_t tail_width = data[2] % 64;
    const std::string path(reinterpret_cast<const char*>(data + 3), size - 3);
    const std::string result = abbreviate_path(path, head_width, tail_width);
    if (path.size() < head_width + tail_width) {
        require(result == path);
        return 0;
    }
    require(result.size() == head_width + tail_width);
    check_head(path, result.substr(0, head_width));
    check_tail(path, result.substr(head_width));

    const std::string left = left_chars(path, head_width);
    require(left.size() <= head_width && left.size() + 1 >= head_width);
    require(path.compare(0, left.size(), left) == 0 && on_boundary(path, left.size()));
    return 0;
}

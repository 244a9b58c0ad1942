#include "util/text_helpers.h"

#include <climits>

#include "util/paths.h"

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

// Whether position falls on the second byte of a double-byte character.
// Only a walk from the start of the text can tell.
bool inside_char(const std::string& text, std::size_t position) {
    std::size_t i = 0;
    while (i < position) i += is_lead_byte(text[i]) && i + 1 < text.size() ? 2 : 1;
    return i > position;
}

int as_width(std::size_t width) { return width > INT_MAX ? INT_MAX : static_cast<int>(width); }

// The leading folders that fit in width bytes, padded with blanks.
std::string head_of(const std::string& path, std::size_t width) {
    if (width == 0) return {};
    std::string head = left_chars(path, width);
    if (head.empty() || !is_separator(last_char(head))) head = dir_part(head);
    return pad_right(head, width);
}

// The trailing folders that fit in width bytes, starting at a separator,
// padded on the left with blanks. A tail that would begin with the second
// byte of a character begins with an underscore instead of half a
// character.
std::string tail_of(const std::string& path, std::size_t width) {
    const std::size_t start = path.size() - width;
    std::string tail = path.substr(start);
    if (!tail.empty() && inside_char(path, start)) tail[0] = '_';
    if (!tail.empty() && !is_separator(tail[0])) {
        std::size_t cut = find_char(tail, '\\');
        if (cut == npos) cut = find_char(tail, '/');
        if (cut != npos) tail.erase(0, cut);
    }
    return pad_left(tail, as_width(width), ' ');
}

}  // namespace

std::string abbreviate_path(const std::string& path, std::size_t head_width,
                            std::size_t tail_width) {
    if (path.size() < head_width || path.size() - head_width < tail_width) return path;
    return head_of(path, head_width) + tail_of(path, tail_width);
}

std::string left_chars(const std::string& text, std::size_t count) {
    if (text.size() < count) return text;
    std::size_t end = 0;
    while (end < count) {
        const std::size_t width = is_lead_byte(text[end]) && end + 1 < text.size() ? 2 : 1;
        if (end + width > count) break;
        end += width;
    }
    return text.substr(0, end);
}

std::string pad_right(const std::string& text, std::size_t width) {
    if (text.size() >= width) return text;
    return text + std::string(width - text.size(), ' ');
}

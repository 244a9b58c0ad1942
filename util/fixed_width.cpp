#include "util/text_helpers.h"

#include <climits>

#include "util/paths.h"

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

// Where the first character that starts at or after position starts. Only a
// walk from the start of the text can tell a character's later bytes.
std::size_t next_char_start(const std::string& text, std::size_t position) {
    std::size_t i = 0;
    while (i < position) i += char_width(text, i);
    return i;
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
// padded on the left with blanks. A tail that would begin inside a
// character begins with an underscore for each of its bytes there instead
// of part of a character.
std::string tail_of(const std::string& path, std::size_t width) {
    const std::size_t start = path.size() - width;
    std::string tail = path.substr(start);
    const std::size_t partial = next_char_start(path, start) - start;
    tail.replace(0, partial, partial, '_');
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
        const std::size_t width = char_width(text, end);
        if (end + width > count) break;
        end += width;
    }
    return text.substr(0, end);
}

std::string pad_right(const std::string& text, std::size_t width) {
    if (text.size() >= width) return text;
    return text + std::string(width - text.size(), ' ');
}

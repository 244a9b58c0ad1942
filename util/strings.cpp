#include "util/strings.h"

#include <algorithm>
#include <cstring>

#include "platform/codepage.h"
#include "util/token_rules.h"

bool is_lead_byte(char byte) {
    return platform::code_page().is_lead_byte(static_cast<unsigned char>(byte));
}

namespace {

bool is_continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// A UTF-8 sequence counts whole only when all its bytes are there.
std::size_t utf8_width(const std::string& text, std::size_t position) {
    const auto lead = static_cast<unsigned char>(text[position]);
    const std::size_t width = lead >= 0xF5   ? 1
                              : lead >= 0xF0 ? 4
                              : lead >= 0xE0 ? 3
                              : lead >= 0xC2 ? 2
                                             : 1;
    if (width == 1 || position + width > text.size()) return 1;
    for (std::size_t k = 1; k < width; ++k) {
        if (!is_continuation(text[position + k])) return 1;
    }
    return width;
}

// The widths of one code page, asked for once per walk.
class x_CharWidths {
public:
    x_CharWidths() : utf8_(platform::code_page().ansi_code_page() == platform::code_page_utf8) {}
    std::size_t at(const std::string& text, std::size_t position) const {
        if (utf8_) return utf8_width(text, position);
        return is_lead_byte(text[position]) && position + 1 < text.size() ? 2 : 1;
    }

private:
    bool utf8_;
};

// Calls visit(position, width) for every character of the text, a
// multi-byte character counting once; stops when visit answers false.
template <class Visit>
void for_each_char(const std::string& text, Visit visit) {
    const x_CharWidths widths;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = widths.at(text, i);
        if (!visit(i, width)) return;
        i += width;
    }
}

// The bytes of a delimiter set, for constant-time membership tests.
class x_ByteSet {
public:
    explicit x_ByteSet(const std::string& bytes) {
        for (char byte : bytes) member_[static_cast<unsigned char>(byte)] = true;
    }
    bool has(char byte) const { return member_[static_cast<unsigned char>(byte)]; }
    std::size_t find_in(const std::string& text, std::size_t from) const {
        for (std::size_t i = from; i < text.size(); ++i) {
            if (has(text[i])) return i;
        }
        return npos;
    }
    std::size_t count_in(const std::string& text) const {
        return static_cast<std::size_t>(
            std::count_if(text.begin(), text.end(), [this](char byte) { return has(byte); }));
    }

private:
    bool member_[256] = {};
};

std::string plain_join(const x_StringList& parts, std::size_t first, std::size_t last,
                       const std::string& separator) {
    std::size_t size = 0;
    for (std::size_t i = first; i < last; ++i) size += parts[i].size() + separator.size();
    std::string result;
    result.reserve(size);
    for (std::size_t i = first; i < last; ++i) {
        if (i != first) result += separator;
        result += parts[i];
    }
    return result;
}

char digit(unsigned value) {
    return static_cast<char>(value < 10 ? '0' + value : 'a' + (value - 10));
}

std::uint64_t clamp_radix(int radix) {
    return static_cast<std::uint64_t>(std::clamp(radix, 2, 36));
}

}  // namespace

std::size_t char_width(const std::string& text, std::size_t position) {
    // ASCII is one byte in every page the program meets, and most text is.
    if (static_cast<unsigned char>(text[position]) < 0x80) return 1;
    return x_CharWidths().at(text, position);
}

char last_char(const std::string& text) {
    char last = '\0';
    for_each_char(text, [&](std::size_t i, std::size_t) {
        last = text[i];
        return true;
    });
    return last;
}

std::string to_lower(const std::string& text) { return platform::code_page().lower_case(text); }

bool equals_ignore_case(const std::string& a, const std::string& b) {
    return a == b || to_lower(a) == to_lower(b);
}

std::size_t find_char(const std::string& text, char byte) {
    std::size_t found = npos;
    for_each_char(text, [&](std::size_t i, std::size_t width) {
        if (width == 1 && text[i] == byte) found = i;
        return found == npos;
    });
    return found;
}

std::size_t find_last_char(const std::string& text, char byte) {
    std::size_t found = npos;
    for_each_char(text, [&](std::size_t i, std::size_t width) {
        if (width == 1 && text[i] == byte) found = i;
        return true;
    });
    return found;
}

x_StringList tokenize(const std::string& text, bool whole_delimiter, const std::string& delimiter) {
    if (delimiter.empty()) return text.empty() ? x_StringList() : x_StringList{text};
    if (whole_delimiter) {
        return tokenize_with(text, delimiter.size(), 0,
                             [&](std::size_t from) { return text.find(delimiter, from); });
    }
    const x_ByteSet set(delimiter);
    // One token more than delimiters at most: reserving spares the list's
    // regrowth, which otherwise dominates on long texts.
    return tokenize_with(text, 1, set.count_in(text) + 1,
                         [&](std::size_t from) { return set.find_in(text, from); });
}

x_StringList split(const std::string& text, char delimiter) {
    return tokenize(text, false, std::string(1, delimiter));
}

std::string join(const x_StringList& parts, char separator) {
    return join(parts, std::string(1, separator));
}

// Measured first and filled once: one allocation, linear in the output,
// whatever the number of elements.
std::string join(const x_StringList& parts, const std::string& separator) {
    return plain_join(parts, 0, parts.size(), separator);
}

x_StringList drop_empty(const x_StringList& parts) {
    x_StringList kept;
    std::copy_if(parts.begin(), parts.end(), std::back_inserter(kept),
                 [](const std::string& part) { return !part.empty(); });
    return kept;
}

std::string uint64_to_text(std::uint64_t value, int radix) {
    const std::uint64_t base = clamp_radix(radix);
    std::string digits;
    do {
        digits.push_back(digit(static_cast<unsigned>(value % base)));
        value /= base;
    } while (value != 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

std::string uint_to_text(std::uint32_t value, int radix) { return uint64_to_text(value, radix); }

std::string uint_to_padded_text(std::uint32_t value, int radix, int width) {
    return pad_left(uint_to_text(value, radix), width, '0');
}

std::string uint64_to_padded_text(std::uint64_t value, int radix, int width) {
    return pad_left(uint64_to_text(value, radix), width, '0');
}

std::string pad_left(const std::string& text, int width, char fill) {
    if (width <= 0 || text.size() >= static_cast<std::size_t>(width)) return text;
    return std::string(static_cast<std::size_t>(width) - text.size(), fill) + text;
}

std::string surround(const std::string& text, char byte) { return byte + text + byte; }

x_ByteList to_bytes(const std::string& text) { return x_ByteList(text.begin(), text.end()); }

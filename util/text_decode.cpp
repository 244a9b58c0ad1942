// Encoding recognition and conversion of whole files into code page 932.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/codepage.h"
#include "util/text_file.h"

namespace {

constexpr unsigned japanese_code_page = 932;
constexpr const char* default_char = "__";

// Files are converted piece by piece: the UTF-16 between the two
// conversions stays small enough for the cache, and no conversion call
// sees a length near the int limit of its arguments, however long the file.
constexpr std::size_t piece_size = std::size_t{1} << 16;

struct x_ByteOrderMark {
    std::string_view bytes;
    x_TextEncoding encoding;
};

// The four-byte UTF-32 mark comes before the UTF-16 mark it begins with.
constexpr std::array<x_ByteOrderMark, 5> byte_order_marks{{
    {std::string_view("\xFF\xFE\x00\x00", 4), utf32le},
    {std::string_view("\xFF\xFE", 2), utf16le},
    {std::string_view("\xEF\xBB\xBF", 3), utf8},
    {std::string_view("\x00\x00\xFE\xFF", 4), utf32be},
    {std::string_view("\xFE\xFF", 2), utf16be},
}};

// A mark counts only when all of its bytes are present; a lone FE is not
// the start of a big-endian file, and must not consume bytes it lacks.
const x_ByteOrderMark* find_byte_order_mark(const x_ByteList& bytes) {
    const std::string_view data(bytes.data(), bytes.size());
    for (const x_ByteOrderMark& mark : byte_order_marks) {
        if (data.substr(0, mark.bytes.size()) == mark.bytes) return &mark;
    }
    return nullptr;
}

unsigned byte_at(const char* data, std::size_t index) {
    return static_cast<unsigned char>(data[index]);
}

bool is_high_surrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

std::size_t length_up_to_zero(const char* data, std::size_t size) {
    if (size == 0) return 0;
    const void* zero = std::memchr(data, 0, size);
    return zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - data) : size;
}

// Collects code page 932 text piece by piece through one conversion
// buffer. Three bytes per unit and three more can never be too small: code
// page 932 needs at most two bytes per unit, and the default character is
// two bytes.
class x_TextCollector {
public:
    explicit x_TextCollector(std::size_t expected_size) { text_.reserve(expected_size); }

    void append(const char16_t* units, std::size_t count) {
        if (count == 0) return;
        const std::size_t room = 3 * count + 3;
        if (buffer_.size() < room) buffer_.resize(room);
        const int written = platform::code_page().wide_to_multi_byte(
            japanese_code_page, 0, units, static_cast<int>(count), buffer_.data(),
            static_cast<int>(room), default_char, nullptr);
        if (written > 0) text_.append(buffer_.data(), static_cast<std::size_t>(written));
    }

    std::string take() { return std::move(text_); }

private:
    std::string text_;
    std::vector<char> buffer_;
};

// The longest prefix of at most piece_size units that does not end between
// the two halves of a pair.
std::size_t piece_length(const char16_t* units, std::size_t left) {
    if (left <= piece_size) return left;
    return is_high_surrogate(units[piece_size - 1]) ? piece_size - 1 : piece_size;
}

std::string units_to_text(const char16_t* units, std::size_t count) {
    x_TextCollector text(count);
    for (std::size_t start = 0; start < count;) {
        const std::size_t length = piece_length(units + start, count - start);
        text.append(units + start, length);
        start += length;
    }
    return text.take();
}

// Pieces end before a character's first byte, so that no sequence is cut.
std::size_t utf8_piece_length(const char* data, std::size_t left) {
    if (left <= piece_size) return left;
    std::size_t length = piece_size;
    for (int back = 0; back < 3 && (byte_at(data, length) & 0xC0) == 0x80; ++back) --length;
    return length;
}

std::string utf8_to_text(const char* data, std::size_t size) {
    x_TextCollector text(size);
    // One unit per byte at most: a sequence of n bytes yields at most
    // n units, a malformed byte one U+FFFD.
    std::vector<char16_t> units(std::min(size, piece_size));
    for (std::size_t start = 0; start < size;) {
        const std::size_t length = utf8_piece_length(data + start, size - start);
        const int count = platform::code_page().multi_byte_to_wide(
            platform::code_page_utf8, 0, data + start, static_cast<int>(length), units.data(),
            static_cast<int>(units.size()));
        text.append(units.data(), count > 0 ? static_cast<std::size_t>(count) : 0);
        start += length;
    }
    return text.take();
}

char16_t utf16_unit(const char* data, std::size_t index, bool big_endian) {
    const unsigned first = byte_at(data, 2 * index);
    const unsigned second = byte_at(data, 2 * index + 1);
    return static_cast<char16_t>(big_endian ? first << 8 | second : second << 8 | first);
}

// Complete units only, up to the first zero unit: a trailing odd byte is
// half a character of a damaged file and is dropped rather than paired with
// bytes beyond the data.
std::string utf16_to_text_of_bytes(const char* data, std::size_t size, bool big_endian) {
    x_TextCollector text(size);
    const std::size_t total = size / 2;
    std::vector<char16_t> units(std::min(total, piece_size));
    for (std::size_t start = 0; start < total;) {
        std::size_t count = 0;
        const std::size_t limit = std::min(piece_size, total - start);
        while (count < limit && (units[count] = utf16_unit(data, start + count, big_endian)) != 0) {
            ++count;
        }
        const bool ended = count < limit;
        if (!ended && start + count < total && is_high_surrogate(units[count - 1])) --count;
        text.append(units.data(), count);
        if (ended) break;
        start += count;
    }
    return text.take();
}

std::uint32_t utf32_value(const char* data, bool big_endian) {
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < 4; ++k) value = value << 8 | byte_at(data, big_endian ? k : 3 - k);
    return value;
}

// Characters beyond U+FFFF become a surrogate pair, so that they arrive as
// the default character instead of two unrelated characters; U+0000 is left
// out; values beyond U+10FFFF are no characters and become U+FFFD. A
// trailing incomplete group is dropped like an odd byte of UTF-16.
std::u16string utf32_to_units(const char* data, std::size_t size, bool big_endian) {
    std::u16string units;
    units.reserve(size / 4);
    for (std::size_t i = 0; i + 4 <= size; i += 4) {
        const std::uint32_t value = utf32_value(data + i, big_endian);
        if (value == 0) continue;
        if (value <= 0xFFFF) {
            units.push_back(static_cast<char16_t>(value));
        } else if (value <= 0x10FFFF) {
            units.push_back(static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF)));
        } else {
            units.push_back(u'\uFFFD');
        }
    }
    return units;
}

std::string decode_as(x_TextEncoding encoding, const char* data, std::size_t size) {
    switch (encoding) {
        case utf8:
            return utf8_to_text(data, length_up_to_zero(data, size));
        case utf16le:
        case utf16be:
            return utf16_to_text_of_bytes(data, size, encoding == utf16be);
        case utf32le:
        case utf32be:
            return utf16_to_text(utf32_to_units(data, size, encoding == utf32be).c_str());
        default:
            return std::string(data, length_up_to_zero(data, size));
    }
}

bool is_shift_jis_pair(unsigned lead, unsigned trail) {
    if (lead >= 0x81 && lead <= 0x9F) {
        return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
    }
    if (lead >= 0xE0 && lead <= 0xFC) {
        // A trail byte in 0x80-0xBF after such a lead is as likely UTF-8;
        // the UTF-8 test decides those.
        return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0xC0 && trail <= 0xFC);
    }
    return false;
}

constexpr std::uint64_t high_bits = 0x8080808080808080ULL;

std::uint64_t word_at(const unsigned char* bytes) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The first position at or after from whose byte is at or above 0x80, or
// the size; eight bytes at a time through plain text.
std::size_t next_high(const unsigned char* bytes, std::size_t size, std::size_t from) {
    while (from + 8 <= size && (word_at(bytes + from) & high_bits) == 0) from += 8;
    while (from < size && bytes[from] < 0x80) ++from;
    return from;
}

// The first position at or after from whose byte is below 0x80, or the size.
std::size_t next_low(const unsigned char* bytes, std::size_t size, std::size_t from) {
    while (from + 8 <= size && (word_at(bytes + from) & high_bits) == high_bits) from += 8;
    while (from < size && bytes[from] >= 0x80) ++from;
    return from;
}

// Continuation bytes a lead byte asks for; 0 for bytes that start nothing.
constexpr std::array<unsigned char, 256> continuation_counts = [] {
    std::array<unsigned char, 256> counts{};
    for (unsigned c = 0xC0; c <= 0xFD; ++c) {
        counts[c] = c <= 0xDF ? 1 : c <= 0xEF ? 2 : c <= 0xF7 ? 3 : c <= 0xFB ? 4 : 5;
    }
    return counts;
}();

bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The UTF-8 test, one run of high bytes at a time: no sequence reaches past
// a run, since every continuation byte is high. A complete sequence counts;
// an incomplete one counts nothing; a byte that can start no sequence (a
// stray continuation, FE, FF) rules UTF-8 out.
class x_Utf8Tally {
public:
    bool found() const { return !invalid_ && sequences_ > 0; }

    // Walks the run that starts at start; answers where it ends.
    std::size_t walk_run(const unsigned char* bytes, std::size_t size, std::size_t start) {
        std::size_t i = start;
        while (i < size && bytes[i] >= 0x80) {
            if (invalid_) return next_low(bytes, size, i);
            // Three-byte sequences first: almost all of Japanese text.
            if ((bytes[i] & 0xF0) == 0xE0 && size - i > 2 && is_continuation(bytes[i + 1]) &&
                is_continuation(bytes[i + 2])) {
                ++sequences_;
                i += 3;
            } else {
                i += add_sequence(bytes + i, size - i);
            }
        }
        return i;
    }

private:
    // Answers how far the walk moves on.
    std::size_t add_sequence(const unsigned char* at, std::size_t left) {
        const std::size_t needed = continuation_counts[at[0]];
        invalid_ = needed == 0;
        if (needed == 0 || needed >= left) return 1;
        for (std::size_t k = 1; k <= needed; ++k) {
            if (!is_continuation(at[k])) return 1;
        }
        ++sequences_;
        return needed + 1;
    }

    std::size_t sequences_ = 0;
    bool invalid_ = false;
};

enum class x_ShiftJisVerdict { plain_ascii, double_byte, other };

// Both tests in one pass over the runs of high bytes. The Shift_JIS test
// pairs the first byte of a run with the byte after it; when that is no
// double-byte character, it passes over the rest of the run, or over the
// low byte that ended a run of one. The last byte is only ever the second
// of a pair.
x_ShiftJisVerdict scan_runs(const unsigned char* bytes, std::size_t size, x_Utf8Tally& utf8_tally) {
    bool high_seen = false;
    std::size_t from = 0;
    while (true) {
        const std::size_t start = next_high(bytes, size, from);
        if (start >= size) break;
        const std::size_t end = utf8_tally.walk_run(bytes, size, start);
        if (start + 1 >= size) break;
        high_seen = true;
        if (is_shift_jis_pair(bytes[start], bytes[start + 1]))
            return x_ShiftJisVerdict::double_byte;
        from = end == start + 1 ? start + 2 : end + 1;
    }
    return high_seen ? x_ShiftJisVerdict::other : x_ShiftJisVerdict::plain_ascii;
}

}  // namespace

std::string decode_text(const x_ByteList& bytes) {
    const x_ByteOrderMark* mark = find_byte_order_mark(bytes);
    if (mark == nullptr) return decode_as(detect_encoding(bytes), bytes.data(), bytes.size());
    const std::size_t skip = mark->bytes.size();
    return decode_as(mark->encoding, bytes.data() + skip, bytes.size() - skip);
}

x_TextEncoding detect_encoding(const x_ByteList& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    x_Utf8Tally utf8_tally;
    switch (scan_runs(data, bytes.size(), utf8_tally)) {
        case x_ShiftJisVerdict::plain_ascii:
            return ascii;
        case x_ShiftJisVerdict::double_byte:
            return shift_jis;
        case x_ShiftJisVerdict::other:
            break;
    }
    return utf8_tally.found() ? utf8 : undetected;
}

std::u16string utf8_to_utf16(const char* utf8_text) {
    if (utf8_text == nullptr) return {};
    platform::x_CodePageService& code_page = platform::code_page();
    const unsigned utf8_page = platform::code_page_utf8;
    const int needed = code_page.multi_byte_to_wide(utf8_page, 0, utf8_text, -1, nullptr, 0);
    if (needed <= 0) return {};
    std::u16string units(static_cast<std::size_t>(needed), u'\0');
    const int written =
        code_page.multi_byte_to_wide(utf8_page, 0, utf8_text, -1, units.data(), needed);
    // The count includes the converted terminator.
    units.resize(written > 0 ? static_cast<std::size_t>(written) - 1 : 0);
    return units;
}

std::string utf16_to_text(const char16_t* units) {
    if (units == nullptr) return std::string();
    std::size_t count = 0;
    while (units[count] != 0) ++count;
    return units_to_text(units, count);
}

#include "util/text_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <string_view>

#include "platform/codepage.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/process.h"
#include "util/paths.h"

namespace {

constexpr int open_attempts = 100;
constexpr unsigned open_wait_ms = 100;
// A write whose file still reads as empty is repeated: network drives and
// virus scanners have been seen to report the size late.
constexpr int last_write_pass = 11;
constexpr unsigned write_pass_wait_ms = 10;

constexpr unsigned japanese_code_page = 932;
constexpr const char* default_char = "__";
// Kept well below the conversion calls' int limits; a chunk needs a buffer
// of three bytes per unit.
constexpr std::size_t units_per_chunk = std::size_t{1} << 20;

// Another process may hold the file for a moment (an editor, a scanner, a
// second copy of this program). The count of failed tries overwrites itself
// on one console line, so a long wait is visible without filling the screen.
std::FILE* open_with_retries(const std::string& path, const char* mode) {
    for (unsigned failed = 1; failed <= open_attempts; ++failed) {
        if (std::FILE* file = platform::files().open_file(path, mode)) return file;
        platform::process().sleep_ms(open_wait_ms);
        platform::console().write_err(uint_to_text(failed, 10) + "\r");
        platform::console().flush_err();
    }
    return nullptr;
}

// True only when every byte was handed over and the close flushed them: a
// short write (a full disk) must not pass for a complete file.
bool write_and_close(std::FILE* file, const x_ByteList& bytes) {
    bool complete = true;
    if (!bytes.empty()) {
        complete = platform::files().write_file(file, bytes.data(), bytes.size()) == bytes.size();
    }
    return platform::files().close_file(file) && complete;
}

// The size the status query reports, or 0 when it cannot be trusted as a
// read length: a file beyond 4 GB is no text of ours, and reading only the
// low 32 bits of its size would hand back an arbitrary slice as if whole.
std::size_t expected_size(const std::string& path) {
    const std::int64_t size = x_FileStatus(path).size();
    if (size <= 0 || size > std::int64_t{UINT32_MAX}) return 0;
    return static_cast<std::size_t>(size);
}

// One read sized by the status query. The file may have changed since that
// query, so the list keeps only what the read delivered: no zero bytes
// that were never in the file, and never more than the buffer holds.
x_ByteList read_once(std::FILE* file, std::size_t size) {
    x_ByteList bytes;
    if (size == 0) return bytes;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        return {};
    }
    const std::size_t got = platform::files().read_file(file, bytes.data(), bytes.size());
    bytes.resize(std::min(got, bytes.size()));
    return bytes;
}

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

// Complete 16-bit units only: a trailing odd byte is half a character of a
// damaged file and is dropped rather than paired with bytes beyond the data.
std::u16string utf16_units(const char* data, std::size_t size, bool big_endian) {
    std::u16string units(size / 2, u'\0');
    const std::size_t high = big_endian ? 0 : 1;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const unsigned value = byte_at(data, 2 * i + high) << 8 | byte_at(data, 2 * i + 1 - high);
        units[i] = static_cast<char16_t>(value);
    }
    return units;
}

std::uint32_t utf32_value(const char* data, bool big_endian) {
    std::uint32_t value = 0;
    for (int k = 0; k < 4; ++k) {
        const int index = big_endian ? k : 3 - k;
        value = value << 8 | byte_at(data, static_cast<std::size_t>(index));
    }
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

std::string up_to_zero(const char* data, std::size_t size) {
    if (size == 0) return std::string();
    const void* zero = std::memchr(data, 0, size);
    return std::string(data, zero ? static_cast<const char*>(zero) - data : size);
}

bool is_high_surrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// Converts into the buffer, which must hold three bytes per unit and three
// more: code page 932 needs at most two bytes per unit, and the default
// character is two bytes, so the buffer can never be too small.
std::size_t convert_chunk(const char16_t* units, std::size_t count, std::string& buffer) {
    const int written = platform::code_page().wide_to_multi_byte(
        japanese_code_page, 0, units, static_cast<int>(count), buffer.data(),
        static_cast<int>(buffer.size()), default_char, nullptr);
    return written > 0 ? static_cast<std::size_t>(written) : 0;
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

enum class x_ShiftJisVerdict { plain_ascii, double_byte, other };

x_ShiftJisVerdict shift_jis_test(const unsigned char* bytes, std::size_t size) {
    bool high_seen = false;
    std::size_t i = 1;
    while (i < size) {
        const unsigned a = bytes[i - 1];
        const unsigned b = bytes[i];
        if (a < 0x80) {
            ++i;
            continue;
        }
        high_seen = true;
        if (is_shift_jis_pair(a, b)) return x_ShiftJisVerdict::double_byte;
        if (b < 0x80) {
            i += 2;
            continue;
        }
        std::size_t next = i + 1;
        while (next < size && bytes[next] >= 0x80) ++next;
        i = next + 1;
    }
    return high_seen ? x_ShiftJisVerdict::other : x_ShiftJisVerdict::plain_ascii;
}

std::size_t continuation_count(unsigned lead) {
    if (lead >= 0xC0 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF7) return 3;
    if (lead >= 0xF8 && lead <= 0xFB) return 4;
    if (lead >= 0xFC && lead <= 0xFD) return 5;
    return 0;
}

bool continuations_follow(const unsigned char* bytes, std::size_t size, std::size_t lead,
                          std::size_t needed) {
    for (std::size_t k = 1; k <= needed; ++k) {
        if (lead + k >= size) return false;
        const unsigned byte = bytes[lead + k];
        if (byte < 0x80 || byte > 0xBF) return false;
    }
    return true;
}

bool looks_like_utf8(const unsigned char* bytes, std::size_t size) {
    std::size_t sequences = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned c = bytes[i];
        if (c < 0x80) continue;
        if ((c >= 0x80 && c <= 0xBF) || c >= 0xFE) return false;
        const std::size_t needed = continuation_count(c);
        if (continuations_follow(bytes, size, i, needed)) {
            ++sequences;
            i += needed;
        }
    }
    return sequences > 0;
}

std::string decode_as(x_TextEncoding encoding, const char* data, std::size_t size) {
    switch (encoding) {
        case utf8:
            return utf16_to_text(utf8_to_utf16(up_to_zero(data, size).c_str()).c_str());
        case utf16le:
        case utf16be:
            return utf16_to_text(utf16_units(data, size, encoding == utf16be).c_str());
        case utf32le:
        case utf32be:
            return utf16_to_text(utf32_to_units(data, size, encoding == utf32be).c_str());
        default:
            return up_to_zero(data, size);
    }
}

}  // namespace

bool write_text_file(const std::string& path, const std::string& text) {
    const x_ByteList bytes = to_bytes(text);
    if (path.empty()) return false;
    for (int pass = 0;; ++pass) {
        std::FILE* file = open_with_retries(path, "wb");
        if (file == nullptr) return false;
        const bool complete = write_and_close(file, bytes);
        if (bytes.empty()) return true;
        if (complete && x_FileStatus(path).size() != 0) return true;
        if (pass >= last_write_pass) return false;
        platform::process().sleep_ms(write_pass_wait_ms);
    }
}

x_ByteList read_file_bytes(const std::string& path) {
    if (path.empty()) return {};
    std::FILE* file = open_with_retries(path, "rb");
    if (file == nullptr) return {};
    x_ByteList bytes = read_once(file, expected_size(path));
    platform::files().close_file(file);
    return bytes;
}

std::string read_text_file(const std::string& path) {
    if (!path_exists(path)) return std::string();
    return decode_text(read_file_bytes(path));
}

std::string decode_text(const x_ByteList& bytes) {
    const x_ByteOrderMark* mark = find_byte_order_mark(bytes);
    if (mark == nullptr) return decode_as(detect_encoding(bytes), bytes.data(), bytes.size());
    const std::size_t skip = mark->bytes.size();
    return decode_as(mark->encoding, bytes.data() + skip, bytes.size() - skip);
}

x_TextEncoding detect_encoding(const x_ByteList& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    switch (shift_jis_test(data, bytes.size())) {
        case x_ShiftJisVerdict::plain_ascii: return ascii;
        case x_ShiftJisVerdict::double_byte: return shift_jis;
        case x_ShiftJisVerdict::other: break;
    }
    return looks_like_utf8(data, bytes.size()) ? utf8 : undetected;
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

// Converted in chunks that never split a surrogate pair, so that neither
// the buffer size nor the unit count can overflow the conversion's int
// arguments, however long the text.
std::string utf16_to_text(const char16_t* units) {
    if (units == nullptr) return std::string();
    std::size_t count = 0;
    while (units[count] != 0) ++count;
    std::string text;
    std::string buffer(3 * std::min(count, units_per_chunk) + 3, '\0');
    for (std::size_t start = 0; start < count;) {
        std::size_t length = std::min(count - start, units_per_chunk);
        if (start + length < count && length > 1 && is_high_surrogate(units[start + length - 1])) {
            --length;
        }
        text.append(buffer.data(), convert_chunk(units + start, length, buffer));
        start += length;
    }
    return text;
}

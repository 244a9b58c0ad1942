#include <gtest/gtest.h>

#include <string>

#include "util/text_file.h"

namespace {

// "日本語のテキスト、AB" in its code page 932 and UTF-8 forms.
const std::string japanese_932 =
    "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67\x81\x41\x41\x42";
const std::string japanese_utf8 =
    "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x86\xE3\x82\xAD\xE3\x82\xB9"
    "\xE3\x83\x88\xE3\x80\x81\x41\x42";
const std::u32string japanese_chars = U"日本語のテキスト、AB";

x_ByteList bytes_of(const std::string& text) { return x_ByteList(text.begin(), text.end()); }

// Appends each code point in the given unit width and byte order; UTF-16
// gets surrogate pairs where needed.
x_ByteList encode(const std::u32string& chars, int width, bool big_endian) {
    x_ByteList out;
    auto put_unit = [&](std::uint32_t unit) {
        const int bytes = width / 8;
        for (int k = 0; k < bytes; ++k) {
            const int shift = 8 * (big_endian ? bytes - 1 - k : k);
            out.push_back(static_cast<char>((unit >> shift) & 0xFF));
        }
    };
    for (char32_t c : chars) {
        if (width == 16 && c > 0xFFFF) {
            put_unit(0xD800 + ((c - 0x10000) >> 10));
            put_unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put_unit(c);
        }
    }
    return out;
}

x_ByteList with_mark(const std::string& mark, const x_ByteList& data) {
    x_ByteList out = bytes_of(mark);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

const std::string mark_utf16le("\xFF\xFE", 2);
const std::string mark_utf16be("\xFE\xFF", 2);
const std::string mark_utf32le("\xFF\xFE\x00\x00", 4);
const std::string mark_utf32be("\x00\x00\xFE\xFF", 4);
const std::string mark_utf8("\xEF\xBB\xBF", 3);

TEST(DecodeText, EveryByteOrderMarkGivesTheSameJapaneseText) {
    EXPECT_EQ(decode_text(with_mark(mark_utf16le, encode(japanese_chars, 16, false))),
              japanese_932);
    EXPECT_EQ(decode_text(with_mark(mark_utf16be, encode(japanese_chars, 16, true))), japanese_932);
    EXPECT_EQ(decode_text(with_mark(mark_utf32le, encode(japanese_chars, 32, false))),
              japanese_932);
    EXPECT_EQ(decode_text(with_mark(mark_utf32be, encode(japanese_chars, 32, true))), japanese_932);
    EXPECT_EQ(decode_text(with_mark(mark_utf8, bytes_of(japanese_utf8))), japanese_932);
    // Without a mark: UTF-8 is recognised and converted, code page 932 and
    // plain ASCII come back byte for byte.
    EXPECT_EQ(decode_text(bytes_of(japanese_utf8)), japanese_932);
    EXPECT_EQ(decode_text(bytes_of(japanese_932)), japanese_932);
    EXPECT_EQ(decode_text(bytes_of("plain\r\ntext\t!")), "plain\r\ntext\t!");
}

TEST(DecodeText, MarksAloneAreEmptyTexts) {
    EXPECT_EQ(decode_text(bytes_of(mark_utf16le)), "");
    EXPECT_EQ(decode_text(bytes_of(mark_utf32le)), "");
    EXPECT_EQ(decode_text(bytes_of(mark_utf8)), "");
    EXPECT_EQ(decode_text(bytes_of(mark_utf16be)), "");
    EXPECT_EQ(decode_text(bytes_of(mark_utf32be)), "");
    EXPECT_EQ(decode_text({}), "");
}

TEST(DecodeText, MarksNeedAllTheirBytes) {
    // A lone FE is no big-endian mark; it is an ordinary undetected byte.
    EXPECT_EQ(decode_text(bytes_of("\xFE")), "\xFE");
    EXPECT_EQ(decode_text(bytes_of(std::string("\x00\x00\xFE", 3))), "");
    EXPECT_EQ(decode_text(bytes_of("a\xFE")), "a\xFE");
    // FF FE followed by a single zero is UTF-16 with half a unit.
    EXPECT_EQ(decode_text(bytes_of(std::string("\xFF\xFE\x00", 3))), "");
}

TEST(DecodeText, BigEndianTwinsDecodeLikeLittleEndian) {
    const std::u32string samples[] = {U"A", U"テキスト", U"mixed Ω 日本 \U0001F600 end"};
    for (const std::u32string& chars : samples) {
        EXPECT_EQ(decode_text(with_mark(mark_utf16be, encode(chars, 16, true))),
                  decode_text(with_mark(mark_utf16le, encode(chars, 16, false))));
        EXPECT_EQ(decode_text(with_mark(mark_utf32be, encode(chars, 32, true))),
                  decode_text(with_mark(mark_utf32le, encode(chars, 32, false))));
    }
}

TEST(DecodeText, Utf32IsNarrowedToUtf16) {
    // U+0000 is left out rather than ending the text.
    EXPECT_EQ(decode_text(with_mark(mark_utf32le, encode(std::u32string(U"A\0B", 3), 32, false))),
              "AB");
    // A character beyond U+FFFF arrives as the default character of each
    // of its two UTF-16 halves, never as stray control bytes.
    EXPECT_EQ(decode_text(with_mark(mark_utf32le, encode(U"A\U0001F600B", 32, false))), "A____B");
    EXPECT_EQ(decode_text(with_mark(mark_utf32be, encode(U"\U00010000", 32, true))), "____");
    EXPECT_EQ(decode_text(with_mark(mark_utf32le, encode(U"\U00020000x", 32, false))), "____x");
    // Beyond U+10FFFF there is no character at all.
    x_ByteList too_big = with_mark(mark_utf32le, encode(U"A", 32, false));
    for (char byte : {'\x00', '\x00', '\x11', '\x00'}) too_big.push_back(byte);
    EXPECT_EQ(decode_text(too_big), "A__");
}

TEST(DecodeText, UnrepresentableCharactersBecomeTwoUnderscores) {
    // U+AC00, a Hangul syllable, exists in no Japanese code page.
    EXPECT_EQ(decode_text(bytes_of("a\xEA\xB0\x80z")), "a__z");
    EXPECT_EQ(decode_text(with_mark(mark_utf16le, encode(U"a\uAC00\uAC00z", 16, false))), "a____z");
    EXPECT_EQ(decode_text(with_mark(mark_utf16le, encode(U"\U0001F600", 16, false))), "____");
}

TEST(DecodeText, TextStopsAtItsFirstZero) {
    EXPECT_EQ(decode_text(bytes_of(std::string("AB\0CD", 5))), "AB");
    EXPECT_EQ(decode_text(with_mark(mark_utf8, bytes_of(std::string("AB\0CD", 5)))), "AB");
    EXPECT_EQ(decode_text(with_mark(mark_utf16le, encode(std::u32string(U"AB\0CD", 5), 16, false))),
              "AB");
    EXPECT_EQ(decode_text(with_mark(mark_utf16be, encode(std::u32string(U"AB\0CD", 5), 16, true))),
              "AB");
}

TEST(DecodeText, TrailingPartialUnitIsDropped) {
    // The odd byte is half a character; it is neither kept nor paired with
    // anything beyond the data (the sanitizer builds would see that).
    x_ByteList odd = with_mark(mark_utf16le, encode(U"AB", 16, false));
    odd.push_back('C');
    EXPECT_EQ(decode_text(odd), "AB");
    x_ByteList odd_be = with_mark(mark_utf16be, encode(U"AB", 16, true));
    odd_be.push_back('\x00');
    EXPECT_EQ(decode_text(odd_be), "AB");
    for (int extra = 1; extra <= 3; ++extra) {
        x_ByteList partial = with_mark(mark_utf32le, encode(U"AB", 32, false));
        partial.insert(partial.end(), static_cast<std::size_t>(extra), 'C');
        EXPECT_EQ(decode_text(partial), "AB") << extra;
    }
}

TEST(DecodeText, LongTextsSurviveChunking) {
    // Long enough for several conversion chunks, with a surrogate pair
    // placed across every chunk boundary the converter might choose.
    std::u32string chars;
    for (int i = 0; i < 600000; ++i) chars += (i % 3 == 0) ? U'\U0001F600' : U'日';
    const std::string text = decode_text(with_mark(mark_utf16le, encode(chars, 16, false)));
    std::string expected;
    for (int i = 0; i < 600000; ++i) expected += (i % 3 == 0) ? "____" : "\x93\xFA";
    EXPECT_EQ(text, expected);
}

TEST(DetectEncoding, RecognisesByBytePatterns) {
    EXPECT_EQ(detect_encoding({}), ascii);
    EXPECT_EQ(detect_encoding(bytes_of("plain text")), ascii);
    // A lone 0x80 is neither a Shift_JIS pair nor UTF-8.
    EXPECT_EQ(detect_encoding(bytes_of("plain \x80 text")), undetected);
    // 0x85 followed by a letter is already a Shift_JIS pair.
    EXPECT_EQ(detect_encoding(bytes_of("plain \x85Text")), shift_jis);
    // The last byte is only ever looked at as the second of a pair.
    EXPECT_EQ(detect_encoding(bytes_of("plain text\x85")), ascii);
    // Latin-1 is neither.
    EXPECT_EQ(detect_encoding(bytes_of("caf\xE9 au lait")), undetected);
    EXPECT_EQ(detect_encoding(bytes_of(japanese_932)), shift_jis);
    EXPECT_EQ(detect_encoding(bytes_of(japanese_utf8)), utf8);
    EXPECT_EQ(detect_encoding(bytes_of("caf\xC3\xA9")), utf8);
    // A truncated sequence alone counts for nothing.
    EXPECT_EQ(detect_encoding(bytes_of("ab\xE3\x81")), undetected);
}

TEST(Utf16Conversion, RoundTripsThroughUtf8AndShiftJis) {
    EXPECT_EQ(utf8_to_utf16(japanese_utf8.c_str()), u"日本語のテキスト、AB");
    EXPECT_EQ(utf8_to_utf16(""), u"");
    EXPECT_EQ(utf16_to_text(u"日本語のテキスト、AB"), japanese_932);
    EXPECT_EQ(utf16_to_text(u""), "");
    EXPECT_EQ(utf16_to_text(nullptr), "");
    EXPECT_EQ(utf8_to_utf16(nullptr), u"");
}

}  // namespace

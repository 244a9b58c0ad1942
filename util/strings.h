#pragma once
// Byte-string helpers shared by every part of the program. Texts hold the
// process's ANSI code page; functions that say "multi-byte aware" treat a
// lead byte and the byte after it as one character.
#include <cstdint>
#include <string>
#include <vector>

using x_StringList = std::vector<std::string>;
using x_ByteList = std::vector<char>;

inline constexpr std::size_t npos = std::string::npos;

// Whether the byte starts a double-byte character in the active code page.
bool is_lead_byte(char byte);
// The bytes of the character that starts at the position, in the program's
// code page: two for a double-byte character, two to four for UTF-8 when
// that is the page, one for anything else or anything malformed; never
// past the end of the text. Every walk that cuts or matches text steps by
// it, so that no cut falls inside a character.
std::size_t char_width(const std::string& text, std::size_t position);

// The last character, multi-byte aware: the lead byte when the text ends in
// a double-byte character; the zero byte for an empty text.
char last_char(const std::string& text);
// Lower-cased by the runtime in the process's locale; ends at the first zero.
std::string to_lower(const std::string& text);
bool equals_ignore_case(const std::string& a, const std::string& b);
// First position of the byte, never inside a double-byte character.
std::size_t find_char(const std::string& text, char byte);
// Last position of the byte, never inside a double-byte character.
std::size_t find_last_char(const std::string& text, char byte);

// Quote-aware splitting. Set mode (whole_delimiter false): any byte of the
// delimiter ends a token; string mode: only the whole delimiter text does.
x_StringList tokenize(const std::string& text, bool whole_delimiter, const std::string& delimiter);
x_StringList split(const std::string& text, char delimiter);
std::string join(const x_StringList& parts, char separator);
std::string join(const x_StringList& parts, const std::string& separator);
x_StringList drop_empty(const x_StringList& parts);

std::string uint_to_text(std::uint32_t value, int radix);
std::string uint64_to_text(std::uint64_t value, int radix);
std::string uint_to_padded_text(std::uint32_t value, int radix, int width);
std::string uint64_to_padded_text(std::uint64_t value, int radix, int width);
std::string pad_left(const std::string& text, int width, char fill);
std::string surround(const std::string& text, char byte);
x_ByteList to_bytes(const std::string& text);

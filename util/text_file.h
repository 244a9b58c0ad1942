#pragma once
// Whole-file text input and output. Reading recognises the encoding and
// answers code page 932 text.
#include <string>

#include "util/strings.h"

enum x_TextEncoding : int {
    undetected = 0,
    utf8 = 8,
    utf16le = 16,
    utf16be = 17,
    utf32le = 32,
    utf32be = 33,
    ascii = 65,
    shift_jis = 74,
};

bool write_text_file(const std::string& path, const std::string& text);
// Writes the text to a file beside the path (the path followed by ".new")
// and puts it in the path's place in one step: a reader, or a drive pulled
// meanwhile, finds the previous file whole or the new one, never part of
// either. A staged file that cannot take that place is removed again.
bool replace_text_file(const std::string& path, const std::string& text);
x_ByteList read_file_bytes(const std::string& path);
std::string read_text_file(const std::string& path);
std::string decode_text(const x_ByteList& bytes);
x_TextEncoding detect_encoding(const x_ByteList& bytes);
std::u16string utf8_to_utf16(const char* utf8);
std::string utf16_to_text(const char16_t* units);

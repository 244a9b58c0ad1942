#pragma once
// File names made from paths and other free text.
#include <string>

// The text with every byte that a file name cannot hold, or that the command
// interpreter would read as syntax, replaced by a harmless one; double-byte
// characters pass whole. The result has the same length.
std::string safe_file_name(const std::string& text);

#pragma once
// The running Windows version, read from the version resource of a system
// program, as a normalised text and as a number (6.1 for 6.1.7601.17567).
#include <string>

// The first Windows version whose copy tool is robocopy; xcopy before it.
inline constexpr double first_robocopy_version = 6.1;

double windows_version();
std::string windows_version_text();
double parse_version_number(const std::string& text);
std::string normalize_version_text(const std::string& text);

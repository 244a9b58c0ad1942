#pragma once
// The running Windows version, read from the version resource of a system
// program, as a normalised text and as a number (6.1 for 6.1.7601.17567).
#include <string>

// The first Windows version whose copy tool is robocopy; xcopy before it.
inline constexpr double first_robocopy_version = 6.1;

// While one lives, every reading of the version answers what the first
// reading in its lifetime found. A backup run holds one: its eleven scripts
// name one tool, and the version resource (or, where the system programs
// are missing, the last-resort search with its polls of several seconds)
// is read once per run rather than twice per folder. Holds may nest; the
// outermost one decides when the next reading goes to the disk again.
class x_HeldWindowsVersion {
public:
    x_HeldWindowsVersion();
    ~x_HeldWindowsVersion();
    x_HeldWindowsVersion(const x_HeldWindowsVersion&) = delete;
    x_HeldWindowsVersion& operator=(const x_HeldWindowsVersion&) = delete;
};

double windows_version();
std::string windows_version_text();
double parse_version_number(const std::string& text);
std::string normalize_version_text(const std::string& text);

#pragma once
// A stand-in for robocopy, for tests under Wine (whose own robocopy copies
// nothing): the switches the program writes, written from Microsoft's
// documentation of robocopy (docs/robocopy-stand-in.md says what is taken
// from which page and what is simplified).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct x_RobocopyLine {
    std::wstring source;
    std::wstring destination;
    bool subfolders = false;                   // /s
    bool purge = false;                        // /purge
    bool fat_times = false;                    // /fft
    bool exclude_older = false;                // /xo
    bool skip_junctions = false;               // /xjd
    unsigned long retries = 1000000;           // /r:N, robocopy's default
    unsigned long wait_seconds = 30;           // /w:N, robocopy's default
    std::vector<std::wstring> excluded_files;  // /xf PATTERN...
    std::optional<std::uint64_t> max_size;     // /max:N
};

// The exit code's bits, as documented.
enum : int {
    robocopy_copied = 1,
    robocopy_extras = 2,
    robocopy_mismatches = 4,
    robocopy_failures = 8,
    robocopy_fatal = 16,
};

// The words after the program's name; answers the word it does not take
// (a switch it does not implement, or a missing path), empty when it takes
// them all.
std::wstring read_line(const std::vector<std::wstring>& words, x_RobocopyLine& line);

// '*' any run, '?' one character, letter case ignored.
bool matches_wildcard(const std::wstring& name, const std::wstring& pattern);

// Copies as the line says and answers the exit code. One second of /w
// lasts second_ms milliseconds, so that tests need not wait.
int run_robocopy(const x_RobocopyLine& line, unsigned long second_ms);

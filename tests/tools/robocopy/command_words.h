#pragma once
// The words of a raw command line as the Microsoft C runtime splits them,
// and a record of them for tests that check what a copy tool was given.
#include <string>
#include <vector>

std::string utf8(const std::wstring& text);

// The program's own name first.
std::vector<std::wstring> runtime_words(const wchar_t* line);

// Appends the command line and its words to the file named by
// SHELLBACKUP_RECORD, when that is set, as UTF-8 lines:
//   line<TAB>the whole command line
//   word<TAB>one word, for each word, the program's own first
//   end
void record_command_line(const wchar_t* line);

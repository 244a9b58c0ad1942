#pragma once
// The command interpreter reads a batch file in the OEM code page, while the
// program composes its scripts in the ANSI code page: outside ASCII the two
// disagree on a Western system (e with acute accent is 0xE9 in one and 0x82
// in the other), so a folder name with such a character would not be found.
#include <optional>
#include <string>

// The text in the OEM code page; nothing when a character has no exact
// counterpart there. An approximation ("A" for an A with grave accent)
// would name another folder, so it counts as no counterpart.
std::optional<std::string> to_interpreter_code_page(const std::string& ansi_text);

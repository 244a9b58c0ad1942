#pragma once
// Texts between a code page and UTF-16, through the platform's conversions.
#include <optional>
#include <string>

// The text in UTF-16; nothing when it is no valid text of the code page.
std::optional<std::u16string> to_utf16(unsigned code_page, const std::string& text);
// UTF-16 in the code page. Exact: a character without a counterpart there
// fails the conversion. Otherwise it becomes its nearest likeness or "?".
std::optional<std::string> from_utf16(unsigned code_page, const std::u16string& units, bool exact);

// The program's texts hold the ANSI code page. A path in UTF-16, as the
// system names it (empty for bytes the page cannot hold), and a UTF-16 name
// for a message (a question mark for what the page lacks).
std::u16string ansi_to_utf16(const std::string& text);
std::string utf16_to_ansi(const std::u16string& units);

#pragma once
// Texts between a code page and UTF-16, through the code-page service: the
// one coder of the program and of the POSIX stand-in's names.
#include <optional>
#include <string>

namespace platform {

// The text in UTF-16; nothing when it is no valid text of the code page.
std::optional<std::u16string> to_utf16(unsigned code_page, const std::string& text);
// UTF-16 in the code page. Exact: a character without a counterpart there
// fails the conversion. Otherwise it becomes its nearest likeness or "?".
std::optional<std::string> from_utf16(unsigned code_page, const std::u16string& units, bool exact);

}  // namespace platform

#pragma once
// Texts between a code page and UTF-16, through the platform's conversions.
#include <optional>
#include <string>

#include "platform/code_page_text.h"

using platform::from_utf16;
using platform::to_utf16;

// The program's texts hold the ANSI code page. A path in UTF-16, as the
// system names it (empty for bytes the page cannot hold), and a UTF-16 name
// for a message (a question mark for what the page lacks).
std::u16string ansi_to_utf16(const std::string& text);
std::string utf16_to_ansi(const std::u16string& units);

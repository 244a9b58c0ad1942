#include "compose/batch_text.h"

#include <algorithm>

// A percent sign is never the second byte of a double-byte character in the
// code pages the program meets (their second bytes start at 0x40), so a
// byte-wise walk is safe here.
std::string escape_batch_percent(const std::string& text) {
    const auto count = static_cast<std::size_t>(std::count(text.begin(), text.end(), '%'));
    if (count == 0) return text;
    std::string escaped;
    escaped.reserve(text.size() + count);
    for (const char byte : text) {
        escaped += byte;
        if (byte == '%') escaped += '%';
    }
    return escaped;
}

std::string unescape_batch_percent(const std::string& text) {
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        plain += text[i];
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') ++i;
    }
    return plain;
}

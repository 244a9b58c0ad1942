#include "platform/code_page_text.h"

#include <climits>

#include "platform/codepage.h"

namespace platform {

namespace {

// Windows conversion flags.
constexpr unsigned fail_on_invalid_chars = 0x8;  // MB_ERR_INVALID_CHARS
constexpr unsigned no_best_fit_chars = 0x400;    // WC_NO_BEST_FIT_CHARS

}  // namespace

std::optional<std::u16string> to_utf16(unsigned code_page, const std::string& text) {
    if (text.empty()) return std::u16string();
    if (text.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
    auto& pages = platform::code_page();
    const int length = static_cast<int>(text.size());
    const int needed =
        pages.multi_byte_to_wide(code_page, fail_on_invalid_chars, text.data(), length, nullptr, 0);
    if (needed <= 0) return std::nullopt;
    std::u16string wide(static_cast<std::size_t>(needed), u'\0');
    const int written = pages.multi_byte_to_wide(code_page, fail_on_invalid_chars, text.data(),
                                                 length, wide.data(), needed);
    if (written != needed) return std::nullopt;
    return wide;
}

std::optional<std::string> from_utf16(unsigned code_page, const std::u16string& units, bool exact) {
    if (units.empty()) return std::string();
    if (units.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
    auto& pages = platform::code_page();
    const int length = static_cast<int>(units.size());
    // UTF-8 holds every character, and Windows refuses the flag for it.
    const unsigned flags = exact && code_page != code_page_utf8 ? no_best_fit_chars : 0;
    bool used_default = false;
    const int needed = pages.wide_to_multi_byte(code_page, flags, units.data(), length, nullptr, 0,
                                                nullptr, nullptr);
    if (needed <= 0) return std::nullopt;
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    const int written = pages.wide_to_multi_byte(code_page, flags, units.data(), length,
                                                 narrow.data(), needed, "?", &used_default);
    if (written != needed || (exact && used_default)) return std::nullopt;
    return narrow;
}

}  // namespace platform

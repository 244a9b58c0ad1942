#include "copyjob/script_code_page.h"

#include <climits>

#include "platform/codepage.h"

namespace {

// Windows conversion flags.
constexpr unsigned fail_on_invalid_chars = 0x8;  // MB_ERR_INVALID_CHARS
constexpr unsigned no_best_fit_chars = 0x400;    // WC_NO_BEST_FIT_CHARS

std::optional<std::u16string> to_wide(unsigned code_page, const std::string& text) {
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

std::optional<std::string> to_narrow(unsigned code_page, const std::u16string& wide) {
    auto& pages = platform::code_page();
    const int length = static_cast<int>(wide.size());
    bool used_default = false;
    const int needed = pages.wide_to_multi_byte(code_page, no_best_fit_chars, wide.data(), length,
                                                nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return std::nullopt;
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    const int written = pages.wide_to_multi_byte(code_page, no_best_fit_chars, wide.data(), length,
                                                 narrow.data(), needed, "?", &used_default);
    if (written != needed || used_default) return std::nullopt;
    return narrow;
}

}  // namespace

std::optional<std::string> to_interpreter_code_page(const std::string& ansi_text) {
    auto& pages = platform::code_page();
    const unsigned ansi = pages.ansi_code_page();
    const unsigned oem = pages.oem_code_page();
    if (ansi == oem || ansi_text.empty()) return ansi_text;
    const std::optional<std::u16string> wide = to_wide(ansi, ansi_text);
    if (!wide) return std::nullopt;
    std::optional<std::string> converted = to_narrow(oem, *wide);
    // Read back as the interpreter will read it: anything the conversion
    // approximated without saying so shows up as a different character.
    if (!converted || to_wide(oem, *converted) != wide) return std::nullopt;
    return converted;
}

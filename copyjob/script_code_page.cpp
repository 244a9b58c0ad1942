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

// With exact set, a character without a counterpart fails the conversion;
// without it, it becomes its nearest likeness or a question mark.
std::optional<std::string> to_narrow(unsigned code_page, const std::u16string& wide, bool exact) {
    auto& pages = platform::code_page();
    const int length = static_cast<int>(wide.size());
    const unsigned flags = exact ? no_best_fit_chars : 0;
    bool used_default = false;
    const int needed = pages.wide_to_multi_byte(code_page, flags, wide.data(), length, nullptr, 0,
                                                nullptr, nullptr);
    if (needed <= 0) return std::nullopt;
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    const int written = pages.wide_to_multi_byte(code_page, flags, wide.data(), length,
                                                 narrow.data(), needed, "?", &used_default);
    if (written != needed || (exact && used_default)) return std::nullopt;
    return narrow;
}

std::optional<std::string> exact_conversion(const std::string& text, unsigned from, unsigned to) {
    if (from == to || text.empty()) return text;
    const std::optional<std::u16string> wide = to_wide(from, text);
    if (!wide) return std::nullopt;
    std::optional<std::string> converted = to_narrow(to, *wide, true);
    // Read back as the other side will read it: anything the conversion
    // approximated without saying so shows up as a different character.
    if (!converted || to_wide(to, *converted) != wide) return std::nullopt;
    return converted;
}

}  // namespace

unsigned interpreter_code_page() {
    const unsigned console = platform::code_page().console_output_code_page();
    return console != 0 ? console : platform::code_page().oem_code_page();
}

std::optional<std::string> to_interpreter_code_page(const std::string& ansi_text) {
    return exact_conversion(ansi_text, platform::code_page().ansi_code_page(),
                            interpreter_code_page());
}

std::string script_text_of_file(const std::string& script_bytes) {
    return exact_conversion(script_bytes, interpreter_code_page(),
                            platform::code_page().ansi_code_page())
        .value_or(script_bytes);
}

std::string for_the_console(const std::string& ansi_text) {
    const unsigned ansi = platform::code_page().ansi_code_page();
    const unsigned console = interpreter_code_page();
    if (ansi == console || ansi_text.empty()) return ansi_text;
    const std::optional<std::u16string> wide = to_wide(ansi, ansi_text);
    std::optional<std::string> shown = wide ? to_narrow(console, *wide, false) : std::nullopt;
    return shown ? *shown : ansi_text;
}

#include "compose/script_code_page.h"

#include "platform/codepage.h"
#include "util/wide_text.h"

namespace {

std::optional<std::string> exact_conversion(const std::string& text, unsigned from, unsigned to) {
    if (from == to || text.empty()) return text;
    const std::optional<std::u16string> wide = to_utf16(from, text);
    if (!wide) return std::nullopt;
    std::optional<std::string> converted = from_utf16(to, *wide, true);
    // Read back as the other side will read it: anything the conversion
    // approximated without saying so shows up as a different character.
    if (!converted || to_utf16(to, *converted) != wide) return std::nullopt;
    return converted;
}

}  // namespace

unsigned interpreter_code_page() {
    const unsigned console = platform::code_page().console_output_code_page();
    return console != 0 ? console : platform::code_page().system_oem_code_page();
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

// Through the interpreter's page and back, each step allowed to approximate.
std::string within_interpreter_code_page(const std::string& ansi_text) {
    const unsigned ansi = platform::code_page().ansi_code_page();
    const unsigned page = interpreter_code_page();
    if (ansi == page || ansi_text.empty()) return ansi_text;
    std::optional<std::u16string> wide = to_utf16(ansi, ansi_text);
    const std::optional<std::string> shown = wide ? from_utf16(page, *wide, false) : std::nullopt;
    wide = shown ? to_utf16(page, *shown) : std::nullopt;
    const std::optional<std::string> back = wide ? from_utf16(ansi, *wide, false) : std::nullopt;
    return back ? *back : ansi_text;
}

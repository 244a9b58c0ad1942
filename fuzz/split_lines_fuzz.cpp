// Lines put back together with line ends give the text again, short of a
// final line end at most.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "util/text_helpers.h"

using namespace fuzz_support;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const x_StringList lines = split_lines(text);
    const std::string rejoined = join(lines, "\r\n");
    require(rejoined == text || rejoined + "\r\n" == text);
    for (const std::string& line : lines) {
        const bool quoted = !line.empty() && (line[0] == '"' || line[0] == '\'');
        require(quoted || line.find("\r\n") == npos);
    }
    if (!lines.empty()) require(join_lines(lines).size() >= text.size());
    return 0;
}

// Arbitrary bytes as a script file, read back into a job: nothing may
// crash, the job keeps the decoded text, and the fields change only as far
// as a copy command line in the text allows. The file is served from
// memory.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "copyjob/copy_command.h"
#include "fuzz/fuzz_support.h"
#include "platform/files.h"
#include "util/strings.h"
#include "util/text_file.h"
#include "util/text_helpers.h"

namespace {

const std::string script_path = "C:\\job.bat";

class x_OneFileInMemory : public platform::x_FileService {
public:
    std::string content;

    int status(const std::string& path, platform::x_StatRecord& record) override {
        record = platform::x_StatRecord{};
        if (path != script_path) return ENOENT;
        record.mode = platform::mode_file;
        record.size = static_cast<std::int64_t>(content.size());
        return 0;
    }
    bool access_exists(const std::string& path) override { return path == script_path; }
    std::FILE* open_file(const std::string& path, const char* mode, platform::x_Sharing) override {
        if (path != script_path || std::string(mode) != "rb") return nullptr;
        static char empty = 0;
        return content.empty() ? fmemopen(&empty, 1, "rb")
                               : fmemopen(content.data(), content.size(), "rb");
    }
};

bool has_copy_line(const std::string& text) {
    for (const std::string& line : split_lines(text)) {
        const std::string lower = to_lower(trim(line));
        if (lower.compare(0, 5, "xcopy") == 0 || lower.compare(0, 8, "robocopy") == 0) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static x_OneFileInMemory file;
    static platform::x_Substitute<platform::x_FileService> guard(file);
    fuzz_support::choose_code_page(data[0]);
    file.content.assign(reinterpret_cast<const char*>(data) + 1, size - 1);

    x_CopyCommand job;
    job.tool = "unset";
    job.set_source("unset");
    job.set_extra_switches("unset");
    const bool found = job.read_script(script_path);
    const std::string text = decode_text(x_ByteList(file.content.begin(), file.content.end()));
    fuzz_support::require(job.get_script_text() == text);
    // A copy line that names its folders by variables reads them from names
    // kept beside the script, which memory does not hold: it names nothing.
    const bool names_variables = text.find("%shellbackup_") != std::string::npos;
    fuzz_support::require(found == has_copy_line(text) || (!found && names_variables));
    if (!found) {
        fuzz_support::require(job.tool == "unset" && job.get_source() == "unset");
        return 0;
    }
    fuzz_support::require(job.tool == "unset" || job.is_xcopy() || job.is_robocopy());
    if (job.tool != "unset") {
        const std::string lower = to_lower(job.get_command_line());
        fuzz_support::require(lower.compare(0, job.tool.size(), job.tool) == 0);
    }
    const std::string switches = job.get_extra_switches();
    // A blank that is the second byte of a double-byte character is part of
    // that character, not one the words were cut at.
    fuzz_support::require(switches.empty() ||
                          (switches.front() != ' ' && last_char(switches) != ' '));
    return 0;
}

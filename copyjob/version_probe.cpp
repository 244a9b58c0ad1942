#include "copyjob/version_probe.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "copyjob/version_source.h"
#include "shell/shell_folders.h"
#include "shell/version_info.h"
#include "util/environment.h"
#include "util/paths.h"

namespace {

// Some runtimes have shipped a strtod that misreads plain integers; when
// this one does, the formatted scan reads every version number instead.
bool strtod_misreads_integers() {
    const double converted = std::strtod("128", nullptr);
    return static_cast<long>(converted) != std::strtol("128", nullptr, 10);
}

bool use_formatted_scan() {
    static const bool scan = strtod_misreads_integers();
    return scan;
}

// Version texts write the decimal point as a dot whatever the user's
// locale, but the runtime's conversions follow LC_NUMERIC: under a locale
// with a decimal comma 6.1.7601 would read as 6 and a Windows 7 would get
// the older copy tool. The numeric category is "C" while a version is read.
class x_DotDecimalPoint {
public:
    x_DotDecimalPoint() {
        if (std::strcmp(std::localeconv()->decimal_point, ".") == 0) return;
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        if (current == nullptr) return;
        previous_ = current;
        switched_ = std::setlocale(LC_NUMERIC, "C") != nullptr;
    }
    ~x_DotDecimalPoint() {
        if (switched_) std::setlocale(LC_NUMERIC, previous_.c_str());
    }
    x_DotDecimalPoint(const x_DotDecimalPoint&) = delete;
    x_DotDecimalPoint& operator=(const x_DotDecimalPoint&) = delete;

private:
    std::string previous_;
    bool switched_ = false;
};

std::string program_in(int csidl, const char* program) {
    return add_trailing_separator(get_special_folder(csidl)) + program;
}

struct x_VersionHold {
    int depth = 0;
    std::optional<std::string> text;
};

x_VersionHold& version_hold() {
    static x_VersionHold hold;
    return hold;
}

std::string version_source() {
    const std::string own_executable = module_path();
    std::string winver = program_in(csidl_system, "winver.exe");
    std::string explorer = program_in(csidl_windows, "explorer.exe");
    if (path_exists(winver)) return winver;
    if (path_exists(explorer)) return explorer;
    const std::string found = find_version_source();
    return found.empty() ? own_executable : found;
}

std::string read_version_text() {
    return normalize_version_text(x_VersionInfo(version_source()).get_product_version());
}

}  // namespace

x_HeldWindowsVersion::x_HeldWindowsVersion() { ++version_hold().depth; }

x_HeldWindowsVersion::~x_HeldWindowsVersion() {
    x_VersionHold& hold = version_hold();
    if (--hold.depth == 0) hold.text.reset();
}

double windows_version() { return parse_version_number(windows_version_text()); }

std::string windows_version_text() {
    x_VersionHold& hold = version_hold();
    if (hold.depth == 0) return read_version_text();
    // An empty answer is held as well: it is the one that cost the most.
    if (!hold.text) hold.text = read_version_text();
    return *hold.text;
}

double parse_version_number(const std::string& text) {
    const x_DotDecimalPoint dot;
    if (use_formatted_scan()) {
        double number = 0;
        std::sscanf(text.c_str(), "%lg", &number);
        return number;
    }
    return std::strtod(text.c_str(), nullptr);
}

std::string normalize_version_text(const std::string& text) {
    std::string normalized;
    normalized.reserve(text.size());
    for (char c : text) {
        if (c == ' ') continue;
        normalized.push_back(c == ',' ? '.' : c);
    }
    return normalized;
}

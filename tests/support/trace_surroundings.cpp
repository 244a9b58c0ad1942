#include "support/trace_surroundings.h"

#ifndef _WIN32
#include "platform/posix/host_path.h"
#endif

namespace testing_support {

std::string host_form(const std::string& path) {
#ifdef _WIN32
    return path;
#else
    return platform::posix::host_path(path);
#endif
}

bool x_FixedProcess::local_time(std::int64_t at, std::tm& out) {
    // 2024/01/31 17:05:09 at start_seconds; tests stay within the day.
    const std::int64_t of_day = 17 * 3600 + 5 * 60 + 9 + (at - start_seconds);
    out = std::tm{};
    out.tm_year = 124;
    out.tm_mon = 0;
    out.tm_mday = 31;
    out.tm_wday = 3;
    out.tm_yday = 30;
    out.tm_hour = static_cast<int>(of_day / 3600);
    out.tm_min = static_cast<int>(of_day / 60 % 60);
    out.tm_sec = static_cast<int>(of_day % 60);
    return true;
}

std::string x_FixedProcess::env_value(const std::string& name) {
    const auto found = environment.find(name);
    return found == environment.end() ? std::string() : found->second;
}

bool x_FixedProcess::current_directory(std::string& out) {
    out = folder;
    return true;
}

void x_FixedProcess::sleep_ms(unsigned milliseconds) {
    if (on_sleep != nullptr) on_sleep(*this);
    ++sleeps;
    slept_ms += milliseconds;
}

x_TraceSurroundings::x_TraceSurroundings() : guard_(process) { process.temp = folder(); }

std::string x_TraceSurroundings::log_folder() const {
    return folder() + "v_Urivu.tmp\\_trace_\\QX\\";
}

std::string x_TraceSurroundings::hour_file(const std::string& month_day_hour) const {
    return log_folder() + month_day_hour + ".txt";
}

std::string x_TraceSurroundings::last_line(const std::string& month_day_hour) const {
    std::string text = x_TempTree::content(hour_file(month_day_hour));
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
        text.resize(text.size() - 2);
    }
    const std::size_t start = text.rfind("\r\n");
    return start == std::string::npos ? text : text.substr(start + 2);
}

}  // namespace testing_support

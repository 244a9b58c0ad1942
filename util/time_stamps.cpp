#include "util/time_stamps.h"

#include "platform/process.h"

namespace {

// One byte of the 256-byte buffer stays unused: the limit handed to
// strftime is 255 including the terminating zero.
constexpr std::size_t buffer_size = 256;
constexpr std::size_t format_limit = 255;

}  // namespace

std::string time_text(const char* format) { return format_time(platform::process().now(), format); }

std::string format_time(std::int64_t seconds, const char* format) {
    std::tm broken_down{};
    if (!platform::process().local_time(seconds, broken_down)) return {};
    return format_tm(broken_down, format);
}

// strftime reports 0 both for an empty result and for one that does not
// fit; either way the caller gets the empty text rather than a cut stamp.
std::string format_tm(const std::tm& broken_down, const char* format) {
    if (format == nullptr || *format == '\0') return {};
    char buffer[buffer_size];
    const std::size_t length = std::strftime(buffer, format_limit, format, &broken_down);
    return std::string(buffer, length);
}

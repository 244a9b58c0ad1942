#include "trace/open_with_retry.h"

#include <algorithm>
#include <cstdint>

#include "platform/console.h"
#include "platform/files.h"
#include "platform/process.h"

namespace {

constexpr int retry_interval_ms = 100;

void show_attempt(int attempt) {
    platform::console().write_err(std::to_string(attempt) + "\r");
    platform::console().flush_err();
}

}  // namespace

std::FILE* open_with_retry(const std::string& path, const char* mode, int seconds) {
    if (path.empty()) return nullptr;
    const std::int64_t wanted = std::int64_t{seconds} * 1000 / retry_interval_ms;
    const int attempts = static_cast<int>(std::clamp<std::int64_t>(wanted, 1, INT32_MAX));
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        // Denying writers, so that a second writer waits here instead of
        // interleaving its bytes with ours; a log viewer does not count.
        std::FILE* file =
            platform::files().open_file(path, mode, platform::x_Sharing::readers_only);
        if (file != nullptr) return file;
        platform::process().sleep_ms(retry_interval_ms);
        show_attempt(attempt);
    }
    return nullptr;
}

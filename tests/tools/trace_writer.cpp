// Writes numbered trace entries, so that tests can run several writers at
// once against one log file: trace_writer TAG COUNT [WIDTH [GO_FILE]]. Each
// message is "TAG NUMBER" padded with dots to WIDTH bytes. With GO_FILE it
// waits, after its entries, until that file exists (20 seconds at most)
// before it ends. Exit code 1 when any entry was reported lost.
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/process.h"
#include "trace/trace_log.h"

namespace {

void wait_for(const std::string& path) {
    for (int poll = 0; poll < 1000; ++poll) {
        platform::x_StatRecord record;
        if (platform::files().status(path, record) == 0) return;
        platform::process().sleep_ms(20);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string tag = argv[1];
    const int count = std::atoi(argv[2]);
    const std::size_t width = argc > 3 ? static_cast<std::size_t>(std::atoi(argv[3])) : 0;
    int lost = 0;
    for (int number = 0; number < count; ++number) {
        std::string message = tag + " " + std::to_string(number) + " ";
        if (message.size() < width) message.append(width - message.size(), '.');
        if (!write_trace(message)) ++lost;
    }
    if (argc > 4) wait_for(argv[4]);
    return lost == 0 ? 0 : 1;
}

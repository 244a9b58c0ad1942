// Writes numbered trace entries, so that tests can run several writers at
// once against one log file: trace_writer TAG COUNT [WIDTH]. Each message is
// "TAG NUMBER" padded with dots to WIDTH bytes. Exit code 1 when any entry
// was reported lost.
#include <cstdlib>
#include <string>

#include "trace/trace_log.h"

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
    return lost == 0 ? 0 : 1;
}

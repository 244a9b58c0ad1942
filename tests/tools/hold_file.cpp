// Holds a file open for a while, so that a test can watch what another
// program does meanwhile:  hold_file PATH MILLISECONDS [write|read|append]
// With 0 milliseconds it holds the file until PATH.let_go appears.
// By default it shares the file with nobody; with "write" it holds it as a
// writer of the trace log does, open for readers only; with "read" it reads
// it as a log viewer does, sharing it with readers and writers alike; with
// "append" it shares it with nobody and adds a line every 200 ms, as a
// running mail program does to its store. Once
// the file is held, PATH.held appears; once it is let go, PATH.released.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/process.h"

namespace {

void mark(const std::string& path) {
    if (std::FILE* marker = platform::files().open_file(path, "wb")) {
        platform::files().close_file(marker);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) return 2;
    const std::string path = argv[1];
    const std::string how = argc == 4 ? argv[3] : "";
    std::FILE* held = nullptr;
    if (how == "read") {
        held = platform::files().open_file(path, "rb");
    } else {
        const bool as_writer = how == "write";
        held = platform::files().open_file(
            path, "ab",
            as_writer ? platform::x_Sharing::readers_only : platform::x_Sharing::nobody);
    }
    if (held == nullptr) return 1;
    mark(path + ".held");
    const auto milliseconds = static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10));
    if (milliseconds == 0) {
        const unsigned pause = how == "append" ? 200 : 50;
        while (!platform::files().access_exists(path + ".let_go")) {
            if (how == "append") {
                std::fputs("new mail\r\n", held);
                std::fflush(held);
            }
            platform::process().sleep_ms(pause);
        }
    } else {
        platform::process().sleep_ms(milliseconds);
    }
    platform::files().close_file(held);
    mark(path + ".released");
    return 0;
}

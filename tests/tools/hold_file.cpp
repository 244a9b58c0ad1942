// Holds a file open without sharing for a while, so that a test can watch
// another program wait for it:  hold_file PATH MILLISECONDS
// Once the file is held, PATH.held appears; the test starts waiting then.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/process.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::string path = argv[1];
    std::FILE* held = platform::files().open_file(path, "ab", true);
    if (held == nullptr) return 1;
    if (std::FILE* marker = platform::files().open_file(path + ".held", "wb")) {
        platform::files().close_file(marker);
    }
    platform::process().sleep_ms(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
    platform::files().close_file(held);
    return 0;
}

// robocopy.exe for tests: records its command line when SHELLBACKUP_RECORD
// names a file, then copies as robocopy would. SHELLBACKUP_SECOND_MS sets
// how many milliseconds one second of /w lasts (default 1000).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "command_words.h"
#include "robocopy.h"

int main() {
    const wchar_t* command_line = ::GetCommandLineW();
    record_command_line(command_line);
    std::vector<std::wstring> words = runtime_words(command_line);
    words.erase(words.begin());
    x_RobocopyLine line;
    const std::wstring refused = read_line(words, line);
    if (!refused.empty()) {
        std::printf("ERROR : Invalid Parameter : \"%s\" (not in this stand-in)\n",
                    utf8(refused).c_str());
        return robocopy_fatal;
    }
    const char* second = std::getenv("SHELLBACKUP_SECOND_MS");
    return run_robocopy(line, second != nullptr ? std::strtoul(second, nullptr, 10) : 1000);
}

#pragma once
// Fixed surroundings for tests that write the trace log: a fresh temporary
// folder, a clock standing at 2024/01/31 17:05:09 local time, and a known
// user, program and current folder.
#include <cstdint>
#include <ctime>
#include <map>
#include <string>

#include "platform/process.h"
#include "platform/slot.h"
#include "support/temp_tree.h"

namespace testing_support {

// The host's form of a path the program composed (the POSIX stand-in maps
// backslashes and drive letters; Windows takes it as it is).
std::string host_form(const std::string& path);

class x_FixedProcess : public platform::x_ProcessService {
public:
    static constexpr std::int64_t start_seconds = 1706720709;

    std::string temp;
    std::int64_t seconds = start_seconds;
    std::string user = "tester";
    std::string program = "C:\\Tools\\shellbackup.exe";
    std::string folder = "C:\\Work";
    std::map<std::string, std::string> environment;
    unsigned sleeps = 0;
    unsigned slept_ms = 0;
    // Called on every sleep, before it counts.
    void (*on_sleep)(x_FixedProcess&) = nullptr;

    std::int64_t now() override { return seconds; }
    bool local_time(std::int64_t at, std::tm& out) override;
    std::string temp_path() override { return temp; }
    std::string user_name() override { return user; }
    std::string env_value(const std::string& name) override;
    std::string module_file_name() override { return program; }
    bool current_directory(std::string& out) override;
    std::vector<std::string> runtime_arguments() override { return {program}; }
    void sleep_ms(unsigned milliseconds) override;
};

// A temporary folder with the fixed surroundings installed over it.
class x_TraceSurroundings {
public:
    x_TraceSurroundings();

    // The temporary folder, ending in a backslash as the platform's does.
    std::string folder() const { return tree.root() + "\\"; }
    // The log folder, ending in a backslash, and the file of an hour.
    std::string log_folder() const;
    std::string hour_file(const std::string& month_day_hour) const;
    // The last line of the hour file, without its line end.
    std::string last_line(const std::string& month_day_hour) const;

    x_TempTree tree;
    x_FixedProcess process;

private:
    platform::x_Substitute<platform::x_ProcessService> guard_;
};

}  // namespace testing_support

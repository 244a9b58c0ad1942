#pragma once
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "platform/slot.h"

namespace platform {

// The running process and its surroundings: locale, arguments, paths that
// the system names, environment, clock, sleeping and the command
// interpreter. Path answers come in 260-byte buffers taken up to their first
// zero byte, as the Windows calls give them.
class x_ProcessService {
public:
    virtual ~x_ProcessService() = default;

    // Critical-error and open-file boxes off for the process and every
    // child it starts (SetErrorMode with SEM_FAILCRITICALERRORS and
    // SEM_NOOPENFILEERRORBOX): a drive without a medium, or a stick pulled
    // during a copy, then fails the call instead of waiting for a click that
    // never comes when nobody watches the run.
    virtual void quiet_error_boxes();
    // setlocale(LC_ALL, "") for every category.
    virtual void use_user_locale();
    // The runtime's own argument vector (not main's), empty when absent.
    virtual std::vector<std::string> runtime_arguments();

    virtual std::string module_file_name();               // GetModuleFileNameA
    virtual std::string temp_path();                      // GetTempPathA
    virtual bool long_path_name(const std::string& path,  // GetLongPathNameA
                                std::string& long_path);
    virtual bool current_directory(std::string& folder);  // GetCurrentDirectoryA
    virtual std::string user_name();                      // GetUserNameA, 257 bytes
    // getenv; unset variables answer the empty text. On Windows names match
    // without regard to case.
    virtual std::string env_value(const std::string& name);

    virtual std::int64_t now();                                   // time()
    virtual bool local_time(std::int64_t seconds, std::tm& out);  // localtime()
    virtual void sleep_ms(unsigned milliseconds);                 // Sleep

    // The standard library's system(): runs the command through the command
    // interpreter and waits for it; answers its exit status.
    virtual int run_command(const std::string& command);
};

inline x_ProcessService& process() { return x_Slot<x_ProcessService>::current(); }

}  // namespace platform

#include "copyjob/not_backed_up.h"

#include "platform/console.h"
#include "trace/trace_log.h"

namespace {

void report_folder(const std::string& heading, const std::string& folder,
                   const std::string& reason) {
    report_notice(heading + folder + " - " + reason);
}

}  // namespace

void report_not_backed_up(const std::string& folder, const std::string& reason) {
    report_folder("Not backed up: ", folder, reason);
}

void report_not_backed_up_completely(const std::string& folder, const std::string& reason) {
    report_folder("Not backed up completely: ", folder, reason);
}

// The console service shows the program's text as it is meant in a console
// window, and hands its bytes as they are to a file or a pipe.
void report_notice(const std::string& line) {
    platform::console().write_err(line + "\n");
    platform::console().flush_err();
    write_trace(line);
}

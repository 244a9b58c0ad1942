#include "copyjob/not_backed_up.h"

#include "copyjob/script_code_page.h"
#include "platform/console.h"
#include "trace/trace_log.h"

void report_not_backed_up(const std::string& folder, const std::string& reason) {
    const std::string line = "Not backed up: " + folder + " - " + reason;
    platform::console().write_err(for_the_console(line) + "\n");
    platform::console().flush_err();
    write_trace(line);
}

#include "app/entry.h"

#include <string>

#include "app/arguments.h"
#include "app/backup_run.h"
#include "platform/console.h"
#include "platform/process.h"

namespace app {

namespace {

// One line of input ends the wait; more than this is read but not kept.
constexpr std::size_t max_input_chars = 999;

}  // namespace

int run_main(int argc, char** argv) {
    // Before anything touches a drive: an empty card-reader slot must not
    // hold the run up with a box.
    platform::process().quiet_error_boxes();
    platform::process().use_user_locale();
    set_arguments(argc, argv);
    const bool complete = run_backup("test x_CopyCommand");
    platform::console().write_err("wait...");
    platform::console().flush_err();
    std::string line;
    platform::console().read_line(line, max_input_chars);
    return complete ? 0 : 1;
}

}  // namespace app

#include "app/entry.h"

#include <string>

#include "platform/console.h"
#include "platform/process.h"

namespace app {

int run_main(int, char**) {
    platform::process().use_user_locale();
    platform::console().write_out("test x_CopyCommand\n");
    platform::console().flush_out();
    platform::console().write_err("wait...");
    std::string line;
    platform::console().read_line(line, 999);
    return 0;
}

}  // namespace app

#include "copyjob/copy_command.h"
#include "copyjob/version_probe.h"

bool x_CopyCommand::choose_tool() {
    if (is_xcopy()) return true;
    if (is_robocopy()) return true;
    if (windows_version() >= first_robocopy_version) {
        use_robocopy();
    } else {
        use_xcopy();
    }
    return true;
}

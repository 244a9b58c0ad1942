#include "copyjob/version_source.h"

#include "copyjob/command_runner.h"
#include "util/paths.h"

// "where" is asked about itself as well: a system program of the same
// release, so its version serves when neither usual program is found.
std::string find_version_source() {
    const std::string where = locate_command("where");
    const std::string winver = locate_command("winver");
    const std::string explorer = locate_command("explorer");
    for (const std::string& candidate : {winver, where, explorer}) {
        if (!candidate.empty() && path_exists(candidate)) return candidate;
    }
    return std::string();
}

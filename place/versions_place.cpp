#include "place/versions_place.h"

#include "util/paths.h"
#include "util/strings.h"
#include "util/time_stamps.h"

std::string versions_folder(const std::string& backup_root) {
    return add_trailing_separator(backup_root) + versions_folder_name;
}

// Two runs within a second, a clock set back: the later run's folder gets
// a number rather than mixing its versions into another run's.
std::string versions_folder_for_run(const std::string& backup_root) {
    const std::string run = versions_folder(backup_root) + "\\" + time_text("%Y-%m-%d %H.%M.%S");
    std::string folder = run;
    for (std::uint64_t number = 2; path_exists(folder); ++number) {
        folder = run + " (" + uint64_to_text(number, 10) + ")";
    }
    return folder;
}

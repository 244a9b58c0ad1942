#include "trace/work_folder.h"

#include "util/environment.h"
#include "util/paths.h"

std::string work_folder(const std::string& name) {
    const std::string scratch = add_trailing_separator(temp_folder()) + "v_Urivu.tmp";
    const std::string folder = add_trailing_separator(scratch) + name;
    // A folder that cannot be created shows up later, when its files do not open.
    create_folders(folder);
    return strip_trailing_separator(folder);
}

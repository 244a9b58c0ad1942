#include "util/environment.h"

#include <initializer_list>
#include <string_view>

#include "app/arguments.h"
#include "platform/console.h"
#include "platform/process.h"
#include "shell/shell_folders.h"
#include "shell/version_info.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/time_stamps.h"

namespace {

const char* const scratch_leaf = "v_Urivu.tmp";

void error_line(std::string_view text) {
    platform::console().write_err(text);
    platform::console().write_err("\n");
    platform::console().flush_err();
}

// Cleared once the empty-argument notice has been written: a program that
// lost its arguments says so once, not on every path query.
bool& empty_arguments_notice_pending() {
    static bool pending = true;
    return pending;
}

// The public documents folder's "Temp\Temp": the place for temporary files
// when the platform's own answer lies inside the Windows folder. Empty when
// that folder is unknown: "Temp\Temp" alone would lie below whatever folder
// the program was started from.
std::string public_temp_folder() {
    const std::string documents = get_special_folder(csidl_common_documents);
    if (!is_absolute_path(documents)) return std::string();
    const std::string folder = add_trailing_separator(add_trailing_separator(documents) + "Temp");
    return folder + "Temp";
}

bool inside_windows_folder(const std::string& path) {
    if (path.find("Windows") != npos) return true;
    return to_lower(path).find(to_lower("Windows")) != npos;
}

bool is_set(const std::string& value) { return !value.empty(); }

std::string first_variable(std::initializer_list<const char*> names,
                           bool (*usable)(const std::string&) = is_set) {
    for (const char* name : names) {
        std::string value = env_value(name);
        if (usable(value)) return value;
    }
    return std::string();
}

std::string user_temp_folder() {
    std::string user = first_variable({"USER", "USERNAME"});
    if (user.empty()) user = "___";
    std::string base = folder_exists("/tmp") ? std::string("/tmp/") : current_folder();
    if (!is_absolute_path(base)) base = "\\";
    std::string folder = add_trailing_separator(base) + user;
    create_folders(folder);
    return folder;
}

std::string scratch_leaf_name(const std::string& executable) {
    std::string name = file_name(executable);
    const std::string recorded = program_name();
    if (!recorded.empty() && !equals_ignore_case(recorded, name)) name = recorded;
    return name.empty() ? time_text("%Y%m%d") : base_name(name);
}

std::string scratch_folder_below(const std::string& base, const std::string& name) {
    const std::string folder = add_trailing_separator(base) + scratch_leaf;
    return add_trailing_separator(add_trailing_separator(folder) + name);
}

std::string fallback_scratch_folder_of(const std::string& executable) {
    const std::string temp = public_temp_folder();
    return temp.empty() ? std::string() : scratch_folder_below(temp, base_name(executable));
}

std::string compute_program_name() {
    const std::string executable = module_path();
    std::string name = original_filename_of(executable);
    if (name.empty()) name = file_name(executable);
    return name;
}

}  // namespace

std::string module_path() {
    std::string file = platform::process().module_file_name();
    const x_StringList arguments = get_arv();
    if (!arguments.empty()) {
        if (file.empty()) {
            file = arguments.front();
        } else if (file != arguments.front()) {
            error_line(file);
            error_line(arguments.front());
        }
    } else if (empty_arguments_notice_pending()) {
        error_line("::get_arv() ... empty");
        error_line(file);
        empty_arguments_notice_pending() = false;
    }
    return file;
}

std::string env_value(const std::string& name) { return platform::process().env_value(name); }

std::string current_folder() {
    std::string folder;
    if (!platform::process().current_directory(folder)) return std::string();
    return folder;
}

std::string long_path(const std::string& path) {
    std::string expanded;
    if (!platform::process().long_path_name(path, expanded)) return path;
    return expanded;
}

std::string temp_folder() {
    std::string folder = long_path(platform::process().temp_path());
    // A relative answer would send the scratch files below whatever folder
    // the program was started from; the next source is asked instead.
    if (inside_windows_folder(folder)) folder = public_temp_folder();
    if (!is_absolute_path(folder))
        folder = first_variable({"TMP", "TMPDIR", "TEMP"}, is_absolute_path);
    if (folder.empty()) folder = user_temp_folder();
    return std::string(folder.c_str());
}

std::string scratch_folder() {
    const std::string executable = module_path();
    std::string folder = scratch_folder_below(temp_folder(), scratch_leaf_name(executable));
    if (create_folders(folder)) return folder;
    // Without a public documents folder there is no better place; the
    // folder that could not be made stays the answer.
    const std::string fallback = fallback_scratch_folder_of(executable);
    return fallback.empty() ? folder : fallback;
}

std::string fallback_scratch_folder() { return fallback_scratch_folder_of(module_path()); }

std::string original_filename_of(const std::string& path) {
    return x_VersionInfo(path).get_original_filename();
}

std::string program_name() {
    static const std::string name = compute_program_name();
    return name;
}

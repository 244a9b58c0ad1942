#include "copyjob/copy_command.h"

#include "util/strings.h"

// Each default entry carries a blank on either side, so that entries that
// callers append (with their own blanks) stay apart on the command line.
x_CopyCommand::x_CopyCommand() {
    exclude_files = std::string() + " mfc*.tmp " + " Thumbs.db ";
    rc_use_exclude_files = true;
}

x_CopyCommand::x_CopyCommand(const x_CopyCommand& other) = default;

std::string x_CopyCommand::get_script_text() { return script_text; }
std::string x_CopyCommand::get_command_line() { return command_line; }
std::string x_CopyCommand::get_source() { return source; }
std::string x_CopyCommand::get_destination() { return destination; }
std::string x_CopyCommand::get_files() { return files; }
std::string x_CopyCommand::get_extra_switches() { return extra_switches; }
bool x_CopyCommand::get_pause_at_end() { return pause_at_end; }

bool x_CopyCommand::use_xcopy() {
    tool = "xcopy";
    return true;
}

bool x_CopyCommand::use_robocopy() {
    tool = "robocopy";
    return true;
}

namespace {

template <class Field, class Value>
bool assign(Field& field, const Value& value) {
    field = value;
    return true;
}

}  // namespace

bool x_CopyCommand::set_source(const std::string& text) { return assign(source, text); }
bool x_CopyCommand::set_destination(const std::string& text) { return assign(destination, text); }
bool x_CopyCommand::set_files(const std::string& text) { return assign(files, text); }

bool x_CopyCommand::set_extra_switches(const std::string& text) {
    return assign(extra_switches, text);
}

bool x_CopyCommand::set_pause_at_end(bool flag) { return assign(pause_at_end, flag); }

// Both tools share the meaning of these two switches, so a job keeps them
// in step whichever tool it ends up with.
bool x_CopyCommand::set_list_only(bool flag) {
    rc_list_only = flag;
    return assign(xc_list_only, flag);
}

bool x_CopyCommand::set_subfolders(bool flag) {
    rc_subfolders = flag;
    return assign(xc_subfolders, flag);
}

bool x_CopyCommand::set_mirror(bool flag) { return assign(rc_mirror, flag); }
bool x_CopyCommand::set_purge(bool flag) { return assign(rc_purge, flag); }
bool x_CopyCommand::set_fat_times(bool flag) { return assign(rc_fat_times, flag); }
bool x_CopyCommand::set_use_retries(bool flag) { return assign(rc_use_retries, flag); }
bool x_CopyCommand::set_use_wait(bool flag) { return assign(rc_use_wait, flag); }
bool x_CopyCommand::set_exclude_older(bool flag) { return assign(rc_exclude_older, flag); }
bool x_CopyCommand::set_exclude_extra(bool flag) { return assign(rc_exclude_extra, flag); }

bool x_CopyCommand::set_exclude_junction_dirs(bool flag) {
    return assign(rc_exclude_junction_dirs, flag);
}

bool x_CopyCommand::set_use_min_size(bool flag) { return assign(rc_use_min_size, flag); }
bool x_CopyCommand::set_use_max_size(bool flag) { return assign(rc_use_max_size, flag); }
bool x_CopyCommand::set_use_max_age(bool flag) { return assign(rc_use_max_age, flag); }
bool x_CopyCommand::set_use_min_age(bool flag) { return assign(rc_use_min_age, flag); }
bool x_CopyCommand::set_use_exclude_files(bool flag) { return assign(rc_use_exclude_files, flag); }
bool x_CopyCommand::set_use_exclude_dirs(bool flag) { return assign(rc_use_exclude_dirs, flag); }
bool x_CopyCommand::set_retries(std::uint16_t value) { return assign(rc_retries, value); }
bool x_CopyCommand::set_wait_seconds(std::uint16_t value) { return assign(rc_wait_seconds, value); }
bool x_CopyCommand::set_min_size(std::uint64_t value) { return assign(min_size, value); }
bool x_CopyCommand::set_max_size(std::uint64_t value) { return assign(max_size, value); }
bool x_CopyCommand::set_max_age(std::uint32_t value) { return assign(max_age, value); }
bool x_CopyCommand::set_min_age(std::uint32_t value) { return assign(min_age, value); }
bool x_CopyCommand::set_exclude_files(const std::string& text) {
    return assign(exclude_files, text);
}
bool x_CopyCommand::set_exclude_dirs(const std::string& text) { return assign(exclude_dirs, text); }

// Appended as given: the caller brings the blanks that keep entries apart.
bool x_CopyCommand::add_exclude_files(const std::string& text) {
    exclude_files += text;
    return true;
}

bool x_CopyCommand::add_exclude_dirs(const std::string& text) {
    exclude_dirs += text;
    return true;
}

std::string x_CopyCommand::get_exclude_files() { return exclude_files; }
std::string x_CopyCommand::get_exclude_dirs() { return exclude_dirs; }
std::uint16_t x_CopyCommand::get_retries() { return rc_retries; }
std::uint16_t x_CopyCommand::get_wait_seconds() { return rc_wait_seconds; }
std::uint64_t x_CopyCommand::get_min_size() { return min_size; }
std::uint64_t x_CopyCommand::get_max_size() { return max_size; }
std::uint32_t x_CopyCommand::get_max_age() { return max_age; }
std::uint32_t x_CopyCommand::get_min_age() { return min_age; }

std::string x_CopyCommand::get_tool() { return to_lower(tool); }
bool x_CopyCommand::is_xcopy() { return get_tool() == "xcopy"; }
bool x_CopyCommand::is_robocopy() { return get_tool() == "robocopy"; }

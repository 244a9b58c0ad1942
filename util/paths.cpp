#include "util/paths.h"

#include <cctype>

#include "util/path_split.h"
#include "util/strings.h"

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

bool is_network_path(const std::string& path) {
    return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

// The form that testers and creators query: one trailing separator gone,
// slashes turned into backslashes.
std::string query_form(const std::string& path) {
    const std::string stripped = strip_trailing_separator(path);
    return find_char(stripped, '/') == npos ? stripped : normalize_separators(stripped, '\\');
}

bool status_of(const std::string& path, platform::x_StatRecord& record) {
    return platform::files().status(path, record) == 0;
}

bool is_folder_mode(std::uint16_t mode) {
    return (mode & platform::mode_type_mask) == platform::mode_folder;
}

// A network path's server and share have no status of their own; only the
// access test can tell whether they are there.
bool folder_present(const std::string& query) {
    if (is_network_path(query)) return platform::files().access_exists(query);
    platform::x_StatRecord record;
    return status_of(query, record) && is_folder_mode(record.mode);
}

// Below "\\server\share" a folder can be created; the server and the share
// themselves never can.
bool is_below_share(const std::string& prefix, char separator) {
    if (prefix.size() < 2 || prefix[0] != separator || prefix[1] != separator) return true;
    const std::string rest = prefix.substr(2);
    const std::size_t first = find_char(rest, separator);
    return first != npos && find_char(rest.substr(first + 1), separator) != npos;
}

// The cheap tests come first: asking a network server whether it is there
// can take long, and its answer would not change the outcome.
bool needs_creating(const std::string& prefix) {
    if (prefix.empty() || prefix == "\\" || prefix == "/") return false;
    if (last_char(prefix) == ':') return false;
    if (!is_below_share(prefix, '\\') || !is_below_share(prefix, '/')) return false;
    return !folder_present(query_form(prefix));
}

// "C:\" or "C:/" at the start.
bool begins_with_drive_root(const std::string& path) {
    return path.size() >= 3 && path[1] == ':' &&
           std::isalpha(static_cast<unsigned char>(path[0])) != 0 && is_separator(path[2]);
}

}  // namespace

std::string add_trailing_separator(const std::string& path, char separator) {
    if (path.empty() || is_separator(last_char(path))) return path;
    return path + separator;
}

std::string strip_trailing_separator(const std::string& path) {
    if (!is_separator(last_char(path))) return path;
    return path.substr(0, path.size() - 1);
}

// Three passes: the first drops a trailing backslash, the second turns
// slashes into backslashes, the third collapses runs of separators. The two
// leading parts are kept even when empty, so "\\server" keeps both of its
// backslashes. Components that open with a quote are left as they are.
std::string normalize_separators(const std::string& path, char separator) {
    const std::string backslashed = join(split_path(path, '\\'), '\\');
    const std::string converted = join(split_path(backslashed, '/'), '\\');
    const x_StringList parts = split_path(converted, '\\');
    x_StringList kept;
    kept.reserve(parts.size());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i < 2 || !parts[i].empty()) kept.push_back(parts[i]);
    }
    return join(kept, separator);
}

std::string file_name(const std::string& path) {
    std::size_t last = find_last_char(path, '\\');
    if (last == npos) last = find_last_char(path, '/');
    return last == npos ? path : path.substr(last + 1);
}

std::string dir_part(const std::string& path) {
    std::size_t last = find_last_char(path, '\\');
    if (last == npos) last = find_last_char(path, '/');
    return last == npos ? std::string("\\") : path.substr(0, last);
}

namespace {

bool has_no_stem(const std::string& name) {
    return name.empty() || name == " " || find_char(name, '?') != npos;
}

}  // namespace

std::string file_extension(const std::string& path) {
    const std::string name = file_name(path);
    if (has_no_stem(name)) return {};
    const std::size_t dot = find_last_char(name, '.');
    return dot == npos ? std::string() : name.substr(dot + 1);
}

std::string base_name(const std::string& path) {
    const std::string name = file_name(path);
    if (has_no_stem(name)) return {};
    const std::size_t dot = find_last_char(name, '.');
    return dot == npos ? name : name.substr(0, dot);
}

bool is_absolute_path(const std::string& path) {
    if (!path.empty() && is_separator(path[0])) return true;
    return begins_with_drive_root(path);
}

bool is_drive_root(const std::string& path) {
    return path.size() == 3 && begins_with_drive_root(path);
}

bool path_exists(const std::string& path) {
    const std::string query = query_form(path);
    if (is_network_path(query)) return platform::files().access_exists(query);
    platform::x_StatRecord record;
    return status_of(query, record);
}

bool folder_exists(const std::string& path) { return folder_present(query_form(path)); }

// Level by level from the top, so that a failure leaves the levels above it
// in place and names the first one that could not be made.
bool create_folders(const std::string& path) {
    if (folder_exists(path)) return true;
    const std::string normal = strip_trailing_separator(normalize_separators(path));
    // Nothing can be made at the server or share level, so a bare share
    // that the access test did not find stays missing.
    if (!is_below_share(normal, '\\')) return false;
    // A drive cannot be made either: a bare drive is there or it is not.
    const std::string root = normal + '\\';
    if (is_drive_root(root)) return folder_present(root);
    const x_StringList parts = split_path(normal, '\\');
    std::string prefix;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i != 0) prefix += '\\';
        prefix += parts[i];
        if (needs_creating(prefix) && !platform::files().make_folder(prefix)) return false;
    }
    return true;
}

x_FileStatus::x_FileStatus(const std::string& path) {
    const std::string query =
        find_char(path, '/') == npos ? path : normalize_separators(path, '\\');
    error_ = platform::files().status(query, record_);
    if (error_ != 0) record_ = platform::x_StatRecord{};
}

bool x_FileStatus::failed() { return error_ != 0; }
std::int64_t x_FileStatus::size() { return record_.size; }
std::int64_t x_FileStatus::access_time() { return record_.access_time; }
std::int64_t x_FileStatus::modify_time() { return record_.modify_time; }
std::int64_t x_FileStatus::change_time() { return record_.change_time; }
std::uint16_t x_FileStatus::mode() { return record_.mode; }

bool x_FileStatus::is_file() {
    return (record_.mode & platform::mode_type_mask) == platform::mode_file;
}

bool x_FileStatus::is_folder() { return is_folder_mode(record_.mode); }

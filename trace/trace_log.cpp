#include "trace/trace_log.h"

#include "platform/files.h"
#include "platform/process.h"
#include "trace/open_with_retry.h"
#include "trace/purge_old_files.h"
#include "trace/work_folder.h"
#include "util/environment.h"
#include "util/paths.h"
#include "util/time_stamps.h"

namespace {

constexpr const char* stamp_format = "%Y/%m/%d %H:%M:%S";
constexpr int retention_days = 10;
constexpr int open_seconds = 10;

// Line breaks inside a field would split the entry over several lines.
const std::string field_break = "\t\t";

std::string header_line() {
    const std::string fields = user_name() + "\r\n" + temp_folder() + "\r\n" + current_folder() +
                               "\r\n" + module_path() + "\r\n";
    return time_text(stamp_format) + "\t" + escape_line_breaks(fields, field_break) + "\r\n";
}

// The hour file's path; the first call of the process also queues the
// expired files of both log folders. An expired hour file, last year's of
// the same hour, is appended to and so stays.
std::string hour_file_path(const std::string& hour) {
    static bool first_use = true;
    std::string folder = work_folder("_trace_") + "\\";
    if (first_use) purge_old_files(folder + ".txt", retention_days);
    folder += "QX";
    create_folders(folder);
    folder = add_trailing_separator(folder);
    if (first_use) purge_old_files(folder + ".txt", retention_days);
    first_use = false;
    return folder + hour + ".txt";
}

bool write_bytes(std::FILE* file, const char* data, std::size_t size) {
    return size == 0 || platform::files().write_file(file, data, size) == size;
}

}  // namespace

std::string user_name() {
    std::string name = platform::process().user_name();
    if (name.empty()) name = env_value("USER");
    if (name.empty()) name = env_value("USERNAME");
    return name;
}

std::string escape_line_breaks(const std::string& text, const std::string& replacement) {
    const std::string for_return = replacement.substr(0, 1);
    const std::string for_feed = replacement.size() > 1 ? replacement.substr(1) : std::string();
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        if (c == '\r') {
            escaped += for_return;
        } else if (c == '\n') {
            escaped += for_feed;
        } else {
            escaped.push_back(c);
        }
    }
    return escaped;
}

bool append_trace(const x_ByteList& entry) {
    const std::string hour = time_text("%m%d_%H");
    const std::string path = hour_file_path(hour);
    std::FILE* file = open_with_retry(path, "ab", open_seconds);
    if (file == nullptr) return false;
    // No other writer can open the file meanwhile, so none can slip its
    // first entry in between this test and the header.
    bool written = true;
    if (x_FileStatus(path).size() == 0) {
        const std::string header = header_line();
        written = write_bytes(file, header.data(), header.size());
    }
    written = written && write_bytes(file, entry.data(), entry.size());
    const bool closed = platform::files().close_file(file);
    return written && closed;
}

bool write_trace(const std::string& message) { return write_trace_lines({message}); }

bool write_trace_lines(const std::vector<std::string>& messages) {
    if (messages.empty()) return true;
    const std::string lead = time_text(stamp_format) + "\t" + file_name(module_path()) + "\t";
    std::string lines;
    for (const std::string& message : messages) {
        lines += lead + escape_line_breaks(message, field_break) + "\r\n";
    }
    return append_trace(to_bytes(lines));
}

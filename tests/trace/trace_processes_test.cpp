// The trace log as separate processes see it: old files removed when the
// first writing process ends, and several writers sharing one hour file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/trace_surroundings.h"

using testing_support::host_form;
using testing_support::read_whole_file;
using testing_support::run_all_at_once;
using testing_support::sibling_program;
using testing_support::x_ScopedEnvironment;
using testing_support::x_TempFolder;

namespace fs = std::filesystem;

namespace {

// Makes started programs use the folder as their temporary folder.
class x_ChildTempFolder {
public:
    explicit x_ChildTempFolder(const std::string& folder)
        : tmp_("TMP", folder), temp_("TEMP", folder), tmpdir_("TMPDIR", folder) {}

private:
    x_ScopedEnvironment tmp_;
    x_ScopedEnvironment temp_;
    x_ScopedEnvironment tmpdir_;
};

fs::path host(const std::string& path) { return fs::path(host_form(path)); }

void make_file_aged(const std::string& path, int days) {
    fs::create_directories(host(path).parent_path());
    testing_support::write_whole_file(path, "old\r\n");
    fs::last_write_time(host(path), fs::file_time_type::clock::now() - std::chrono::hours(24 * days));
}

std::vector<std::string> hour_files(const std::string& log_folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(host(log_folder))) {
        if (entry.path().extension() == ".txt") files.push_back(log_folder + entry.path().filename().string());
    }
    return files;
}

// Plain splitting: log lines may hold quotes, which must not group anything.
std::vector<std::string> split_at(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size()) {
        parts.push_back(text.substr(start, end - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

bool is_stamp(const std::string& text) {
    if (text.size() != 19) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char expected = i == 4 || i == 7 ? '/' : i == 10 ? ' ' : i == 13 || i == 16 ? ':' : '0';
        if (expected == '0' ? (text[i] < '0' || text[i] > '9') : text[i] != expected) return false;
    }
    return true;
}

}  // namespace

TEST(TraceProcesses, OldLogFilesGoWhenTheWritingProcessEnds) {
    x_TempFolder folder;
    const std::string trace = folder.path() + "v_Urivu.tmp\\_trace_\\";
    const std::string log = trace + "QX\\";
    for (const char* name : {"0101_01.txt", "OLD.TXT"}) make_file_aged(log + name, 11);
    make_file_aged(trace + "0101_01.txt", 11);
    const std::vector<std::string> staying = {log + "notes.log", log + "deeper\\0101_01.txt",
                                              trace + "other\\0101_01.txt"};
    for (const std::string& path : staying) make_file_aged(path, 11);
    make_file_aged(log + "recent.txt", 9);
    make_file_aged(log + "locked.txt", 11);
    fs::permissions(host(log + "locked.txt"), fs::perms::owner_write | fs::perms::group_write |
                                                  fs::perms::others_write,
                    fs::perm_options::remove);

    x_ChildTempFolder child_temp(folder.path());
    const std::vector<int> codes = run_all_at_once({{sibling_program("trace_writer"), "one", "1"}});
    ASSERT_EQ(codes, std::vector<int>{0});

    EXPECT_FALSE(fs::exists(host(log + "0101_01.txt")));
    EXPECT_FALSE(fs::exists(host(log + "OLD.TXT")));
    EXPECT_FALSE(fs::exists(host(trace + "0101_01.txt")));
    for (const std::string& path : staying) EXPECT_TRUE(fs::exists(host(path))) << path;
    EXPECT_TRUE(fs::exists(host(log + "recent.txt")));
    EXPECT_TRUE(fs::exists(host(log + "locked.txt")));
}

TEST(TraceProcesses, ConcurrentWritersLoseNoEntryAndTearNoLine) {
    constexpr int writers = 8;
    constexpr int entries = 250;
    constexpr int width = 300;
    x_TempFolder folder;
    x_ChildTempFolder child_temp(folder.path());
    std::vector<std::vector<std::string>> commands;
    for (int writer = 0; writer < writers; ++writer) {
        commands.push_back({sibling_program("trace_writer"), "w" + std::to_string(writer),
                            std::to_string(entries), std::to_string(width)});
    }
    const std::vector<int> codes = run_all_at_once(commands);
    EXPECT_EQ(codes, std::vector<int>(writers, 0));

    const std::string log = folder.path() + "v_Urivu.tmp\\_trace_\\QX\\";
    const std::vector<std::string> files = hour_files(log);
    ASSERT_FALSE(files.empty());
    std::map<std::string, int> seen;
    int headers = 0;
    for (const std::string& file : files) {
        const std::string text = read_whole_file(file);
        ASSERT_EQ(text.substr(text.size() - 2), "\r\n") << file;
        const auto lines = split_at(text.substr(0, text.size() - 2), "\r\n");
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const auto fields = split_at(lines[i], "\t");
            ASSERT_GE(fields.size(), 3u) << lines[i];
            ASSERT_TRUE(is_stamp(fields[0])) << lines[i];
            if (i == 0 && fields[1] != "trace_writer" && fields[1] != "trace_writer.exe") {
                ++headers;
                continue;
            }
            ASSERT_EQ(fields.size(), 3u) << lines[i];
            ASSERT_EQ(fields[2].size(), static_cast<std::size_t>(width)) << lines[i];
            ASSERT_EQ(fields[2].find_first_not_of('.', fields[2].rfind(' ') + 1), std::string::npos);
            ++seen[fields[2].substr(0, fields[2].find(' ', fields[2].find(' ') + 1))];
        }
    }
    EXPECT_EQ(headers, static_cast<int>(files.size()));
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(writers * entries));
    for (int writer = 0; writer < writers; ++writer) {
        for (int entry = 0; entry < entries; ++entry) {
            const std::string key = "w" + std::to_string(writer) + " " + std::to_string(entry);
            EXPECT_EQ(seen[key], 1) << key;
        }
    }
}

// The trace log as separate processes see it: old files removed when the
// first writing process ends, and several writers sharing one hour file.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "support/child_process.h"
#include "support/trace_surroundings.h"
#include "util/time_stamps.h"

using testing_support::host_form;
using testing_support::run_all_at_once;
using testing_support::sibling_program;
using testing_support::x_ScopedEnvironment;
using testing_support::x_TempTree;

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
    if (std::FILE* file = std::fopen(host_form(path).c_str(), "wb")) std::fclose(file);
    const auto age = std::chrono::hours(24 * days);
    fs::last_write_time(host(path), fs::file_time_type::clock::now() - age);
}

std::vector<std::string> hour_files(const std::string& log_folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(host(log_folder))) {
        if (entry.path().extension() != ".txt") continue;
        files.push_back(log_folder + entry.path().filename().string());
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
    const std::string shape = "0000/00/00 00:00:00";  // 0 stands for any digit
    if (text.size() != shape.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == '0' ? !digit : text[i] != shape[i]) return false;
    }
    return true;
}

}  // namespace

TEST(TraceProcesses, OldLogFilesGoWhenTheWritingProcessEnds) {
    x_TempTree tree;
    const std::string folder = tree.root() + "\\";
    const std::string trace = folder + "v_Urivu.tmp\\_trace_\\";
    const std::string log = trace + "QX\\";
    for (const char* name : {"0000_00.txt", "OLD.TXT"}) make_file_aged(log + name, 11);
    make_file_aged(trace + "0000_00.txt", 11);
    const std::vector<std::string> staying = {log + "notes.log", log + "deeper\\0000_00.txt",
                                              trace + "other\\0000_00.txt"};
    for (const std::string& path : staying) make_file_aged(path, 11);
    make_file_aged(log + "recent.txt", 9);
    make_file_aged(log + "locked.txt", 11);
    fs::permissions(host(log + "locked.txt"),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);

    // Last year's file of this hour is appended to, not removed.
    const std::string hour = time_text("%m%d_%H");
    make_file_aged(log + hour + ".txt", 365);

    x_ChildTempFolder child_temp(folder);
    const std::vector<int> codes = run_all_at_once({{sibling_program("trace_writer"), "one", "1"}});
    ASSERT_EQ(codes, std::vector<int>{0});
    if (hour == time_text("%m%d_%H")) {
        const std::string text = x_TempTree::content(log + hour + ".txt");
        EXPECT_NE(text.find("\tone 0 \r\n"), std::string::npos) << text;
    }

    EXPECT_FALSE(fs::exists(host(log + "0000_00.txt")));
    EXPECT_FALSE(fs::exists(host(log + "OLD.TXT")));
    EXPECT_FALSE(fs::exists(host(trace + "0000_00.txt")));
    for (const std::string& path : staying) EXPECT_TRUE(fs::exists(host(path))) << path;
    EXPECT_TRUE(fs::exists(host(log + "recent.txt")));
    EXPECT_TRUE(fs::exists(host(log + "locked.txt")));
}

TEST(TraceProcesses, ConcurrentWritersLoseNoEntryAndTearNoLine) {
    constexpr int writers = 8;
    constexpr int entries = 250;
    // Longer than a stream buffer, so that an entry takes more than one
    // write: without exclusion, writers would cut into each other's lines.
    constexpr int width = 5000;
    x_TempTree tree;
    const std::string folder = tree.root() + "\\";
    x_ChildTempFolder child_temp(folder);
    std::vector<std::vector<std::string>> commands;
    for (int writer = 0; writer < writers; ++writer) {
        const std::string tag = std::string("w").append(std::to_string(writer));
        commands.push_back(
            {sibling_program("trace_writer"), tag, std::to_string(entries), std::to_string(width)});
    }
    const std::vector<int> codes = run_all_at_once(commands);
    EXPECT_EQ(codes, std::vector<int>(writers, 0));

    const std::string log = folder + "v_Urivu.tmp\\_trace_\\QX\\";
    const std::vector<std::string> files = hour_files(log);
    ASSERT_FALSE(files.empty());
    std::map<std::string, int> seen;
    int headers = 0;
    for (const std::string& file : files) {
        const std::string text = x_TempTree::content(file);
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
            const std::size_t padding = fields[2].rfind(' ') + 1;
            ASSERT_EQ(fields[2].find_first_not_of('.', padding), std::string::npos) << lines[i];
            ++seen[fields[2].substr(0, fields[2].find(' ', fields[2].find(' ') + 1))];
        }
    }
    EXPECT_EQ(headers, static_cast<int>(files.size()));
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(writers * entries));
    for (int writer = 0; writer < writers; ++writer) {
        for (int entry = 0; entry < entries; ++entry) {
            std::string key = "w";
            key.append(std::to_string(writer)).append(" ").append(std::to_string(entry));
            EXPECT_EQ(seen[key], 1) << key;
        }
    }
}

// A log file that expired is still written to when it is named for another
// hour than the first entry's: the next hour's of a run that crosses into
// it, or the hour of another process's clock. The purge decided about it
// before; it must not take those entries away when the process ends.
TEST(TraceProcesses, FileWrittenToAfterThePurgeDecidedStays) {
    x_TempTree tree;
    const std::string folder = tree.root() + "\\";
    const std::string log = folder + "v_Urivu.tmp\\_trace_\\QX\\";
    const std::string hour = time_text("%m%d_%H");
    const std::string written = log + (hour == "0101_00" ? "0101_01" : "0101_00") + ".txt";
    const std::string untouched = log + "0000_00.txt";
    make_file_aged(written, 11);
    make_file_aged(untouched, 11);

    x_ChildTempFolder child_temp(folder);
    const std::string go = folder + "go";
    std::vector<int> codes;
    std::thread writer([&codes, &go] {
        codes = run_all_at_once({{sibling_program("trace_writer"), "one", "1", "0", go}});
    });
    bool decided = false;
    for (int poll = 0; poll < 1000 && !decided; ++poll) {
        for (const std::string& file : hour_files(log)) {
            decided = decided || x_TempTree::content(file).find("\tone 0 ") != std::string::npos;
        }
        if (!decided) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (std::FILE* file =
            platform::files().open_file(written, "ab", platform::x_Sharing::readers_only)) {
        platform::files().write_file(file, "later\r\n", 7);
        platform::files().close_file(file);
    }
    tree.make_file("go");
    writer.join();

    ASSERT_TRUE(decided);
    EXPECT_EQ(codes, std::vector<int>{0});
    EXPECT_EQ(x_TempTree::content(written), "later\r\n");
    EXPECT_FALSE(fs::exists(host(untouched)));
}

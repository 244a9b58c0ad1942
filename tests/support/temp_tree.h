#pragma once
// A scratch folder below the temporary folder, removed with everything in
// it when the object goes. Paths are composed with backslashes, as the
// program composes them; the POSIX stand-in maps them onto the host.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/process.h"

namespace testing_support {

class x_TempTree {
public:
    x_TempTree() : root_(unique_root()) { platform::files().make_folder(root_); }
    ~x_TempTree() { remove_tree(root_); }
    x_TempTree(const x_TempTree&) = delete;
    x_TempTree& operator=(const x_TempTree&) = delete;

    const std::string& root() const { return root_; }
    std::string path(const std::string& relative) const { return root_ + "\\" + relative; }

    std::string make_folder(const std::string& relative) const {
        const std::string full = path(relative);
        platform::files().make_folder(full);
        return full;
    }

    std::string make_file(const std::string& relative, const std::string& content = "x") const {
        const std::string full = path(relative);
        if (std::FILE* file = platform::files().open_file(full, "wb")) {
            platform::files().write_file(file, content.data(), content.size());
            platform::files().close_file(file);
        }
        return full;
    }

    static bool exists(const std::string& full) {
        platform::x_StatRecord record;
        return platform::files().status(full, record) == 0;
    }

    static std::string content(const std::string& full) {
        std::string text;
        if (std::FILE* file = platform::files().open_file(full, "rb")) {
            char chunk[4096];
            std::size_t got = 0;
            while ((got = platform::files().read_file(file, chunk, sizeof chunk)) > 0) {
                text.append(chunk, got);
            }
            platform::files().close_file(file);
        }
        return text;
    }

    static void remove_tree(const std::string& full) {
        std::vector<platform::x_FindEntry> entries;
        platform::files().find_entries(full + "\\*.*", entries);
        for (const platform::x_FindEntry& entry : entries) {
            if (entry.name == "." || entry.name == "..") continue;
            const std::string child = full + "\\" + entry.name;
            platform::files().set_attributes(child, platform::attribute_normal);
            if (entry.attributes & platform::attribute_directory) {
                remove_tree(child);
            } else {
                platform::files().remove_file(child);
            }
        }
        platform::files().remove_folder(full);
    }

private:
    static std::string unique_root() {
        static std::atomic<unsigned> serial{0};
        std::random_device entropy;
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        std::string temp = platform::process().temp_path();
        if (!temp.empty() && temp.back() != '\\' && temp.back() != '/') temp += '\\';
        return temp + "sbtest_" + std::to_string(entropy()) + "_" +
               std::to_string(static_cast<unsigned long long>(ticks) % 1000000007ULL) + "_" +
               std::to_string(serial++);
    }

    std::string root_;
};

}  // namespace testing_support

#pragma once
// A uniquely named folder below the temporary folder, made through the file
// service for one test and removed with what the test registered in it.
#include <random>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/process.h"

namespace testing_support {

class x_TempFolder {
public:
    explicit x_TempFolder(const std::string& stem) {
        std::random_device seed;
        path_ = platform::process().temp_path() + stem + "_" + std::to_string(seed());
        made_ = platform::files().make_folder(path_);
    }
    ~x_TempFolder() {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
            if (!platform::files().remove_file(*it)) platform::files().remove_folder(*it);
        }
        platform::files().remove_folder(path_);
    }
    x_TempFolder(const x_TempFolder&) = delete;
    x_TempFolder& operator=(const x_TempFolder&) = delete;

    bool made() const { return made_; }
    // The folder with a trailing backslash, ready for a name.
    std::string path() const { return path_ + "\\"; }
    std::string bare_path() const { return path_; }

    // Remembers a file or folder inside for removal, deepest last made first.
    std::string adopt(const std::string& name) {
        created_.push_back(path() + name);
        return created_.back();
    }

    std::string empty_file(const std::string& name) {
        const std::string file = adopt(name);
        if (std::FILE* f = platform::files().open_file(file, "wb")) platform::files().close_file(f);
        return file;
    }

    std::string folder(const std::string& name) {
        const std::string folder = adopt(name);
        platform::files().make_folder(folder);
        return folder;
    }

private:
    std::string path_;
    bool made_ = false;
    std::vector<std::string> created_;
};

}  // namespace testing_support

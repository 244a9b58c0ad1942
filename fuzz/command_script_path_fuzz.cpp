// Arbitrary command texts become script names: each stays one file in the
// dated folder, at most 50 bytes before ".bat", without the bytes that the
// cleaning turns into underscores. The file and process services answer
// from memory, so no folder is made on disk for any input.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

#include "copyjob/command_runner.h"
#include "fuzz/fuzz_support.h"
#include "platform/files.h"
#include "platform/process.h"

namespace {

// Every folder exists already, so nothing is ever created.
class x_FoldersEverywhere : public platform::x_FileService {
public:
    int status(const std::string&, platform::x_StatRecord& record) override {
        record = platform::x_StatRecord{};
        record.mode = platform::mode_folder;
        return 0;
    }
    bool access_exists(const std::string&) override { return true; }
    bool make_folder(const std::string&) override { return true; }
};

class x_FixedTempAndDay : public platform::x_ProcessService {
public:
    std::string temp_path() override { return "C:\\Temp\\"; }
    bool long_path_name(const std::string& path, std::string& long_path) override {
        long_path = path;
        return true;
    }
    std::int64_t now() override { return 1706720709; }
    bool local_time(std::int64_t, std::tm& out) override {
        out = std::tm{};
        out.tm_year = 124;
        out.tm_mday = 31;
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static x_FoldersEverywhere files;
    static x_FixedTempAndDay process;
    static platform::x_Substitute<platform::x_FileService> files_guard(files);
    static platform::x_Substitute<platform::x_ProcessService> process_guard(process);
    fuzz_support::choose_code_page(data[0]);
    const std::string command(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::string folder = "C:\\Temp\\v_Urivu.tmp\\cmd_bat\\20240131\\";
    const std::string path = command_script_path(command);
    fuzz_support::require(path.compare(0, folder.size(), folder) == 0);
    fuzz_support::require(path.size() >= folder.size() + 4);
    fuzz_support::require(path.compare(path.size() - 4, 4, ".bat") == 0);
    const std::string name = path.substr(folder.size(), path.size() - folder.size() - 4);
    fuzz_support::require(name.size() <= 50);
    fuzz_support::require(name.find_first_of("\\/:> \"") == std::string::npos);
    return 0;
}

// list_matching over one folder of 10,000 and of 100,000 files, a tenth of
// which match; the time per entry should not grow with the folder.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "fileops/listing.h"
#include "platform/files.h"
#include "platform/process.h"

namespace {

// One folder per size, filled once and removed at exit.
class x_BenchFolder {
public:
    explicit x_BenchFolder(int files) {
        path_ = platform::process().temp_path() + "sbbench_listing_" + std::to_string(files);
        platform::files().make_folder(path_);
        for (int i = 0; i < files; ++i) {
            const std::string name =
                path_ + "\\entry" + std::to_string(i) + (i % 10 ? ".dat" : ".log");
            if (std::FILE* file = platform::files().open_file(name, "wb")) {
                platform::files().close_file(file);
            }
        }
    }
    ~x_BenchFolder() {
        std::vector<platform::x_FindEntry> entries;
        platform::files().find_entries(path_ + "\\*.*", entries);
        for (const platform::x_FindEntry& entry : entries) {
            if (entry.name != "." && entry.name != "..")
                platform::files().remove_file(path_ + "\\" + entry.name);
        }
        platform::files().remove_folder(path_);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

const std::string& folder_of(int files) {
    static std::map<int, x_BenchFolder> folders;
    auto found = folders.find(files);
    if (found == folders.end()) found = folders.try_emplace(files, files).first;
    return found->second.path();
}

void BM_ListMatching(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    const std::string& folder = folder_of(files);
    std::size_t matched = 0;
    for (auto _ : state) {
        const x_StringList found = list_matching(folder, "entry*.LOG");
        matched = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["matched"] = static_cast<double>(matched);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * files);
    state.SetComplexityN(files);
}

}  // namespace

BENCHMARK(BM_ListMatching)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

BENCHMARK_MAIN();

// Normalising and shortening paths: the time per path must not grow with the
// number of paths (linear in the total), checked at 100,000 and 1,000,000.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "util/paths.h"
#include "util/text_helpers.h"

namespace {

// Paths of a few shapes the program meets: drive paths with mixed and
// doubled separators, network paths, long paths.
std::vector<std::string> make_paths(std::size_t count) {
    static const char* const shapes[] = {
        "C:/Users/user%zu/Documents/Projects/",
        "C:\\Users\\Public\\\\Pictures\\Album %zu\\2024\\",
        "\\\\server\\share\\backup\\folder%zu\\sub/dir/file.txt",
        "D:\\a\\very\\long\\path\\that\\goes\\on\\and\\on\\for\\a\\while\\%zu\\end",
    };
    std::vector<std::string> paths;
    paths.reserve(count);
    char buffer[160];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(buffer, sizeof buffer, shapes[i % 4], i);
        paths.emplace_back(buffer);
    }
    return paths;
}

void normalize_paths(benchmark::State& state) {
    const auto paths = make_paths(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        for (const std::string& path : paths) {
            benchmark::DoNotOptimize(normalize_separators(path));
        }
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void abbreviate_paths(benchmark::State& state) {
    const auto paths = make_paths(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        for (const std::string& path : paths) {
            benchmark::DoNotOptimize(abbreviate_path(path, 20, 30));
        }
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(normalize_paths)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(abbreviate_paths)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();

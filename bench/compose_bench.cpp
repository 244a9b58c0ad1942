// Composing a job's script and naming it, as a backup run does per folder,
// with the Windows version answered from memory.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "copyjob/copy_command.h"
#include "tests/support/fake_windows_version.h"

namespace {

constexpr int job_count = 100000;

std::vector<x_CopyCommand> make_jobs() {
    std::vector<x_CopyCommand> jobs(job_count);
    for (int i = 0; i < job_count; ++i) {
        x_CopyCommand& job = jobs[static_cast<std::size_t>(i)];
        job.set_source("C:\\Users\\Public\\Documents\\Projects\\Quarterly Reports\\Folder " +
                       std::to_string(i) + (i % 7 == 0 ? "\\100% Done" : ""));
        job.set_destination("E:\\_Backup_");
        if (i % 3 == 0) job.use_xcopy();
        if (i % 5 == 0) job.set_pause_at_end(true);
    }
    return jobs;
}

void compose_and_name(benchmark::State& state) {
    testing_support::x_FakeWindowsVersion version("6.1.7601.17567");
    std::vector<x_CopyCommand> jobs = make_jobs();
    std::size_t next = 0;
    for (auto _ : state) {
        x_CopyCommand& job = jobs[next++ % jobs.size()];
        job.compose_script();
        benchmark::DoNotOptimize(job.script_text);
        benchmark::DoNotOptimize(job.script_file_name());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("time per iteration = cost per job");
}

BENCHMARK(compose_and_name)->Iterations(job_count)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

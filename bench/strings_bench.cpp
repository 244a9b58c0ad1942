// Tokenizing, splitting and joining scale linearly with the input, and
// join stays close to a hand-written reserve-and-append loop.
#include <benchmark/benchmark.h>

#include <string>

#include "util/strings.h"

namespace {

// Words of 1 to 12 letters, every fifth one quoted, separated by blanks.
std::string make_text(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 16);
    for (std::size_t i = 0; text.size() < bytes; ++i) {
        std::string word(1 + i % 12, static_cast<char>('a' + i % 26));
        if (i % 5 == 0) word = "\"" + word + " x\"";
        text += word;
        text += ' ';
    }
    text.resize(bytes);
    return text;
}

x_StringList make_list(std::size_t count) {
    x_StringList parts;
    parts.reserve(count);
    for (std::size_t i = 0; i < count; ++i) parts.push_back("item" + std::to_string(i % 1000));
    return parts;
}

void BM_Tokenize(benchmark::State& state) {
    const std::string text = make_text(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(tokenize(text, false, " \t"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void BM_TokenizeWholeDelimiter(benchmark::State& state) {
    std::string text = make_text(static_cast<std::size_t>(state.range(0)));
    for (std::size_t i = 40; i + 1 < text.size(); i += 41) text.replace(i, 2, "\r\n");
    for (auto _ : state) benchmark::DoNotOptimize(tokenize(text, true, "\r\n"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void BM_Split(benchmark::State& state) {
    const std::string text = make_text(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(split(text, ' '));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void BM_Join(benchmark::State& state) {
    const x_StringList parts = split(make_text(static_cast<std::size_t>(state.range(0))), ' ');
    for (auto _ : state) benchmark::DoNotOptimize(join(parts, ' '));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void BM_JoinShortTexts(benchmark::State& state) {
    const x_StringList parts = make_list(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(join(parts, std::string(", ")));
}

// The yardstick for BM_JoinShortTexts: the loop anyone would write by hand.
void BM_PlainReserveAndAppend(benchmark::State& state) {
    const x_StringList parts = make_list(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::size_t size = 0;
        for (const auto& part : parts) size += part.size() + 2;
        std::string result;
        result.reserve(size);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (i) result += ", ";
            result += parts[i];
        }
        benchmark::DoNotOptimize(result);
    }
}

constexpr int64_t one_mb = 1 << 20;

}  // namespace

BENCHMARK(BM_Tokenize)->Arg(one_mb)->Arg(10 * one_mb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TokenizeWholeDelimiter)->Arg(one_mb)->Arg(10 * one_mb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Split)->Arg(one_mb)->Arg(10 * one_mb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Join)->Arg(one_mb)->Arg(10 * one_mb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JoinShortTexts)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReserveAndAppend)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// Decoding speed of whole files in their common encodings, in bytes per
// second of input. SHELLBACKUP_BENCH_UTF8_FILE names a UTF-8 file to decode
// (and to read and decode), for comparison with other converters on the
// same file; bench/compare_iconv.sh does that.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "util/text_file.h"

namespace {

constexpr std::size_t target_size = 64u << 20;

std::string repeated(const std::string& piece) {
    std::string text;
    text.reserve(target_size + piece.size());
    while (text.size() < target_size) text += piece;
    return text;
}

const std::string japanese_line =
    "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x86\xE3\x82\xAD\xE3\x82\xB9"
    "\xE3\x83\x88\xE3\x82\x92\xE5\xA4\x89\xE6\x8F\x9B\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x99"
    "\xE3\x80\x82 backup 2024 \xE5\xAE\x8C\xE4\xBA\x86\r\n";

void run_decode(benchmark::State& state, const x_ByteList& bytes) {
    for (auto _ : state) {
        std::string text = decode_text(bytes);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

void BM_DecodeAscii(benchmark::State& state) {
    static const x_ByteList bytes = to_bytes(
        repeated("xcopy \"C:\\Users\\Public\\Documents\" \"E:\\_Backup_\" /s /d /i /y\r\n"));
    run_decode(state, bytes);
}

void BM_DecodeUtf8Japanese(benchmark::State& state) {
    static const x_ByteList bytes = to_bytes(repeated(japanese_line));
    run_decode(state, bytes);
}

void BM_DecodeUtf16le(benchmark::State& state) {
    static const x_ByteList bytes = [] {
        const std::u16string units = utf8_to_utf16(repeated(japanese_line).c_str());
        x_ByteList data{'\xFF', '\xFE'};
        for (char16_t unit : units) {
            data.push_back(static_cast<char>(unit & 0xFF));
            data.push_back(static_cast<char>(unit >> 8));
        }
        return data;
    }();
    run_decode(state, bytes);
}

// The file's bytes already in memory: the conversion alone.
void BM_DecodeUtf8File(benchmark::State& state, const std::string& path) {
    const x_ByteList bytes = read_file_bytes(path);
    run_decode(state, bytes);
}

// Reading the file and converting it, as callers do.
void BM_ReadUtf8File(benchmark::State& state, const std::string& path) {
    const std::size_t size = read_file_bytes(path).size();
    for (auto _ : state) {
        std::string text = read_text_file(path);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(size));
}

}  // namespace

BENCHMARK(BM_DecodeAscii)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeUtf8Japanese)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeUtf16le)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (const char* path = std::getenv("SHELLBACKUP_BENCH_UTF8_FILE")) {
        benchmark::RegisterBenchmark("BM_DecodeUtf8File", BM_DecodeUtf8File, std::string(path))
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_ReadUtf8File", BM_ReadUtf8File, std::string(path))
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#!/usr/bin/env bash
# Decodes one 64 MB UTF-8 Japanese file to code page 932 with this
# program's reader and with iconv, in the same run, and prints the ratio of
# the two times. Usage: bench/compare_iconv.sh [BUILD_DIR]   (default build/native)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/report_failure.bash"

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$repo/build/native}
bench=$build/bench/text_file_bench
[ -x "$bench" ] || { echo "compare_iconv: build $bench first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file=$work/japanese.txt
line='日本語のテキストを変換します。 backup 2024 完了'
python3 - "$file" "$line" <<'PY'
import sys
line = (sys.argv[2] + "\r\n").encode("utf-8")
with open(sys.argv[1], "wb") as out:
    out.write(line * (64 * 1024 * 1024 // len(line) + 1))
PY

# Best of five runs each, in processor time (user and system, measured to
# the microsecond) and in wall time: on a shared machine the wall time
# mostly measures the neighbours.
read -r best_iconv_wall best_iconv_cpu < <(python3 - "$file" <<'PY'
import resource, subprocess, sys, time
walls, cpus = [], []
for _ in range(5):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(["iconv", "-f", "UTF-8", "-t", "CP932", sys.argv[1]],
                   stdout=subprocess.DEVNULL, check=True)
    walls.append((time.perf_counter() - start) * 1000)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpus.append((after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime) * 1000)
print(f"{min(walls):.1f} {min(cpus):.1f}")
PY
)

# The benchmarks' own minima over five repetitions: wall and processor
# milliseconds of the decode alone and of reading plus decoding.
minima() {
    SHELLBACKUP_BENCH_UTF8_FILE=$file "$bench" --benchmark_filter="$1" --benchmark_repetitions=5 \
        --benchmark_time_unit=ms --benchmark_format=csv 2>/dev/null |
        awk -F, -v name="$1" '$1 ~ ("^\"?" name "\"?$") {
            if (wall == "" || $3 < wall) wall = $3
            if (cpu == "" || $4 < cpu) cpu = $4
        } END { print wall, cpu }'
}
read -r decode_wall decode_cpu < <(minima BM_DecodeUtf8File)
read -r read_wall read_cpu < <(minima BM_ReadUtf8File)

size=$(stat -c %s "$file")
awk -v dw="$decode_wall" -v dc="$decode_cpu" -v rw="$read_wall" -v rc="$read_cpu" \
    -v iw="$best_iconv_wall" -v ic="$best_iconv_cpu" -v bytes="$size" 'BEGIN {
    mb = bytes / 1048576
    printf "file: %.1f MB of UTF-8 Japanese text, converted to code page 932\n", mb
    printf "                              processor ms   MB/s    wall ms   ratio to iconv\n"
    row = "%-30s %12.1f %6.0f %10.1f"
    printf row "   %.2f\n", "decode_text (bytes in memory)", dc, mb / (dc / 1000), dw, dc / ic
    printf row "   %.2f\n", "read_text_file (read+decode)", rc, mb / (rc / 1000), rw, rc / ic
    printf row "\n", "iconv -f UTF-8 -t CP932", ic, mb / (ic / 1000), iw
    printf "(ratios in processor time; target at most 1.50)\n"
}'

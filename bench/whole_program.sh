#!/usr/bin/env bash
# The whole program under Wine against two hand-written batch files that
# copy the same data from the shell folders of a sandbox of its own:
#
#   batch    one interpreter runs the eleven copy lines;
#   floor    one interpreter starts eleven more, one per folder, each on the
#            very script the program wrote for that folder: what running
#            one interpreter per folder costs without the program;
#   program  shellbackup.exe.
#
# program/floor is what the program itself adds; floor/batch is the price of
# one interpreter per folder. Three data sets are measured one after the
# other: MEGABYTES in a few large and some small files per folder, then
# FILES small files in nested folders, where fixed costs should vanish;
# then the FILES once more with their copies already on the drive and
# nothing to copy, the usual daily run; then CHANGED of them rewritten
# before every run, whose earlier copies the program moves into its
# versions area first (the batch and the floor write over them): what
# that costs is the program - floor difference beyond the one of the
# run with nothing changed.
# Each run of the first two sets starts with an empty drive folder; every
# round runs the three once, in an order that rotates from round to round,
# so that drift in the machine's load falls on all three alike. Reports the
# median wall times, their ratios, and the median of each round's program -
# floor difference.
#
#   bench/whole_program.sh [ROUNDS] [MEGABYTES] [FILES] [CHANGED]
#                       (defaults: 5 rounds, 120 MB, 10000 files, 1000 changed)
#
# Needs the windows build (cmake --preset windows && cmake --build --preset
# windows). SHELLBACKUP_EXE picks another build of the program (default
# build/windows/shellbackup.exe); SHELLBACKUP_SANDBOX picks the sandbox
# (default build/windows/sandbox-bench); its shell folders are filled with
# the data and emptied again at the end. SHELLBACKUP_COPY_PATH=robocopy
# measures the robocopy path (the sandbox presents Windows 10 with the
# tests' robocopy stand-in; default sandbox build/windows/sandbox-bench-robocopy)
# instead of xcopy. SHELLBACKUP_BENCH_SETS picks the sets by name (default
# "megabytes files unchanged changed"); the last two need no other.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=../scripts/lib/report_failure.bash
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/report_failure.bash"

rounds=${1:-5}
megabytes=${2:-120}
files=${3:-10000}
changed=${4:-1000}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=${SHELLBACKUP_EXE:-$repo/build/windows/shellbackup.exe}
sandbox=$repo/scripts/sandbox
copy_path=${SHELLBACKUP_COPY_PATH:-xcopy}
case "$copy_path" in
    xcopy) bench_sandbox="sandbox-bench" ;;
    robocopy) bench_sandbox="sandbox-bench-robocopy" ;;
    *) echo "whole_program: SHELLBACKUP_COPY_PATH is xcopy or robocopy" >&2; exit 1 ;;
esac
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$repo/build/windows/$bench_sandbox}
mkdir -p "$SHELLBACKUP_SANDBOX"
SHELLBACKUP_SANDBOX=$(cd "$SHELLBACKUP_SANDBOX" && pwd -P)
prefix=$SHELLBACKUP_SANDBOX/prefix
drive_e=$SHELLBACKUP_SANDBOX/drive-e
user=$(id -un)
[ -f "$exe" ] || { echo "whole_program: build the windows preset first ($exe)" >&2; exit 1; }
(( megabytes >= 100 )) || { echo "whole_program: at least 100 MB" >&2; exit 1; }
(( files >= 100 )) || { echo "whole_program: at least 100 files" >&2; exit 1; }
(( rounds >= 1 )) || { echo "whole_program: at least one round" >&2; exit 1; }
(( changed >= 10 && changed <= files )) ||
    { echo "whole_program: from 10 changed files to all FILES" >&2; exit 1; }

# The ten distinct folders (the desktop is on the list twice) in the
# program's order, as Windows paths below C:.
folders=(
    "users\\$user\\Documents" "users\\$user\\Pictures" "users\\$user\\Music"
    "users\\$user\\Videos" "users\\$user\\Desktop" "users\\Public\\Documents"
    "users\\Public\\Pictures" "users\\Public\\Music" "users\\Public\\Videos"
    "users\\Public\\Desktop" "users\\$user\\Desktop"
)
contenders=(program floor batch)

host_folder() { echo "$prefix/drive_c/${1//\\//}"; }

empty_folders() {
    local folder
    for folder in "${folders[@]}"; do
        find "$(host_folder "$folder")" -mindepth 1 -delete 2>/dev/null || true
    done
    [ ! -d "$drive_e" ] || find "$drive_e" -mindepth 1 -delete
}

finish() {
    empty_folders
    rm -rf "$prefix/drive_c/bench"
    "$sandbox" stop
}
trap finish EXIT

# Per folder: a few large files and many small ones, in nested folders.
seed_megabytes() {
    local per_folder=$((megabytes * 1024 / 10)) folder target sub i
    for folder in "${folders[@]:0:10}"; do
        target=$(host_folder "$folder")
        mkdir -p "$target/large" "$target/small/a" "$target/small/b"
        for i in 1 2 3; do
            head -c $((per_folder * 1024 * 2 / 9)) /dev/urandom >"$target/large/part $i.bin"
        done
        for i in $(seq 1 100); do
            sub=a
            (( i % 2 )) || sub=b
            head -c $((per_folder * 1024 / 3 / 100)) /dev/urandom >"$target/small/$sub/f$i.dat"
        done
    done
}

# Per folder a tenth of the files, a quarter to one KB each, spread over three levels
# of folders. Written by the shell itself: one process per file would take
# longer than the copies being measured.
seed_files() {
    local per_folder=$((files / 10)) folder target sub i
    local block
    block=$(head -c 750 /dev/urandom | base64 -w 0)
    for folder in "${folders[@]:0:10}"; do
        target=$(host_folder "$folder")
        for i in $(seq 1 "$per_folder"); do
            sub="$target/level $((i % 4))/inner $((i % 5))"
            (( i % 3 )) || sub="$sub/deep $((i % 2))"
            [ -d "$sub" ] || mkdir -p "$sub"
            printf '%s %d\n' "${block:0:$((250 * (1 + i % 4)))}" "$i" >"$sub/file $i.txt"
        done
    done
}

# Rewrites every so many of the seeded files with new content: each one
# is then newer than its copy.
round_of_changes=0
change_files() {
    local per_folder=$((files / 10)) step=$((files / changed)) folder target sub i
    round_of_changes=$((round_of_changes + 1))
    for folder in "${folders[@]:0:10}"; do
        target=$(host_folder "$folder")
        for ((i = step; i <= per_folder; i += step)); do
            sub="$target/level $((i % 4))/inner $((i % 5))"
            (( i % 3 )) || sub="$sub/deep $((i % 2))"
            printf 'changed in round %d: %d\n' "$round_of_changes" "$i" >"$sub/file $i.txt"
        done
    done
}

# The program's switches for each tool (no /max: Wine says NTFS for E:).
write_batch() {
    local folder switches='/s /d /i /y /c'
    [ "$copy_path" = xcopy ] || switches='/s /purge /fft /r:3 /w:5 /xo /xjd /xf mfc*.tmp Thumbs.db'
    mkdir -p "$prefix/drive_c/bench"
    for folder in "${folders[@]}"; do
        printf '%s "C:\\%s" "E:\\_Backup_\\C\\%s" %s\r\n' "$copy_path" "$folder" "$folder" \
            "$switches"
    done >"$prefix/drive_c/bench/eleven.bat"
}

# The program's own script of each folder, found by the source that ends
# its first line, copied and run in the program's order.
write_floor() {
    local scratch=$1 folder script index=0
    mkdir -p "$prefix/drive_c/bench/floor"
    for folder in "${folders[@]}"; do
        index=$((index + 1))
        script=$(grep -l -F -- "$(printf '\tC:\\%s\r' "$folder")" "$scratch"/*.bat | head -n 1)
        [ -n "$script" ] || { echo "whole_program: no script for C:\\$folder" >&2; exit 1; }
        cp -- "$script" "$prefix/drive_c/bench/floor/$index.bat"
        printf 'cmd /c C:\\bench\\floor\\%d.bat\r\n' "$index"
    done >"$prefix/drive_c/bench/floor.bat"
}

# The scratch folder that holds the program's scripts, after one run.
program_scratch() {
    local script
    script=$(find "$prefix/drive_c" -path '*v_Urivu.tmp*' -name '*.bat' -newer "$exe" \
        -printf '%T@ %p\n' | sort -n | tail -n 1 | cut -d' ' -f2-)
    [ -n "$script" ] || { echo "whole_program: the program wrote no script" >&2; exit 1; }
    dirname "$script"
}

fresh_drive() {
    find "$drive_e" -mindepth 1 -delete
    sync
}

run_program() { printf '\n' | "$sandbox" run "$exe"; }
run_floor() { "$sandbox" run cmd /c 'C:\bench\floor.bat'; }
run_batch() { "$sandbox" run cmd /c 'C:\bench\eleven.bat'; }

# Wall time of one run in seconds, with its output thrown away. With
# keep_copies=1 the drive keeps what the runs before left on it.
# before_run names a step run before each run, outside its time.
keep_copies=0
before_run=:
time_run() {
    local start end
    [ "$keep_copies" -eq 1 ] || fresh_drive
    "$before_run"
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 </dev/null || true
    end=$(date +%s.%N)
    awk -v start="$start" -v end="$end" 'BEGIN { printf "%.3f\n", end - start }'
}

# What a run left of the folders' copies on the drive: file count and
# kilobytes. The program's own entries below _Backup_ (its record, the
# earlier versions) all start with a percent sign, which no copy does.
copied() {
    local backup=$drive_e/_Backup_ copies=()
    [ -d "$backup" ] || { echo "0 files, 0 KB"; return; }
    mapfile -t copies < <(find "$backup" -mindepth 1 -maxdepth 1 ! -name '%*')
    [ "${#copies[@]}" -gt 0 ] || { echo "0 files, 0 KB"; return; }
    echo "$(find "${copies[@]}" -type f | wc -l) files, $(du -sck "${copies[@]}" | tail -n 1 | cut -f1) KB"
}

median() {
    sort -n | awk '{ v[NR] = $1 }
        END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

load() { cut -d' ' -f1-3 /proc/loadavg; }

# One unmeasured run of each first: the server starts, the files are read
# into the page cache, the program writes the scripts the floor runs, and
# all three must leave the same copy.
warm_up() {
    local name
    fresh_drive
    run_program >/dev/null 2>&1 </dev/null || true
    expected=$(copied)
    write_floor "$(program_scratch)"
    for name in floor batch; do
        fresh_drive
        "run_$name" >/dev/null 2>&1 </dev/null || true
        if [ "$(copied)" != "$expected" ]; then
            echo "whole_program: the program copied $expected, the $name $(copied)" >&2
            exit 1
        fi
    done
}

# A run that copied less than the whole data measured nothing: it is
# reported and run again. Under heavy load a copy under Wine has been seen
# to leave out a whole folder once in a few dozen runs.
measure() {
    local -n times=${1}_times
    local seconds attempt
    for attempt in 1 2 3; do
        seconds=$(time_run "run_$1")
        if [ "$(copied)" = "$expected" ]; then
            times+=("$seconds")
            return
        fi
        echo "whole_program: a $1 run copied $(copied) of $expected (try $attempt)" >&2
    done
    exit 1
}

report_runs() {
    local -n runs=${1}_times
    printf '%-8s runs (s): %s\n' "$1" "${runs[*]}"
}

measure_set() {
    local label=$1 round turn name differences=() floor batch
    program_times=()
    floor_times=()
    batch_times=()
    warm_up
    echo "== $copy_path, $label: $expected copied, $rounds rounds, load at start $(load)"
    for round in $(seq 1 "$rounds"); do
        for turn in 0 1 2; do
            measure "${contenders[(round + turn) % 3]}"
        done
        differences+=("$(awk -v a="${program_times[-1]}" -v b="${floor_times[-1]}" \
            'BEGIN { printf "%.3f", a - b }')")
    done
    for name in "${contenders[@]}"; do report_runs "$name"; done
    program=$(printf '%s\n' "${program_times[@]}" | median)
    floor=$(printf '%s\n' "${floor_times[@]}" | median)
    batch=$(printf '%s\n' "${batch_times[@]}" | median)
    printf 'median (s): program %.2f, floor %.2f, batch %.2f\n' "$program" "$floor" "$batch"
    echo "ratios: program/batch $(ratio "$program" "$batch")," \
        "floor/batch $(ratio "$floor" "$batch"), program/floor $(ratio "$program" "$floor")"
    difference=$(printf '%s\n' "${differences[@]}" | median)
    echo "program - floor per round (s): ${differences[*]}; median $difference"
    echo "load at end $(load)"
}

"$sandbox" prepare
"$sandbox" drive e floppy
[ "$copy_path" = xcopy ] || "$sandbox" windows 10 "$(dirname "$exe")/tests"
write_batch
# A server that stays up between runs: otherwise it exits three seconds
# after each run, and whether the next run pays for a fresh start (about
# 0.4 s) would depend on how long the drive folder took to empty.
(eval "$("$sandbox" env)" && HOME=$SHELLBACKUP_SANDBOX/home wineserver -p)

sets=" ${SHELLBACKUP_BENCH_SETS:-megabytes files unchanged changed} "
empty_folders
if [[ $sets == *" megabytes "* ]]; then
    seed_megabytes
    measure_set "$megabytes MB"
    empty_folders
fi
seed_files
[[ $sets != *" files "* ]] || measure_set "$files files"
keep_copies=1
[[ $sets != *" unchanged "* ]] || measure_set "$files files, nothing changed"
[[ $sets == *" changed "* ]] || exit 0
unchanged_difference=${difference:-0}
before_run=change_files
measure_set "$files files, $changed changed before each run"
[[ $sets == *" unchanged "* ]] || exit 0
awk -v with="$difference" -v without="$unchanged_difference" -v run="$program" \
    -v files="$changed" 'BEGIN {
        printf "moving %d earlier copies aside: %.3f s, %.1f%% of the program run\n",
            files, with - without, 100 * (with - without) / run }'

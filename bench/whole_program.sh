#!/usr/bin/env bash
# The whole program under Wine against a hand-written batch file that runs
# the same eleven xcopy commands, on the same data spread over the shell
# folders of a sandbox of its own. Each run starts with an empty drive
# folder; the two alternate, so that drift in the machine's load falls on
# both alike. Reports the median wall time of each and their ratio
# (program / batch; the target is at most 1.10).
#
#   bench/whole_program.sh [PAIRS] [MEGABYTES]     (defaults: 5 pairs, 120 MB)
#
# Needs the windows build (cmake --preset windows && cmake --build --preset
# windows). SHELLBACKUP_SANDBOX picks the sandbox (default
# build/windows/sandbox-bench); its shell folders are filled with the data
# and emptied again at the end.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/report_failure.bash"

pairs=${1:-5}
megabytes=${2:-120}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=$repo/build/windows/shellbackup.exe
sandbox=$repo/scripts/sandbox
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$repo/build/windows/sandbox-bench}
mkdir -p "$SHELLBACKUP_SANDBOX"
SHELLBACKUP_SANDBOX=$(cd "$SHELLBACKUP_SANDBOX" && pwd -P)
prefix=$SHELLBACKUP_SANDBOX/prefix
drive_e=$SHELLBACKUP_SANDBOX/drive-e
user=$(id -un)
[ -f "$exe" ] || { echo "whole_program: build the windows preset first ($exe)" >&2; exit 1; }
(( megabytes >= 100 )) || { echo "whole_program: at least 100 MB" >&2; exit 1; }

# The ten distinct folders (the desktop is on the list twice) in the
# program's order, as Windows paths below C:.
folders=(
    "users\\$user\\Documents" "users\\$user\\Pictures" "users\\$user\\Music"
    "users\\$user\\Videos" "users\\$user\\Desktop" "users\\Public\\Documents"
    "users\\Public\\Pictures" "users\\Public\\Music" "users\\Public\\Videos"
    "users\\Public\\Desktop" "users\\$user\\Desktop"
)

host_folder() { echo "$prefix/drive_c/${1//\\//}"; }

empty_folders() {
    local folder
    for folder in "${folders[@]}"; do
        find "$(host_folder "$folder")" -mindepth 1 -delete 2>/dev/null || true
    done
    rm -rf "$prefix/drive_c/bench"
    [ ! -d "$drive_e" ] || find "$drive_e" -mindepth 1 -delete
}

finish() {
    empty_folders
    "$sandbox" stop
}
trap finish EXIT

# Per folder: a few large files and many small ones, in nested folders.
seed() {
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

write_batch() {
    local folder
    mkdir -p "$prefix/drive_c/bench"
    {
        for folder in "${folders[@]}"; do
            printf 'xcopy "C:\\%s" "E:\\_Backup_\\C\\%s" /s /d /i /y\r\n' "$folder" "$folder"
        done
    } >"$prefix/drive_c/bench/eleven.bat"
}

fresh_drive() {
    find "$drive_e" -mindepth 1 -delete
    sync
}

# Wall time of one run in seconds, with its output thrown away.
time_run() {
    local start end
    fresh_drive
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 </dev/null || true
    end=$(date +%s.%N)
    awk -v start="$start" -v end="$end" 'BEGIN { printf "%.3f\n", end - start }'
}

run_program() { printf '\n' | "$sandbox" run "$exe"; }
run_batch() { "$sandbox" run cmd /c 'C:\bench\eleven.bat'; }

copied_megabytes() { du -sm "$drive_e/_Backup_" | cut -f1; }

median() {
    sort -n | awk '{ v[NR] = $1 }
        END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

"$sandbox" prepare
"$sandbox" drive e floppy
empty_folders
seed
write_batch
# A server that stays up between runs: otherwise it exits three seconds
# after each run, and whether the next run pays for a fresh start (about
# 0.4 s) would depend on how long the drive folder took to empty.
(eval "$("$sandbox" env)" && HOME=$SHELLBACKUP_SANDBOX/home wineserver -p)

# One of each first, unmeasured: the server starts and the files are read
# into the page cache; both then meet the same warm machine.
run_program >/dev/null 2>&1 </dev/null || true
program_megabytes=$(copied_megabytes)
fresh_drive
run_batch >/dev/null 2>&1 || true
batch_megabytes=$(copied_megabytes)
if [ "$program_megabytes" != "$batch_megabytes" ]; then
    echo "whole_program: the program copied $program_megabytes MB," \
        "the batch $batch_megabytes MB" >&2
    exit 1
fi

# A run that copied less than the whole data measured nothing.
measure() {
    local seconds
    seconds=$(time_run "run_$1")
    if [ "$(copied_megabytes)" != "$program_megabytes" ]; then
        echo "whole_program: a $1 run copied $(copied_megabytes) of $program_megabytes MB" >&2
        exit 1
    fi
    eval "${1}_times+=($seconds)"
}

program_times=()
batch_times=()
for pair in $(seq 1 "$pairs"); do
    if (( pair % 2 )); then
        measure program
        measure batch
    else
        measure batch
        measure program
    fi
done

program=$(printf '%s\n' "${program_times[@]}" | median)
batch=$(printf '%s\n' "${batch_times[@]}" | median)
ratio=$(awk -v a="$program" -v b="$batch" 'BEGIN { printf "%.3f", a / b }')
echo "data: $program_megabytes MB in 11 folders, $pairs alternating pairs"
echo "program runs (s): ${program_times[*]}"
echo "batch runs (s):   ${batch_times[*]}"
printf 'median: program %.2f s, batch %.2f s, ratio %.3f (target at most 1.10)\n' \
    "$program" "$batch" "$ratio"

#!/usr/bin/env bash
# The documents moved to the root of drive D:, the program started from a
# console whose current folder on D: is D:\sub: the whole drive arrives
# below E:\_Backup_\D, not just the current folder. Then, with robocopy
# chosen (winver.exe removed), a stand-in that splits its command line by
# the C runtime's rules receives D:\ as the source word.
#
#   drive_root.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=../../scripts/lib/report_failure.bash
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-drive_root}
# shellcheck source-path=SCRIPTDIR source=support/whole_program.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/whole_program.bash"

drive_d=$SHELLBACKUP_SANDBOX/drive-d
winver=$prefix/drive_c/windows/system32/winver.exe
stand_in="C:\\stand_in"
record="C:\\stand_in\\words.txt"

restore_sandbox() {
    [ ! -f "$work/winver.exe" ] || cp "$work/winver.exe" "$winver"
    rm -rf -- "$(wpath_to_unix "$stand_in")"
    move_shell_folder Personal "$user_folder\\Documents"
    "$sandbox" drive d none
}

"$sandbox" prepare
"$sandbox" drive e floppy
empty_drive_e
cp "$winver" "$work/winver.exe"
cleanup_hooks+=(restore_sandbox)
rm -rf "$drive_d"
mkdir -p "$drive_d/sub"
seed_folder "$drive_d" "drive D"
printf 'only in sub\r\n' >"$drive_d/sub/in sub.txt"
"$sandbox" drive d hd "$drive_d"
move_shell_folder Personal "D:\\"

rc=0
printf '\n' | in_wine cmd /c "cd /d D:\\sub && Z:${exe//\//\\}" >"$work/out.raw" 2>"$work/err" ||
    rc=$?
tr -d '\r' <"$work/out.raw" >"$work/out"
expect_success "xcopy run"
expect_no_report "xcopy run"
if [ ! -d "$drive_e/_Backup_/D" ]; then
    fail "no copy of D:\\ at E:\\_Backup_\\D"
elif ! diff -r "$drive_d" "$drive_e/_Backup_/D" >&2; then
    fail "the copy of D:\\ differs from the drive"
fi

rm -f "$winver"
mkdir -p "$(wpath_to_unix "$stand_in")"
cp "$build/tests/stand_in/robocopy.exe" "$(wpath_to_unix "$stand_in")/"
WINEPATH=$stand_in SHELLBACKUP_RECORD=$record run_program
expect_success "robocopy run"
recorded=$(wpath_to_unix "$record")
if [ ! -f "$recorded" ]; then
    fail "the stand-in was never started"
elif ! grep -qxF $'word\tD:\\' "$recorded" || ! grep -qxF $'word\tE:\\_Backup_\\D' "$recorded"; then
    cat "$recorded" >&2
    fail "the stand-in did not receive D:\\ and E:\\_Backup_\\D as words"
fi

finish "drive root"

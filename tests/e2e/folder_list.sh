#!/usr/bin/env bash
# The whole program under Wine: the heading, the eleven folder lines, the
# prompt on standard error, the exit code, and which drive it picks.
# Arguments: the path of shellbackup.exe and the build folder.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
sandbox=$repo/scripts/sandbox
tests_exe=$build/tests/shellbackup_tests.exe
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-folder_list}

source "$repo/tests/support/check.bash"
trap 'rm -rf "$work"; "$sandbox" stop' EXIT

# Runs the program with the given text on standard input; leaves its output
# without carriage returns in $work/out and $work/err, its exit code in $rc.
run_program() {
    rc=0
    printf '%s' "$1" | "$sandbox" run "$exe" first second >"$work/out.raw" 2>"$work/err" || rc=$?
    tr -d '\r' <"$work/out.raw" >"$work/out"
}

expect_prompt_and_success() {
    local what=$1
    [ "$rc" -eq 0 ] || fail "$what: exit code $rc"
    [ "$(tail -c 7 "$work/err")" = "wait..." ] || fail "$what: standard error ends in '$(tail -c 40 "$work/err")'"
}

user=C:\\users\\$(id -un)
public=C:\\users\\Public
printf '%s\n' \
    "00000005	$user\\Documents" \
    "00000027	$user\\Pictures" \
    "0000000d	$user\\Music" \
    "0000000e	$user\\Videos" \
    "00000010	$user\\Desktop" \
    "0000002e	$public\\Documents" \
    "00000036	$public\\Pictures" \
    "00000035	$public\\Music" \
    "00000037	$public\\Videos" \
    "00000019	$public\\Desktop" \
    "00000000	$user\\Desktop" >"$work/expected"

# Copy jobs may print their own lines between the folder lines; only the
# heading and the folder lines are the program's own.
expect_heading_and_folders() {
    local what=$1
    [ "$(head -n 1 "$work/out")" = "test x_CopyCommand" ] || fail "$what: no heading"
    grep -aP '^[0-9a-f]{8}\t' "$work/out" >"$work/folders" || true
    diff -u "$work/expected" "$work/folders" >&2 || fail "$what: folder lines differ"
}

"$sandbox" prepare
"$sandbox" drive a none
"$sandbox" drive f none
"$sandbox" drive e floppy

run_program $'\n'
expect_heading_and_folders "one line of input"
expect_prompt_and_success "one line of input"

run_program ""
expect_heading_and_folders "end of input"
expect_prompt_and_success "end of input"

run_program "$(head -c 5000 /dev/zero | tr '\0' x)"$'\nrest\n'
expect_prompt_and_success "overlong line"

"$sandbox" drive e none
run_program $'\n'
[ "$(cat "$work/out")" = "test x_CopyCommand" ] || fail "no removable drive: output '$(cat "$work/out")'"
[ "$rc" -eq 1 ] || fail "no removable drive: exit code $rc"
[ "$(tr -d '\r' <"$work/err")" = "Nothing was backed up: no removable drive was found (plug in a USB drive and run the program again)
wait..." ] || fail "no removable drive: standard error '$(cat "$work/err")'"

# A floppy A: comes before a stick on F:; a CD on E: is not removable.
"$sandbox" drive e cdrom
"$sandbox" drive a floppy
"$sandbox" drive f floppy
rc=0
SHELLBACKUP_EXPECTED_REMOVABLE=A "$sandbox" run "$tests_exe" \
    --gtest_filter='RemovableDriveWin32.*' >"$work/gtest" 2>&1 || rc=$?
if [ "$rc" -ne 0 ] || ! grep -q 'PASSED .* 1 test' "$work/gtest" || grep -q SKIPPED "$work/gtest"; then
    cat "$work/gtest" >&2
    fail "A: and F: removable: A: was not the one found"
fi

"$sandbox" drive a none
"$sandbox" drive f none
"$sandbox" drive e floppy

finish "folder list"

#!/usr/bin/env bash
# The command runner's files at process exit: the captured standard output
# and standard error and the dated working folder are gone, the one-line
# scripts stay. Runs the runner's Wine checks in a sandbox of its own and
# looks at its temporary folder once the test program has ended.
#
#   command_runner_cleanup.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

build=$(cd "${2:?usage: command_runner_cleanup.sh SHELLBACKUP_EXE BUILD_DIR}" && pwd)
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
tests=$build/tests/shellbackup_tests.exe
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-command_runner_cleanup}
trap '"$repo/scripts/sandbox" stop' EXIT

fail() {
    echo "command_runner_cleanup: $*" >&2
    exit 1
}

[ -f "$tests" ] || fail "no test binary at $tests"
"$repo/scripts/sandbox" prepare
work=$SHELLBACKUP_SANDBOX/prefix/drive_c/users/$(id -un)/Temp/v_Urivu.tmp
rm -rf -- "$work"

output=$("$repo/scripts/sandbox" run "$tests" --gtest_filter='WineCommandRunner.*' 2>&1) || {
    echo "$output"
    fail "the runner's checks failed"
}
grep -q '^\[  PASSED  \] 4 tests\.' <<<"$output" || {
    echo "$output"
    fail "not every check ran"
}

captured=$(find "$work" -name '*.chk' -o -name '*.err')
[ -z "$captured" ] || fail "captured output left behind: $captured"
dated=$(find "$work" -mindepth 2 -maxdepth 2 -type d -regextype posix-extended \
    -regex '.*/[0-9]{8}' ! -path "$work/cmd_bat/*")
[ -z "$dated" ] || fail "working folder left behind: $dated"
scripts=$(find "$work/cmd_bat" -name 'where_findme_*.bat' 2>/dev/null)
[ -n "$scripts" ] || fail "no one-line script of 'where findme' in $work/cmd_bat"
echo "captured output and working folder removed at exit; scripts kept"

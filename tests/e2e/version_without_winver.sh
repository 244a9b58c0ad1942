#!/usr/bin/env bash
# Without winver.exe in the system folder the Windows version comes from
# explorer.exe (6.1.7601.17567 under Wine), the number compares equal to
# the robocopy threshold and the copy job picks robocopy, under the English
# and the German locale alike. Runs in a sandbox of its own, since it
# removes a file from the prefix.
#
#   version_without_winver.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

build=$(cd "${2:?usage: version_without_winver.sh SHELLBACKUP_EXE BUILD_DIR}" && pwd)
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
tests=$build/tests/shellbackup_tests.exe
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-version_without_winver}

fail() {
    echo "version_without_winver: $*" >&2
    exit 1
}

[ -f "$tests" ] || fail "no test binary at $tests"
"$repo/scripts/sandbox" prepare
winver=$SHELLBACKUP_SANDBOX/prefix/drive_c/windows/system32/winver.exe
explorer=$SHELLBACKUP_SANDBOX/prefix/drive_c/windows/explorer.exe
[ -f "$explorer" ] || fail "the prefix has no $explorer"
rm -f -- "$winver"

# Both suites must run their case, not skip it.
run_in_locale() {
    local locale=$1 output
    output=$(LC_ALL=$locale "$repo/scripts/sandbox" run "$tests" \
        --gtest_filter='WineVersionProbe*.ExplorerWithoutWinverGivesRobocopy' 2>&1) || {
        echo "$output"
        fail "the probe failed under LC_ALL=$locale"
    }
    if ! grep -q '^\[  PASSED  \] 2 tests\.' <<<"$output" || grep -q 'SKIPPED' <<<"$output"; then
        echo "$output"
        fail "not both cases ran under LC_ALL=$locale"
    fi
    echo "LC_ALL=$locale: explorer.exe read, robocopy chosen"
}

run_in_locale C.UTF-8
run_in_locale de_DE.UTF-8
[ ! -e "$winver" ] || fail "winver.exe came back during the run"
"$repo/scripts/sandbox" stop

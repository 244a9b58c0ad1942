#!/usr/bin/env bash
# With neither winver.exe in the system folder nor explorer.exe in the
# Windows folder, the version comes from what "where" finds: a copy of
# explorer.exe in another folder (6.1.7601.17567 under Wine), so the copy
# job picks robocopy. Wine's own "where" prints nothing; the stand-in built
# beside the test binary searches WHERE_SEARCH_PATH. Runs in a sandbox of
# its own, since it removes files from the prefix.
#
#   version_source_search.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

build=$(cd "${2:?usage: version_source_search.sh SHELLBACKUP_EXE BUILD_DIR}" && pwd)
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
tests=$build/tests/shellbackup_tests.exe
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-version_source_search}
trap '"$repo/scripts/sandbox" stop' EXIT

fail() {
    echo "version_source_search: $*" >&2
    exit 1
}

[ -f "$tests" ] || fail "no test binary at $tests"
"$repo/scripts/sandbox" prepare
drive_c=$SHELLBACKUP_SANDBOX/prefix/drive_c
mkdir -p "$drive_c/copies"
if [ -f "$drive_c/windows/explorer.exe" ]; then
    cp -- "$drive_c/windows/explorer.exe" "$drive_c/copies/explorer.exe"
fi
[ -f "$drive_c/copies/explorer.exe" ] || fail "no explorer.exe to copy"
rm -f -- "$drive_c/windows/system32/winver.exe" "$drive_c/windows/explorer.exe"

output=$(WHERE_SEARCH_PATH='C:\copies' "$repo/scripts/sandbox" run "$tests" \
    --gtest_filter='WineVersionSource.*' 2>&1) || {
    echo "$output"
    fail "the search failed"
}
if ! grep -q '^\[  PASSED  \] 1 test\.' <<<"$output" || grep -q 'SKIPPED' <<<"$output"; then
    echo "$output"
    fail "the search was not checked"
fi
echo "explorer.exe copy found through where: version 6.1.7601.17567, robocopy"

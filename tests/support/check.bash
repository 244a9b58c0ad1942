# shellcheck shell=bash
# Shared by the bash checks (tests/scripts, tests/e2e): a work folder
# removed on exit (a check that sets its own trap removes it there), and
# failures counted as they come and summed up by finish.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "$1: all checks passed"
}

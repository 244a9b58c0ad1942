#!/usr/bin/env bash
# The failure report every script sources: a failure that ends a script is
# named (script, file, line, function, command, exit status) and keeps its
# exit status; a failure the script handles, or one inside a command
# substitution that ends nothing, is not reported.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

report=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib" && pwd)/report_failure.bash
source "$(dirname "${BASH_SOURCE[0]}")/../support/check.bash"

cat >"$work/helpers.bash" <<'HELPERS'
copy_step() {
    echo "copying"
    sh -c 'exit 3'
    echo "copied"
}
HELPERS

# Writes a script that sources the report and the helpers, runs it, and
# leaves its exit status in $status and its standard error in $work/err.
run_script() {
    {
        echo 'set -euo pipefail'
        echo "source '$report'"
        echo "source '$work/helpers.bash'"
        cat
    } >"$work/check.sh"
    status=0
    bash "$work/check.sh" >/dev/null 2>"$work/err" || status=$?
}

expect() {
    local what=$1 want_status=$2 want_err=$3
    [ "$status" -eq "$want_status" ] || fail "$what: exit status $status, not $want_status"
    [ "$(cat "$work/err")" = "$want_err" ] ||
        fail "$what: standard error is '$(cat "$work/err")', not '$want_err'"
}

run_script <<'SCRIPT'
copy_step
echo "not reached"
SCRIPT
expect "failure in a sourced function" 3 \
    "check.sh: helpers.bash line 3, in copy_step: 'sh -c 'exit 3'' exited with status 3"

run_script <<'SCRIPT'
echo start
grep -q never /dev/null
SCRIPT
expect "failure in the script itself" 1 "check.sh: line 5: 'grep -q never /dev/null' exited with status 1"

run_script <<'SCRIPT'
copy_step || true
if ! copy_step; then :; fi
value=$(copy_step; echo done)
[ "$value" = "$(printf 'copying\ncopied\ndone')" ]
SCRIPT
expect "handled failures and one inside a command substitution" 0 ""

run_script <<'SCRIPT'
value=$(sh -c 'exit 4')
SCRIPT
expect "a failing assignment" 4 "check.sh: line 4: 'value=\$(sh -c 'exit 4')' exited with status 4"

run_script <<'SCRIPT'
(exit 5)
SCRIPT
expect "a failing subshell" 5 "check.sh: line 4: '( exit 5 )' exited with status 5"

finish failure_report

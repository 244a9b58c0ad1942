# Sourced by every bash script of the project. Under set -e a failing
# command ends a script without a word of its own; this trap names the
# script, the line, the command and its exit status on standard error first,
# so that a failed run says which step broke.
report_failure() {
    local status=$1 line=$2 command=$3
    echo "${0##*/}: line $line: '$command' exited with status $status" >&2
}
set -o errtrace
trap 'report_failure "$?" "$LINENO" "$BASH_COMMAND"' ERR

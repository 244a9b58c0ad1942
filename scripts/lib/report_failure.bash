# shellcheck shell=bash
# Sourced by every bash script of the project, right after its
# "set -euo pipefail". Under set -e a failing command ends a script without
# a word of its own; this trap names the script, the file and line, the
# function, the command and its exit status on standard error first, so
# that a failed run says which step broke.
report_failure() {
    local status=$1 line=$2 command=$3
    # A command substitution runs without errexit: a failure there does not
    # end anything, and the command that holds the substitution is reported
    # if it fails in turn.
    [[ $- == *e* ]] || return 0
    local file=${BASH_SOURCE[1]:-$0} where
    where="line $line"
    [ "${file##*/}" = "${0##*/}" ] || where="${file##*/} line $line"
    case ${FUNCNAME[1]:-main} in
        main | source) ;;
        *) where="$where, in ${FUNCNAME[1]}" ;;
    esac
    echo "${0##*/}: $where: '$command' exited with status $status" >&2
}
set -o errtrace
trap 'report_failure "$?" "$LINENO" "$BASH_COMMAND"' ERR

#!/usr/bin/env bash
# Folder names that the percent rule of the destination cuts so that a
# piece ends in a blank or a dot ("X % Y" gives "X " and " Y", which
# Windows does not keep): each is backed up whole, to a destination whose
# cut pieces keep a percent sign at their end, and xcopy asks nothing.
#
#   cut_names.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=../../scripts/lib/report_failure.bash
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-cut_names}
# shellcheck source-path=SCRIPTDIR source=support/whole_program.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/whole_program.bash"

documents="$user_folder\\X % Y"
pictures="$user_folder\\v2.%draft"
copies=("E:\\_Backup_\\C\\users\\$user\\X %\\ Y" "E:\\_Backup_\\C\\users\\$user\\v2.%\\draft")

restore_sandbox() {
    rm -rf -- "$(wpath_to_unix "$documents")" "$(wpath_to_unix "$pictures")"
    move_shell_folder Personal "$user_folder\\Documents"
    move_shell_folder "My Pictures" "$user_folder\\Pictures"
}

"$sandbox" prepare
"$sandbox" drive e floppy
empty_drive_e
cleanup_hooks+=(restore_sandbox)
move_shell_folder Personal "$documents"
move_shell_folder "My Pictures" "$pictures"
seed_folder "$(wpath_to_unix "$documents")" documents
seed_folder "$(wpath_to_unix "$pictures")" pictures

# Before, a run could hang on the broken name; bounded here, so that the
# check fails in time rather than at the test's own limit.
rc=0
printf '\n' | timeout 300 "$sandbox" run "$exe" >"$work/out.raw" 2>"$work/err" || rc=$?
tr -d '\r' <"$work/out.raw" >"$work/out"
expect_success "cut names"
expect_no_report "cut names"
sources=("$documents" "$pictures")
for i in 0 1; do
    copy=$(wpath_to_unix "${copies[$i]}")
    if [ ! -d "$copy" ]; then
        fail "no copy of ${sources[$i]} at ${copies[$i]}"
    elif ! diff -r "$(wpath_to_unix "${sources[$i]}")" "$copy" >&2; then
        fail "the copy of ${sources[$i]} differs"
    fi
done

finish "cut names"

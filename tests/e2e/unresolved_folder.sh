#!/usr/bin/env bash
# A shell folder that the system cannot resolve (its registry values are
# empty): its folder line is written as ever, no job runs for it (the
# program's own scratch folder is not copied to the stick in its place),
# and standard error names it.
#
#   unresolved_folder.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=../../scripts/lib/report_failure.bash
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-unresolved_folder}
# shellcheck source-path=SCRIPTDIR source=support/whole_program.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/whole_program.bash"

folder_keys=('HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
    'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders')

restore_sandbox() {
    move_shell_folder Personal "$user_folder\\Documents"
}

"$sandbox" prepare
"$sandbox" drive e floppy
empty_drive_e
cleanup_hooks+=(restore_sandbox)
for key in "${folder_keys[@]}"; do reg_set "$key" Personal ""; done
seed_folder "$(wpath_to_unix "$user_folder\\Pictures")" pictures

run_program
# A folder without a path has nothing to back up: it is named, not counted.
expect_success "unresolved documents" 10
grep -aqx $'00000005\t' "$work/out" || fail "no folder line 00000005 with an empty path"
expect_report "unresolved documents" "folder 00000005"
scratch_copy=$(wpath_to_unix "E:\\_Backup_\\C\\users\\$user\\Temp")
[ ! -e "$scratch_copy" ] || fail "the scratch folder was copied to $scratch_copy"
expect_copied "unresolved documents" "$user_folder\\Pictures"
find "$(wpath_to_unix "$user_folder\\Pictures")" -mindepth 1 -delete

finish "unresolved folder"

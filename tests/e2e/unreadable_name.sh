#!/usr/bin/env bash
# The pictures moved to a name outside the program's ANSI code page 1252:
# the system hands the program question marks for it, which the copy tools
# would take for wildcards. Nothing is copied for that folder, standard
# error names it, and the other folders are backed up as ever.
#
#   unreadable_name.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=../../scripts/lib/report_failure.bash
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-unreadable_name}
# shellcheck source-path=SCRIPTDIR source=support/whole_program.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/whole_program.bash"

pictures="$user_folder\\写真"
decoy="$user_folder\\ab"

restore_sandbox() {
    rm -rf -- "$(wpath_to_unix "$pictures")" "$(wpath_to_unix "$decoy")"
    move_shell_folder "My Pictures" "$user_folder\\Pictures"
}

"$sandbox" prepare
"$sandbox" drive e floppy
empty_drive_e
cleanup_hooks+=(restore_sandbox)
move_shell_folder "My Pictures" "$pictures"
seed_folder "$(wpath_to_unix "$pictures")" pictures
seed_folder "$(wpath_to_unix "$decoy")" decoy
seed_folder "$(wpath_to_unix "$user_folder\\Documents")" documents

run_program
expect_shortfall "unreadable name" 1
expect_report "unreadable name" "$user_folder\\??"
[ ! -e "$(wpath_to_unix "E:\\_Backup_\\C\\users\\$user\\ab")" ] || fail "a decoy folder was copied"
expect_copied "unreadable name" "$user_folder\\Documents"
find "$(wpath_to_unix "$user_folder\\Documents")" -mindepth 1 -delete

finish "unreadable name"

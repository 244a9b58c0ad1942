#!/usr/bin/env bash
# The documents moved to a name with a character that the ANSI code page
# 1252 has and the interpreter's code page 437 lacks (S with caron): the
# folder is still backed up whole, and nothing is reported.
#
#   code_page_name.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=../../scripts/lib/report_failure.bash
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-code_page_name}
# shellcheck source-path=SCRIPTDIR source=support/whole_program.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/whole_program.bash"

documents="$user_folder\\Šárka Œuvres"

restore_sandbox() {
    rm -rf -- "$(wpath_to_unix "$documents")"
    move_shell_folder Personal "$user_folder\\Documents"
}

"$sandbox" prepare
"$sandbox" drive e floppy
empty_drive_e
cleanup_hooks+=(restore_sandbox)
rm -rf -- "$(wpath_to_unix "$documents")"
move_shell_folder Personal "$documents"
seed_folder "$(wpath_to_unix "$documents")" "Šárka"

run_program
expect_success "code page 437"
expect_no_report "code page 437"
expect_copied "code page 437" "$documents"

finish "code page name"

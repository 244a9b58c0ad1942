#!/usr/bin/env bash
# A temporary folder whose path holds %USERNAME%, a variable the command
# interpreter would replace in the script path handed to it: the scripts
# run from the fallback scratch folder below the public documents, and the
# folders are backed up.
#
#   expanded_scratch.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=../../scripts/lib/report_failure.bash
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-expanded_scratch}
# shellcheck source-path=SCRIPTDIR source=support/whole_program.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/whole_program.bash"

temp="$user_folder\\Temp %USERNAME% x"
fallback=$(wpath_to_unix "C:\\users\\Public\\Documents\\Temp\\Temp\\v_Urivu.tmp\\shellbackup")

restore_sandbox() {
    use_temp_folder "$user_folder\\Temp"
    rm -rf -- "$(wpath_to_unix "$temp")" "$fallback"
}

"$sandbox" prepare
"$sandbox" drive e floppy
empty_drive_e
cleanup_hooks+=(restore_sandbox)
rm -rf -- "$fallback"
use_temp_folder "$temp"
seed_folder "$(wpath_to_unix "$user_folder\\Documents")" documents

run_program
expect_success "expanded scratch"
expect_no_report "expanded scratch"
expect_copied "expanded scratch" "$user_folder\\Documents"
compgen -G "$fallback/*.bat" >/dev/null || fail "no scripts in the fallback scratch folder"
find "$(wpath_to_unix "$user_folder\\Documents")" -mindepth 1 -delete

finish "expanded scratch"

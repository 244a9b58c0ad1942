#!/usr/bin/env bash
# A scratch folder that cannot be made (a file stands where its parent
# v_Urivu.tmp should be) sends the scripts to the fallback below the public
# documents folder, and every folder is still backed up.
#
#   unwritable_scratch.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-unwritable_scratch}
# shellcheck source-path=SCRIPTDIR source=support/whole_program.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/whole_program.bash"
# shellcheck source-path=SCRIPTDIR source=support/eleven_folders.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/eleven_folders.bash"

temp=$(wpath_to_unix "$user_folder\\Temp")
public_documents=$(wpath_to_unix "$public\\Documents")
fallback=$public_documents/Temp/Temp/v_Urivu.tmp/shellbackup

remove_blocking_file() {
    rm -f "$temp/v_Urivu.tmp"
}
cleanup_hooks+=(remove_blocking_file)

"$sandbox" prepare
"$sandbox" drive e floppy
find "$drive_e" -mindepth 1 -delete
seed_eleven_folders
rm -rf "$temp/v_Urivu.tmp"
mkdir -p "$temp"
printf 'not a folder\r\n' >"$temp/v_Urivu.tmp"

run_program
expect_success "unwritable scratch folder"
expect_folder_lines "unwritable scratch folder"
for line in "${folders[@]}"; do
    source=${line#*	}
    # The fallback lies inside the public documents and fills during the
    # run, so its copy holds only the scripts written before that folder's.
    if [ "$source" = "$public\\Documents" ]; then
        diff -r -x Temp "$public_documents" "$(wpath_to_unix "$(backup_of "$source")")" >&2 ||
            fail "the copy of $source differs"
    else
        expect_copied "unwritable scratch folder" "$source"
    fi
done
# Ten distinct scripts: both desktop entries name the same folder.
scripts=$({ find "$fallback" -maxdepth 1 -name '*.bat' 2>/dev/null || true; } | wc -l)
[ "$scripts" -eq 10 ] || fail "$scripts scripts in the fallback folder $fallback, not 10"
[ -f "$temp/v_Urivu.tmp" ] || fail "the file standing for the scratch folder is gone"

finish "unwritable scratch folder"

#!/usr/bin/env bash
# Shell folders named in characters that the command interpreter's code
# page 437 lacks, on a Western (1252/437) system: the documents moved to
# "Šárka Œuvres €" (in the ANSI page 1252, not in 437) and the pictures to
# a Japanese name (in neither). Both are backed up whole, without short
# names: their scripts name the folders by variables, set from the names
# kept beside them. Kept scripts run again by hand copy again.
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

documents="$user_folder\\Šárka Œuvres €"
pictures="$user_folder\\写真 アルバム"
scripts=$(wpath_to_unix "$user_folder\\Temp\\v_Urivu.tmp\\shellbackup")

restore_sandbox() {
    rm -rf -- "$(wpath_to_unix "$documents")" "$(wpath_to_unix "$pictures")"
    move_shell_folder Personal "$user_folder\\Documents"
    move_shell_folder "My Pictures" "$user_folder\\Pictures"
}

"$sandbox" prepare
"$sandbox" drive e floppy
empty_drive_e
cleanup_hooks+=(restore_sandbox)
rm -rf -- "$(wpath_to_unix "$documents")" "$(wpath_to_unix "$pictures")" "$scripts"
move_shell_folder Personal "$documents"
move_shell_folder "My Pictures" "$pictures"
seed_folder "$(wpath_to_unix "$documents")" "Šárka"
seed_folder "$(wpath_to_unix "$pictures")" "写真"
printf 'photo\r\n' >"$(wpath_to_unix "$pictures")/富士山 Ž.jpg"

run_program
expect_success "code page 437"
expect_no_report "code page 437"
for folder in "$documents" "$pictures"; do
    expect_copied "code page 437" "$folder"
done

# No short name in any script: the folders are named by variables.
if grep -l '~[0-9]' "$scripts"/*.bat >&2; then fail "a script names a folder by its short name"; fi
# Run again by hand, the kept scripts that name folders by variables (one
# for each of the two) copy them again.
for folder in "$documents" "$pictures"; do
    rm -rf -- "$(wpath_to_unix "$(backup_of "$folder")")"
done
named=0
for script in "$scripts"/*.bat; do
    grep -q '%shellbackup_from%' "$script" || continue
    named=$((named + 1))
    # A script for Windows 10 ends in "timeout", which Wine lacks: its
    # status there says nothing of the copy, which is compared below.
    in_wine cmd /c "$user_folder\\Temp\\v_Urivu.tmp\\shellbackup\\$(basename "$script")" \
        >"$work/by_hand.out" 2>&1 || [ "$copy_path" = robocopy ] ||
        fail "$(basename "$script") run by hand failed"
done
[ "$named" -eq 2 ] || fail "$named scripts name their folders by variables, not 2"
for folder in "$documents" "$pictures"; do
    expect_copied "scripts run by hand" "$folder"
done

finish "code page name"

#!/usr/bin/env bash
# The user's shell folders moved to names that a batch script has to take
# care with (a character outside ASCII, a percent sign, blanks, an
# ampersand, a caret, parentheses), and a temporary folder whose path
# holds a blank: every folder is still backed up whole. Then, in code
# page 932, the documents moved to a Japanese name whose last character
# ends in the byte of a backslash.
#
#   hard_names.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-hard_names}
# shellcheck source-path=SCRIPTDIR source=support/whole_program.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/whole_program.bash"

public=C:\\users\\Public
documents="$user_folder\\Café"
pictures="$user_folder\\100% Done"
music="$user_folder\\Tax Returns 2024"
videos="$user_folder\\R&D ^ (1)!"
desktop="$user_folder\\Übersicht"
japanese_documents="$user_folder\\ドキュメント表"
moved=("$documents" "$pictures" "$music" "$videos" "$desktop" "$japanese_documents")

remove_moved_folders() {
    local folder
    for folder in "${moved[@]}"; do rm -rf -- "$(wpath_to_unix "$folder")"; done
    find "$(wpath_to_unix "$user_folder\\Desktop")" -mindepth 1 -delete 2>/dev/null || true
}
cleanup_hooks+=(remove_moved_folders)

write_expected_lines() {
    printf '%s\n' \
        "00000005	$1" \
        "00000027	$pictures" \
        "0000000d	$music" \
        "0000000e	$videos" \
        "00000010	$2" \
        "0000002e	$public\\Documents" \
        "00000036	$public\\Pictures" \
        "00000035	$public\\Music" \
        "00000037	$public\\Videos" \
        "00000019	$public\\Desktop" \
        "00000000	$2" >"$work/expected_lines"
}

"$sandbox" prepare
"$sandbox" drive e floppy
empty_drive_e
remove_moved_folders
use_temp_folder "$user_folder\\Temp Files"
move_shell_folder Personal "$documents"
move_shell_folder "My Pictures" "$pictures"
move_shell_folder "My Music" "$music"
move_shell_folder "My Videos" "$videos"
move_shell_folder Desktop "$desktop"
for folder in "$documents" "$pictures" "$music" "$videos" "$desktop"; do
    seed_folder "$(wpath_to_unix "$folder")" "$folder"
done

run_program
expect_success "code page 1252"
write_expected_lines "$documents" "$desktop"
expect_folder_lines "code page 1252"
for folder in "$documents" "$pictures" "$music" "$videos" "$desktop"; do
    expect_copied "code page 1252" "$folder"
done
scripts=$(wpath_to_unix "$user_folder\\Temp Files\\v_Urivu.tmp")
[ -d "$scripts" ] || fail "no scripts below the temporary folder with a blank"

if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    fail "the Unix locale ja_JP.UTF-8 is missing (scripts/install-deps makes it)"
else
    empty_drive_e
    export LC_ALL=ja_JP.UTF-8
    move_shell_folder Personal "$japanese_documents"
    move_shell_folder Desktop "$user_folder\\Desktop"
    seed_folder "$(wpath_to_unix "$japanese_documents")" "表"
    run_program
    expect_success "code page 932"
    write_expected_lines "$japanese_documents" "$user_folder\\Desktop"
    expect_folder_lines "code page 932"
    expect_copied "code page 932" "$japanese_documents"
    expect_copied "code page 932" "$videos"
    unset LC_ALL
fi

finish "hard names"

#!/usr/bin/env bash
# Shell folders named in characters that the command interpreter's code
# page 437 lacks, on a Western (1252/437) system: the documents moved to
# "Šárka Œuvres €" (in the ANSI page 1252, not in 437) and the pictures to
# a Japanese name (in neither). Both are backed up whole, without short
# names: their scripts name the folders by variables, set from the names
# kept beside them. Music is moved to a path longer than 240 characters
# and Videos to one that climbs back with "..", both needing variables:
# the long names go in pieces, and the percent signs that keep each ".."
# a name never pass through a variable (Wine's interpreter would expand
# them again and climb out of _Backup_). Kept scripts run again by hand
# copy again. Then long last names that the interpreter's page holds,
# cut in the scripts' headers and file names at every offset within a
# character: accented on this system, Japanese on a code page 932 one.
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
# shellcheck disable=SC1003 # a backslash at the end of printf's format
long_path="$user_folder\\長\\$(printf 'folder%02d of the long path\\' {1..8})end"
climbing="$user_folder\\日\\a\\b\\c\\d\\..\\..\\..\\.."
climbing_copy="E:\\_Backup_\\C\\users\\$user\\日\\a\\b\\c\\d\\..%\\..%\\..%\\..%"
moved=("$documents" "$pictures" "$user_folder\\長" "$user_folder\\日")
scripts=$(wpath_to_unix "$user_folder\\Temp\\v_Urivu.tmp\\shellbackup")

shell_folders=(Personal "My Pictures" "My Music" "My Videos" Desktop)
default_folders=(Documents Pictures Music Videos Desktop)
remove_moved() {
    local folder
    for folder in "${moved[@]}"; do rm -rf -- "$(wpath_to_unix "$folder")"; done
}
restore_sandbox() {
    local i
    remove_moved
    for i in "${!shell_folders[@]}"; do
        move_shell_folder "${shell_folders[$i]}" "$user_folder\\${default_folders[$i]}"
    done
}
# Moves the user's shell folders, in their order, to the paths given, and
# seeds each with the files of seed_folder.
move_and_seed() {
    local i=0 folder
    for folder in "$@"; do
        moved+=("$folder")
        move_shell_folder "${shell_folders[$i]}" "$folder"
        seed_folder "$(wpath_to_unix "$folder")" "$i"
        i=$((i + 1))
    done
}

"$sandbox" prepare
"$sandbox" drive e floppy
empty_drive_e
cleanup_hooks+=(restore_sandbox)
remove_moved
rm -rf -- "$scripts"
move_shell_folder Personal "$documents"
move_shell_folder "My Pictures" "$pictures"
seed_folder "$(wpath_to_unix "$documents")" "Šárka"
seed_folder "$(wpath_to_unix "$pictures")" "写真"
printf 'photo\r\n' >"$(wpath_to_unix "$pictures")/富士山 Ž.jpg"
# Paths this long leave no room for seed_folder's deeper files.
mkdir -p "$(wpath_to_unix "$long_path")" "$(wpath_to_unix "$user_folder\\日\\a\\b\\c\\d")"
printf 'long\r\n' >"$(wpath_to_unix "$long_path")/long.txt"
printf 'climbing\r\n' >"$(wpath_to_unix "$user_folder\\日")/climbing.txt"
move_shell_folder "My Music" "$long_path"
move_shell_folder "My Videos" "$climbing"

# The copy of the climbing folder, whole and where it belongs.
expect_climbing_copied() {
    local copy
    copy=$(wpath_to_unix "$climbing_copy")
    diff -r --exclude=a "$(wpath_to_unix "$user_folder\\日")" "$copy" >&2 ||
        fail "$1: no copy of $climbing at $climbing_copy"
    if find "$drive_e" -mindepth 1 -maxdepth 1 ! -name _Backup_ | grep . >&2; then
        fail "$1: files outside E:\\_Backup_"
    fi
}

run_program
expect_success "code page 437"
expect_no_report "code page 437"
for folder in "$documents" "$pictures" "$long_path"; do
    expect_copied "code page 437" "$folder"
done
expect_climbing_copied "code page 437"

# No short name in any script: the folders are named by variables.
if grep -l '~[0-9]' "$scripts"/*.bat >&2; then fail "a script names a folder by its short name"; fi
# Run again by hand, the kept scripts that name folders by variables (one
# for each of the two) copy them again.
for folder in "$documents" "$pictures" "$long_path"; do
    rm -rf -- "$(wpath_to_unix "$(backup_of "$folder")")"
done
rm -rf -- "$(wpath_to_unix "$climbing_copy")"
named=0
for script in "$scripts"/*.bat; do
    grep -q '%shellbackup_from%' "$script" || continue
    named=$((named + 1))
    # A script ends with its copy tool's status: robocopy's is not zero
    # when it copied files. The copy is compared below.
    in_wine cmd /c "$user_folder\\Temp\\v_Urivu.tmp\\shellbackup\\$(basename "$script")" \
        >"$work/by_hand.out" 2>&1 || [ "$copy_path" = robocopy ] ||
        fail "$(basename "$script") run by hand failed"
done
[ "$named" -eq 4 ] || fail "$named scripts name their folders by variables, not 4"
for folder in "$documents" "$pictures" "$long_path"; do
    expect_copied "scripts run by hand" "$folder"
done
expect_climbing_copied "scripts run by hand"
restore_sandbox

# Long last names the page holds, each cut somewhere else by the head and
# tail widths of the scripts' headers and file names.
long_names() {
    local letter=$1 count=$2 many="" i
    for ((i = 0; i < count; i++)); do many+=$letter; done
    for affixes in ":a" "a:a" ":" "a:" "ab:a"; do
        printf '%s\n' "$user_folder\\${affixes%%:*}$many${affixes#*:}"
    done
}
mapfile -t accented < <(long_names é 40)
empty_drive_e
move_and_seed "${accented[@]}"
run_program
expect_success "long accented names"
expect_no_report "long accented names"
for folder in "${accented[@]}"; do expect_copied "long accented names" "$folder"; done
restore_sandbox

if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    fail "the Unix locale ja_JP.UTF-8 is missing (scripts/install-deps makes it)"
else
    mapfile -t japanese < <(long_names 語 25)
    empty_drive_e
    export LC_ALL=ja_JP.UTF-8
    move_and_seed "${japanese[@]}"
    run_program
    expect_success "long Japanese names on code page 932"
    expect_no_report "long Japanese names on code page 932"
    for folder in "${japanese[@]}"; do expect_copied "long Japanese names" "$folder"; done
    unset LC_ALL
    restore_sandbox
fi

finish "code page name"

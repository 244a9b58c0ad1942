#!/usr/bin/env bash
# Where the Windows version makes the tool robocopy (winver.exe removed,
# explorer.exe says 6.1), a recording stand-in found first on PATH must
# receive, for every folder, exactly the words of the copy command line:
# folders moved to names with blanks, an ampersand, a caret, an
# exclamation mark, percent signs (one around a defined variable's name)
# and a character outside ASCII, and a temporary folder with a blank, an
# ampersand and a caret in its path.
#
#   robocopy_words.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-robocopy_words}
# shellcheck source-path=SCRIPTDIR source=support/whole_program.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/whole_program.bash"

public=C:\\users\\Public
documents="$user_folder\\R&D ^ Notes!"
pictures="$user_folder\\100% Done"
music="$user_folder\\Tax Returns 2024"
videos="$user_folder\\%USERNAME% & Co"
desktop="$user_folder\\Café (old)"
moved=("$documents" "$pictures" "$music" "$videos" "$desktop")
stand_in="C:\\stand_in"
record="C:\\stand_in\\words.txt"

remove_moved_folders() {
    local folder
    for folder in "${moved[@]}" "$stand_in"; do rm -rf -- "$(wpath_to_unix "$folder")"; done
}
cleanup_hooks+=(remove_moved_folders)

"$sandbox" prepare
"$sandbox" drive e floppy
rm -f -- "$prefix/drive_c/windows/system32/winver.exe"
remove_moved_folders
mkdir -p "$(wpath_to_unix "$stand_in")"
cp "$build/tests/stand_in/robocopy.exe" "$(wpath_to_unix "$stand_in")/"
use_temp_folder "$user_folder\\Temp R&D ^1"
move_shell_folder Personal "$documents"
move_shell_folder "My Pictures" "$pictures"
move_shell_folder "My Music" "$music"
move_shell_folder "My Videos" "$videos"
move_shell_folder Desktop "$desktop"

sources=("$documents" "$pictures" "$music" "$videos" "$desktop"
    "$public\\Documents" "$public\\Pictures" "$public\\Music" "$public\\Videos"
    "$public\\Desktop" "$desktop")

WINEPATH=$stand_in SHELLBACKUP_RECORD=$record run_program
expect_success "robocopy run"

# The line exactly as the copy command line was written, trailing blanks
# included, and the words the stand-in's runtime makes of it. No /max:
# Wine says NTFS for E:, which holds files above 4 GiB.
for source in "${sources[@]}"; do
    destination=$(backup_of "$source")
    printf 'line\trobocopy "%s" "%s" %s\n' "$source" "$destination" \
        "/s /purge /fft /r:3 /w:5 /xo /xjd /xf  mfc*.tmp  Thumbs.db  "
    printf 'word\t%s\n' robocopy "$source" "$destination" /s /purge /fft /r:3 /w:5 /xo /xjd \
        /xf mfc*.tmp Thumbs.db
    echo end
done >"$work/expected"
recorded=$(wpath_to_unix "$record")
if [ ! -f "$recorded" ]; then
    fail "the stand-in was never started"
elif ! diff -u "$work/expected" "$recorded" >&2; then
    fail "the stand-in received other command lines"
fi

finish "robocopy words"

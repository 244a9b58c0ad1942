#!/usr/bin/env bash
# The whole program under Wine backs up the eleven shell folders, the
# user's and the all-users ones, below E:\_Backup_ under their whole paths,
# content for content; a second run copies only what changed since. On
# the robocopy path, Thumbs.db and mfc*.tmp stay out without being missed,
# a file and a subfolder deleted from the source leave the copy, and a file
# above 4 GiB and one whose path is past 260 characters are backed up.
#
#   backup_folders.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-backup_folders}
# shellcheck source-path=SCRIPTDIR source=support/whole_program.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/whole_program.bash"

# shellcheck source-path=SCRIPTDIR source=support/eleven_folders.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/eleven_folders.bash"

prepare_seeded_sandbox
pictures=$(wpath_to_unix "$user_folder\\Pictures")
printf 'thumbnails' >"$pictures/Thumbs.db"
printf 'scratch' >"$pictures/Sub Dir/MFC3A.TMP"

run_program
expect_success "first run"
expect_folder_lines "first run"
for line in "${folders[@]}"; do expect_copied "first run" "${line#*	}"; done

# One file changed, one added; everything else must stay as it was copied.
stamp_drive "$work/before"
sleep 1
documents=$(wpath_to_unix "$user_folder\\Documents")
printf 'changed\r\n' >"$documents/notes.txt"
printf 'new\r\n' >"$(wpath_to_unix "$public\\Music")/added.txt"
run_program
expect_success "second run"
for line in "${folders[@]}"; do expect_copied "second run" "${line#*	}"; done
stamp_drive "$work/after"
{ diff "$work/before" "$work/after" || true; } | sed -n 's/^> [^ ]* //p' | sort >"$work/rewritten"
printf '%s\n' "./_Backup_/C/users/$user/Documents/notes.txt" \
    "./_Backup_/C/users/Public/Music/added.txt" | sort >"$work/expected_rewritten"
diff -u "$work/expected_rewritten" "$work/rewritten" >&2 ||
    fail "second run: other files than the changed ones were copied"

if [ "$copy_path" = robocopy ]; then
    pictures_copy=$(wpath_to_unix "$(backup_of "$user_folder\\Pictures")")
    if [ -e "$pictures_copy/Thumbs.db" ] || [ -e "$pictures_copy/Sub Dir/MFC3A.TMP" ]; then
        fail "robocopy copied what /xf leaves out"
    fi
    rm -r "$pictures/notes.txt" "$pictures/Sub Dir/deeper"
    run_program
    expect_success "deleted from the source"
    if [ -e "$pictures_copy/notes.txt" ] || [ -e "$pictures_copy/Sub Dir/deeper" ]; then
        fail "deleted from the source: the file or the subfolder is still in the copy"
    fi
    expect_copied "deleted from the source" "$user_folder\\Pictures"

    # Above 4 GiB, sparse: Wine says NTFS for E:, which holds it, so no
    # /max keeps it out (Wine's xcopy would write every byte of it). And a
    # path past 260 characters, which robocopy takes (Wine's xcopy copies
    # it, then crashes).
    videos=$(wpath_to_unix "$user_folder\\Videos")
    truncate -s 4400000000 "$videos/film.mkv"
    deep=$(printf 'a folder name of forty characters here/%.0s' 1 2 3 4 5 6 7)
    mkdir -p "$videos/$deep"
    printf 'deep\r\n' >"$videos/$deep/deep file.txt"
    run_program
    expect_success "file above 4 GiB, long path"
    videos_copy=$(wpath_to_unix "$(backup_of "$user_folder\\Videos")")
    [ "$(stat -c %s "$videos_copy/film.mkv")" = 4400000000 ] || fail "file above 4 GiB: not backed up"
    [ -f "$videos_copy/$deep/deep file.txt" ] || fail "long path: not backed up"
fi

finish "backup folders"

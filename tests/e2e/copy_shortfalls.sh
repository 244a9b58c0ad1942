#!/usr/bin/env bash
# Copies that fall short are named, and a later run makes them whole:
# - a file of the documents held open by another program: the rest of the
#   folder is still copied, the folder is named with that file and why, the
#   exit code is 1; once the file is let go, the next run copies it and ends
#   with 0;
# - (as root) E: on a 3 MB file system, full with copies cut short as a copy
#   tool leaves them: they are named, a folder that cannot fit is not
#   started; with room on the drive, the next run makes every copy whole.
# On the robocopy path the held file is tried again three times (/r:3)
# before it is named.
#
#   copy_shortfalls.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-copy_shortfalls}
# shellcheck source-path=SCRIPTDIR source=support/whole_program.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/whole_program.bash"

documents="$user_folder\\Documents"
pictures="$user_folder\\Pictures"
documents_unix=$(wpath_to_unix "$documents")
pictures_unix=$(wpath_to_unix "$pictures")

empty_sources() {
    find "$documents_unix" "$pictures_unix" -mindepth 1 -delete 2>/dev/null || true
}
cleanup_hooks+=(empty_sources)

wait_for() {
    local file=$1 tries=600
    while [ ! -e "$file" ] && [ "$tries" -gt 0 ]; do
        sleep 0.1
        tries=$((tries - 1))
    done
    [ -e "$file" ]
}

"$sandbox" prepare
"$sandbox" drive e floppy
empty_drive_e
empty_sources
seed_folder "$documents_unix" "documents"
printf 'mail store\r\n' >"$documents_unix/Mail.pst"

# The holder runs in the same prefix, whose server enforces the sharing.
in_wine "$build/tests/hold_file.exe" "$documents\\Mail.pst" 0 &
holder=$!
wait_for "$documents_unix/Mail.pst.held" || fail "the holder never held Mail.pst"
run_program
touch "$documents_unix/Mail.pst.let_go"
wait "$holder" || fail "the holder ended with an error"
expect_shortfall "held file" 1
# robocopy tries the held file again /r:3 times before it gives up on it.
[ "$copy_path" = xcopy ] || [ "$(grep -c 'Retrying' "$work/out")" -eq 3 ] || {
    cat "$work/out" >&2
    fail "held file: robocopy did not retry three times"
}
expect_err_line "held file" "Not backed up completely: $documents - 1 of 6 files are missing or differ on E:; the first: Mail.pst (missing, held open by another program)"
copy=$(wpath_to_unix "$(backup_of "$documents")")
[ ! -e "$copy/Mail.pst" ] || fail "held file: Mail.pst was copied while held"
diff -r -x Mail.pst -x '*.let_go' -x '*.released' "$documents_unix" "$copy" >&2 ||
    fail "held file: the other files of the folder were not all copied"

run_program
expect_success "held file let go"
expect_copied "held file let go" "$documents"

unmount_drive_e() {
    umount "$drive_e" 2>/dev/null || umount -l "$drive_e" 2>/dev/null || true
}
if [ "$(id -u)" -ne 0 ] || ! mount -t tmpfs -o size=3m tmpfs "$drive_e" 2>/dev/null; then
    echo "SKIPPED full drive: it needs root, to mount a 3 MB tmpfs on E:'s folder" >&2
else
    cleanup_hooks=(unmount_drive_e "${cleanup_hooks[@]}")
    empty_sources
    mkdir -p "$documents_unix/Sub"
    head -c 1048576 /dev/urandom >"$documents_unix/a1.bin"
    head -c 1048576 /dev/urandom >"$documents_unix/a2.bin"
    head -c 1572864 /dev/urandom >"$documents_unix/a3.bin"
    printf 'small\r\n' >"$documents_unix/notes.txt"
    printf 'smaller\r\n' >"$documents_unix/Sub/s.txt"
    head -c 614400 /dev/urandom >"$pictures_unix/photo.jpg"
    find "$documents_unix" "$pictures_unix" -exec touch -d '2021-05-06 07:08:09' {} +
    # What a copy tool leaves on a full drive: a copy cut short, and
    # empty copies, all dated as their sources.
    in_wine xcopy "$documents" "$(backup_of "$documents")" /s /d /i /y /c >"$work/xcopy.out" 2>&1 || true
    [ -n "$(find "$drive_e" -type f -size -1k)" ] || fail "full drive: the copy tool left no damaged copies"

    run_program
    expect_shortfall "full drive" 2
    if [ "$copy_path" = robocopy ]; then
        # robocopy would write the cut copies again (same time, other
        # size), which needs room the drive lacks: the folder is not started.
        expect_report "full drive" "$documents - it needs "
    else
        grep -aqE "Not backed up completely: .*Documents - [0-9]+ of 5 files are missing or differ on E:; the first: .*no room left on E:" "$work/err" || {
            cat "$work/err" >&2
            fail "full drive: the documents are not named with the full drive"
        }
    fi
    expect_report "full drive" "$pictures - it needs 600.0 KB on E:, which has "

    mount -o remount,size=16m "$drive_e"
    run_program
    expect_success "room on the drive"
    expect_copied "room on the drive" "$documents"
    expect_copied "room on the drive" "$pictures"
fi

finish "copy shortfalls"

#!/usr/bin/env bash
# Copies that fall short are named, and a later run makes them whole:
# - a file of the documents held open and written to by another program (a
#   mail store): the rest of the folder is still copied, the folder is named
#   with that file and why, the exit code is 1; once the file is let go, the
#   next run copies it and ends with 0; the drive's record of the run says
#   it fell short;
# - a file behind a folder link in the documents, held open: named (xcopy
#   follows the link);
# - a document taken back to an older, shorter version: the newer copy on
#   the drive is moved among the versions as it was, once, and the source
#   copied in its place; its copy held open from the stick while the source
#   changed again: kept on the drive as it was, named, exit code 1;
# - a file and a folder renamed in non-ASCII case: the next run is
#   complete;
# - a folder "Tax." beside "Tax": its files are named as missing;
# - a folder below E:\_Backup_ that is a link to a folder on C:: nothing is
#   copied through it, and every file on C: keeps its content and time;
# - (as root) E: on a 3 MB file system, full with copies cut short as a copy
#   tool leaves them: they are named, a folder that cannot fit is not
#   started; with room on the drive, the next run makes every copy whole;
#   a folder whose link leads to more than the drive holds is not started,
#   and the next folder, which fits, is copied; a film changed run after
#   run until its versions fill the drive: the oldest version gives way,
#   the run is complete.
# On the robocopy path the held file is tried again three times (/r:3)
# before it is named, and folder links are left out (/xjd): not asked for,
# not counted for room.
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
in_wine "$build/tests/hold_file.exe" "$documents\\Mail.pst" 0 append &
holder=$!
wait_for "$documents_unix/Mail.pst.held" || fail "the holder never held Mail.pst"
run_program
touch "$documents_unix/Mail.pst.let_go"
wait "$holder" || fail "the holder ended with an error"
expect_shortfall "held file" 1
grep -aqF "Not backed up completely: 1 of 11 folders fall short" "$drive_e/_Backup_/%last backup.txt" ||
    fail "held file: the drive's record does not say the run fell short"
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

# Holds a file until the program has run once; $1 names the case.
run_holding() {
    local what=$1 file=$2
    in_wine "$build/tests/hold_file.exe" "$file" 0 &
    holder=$!
    wait_for "$(wpath_to_unix "$file").held" || fail "$what: the holder never held $file"
    run_program
    touch "$(wpath_to_unix "$file").let_go"
    wait "$holder" || fail "$what: the holder ended with an error"
}

# The sandbox turns every link below C:\users into a plain folder: the
# documents that hold a folder link live outside it.
linked_data=$prefix/drive_c/linked_data
linking="C:\\Linking documents"
linking_unix=$(wpath_to_unix "$linking")
use_linking_documents() {
    rm -rf "$linked_data" "$linking_unix"
    mkdir -p "$linked_data" "$linking_unix"
    ln -s "$linked_data" "$linking_unix/Linked"
    move_shell_folder Personal "$linking"
}
leave_linking_documents() {
    rm -rf "$linked_data" "$linking_unix"
    move_shell_folder Personal "$documents"
}
cleanup_hooks+=(leave_linking_documents)
empty_sources
use_linking_documents
printf 'ledger\r\n' >"$linked_data/ledger.xls"
run_holding "linked folder" "$linking\\Linked\\ledger.xls"
if [ "$copy_path" = robocopy ]; then
    # /xjd leaves folder links out, and the check asks for nothing below one.
    expect_success "linked folder"
    [ ! -e "$(wpath_to_unix "$(backup_of "$linking")")/Linked" ] ||
        fail "linked folder: robocopy's copy went through the link"
else
    expect_shortfall "linked folder" 1
    expect_err_line "linked folder" "Not backed up completely: $linking - 1 of 2 files are missing or differ on E:; the first: Linked\\ledger.xls (missing, held open by another program)"
fi
leave_linking_documents

empty_sources
empty_drive_e
copy=$(wpath_to_unix "$(backup_of "$documents")")
printf 'the newer, longer version\r\n' >"$documents_unix/report.doc"
touch -d '2024-03-04 05:06:07' "$documents_unix/report.doc"
cp -p "$documents_unix/report.doc" "$work/newer.doc"
run_program
expect_success "newer version"
printf 'older\r\n' >"$documents_unix/report.doc"
touch -d '2023-01-01 00:00:00' "$documents_unix/report.doc"
for round in 1 2; do
    run_program
    expect_success "older version, run $round"
    cmp -s "$documents_unix/report.doc" "$copy/report.doc" ||
        fail "older version, run $round: the copy is not the source"
    kept=("$drive_e/_Backup_/%versions/"*"/${copy#"$drive_e/_Backup_/"}/report.doc")
    if [ "${#kept[@]}" != 1 ] || ! cmp -s "$work/newer.doc" "${kept[0]}" ||
        [ "$(stat -c %Y "${kept[0]}")" != "$(stat -c %Y "$work/newer.doc")" ]; then
        fail "older version, run $round: the newer copy was not kept once, as it was"
    fi
done
# A copy held open from the stick while its source changed can be neither
# moved aside nor read: it stays on the drive as it was, and is named.
sleep 1
printf 'older, then edited\r\n' >"$documents_unix/report.doc"
cp -p "$copy/report.doc" "$work/held.doc"
run_holding "held copy" "$(backup_of "$documents")\\report.doc"
expect_shortfall "held copy" 1
expect_err_line "held copy" "the first: report.doc ("
cmp -s "$work/held.doc" "$copy/report.doc" || fail "held copy: its content on the drive was lost"

empty_sources
empty_drive_e
mkdir -p "$documents_unix/über"
printf 'trouble\r\n' >"$documents_unix/ärger.txt"
printf 'letter\r\n' >"$documents_unix/über/brief.txt"
find "$documents_unix" -exec touch -d '2020-01-02 03:04:05' {} +
run_program
expect_success "non-ASCII names"
mv "$documents_unix/ärger.txt" "$documents_unix/Ärger.txt"
mv "$documents_unix/über" "$documents_unix/Über"
run_program
expect_success "renamed in non-ASCII case"

empty_sources
mkdir -p "$documents_unix/Tax" "$documents_unix/Tax."
printf '2023\r\n' >"$documents_unix/Tax/2023.txt"
printf '2024\r\n' >"$documents_unix/Tax./2024.txt"
run_program
if [ "$copy_path" = robocopy ]; then
    # The stand-in names every path in its \\?\ form, as the check does.
    expect_success "Tax. beside Tax"
    [ -f "$(wpath_to_unix "$(backup_of "$documents")")/Tax./2024.txt" ] ||
        fail "Tax. beside Tax: Tax.\\2024.txt is not on the drive"
else
    expect_shortfall "Tax. beside Tax" 1
    expect_err_line "Tax. beside Tax" "the first: Tax.\\2024.txt (missing"
fi

# E:\_Backup_\C\users leads to a folder on C: that looks like a backup
# with a copy cut short.
victim=$prefix/drive_c/victim
remove_victim() { rm -rf "$victim" "$drive_e/_Backup_/C/users"; }
cleanup_hooks+=(remove_victim)
empty_sources
empty_drive_e
seed_folder "$documents_unix" "documents"
mkdir -p "$victim/$user/Documents" "$drive_e/_Backup_/C"
printf 'cut\r\n' >"$victim/$user/Documents/notes.txt"
touch -r "$documents_unix/notes.txt" "$victim/$user/Documents/notes.txt"
ln -s "$victim" "$drive_e/_Backup_/C/users"
snapshot_victim() { (cd "$victim" && find . -printf '%T@ %s %p\n' | sort && find . -type f -exec md5sum {} + | sort); }
snapshot_victim >"$work/victim.before"
run_program
[ "$rc" -eq 1 ] || fail "link on the drive: exit code $rc"
expect_report "link on the drive" "$documents - its copy would go through E:\\_Backup_\\C\\users, a link on E: that may lead off the drive"
snapshot_victim | diff "$work/victim.before" - >&2 || fail "link on the drive: files on C: were changed"
remove_victim

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

    empty_sources
    empty_drive_e
    mount -o remount,size=3m "$drive_e"
    use_linking_documents
    head -c 4194304 /dev/urandom >"$linked_data/film.bin"
    head -c 614400 /dev/urandom >"$pictures_unix/photo.jpg"
    run_program
    if [ "$copy_path" = robocopy ]; then
        # robocopy leaves the link out: nothing of it needs room.
        expect_success "linked folder too large"
    else
        expect_shortfall "linked folder too large" 1
        expect_report "linked folder too large" "$linking - it needs 4.0 MB on E:, which has "
    fi
    expect_copied "linked folder too large" "$pictures"
    leave_linking_documents

    # A film changed run after run until its versions fill the drive: the
    # next run removes the oldest run's version, and only that one.
    empty_sources
    empty_drive_e
    mount -o remount,size=7m "$drive_e"
    kept_versions=$drive_e/_Backup_/%versions
    film=$documents_unix/film.bin
    for round in 1 2 3 4; do
        head -c 2097152 /dev/urandom >"$film"
        touch -d "2022-01-0$round 10:00:00" "$film"
        cp "$film" "$work/film.$round"
        run_program
        expect_success "versions fill the drive, run $round"
    done
    expect_copied "versions fill the drive" "$documents"
    expect_err_line "versions fill the drive" "Removed 1 earlier version (2.0 MB, of the run "
    expect_traced "versions fill the drive" "Earlier version removed for room: "
    mapfile -t kept_films < <(find "$kept_versions" -name film.bin | sort)
    if [ "${#kept_films[@]}" -ne 2 ] || ! cmp -s "${kept_films[0]}" "$work/film.2" ||
        ! cmp -s "${kept_films[1]}" "$work/film.3"; then
        fail "versions fill the drive: the versions kept are not those of runs 2 and 3"
    fi
fi

finish "copy shortfalls"

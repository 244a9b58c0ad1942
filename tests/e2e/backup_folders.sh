#!/usr/bin/env bash
# The whole program under Wine backs up the eleven shell folders, the
# user's and the all-users ones, below E:\_Backup_ under their whole paths,
# content for content; a second run copies only what changed since and
# keeps the earlier copy among the versions, a third moves nothing. On
# the robocopy path, Thumbs.db and mfc*.tmp stay out without being missed,
# a file and a subfolder deleted from the source leave the copy for the
# versions folder, and a file above 4 GiB and one whose path is past 260
# characters are backed up. Then
# the read-me's own lines, exactly as release/README.txt.in gives them: the
# example path typed at a prompt, and the scheduled task's action started
# as Task Scheduler starts it (one process creation of the whole line), its
# log holding the verdict.
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

# The trace log has each folder with the copy tool's own exit code, that
# of a copy that went well, not that of the wait the script ends with.
highest_good=1
[ "$copy_path" = xcopy ] || highest_good=7
said="$copy_path exit code "
for line in "${folders[@]}"; do
    folder=${line#*	}
    found=""
    while IFS= read -r entry; do
        [[ $entry == *"$said"*": $folder" ]] || continue
        code=${entry##*"$said"}
        code=${code%": $folder"}
        if [[ $code =~ ^[0-9]+$ ]] && ((code <= highest_good)); then found=1; fi
    done < <(cat "$trace_folder"/*.txt | tr -d '\r')
    [ -n "$found" ] || fail "first run: no ${said}0 to $highest_good for $folder in the trace"
done

# What a run wrote on the drive since the stamp, sorted.
rewritten_since() {
    stamp_drive "$work/after"
    { diff "$1" "$work/after" || true; } | sed -n 's/^> [^ ]* //p' | sort
}

# One file changed, one added; everything else must stay as it was copied.
# The changed file's earlier copy is kept in the run's versions folder under
# its path; a third run with nothing changed moves and rewrites nothing.
stamp_drive "$work/before"
sleep 1
documents=$(wpath_to_unix "$user_folder\\Documents")
earlier=$(cat "$documents/notes.txt")
printf 'changed\r\n' >"$documents/notes.txt"
printf 'new\r\n' >"$(wpath_to_unix "$public\\Music")/added.txt"
run_program
expect_success "second run"
for line in "${folders[@]}"; do expect_copied "second run" "${line#*	}"; done
rewritten_since "$work/before" >"$work/rewritten"
versions=$(grep -x "./_Backup_/%versions/[^/]*/C/users/$user/Documents/notes.txt" "$work/rewritten") ||
    fail "second run: the changed file's earlier copy is not among the versions"
[ "$(cat "$drive_e/$versions")" = "$earlier" ] || fail "second run: the version is not the earlier copy"
kept=${versions#./}
expect_traced "second run" "Earlier version kept: E:\\${kept//\//\\}"
printf '%s\n' "./_Backup_/C/users/$user/Documents/notes.txt" "$versions" \
    "./_Backup_/C/users/Public/Music/added.txt" "./_Backup_/%last backup.txt" |
    sort >"$work/expected_rewritten"
diff -u "$work/expected_rewritten" "$work/rewritten" >&2 ||
    fail "second run: other files than the changed ones were copied or moved"
stamp_drive "$work/before"
sleep 1
run_program
expect_success "third run"
[ "$(rewritten_since "$work/before")" = "./_Backup_/%last backup.txt" ] ||
    fail "third run, nothing changed: files were moved or copied again"

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
    pictures_kept=("$drive_e/_Backup_/%versions/"*"/C/users/$user/Pictures")
    if [ ! -f "${pictures_kept[-1]}/notes.txt" ] ||
        [ ! -f "${pictures_kept[-1]}/Sub Dir/deeper/R&D 100% résumé.dat" ]; then
        fail "deleted from the source: the file or the subfolder is not among the versions"
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

readme=$repo/release/README.txt.in
version=$(sed -n 's/^project(shellbackup VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
readme_line() {
    sed -n "$1" "$readme" | head -n 1 | sed -e 's/^ *//' -e "s/@PROJECT_VERSION@/$version/g"
}
# The program put at a Windows path, removed on exit.
placed=("$prefix/drive_c/task_line.txt")
remove_placed() { rm -rf -- "${placed[@]}"; }
cleanup_hooks+=(remove_placed)
place_program() {
    local path=$1 unix
    path=${path//"%USERPROFILE%"/$user_folder}
    unix=$(wpath_to_unix "${path//\"/}")
    mkdir -p "$(dirname "$unix")"
    cp "$exe" "$unix"
    placed+=("$(dirname "$unix")")
}

# Each line as one process creation, as a prompt or Task Scheduler makes it.
start_line() {
    printf '%s\n' "$1" >"$prefix/drive_c/task_line.txt"
    in_wine "$build/tests/start_as_task.exe" 'C:\task_line.txt'
}

# Where Explorer's Extract All puts the zip's files: a folder named as the
# zip, in Downloads.
place_program "%USERPROFILE%\\Downloads\\shellbackup-$version-win64\\shellbackup.exe"
example=$(readme_line '/^3\. Type the path/,/^4\./{/shellbackup\.exe"$/p}')
[ -n "$example" ] || fail "no example path in the read-me"
rc=0
printf '\n' | start_line "cmd.exe /c $example" >"$work/out.raw" 2>"$work/err" || rc=$?
tr -d '\r' <"$work/out.raw" >"$work/out"
expect_success "the read-me's example path"

program=$(readme_line 's/^  - Arguments: \/c "*\([^"]*\)".*/\1/p')
[ -n "$program" ] || fail "no program in the read-me's task arguments"
place_program "$program"
log=$(wpath_to_unix "$user_folder\\shellbackup.log")
rm -f "$log"
rc=0
start_line "$(readme_line 's/^  - Program: //p') $(readme_line 's/^  - Arguments: //p')" \
    </dev/null >"$work/task.out" 2>&1 || rc=$?
[ "$rc" -eq 0 ] || fail "the read-me's task ended with exit code $rc: $(cat "$work/task.out")"
grep -aq "Backed up completely: 11 folders" "$log" 2>/dev/null ||
    fail "the read-me's task left no verdict in its log"
rm -f "$log"

finish "backup folders"

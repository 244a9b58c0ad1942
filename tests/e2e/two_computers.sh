#!/usr/bin/env bash
# Two computers, one stick: two Wine prefixes (each with its own machine
# GUID; the second under another host name where a UTS namespace can be
# made) share one E:, with the same user name and files of the same names
# but other content in Documents and Public\Documents. Runs A, B, A, B:
# each complete; at the end every file of both is on the drive as it is on
# its computer, A's in the layout it always had, B's in a place of its own.
# An empty card-reader slot D: before E: is passed over. The drive's record
# of the last run, and that a killed run leaves it whole.
#
#   two_computers.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-two_computers}
# shellcheck source-path=SCRIPTDIR source=support/whole_program.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/whole_program.bash"

sandbox_a=$SHELLBACKUP_SANDBOX
sandbox_b=$SHELLBACKUP_SANDBOX-b
documents="$user_folder\\Documents"
public_documents="C:\\users\\Public\\Documents"
record=$drive_e/_Backup_/%last\ backup.txt

as_a() { "$@"; }
# Runs a command for computer B: its own sandbox, and its own host name
# where this user may make a UTS namespace.
as_b() {
    if unshare --uts true 2>/dev/null; then
        SHELLBACKUP_SANDBOX=$sandbox_b unshare --uts \
            bash -c 'echo other-pc >/proc/sys/kernel/hostname && "$@"' bash "$@"
    else
        SHELLBACKUP_SANDBOX=$sandbox_b "$@"
    fi
}

# Both computers' prefixes are what wpath_to_unix maps, one at a time.
unix_path_on() {
    local box=$1 path=${2//\\//}
    echo "$box/prefix/drive_c${path:2}"
}

empty_sources() {
    for box in "$sandbox_a" "$sandbox_b"; do
        for folder in "$documents" "$public_documents"; do
            rm -rf -- "$(unix_path_on "$box" "$folder")"/*
        done
    done
}
stop_b() { SHELLBACKUP_SANDBOX=$sandbox_b "$sandbox" stop; }
unmap_d() { "$sandbox" drive d none; }
cleanup_hooks+=(stop_b unmap_d empty_sources)

"$sandbox" prepare
"$sandbox" drive e floppy
empty_drive_e
# A mapping whose folder is missing: Wine calls it removable, with a volume,
# but its root cannot be read, as an empty slot's cannot on Windows.
"$sandbox" drive d floppy
rm -rf -- "$SHELLBACKUP_SANDBOX/drive-d"
SHELLBACKUP_SANDBOX=$sandbox_b "$sandbox" prepare
SHELLBACKUP_SANDBOX=$sandbox_b "$sandbox" drive e floppy "$drive_e"
empty_sources
for box in "$sandbox_a" "$sandbox_b"; do
    for folder in "$documents" "$public_documents"; do
        seed_folder "$(unix_path_on "$box" "$folder")" "$box $folder"
    done
done
guid_b=$(as_b "$sandbox" run reg query 'HKLM\Software\Microsoft\Cryptography' /v MachineGuid |
    tr -d '\r' | awk '/MachineGuid/ { print $NF }')
[ -n "$guid_b" ] || fail "computer B has no machine GUID"
place_b="E:\\_Backup_\\%computer $guid_b\\_Backup_"

run_as() {
    local who=$1
    rc=0
    printf '\n' | "as_${who,,}" "$sandbox" run "$exe" >"$work/out.raw" 2>"$work/err" || rc=$?
    tr -d '\r' <"$work/out.raw" >"$work/out"
    expect_success "run $2 of $who"
    expect_no_report "run $2 of $who"
}

for round in 1 2; do
    if [ "$round" = 2 ]; then
        for box in "$sandbox_a" "$sandbox_b"; do
            printf 'changed\r\n' >"$(unix_path_on "$box" "$documents")/notes.txt"
        done
    fi
    run_as A "$round"
    ! grep -aq 'belongs to' "$work/err" || fail "run $round of A: A was sent elsewhere"
    grep -aqF "Backed up completely: 11 folders, " "$record" ||
        fail "run $round of A: the drive's record holds no complete verdict"
    run_as B "$round"
    [ "$(grep -acF "this computer's backup goes to $place_b" "$work/err")" -eq 1 ] || {
        cat "$work/err" >&2
        fail "run $round of B: its place is not said once"
    }
done
for folder in "$documents" "$public_documents"; do
    expect_copied "computer A" "$folder"
    diff -r "$(unix_path_on "$sandbox_b" "$folder")" "$(wpath_to_unix "$place_b\\C\\${folder:3}")" >&2 ||
        fail "computer B: the copy of $folder differs"
done
grep -aqF "Identity: $guid_b" "$(wpath_to_unix "$place_b")/%computer.txt" ||
    fail "B's place does not name B"
if unshare --uts true 2>/dev/null; then
    # Windows gives computer names in capitals.
    grep -aqF "Computer: OTHER-PC" "$(wpath_to_unix "$place_b")/%last backup.txt" ||
        fail "B's record does not name its computer"
fi

# Killed in the middle of its folders, a run leaves the record as it was.
cp "$record" "$work/record_before"
printf 'x\r\n' >"$(unix_path_on "$sandbox_a" "$documents")/new.txt"
{ printf '\n' | "$sandbox" run "$exe" >"$work/out" 2>"$work/err" || true; } &
for _ in $(seq 600); do
    [ "$(grep -ac . "$work/out" 2>/dev/null)" -lt 2 ] || break
    sleep 0.1
done
"$sandbox" stop
wait || true
grep -aq 'Backed up' "$work/err" && fail "the killed run reached its verdict; kill it sooner"
cmp -s "$work/record_before" "$record" || fail "the killed run changed the drive's record"

finish "two computers"

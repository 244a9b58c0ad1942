# shellcheck shell=bash disable=SC2034,SC2154
# (variables set here are used by the scripts that source it, and the
# other way round)
#
# Shared by the whole-program checks that back up real folders under Wine.
# Source it after setting exe and build (the script's two arguments); it
# sets up the sandbox helpers, a work folder and the clean-up on exit.
#
# Windows paths are written with backslashes; wpath_to_unix maps a C: or E:
# path of the sandbox onto the host.

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
source "$repo/scripts/lib/report_failure.bash"
sandbox=$repo/scripts/sandbox
: "${SHELLBACKUP_SANDBOX:?SHELLBACKUP_SANDBOX names the sandbox of this check}"
mkdir -p "$SHELLBACKUP_SANDBOX"
SHELLBACKUP_SANDBOX=$(cd "$SHELLBACKUP_SANDBOX" && pwd -P)
export SHELLBACKUP_SANDBOX
prefix=$SHELLBACKUP_SANDBOX/prefix
drive_e=$SHELLBACKUP_SANDBOX/drive-e
user=$(id -un)
user_folder="C:\\users\\$user"
source "$repo/tests/support/check.bash"

# The copy path under test (ctest runs the copying checks on both): xcopy,
# which Wine's version source (5.1) chooses, or robocopy, with the sandbox
# presenting Windows 10 and the tests' robocopy stand-in, whose waits
# between retries last a millisecond a second here.
copy_path=${SHELLBACKUP_COPY_PATH:-xcopy}
case "$copy_path" in
    xcopy) ;;
    robocopy)
        "$sandbox" windows 10 "$build/tests"
        export SHELLBACKUP_SECOND_MS=1
        ;;
    *) fail "SHELLBACKUP_COPY_PATH is '$copy_path', not xcopy or robocopy" ;;
esac
# What robocopy is told to leave out (/xf), which the copy lacks.
left_out=()
[ "$copy_path" = xcopy ] || left_out=(-x Thumbs.db -x 'mfc*.tmp' -x 'MFC*.TMP')

# Makes a folder refuse new entries until the check ends. Permissions do
# not stop root, so for root the folder is made immutable as well; answers
# 1 when neither holds (no capability to set the attribute).
refused_folders=()
allow_writes_again() {
    local folder
    for folder in "${refused_folders[@]}"; do
        chattr -i "$folder" 2>/dev/null || true
        chmod u+w "$folder"
    done
}
refuse_writes() {
    local folder=$1
    refused_folders+=("$folder")
    chmod a-w "$folder"
    if touch "$folder/.probe" 2>/dev/null; then
        rm -f "$folder/.probe"
        chattr +i "$folder" 2>/dev/null || return 1
    fi
}

# Everything a check seeded is removed with the work folder; the prefix
# stays, its server stopped (ctest removes it when the check passes).
empty_drive_e() {
    [ ! -d "$drive_e" ] || find "$drive_e" -mindepth 1 -delete
}
cleanup_hooks=(allow_writes_again empty_drive_e)
run_cleanup() {
    local hook
    for hook in "${cleanup_hooks[@]}"; do
        "$hook" || echo "clean-up step $hook failed; the rest runs" >&2
    done
    rm -rf "$work"
    "$sandbox" stop
}
trap run_cleanup EXIT

wpath_to_unix() {
    local path=${1//\\//}
    case "$path" in
        [Cc]:*) echo "$prefix/drive_c${path:2}" ;;
        [Ee]:*) echo "$drive_e${path:2}" ;;
        *) echo "wpath_to_unix: no mapping for $1" >&2; return 1 ;;
    esac
}

# The folder below E:\_Backup_ that receives a source: the drive colon and
# every percent sign become separators, runs of separators collapse.
backup_of() {
    local relative=${1/:/\\}
    relative=${relative//%/\\}
    # shellcheck disable=SC1003 # two backslashes in a row
    while [[ "$relative" == *'\\'* ]]; do relative=${relative//\\\\/\\}; done
    echo "E:\\_Backup_\\$relative"
}

in_wine() {
    "$sandbox" run "$@"
}

# reg reports its errors on standard output: shown only when it fails.
reg_set() {
    in_wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >"$work/reg.out" 2>&1 || {
        local status=$?
        echo "reg add '$1' /v '$2' exited with status $status:" >&2
        cat "$work/reg.out" >&2
        return "$status"
    }
}

# Points TEMP and TMP of the sandbox's user at the folder, creating it.
use_temp_folder() {
    mkdir -p "$(wpath_to_unix "$1")"
    reg_set 'HKCU\Environment' TEMP "$1"
    reg_set 'HKCU\Environment' TMP "$1"
}

# Moves a shell folder of the user (registry value name: Personal,
# My Pictures, My Music, My Videos, Desktop) to a Windows path.
move_shell_folder() {
    in_wine "$build/tests/move_shell_folder.exe" "$1" "$2" || fail "could not move $1 to $2"
}

# Files of several kinds: nested folders, blanks, an ampersand, a percent
# sign, a name outside ASCII, an empty file, random content. Dated in the
# past, so that a later change is newer.
seed_folder() {
    local folder=$1 tag=$2
    mkdir -p "$folder/Sub Dir/deeper"
    printf 'text of %s\r\n' "$tag" >"$folder/notes.txt"
    head -c 3000 /dev/urandom >"$folder/Sub Dir/data (1).bin"
    head -c 200 /dev/urandom >"$folder/Sub Dir/deeper/R&D 100% résumé.dat"
    : >"$folder/empty.txt"
    find "$folder" -exec touch -d '2020-01-02 03:04:05' {} +
}

# Standard input, standard output and error go to $work/in, out, err; the
# output without carriage returns, in bytes as the program wrote them.
run_program() {
    rc=0
    printf '\n' | in_wine "$exe" >"$work/out.raw" 2>"$work/err" || rc=$?
    tr -d '\r' <"$work/out.raw" >"$work/out"
}

# Exit code 0 and the verdict that every folder's copy was confirmed (of
# eleven folders, or of the number given).
expect_success() {
    local what=$1 folders=${2:-11}
    [ "$rc" -eq 0 ] || fail "$what: exit code $rc"
    expect_ending "$what" "Backed up completely: $folders folders, "
}

# Exit code 1 and the verdict that so many folders fall short.
expect_shortfall() {
    local what=$1 folders=$2
    [ "$rc" -eq 1 ] || fail "$what: exit code $rc"
    expect_ending "$what" "Not backed up completely: $folders of 11 folders fall short"
}

# The heading, the verdict and the prompt, in that order.
expect_ending() {
    local what=$1 verdict=$2
    [ "$(head -n 1 "$work/out")" = "test x_CopyCommand" ] || fail "$what: no heading"
    [ "$(tail -c 7 "$work/err")" = "wait..." ] ||
        fail "$what: standard error ends in '$(tail -c 60 "$work/err")'"
    tr -d '\r' <"$work/err" | tail -n 2 | head -n 1 | grep -aqF "$verdict" || {
        cat "$work/err" >&2
        fail "$what: no verdict '$verdict' before the prompt"
    }
}

# The folder lines in the program's ANSI code page (UTF-8, which its
# manifest asks for, unless given), compared with $work/expected_lines
# (UTF-8, one "identifier<TAB>path" a line).
expect_folder_lines() {
    local what=$1 code_page=${2:-UTF-8}
    iconv -f UTF-8 -t "$code_page" "$work/expected_lines" >"$work/expected_ansi"
    grep -aP '^[0-9a-f]{8}\t' "$work/out" >"$work/folders" || true
    cmp -s "$work/expected_ansi" "$work/folders" || {
        diff -a -u "$work/expected_ansi" "$work/folders" >&2 || true
        fail "$what: folder lines differ"
    }
}

# Source folder (Windows path) against its copy below E:\_Backup_.
expect_copied() {
    local what=$1 source=$2 copy
    copy=$(wpath_to_unix "$(backup_of "$source")")
    if [ ! -d "$copy" ]; then
        fail "$what: no copy of $source at $copy"
    elif ! diff -r "${left_out[@]}" "$(wpath_to_unix "$source")" "$copy" >&2; then
        fail "$what: the copy of $source differs"
    fi
}

# Every file below E: with its change time, to tell rewritten files.
stamp_drive() {
    (cd "$drive_e" && find . -type f -printf '%C@ %p\n' | sort -k2) >"$1"
}


# The program's hourly trace log holds a line with the text.
trace_folder=$(wpath_to_unix "$user_folder\\Temp\\v_Urivu.tmp\\_trace_\\QX")
expect_traced() {
    cat "$trace_folder"/*.txt 2>/dev/null | tr -d '\r' | grep -aqF -- "$2" ||
        fail "$1: no line in the trace log with '$2'"
}

# The program's line on standard error for a folder it could not copy.
expect_no_report() {
    ! grep -a 'Not backed up' "$work/err" >&2 || fail "$1: a folder was reported as not backed up"
}
expect_report() {
    expect_err_line "$1" "Not backed up: $2"
}
expect_err_line() {
    grep -aqF "$2" "$work/err" || {
        cat "$work/err" >&2
        fail "$1: no line on standard error with '$2'"
    }
}

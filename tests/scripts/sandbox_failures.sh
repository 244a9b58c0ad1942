#!/usr/bin/env bash
# scripts/sandbox against stand-ins for wine and wineserver (no Wine runs):
# a Wine step that fails says so with Wine's own output, which Wine's tools
# write on standard output; an incomplete prefix is made again, at most
# three times; a drive value is written until the saved registry holds it;
# a preparation that cannot succeed ends with the reason and no marker.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

sandbox_script=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)/sandbox
source "$(dirname "${BASH_SOURCE[0]}")/../support/check.bash"

# The stand-ins count their calls in $STAND_IN_CALLS and behave as
# STAND_IN_BOOT (complete, partial, failing, hanging) and STAND_IN_REG (works,
# missing: what Wine answers when the prefix has no reg.exe, second: fails
# once, then works) say.
mkdir -p "$work/bin"
cat >"$work/bin/wineserver" <<'STAND_IN'
#!/usr/bin/env bash
[ "$1" != -k ] || exit 1
exit 0
STAND_IN
cat >"$work/bin/wine" <<'STAND_IN'
#!/usr/bin/env bash
set -euo pipefail
echo "$*" >>"$STAND_IN_CALLS"
calls() { grep -c "^$1" "$STAND_IN_CALLS"; }
make_prefix() {
    local file
    mkdir -p "$WINEPREFIX/dosdevices" "$WINEPREFIX/drive_c/users/$(id -un)" \
        "$WINEPREFIX/drive_c/users/Public" "$WINEPREFIX/drive_c/windows/system32"
    ln -sfn ../drive_c "$WINEPREFIX/dosdevices/c:"
    ln -sfn "$STAND_IN_HOME" "$WINEPREFIX/drive_c/users/$(id -un)/Documents"
    printf '[Software\\\\Wine\\\\Drives] 1\n\n' >"$WINEPREFIX/system.reg"
    for file in user.reg userdef.reg .update-timestamp drive_c/windows/explorer.exe; do
        echo x >"$WINEPREFIX/$file"
    done
    [ "$STAND_IN_BOOT" = partial ] && return
    for file in cmd reg xcopy winver; do echo x >"$WINEPREFIX/drive_c/windows/system32/$file.exe"; done
}
case "$1 $2" in
    "wineboot --init")
        [ "$STAND_IN_BOOT" != failing ] || { echo "wineboot: no display"; exit 3; }
        [ "$STAND_IN_BOOT" != hanging ] || exec sleep 60
        make_prefix ;;
    "reg add")
        if [ "$STAND_IN_REG" = missing ] || { [ "$STAND_IN_REG" = second ] && [ "$(calls "reg add")" -lt 2 ]; }; then
            echo "ShellExecuteEx failed: File not found."
            exit 1
        fi
        awk -v value="\"$5\"=\"$9\"" '{ print } index($0, "[Software\\\\Wine\\\\Drives]") == 1 { print value }' \
            "$WINEPREFIX/system.reg" >"$WINEPREFIX/system.new"
        mv "$WINEPREFIX/system.new" "$WINEPREFIX/system.reg"
        echo "reg: The operation completed successfully" ;;
    *) exit 0 ;;
esac
STAND_IN
chmod +x "$work/bin/wine" "$work/bin/wineserver"

# Prepares (and maps drive f:) in a new sandbox; $status, $work/err.
run_sandbox() {
    local boot=$1 reg=$2 home
    export SHELLBACKUP_SANDBOX=$work/sandbox-$boot-$reg STAND_IN_BOOT=$boot STAND_IN_REG=$reg
    export STAND_IN_CALLS=$SHELLBACKUP_SANDBOX.calls
    home=$SHELLBACKUP_SANDBOX.home
    export STAND_IN_HOME=$home
    mkdir -p "$home"
    : >"$STAND_IN_CALLS"
    status=0
    PATH=$work/bin:$PATH "$sandbox_script" prepare >/dev/null 2>"$work/err" || status=$?
    [ "$status" -ne 0 ] ||
        PATH=$work/bin:$PATH "$sandbox_script" drive f floppy >/dev/null 2>>"$work/err" || status=$?
}

calls() { grep -c "^$1" "$STAND_IN_CALLS" || true; }

expect_error() {
    local what=$1 text=$2
    grep -qF -- "$text" "$work/err" || {
        sed 's/^/    /' "$work/err" >&2
        fail "$what: standard error does not say '$text'"
    }
}

run_sandbox complete works
[ "$status" -eq 0 ] || { cat "$work/err" >&2; fail "a complete prefix: exit status $status"; }
[ -f "$SHELLBACKUP_SANDBOX/.prepared" ] || fail "a complete prefix: no marker"
[ "$(calls "wineboot")" -eq 1 ] || fail "a complete prefix: $(calls wineboot) wineboot runs, not 1"
grep -q '^"e:"="floppy"' "$SHELLBACKUP_SANDBOX/prefix/system.reg" || fail "a complete prefix: no e: value"
grep -q '^"f:"="floppy"' "$SHELLBACKUP_SANDBOX/prefix/system.reg" || fail "a complete prefix: no f: value"
[ ! -L "$SHELLBACKUP_SANDBOX/prefix/drive_c/users/$(id -un)/Documents" ] ||
    fail "a complete prefix: the Documents link to the home folder remains"

# Removal takes the sandbox whole but nothing a link in it leads to, and
# no folder without a prefix.
mkdir -p "$work/outside" "$work/no-prefix"
touch "$work/outside/kept" "$work/no-prefix/kept"
ln -s "$work/outside" "$SHELLBACKUP_SANDBOX/prefix/dosdevices/g:"
PATH=$work/bin:$PATH "$sandbox_script" remove 2>"$work/err" || fail "remove: exit status $?"
[ ! -e "$SHELLBACKUP_SANDBOX" ] || fail "remove: the sandbox is still there"
[ -f "$work/outside/kept" ] || fail "remove: what a link led to went too"
! SHELLBACKUP_SANDBOX=$work/no-prefix "$sandbox_script" remove 2>/dev/null ||
    fail "remove: a folder without a prefix was taken"
[ -f "$work/no-prefix/kept" ] || fail "remove: a folder without a prefix lost its file"

run_sandbox partial works
[ "$status" -ne 0 ] || fail "a prefix without its programs: exit status 0"
[ "$(calls "wineboot")" -eq 3 ] || fail "a prefix without its programs: $(calls wineboot) wineboot runs, not 3"
expect_error "a prefix without its programs" "wineboot left $SHELLBACKUP_SANDBOX/prefix without drive_c/windows/system32/cmd.exe"
expect_error "a prefix without its programs" "no complete prefix after 3 tries"
[ ! -f "$SHELLBACKUP_SANDBOX/.prepared" ] || fail "a prefix without its programs: marker written"
[ "$(calls "reg")" -eq 0 ] || fail "a prefix without its programs: reg started"

run_sandbox failing works
[ "$status" -ne 0 ] || fail "a failing wineboot: exit status 0"
expect_error "a failing wineboot" "wine wineboot --init' exited with status 3"
expect_error "a failing wineboot" "wineboot: no display"

SHELLBACKUP_BOOT_LIMIT=1 run_sandbox hanging works
[ "$status" -ne 0 ] || fail "a hanging wineboot: exit status 0"
[ "$(calls "wineboot")" -eq 3 ] || fail "a hanging wineboot: $(calls wineboot) wineboot runs, not 3"
expect_error "a hanging wineboot" "wineboot did not finish within 1 s"

run_sandbox complete missing
[ "$status" -ne 0 ] || fail "reg add failing: exit status 0"
[ "$(calls "reg add")" -eq 3 ] || fail "reg add failing: $(calls "reg add") tries, not 3"
expect_error "reg add failing" "ShellExecuteEx failed: File not found."
expect_error "reg add failing" "drive e: is '' in $SHELLBACKUP_SANDBOX/prefix/system.reg, not 'floppy', after 3 tries"
[ ! -f "$SHELLBACKUP_SANDBOX/.prepared" ] || fail "reg add failing: marker written"

run_sandbox complete second
[ "$status" -eq 0 ] || { cat "$work/err" >&2; fail "reg add failing once: exit status $status"; }
expect_error "reg add failing once" "drive e: not saved as 'floppy'; try 2 of 3"
[ "$(calls "reg add")" -eq 3 ] || fail "reg add failing once: $(calls "reg add") tries, not 3 (e twice, f once)"

finish sandbox_failures

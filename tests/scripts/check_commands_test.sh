#!/usr/bin/env bash
# The command guard finds what a script really runs, and fails on the faults
# it exists for: a command nobody listed, a package that does not own the
# command it is listed for (the wine64 and wineserver case), a package that
# not every system has, a listed command nothing runs. The install step's
# own check names a missing command and its package in one line.
# Needs what scripts/install-deps installs (wine, git).
#
#   check_commands_test.sh [REPOSITORY]
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=../../scripts/lib/report_failure.bash
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

# shellcheck source-path=SCRIPTDIR source=../support/check.bash
source "$(dirname "${BASH_SOURCE[0]}")/../support/check.bash"

repo=$(cd "${1:-$(dirname "${BASH_SOURCE[0]}")/../..}" && pwd)

# Quoted text, here-documents, case patterns, [[ ]] and (( )) hold no
# commands; wrappers (env, xargs, timeout, a function running "$@") and
# find -exec do, and so do $( ) in an unquoted here-document.
extracts_what_runs() {
    cat >"$work/fixture.sh" <<'SCRIPT'
#!/usr/bin/env bash
# rm -rf / in a comment runs nothing
repo=$(cd "$(dirname "$0")" && pwd)
packages=(
    cmake "$(uname -r)" # gcc
)
helper() { HOME=/x "$@"; }
helper wget -q
run_in() { "$sandbox" run "$@"; }
run_in reg add x
case $1 in
    fix | format) clang-format -i x ;;
    (*) echo "usage; notacommand" ;;
esac
if [[ $x =~ ^(a|b)$ ]]; then tar -c x; fi
(( count > 1 )) && gzip x
echo "$((1 + 2)) ${x//a/b}" | tr a b
python3 - <<'PY'
import os; subprocess.run(["curl"])
PY
cat <<EOF
$(date) "text"
EOF
awk '{ print $1 }
     # sort' file
xargs -P "$(nproc)" -n 4 clang-tidy -p x
find . -exec touch {} \; -name x
exec 9>"$lock"
command -v sudo >/dev/null 2>&1
timeout 5 env LC_ALL=C /usr/bin/sort x
timeout 300 "$sandbox" run x
flock -w "$wait" 9 uniq x
scripts/sandbox prepare
while IFS= read -r line; do :; done < <(ls -1)
SCRIPT
    local found expected="awk cat clang-format clang-tidy date dirname env find flock gzip ls nproc"
    expected+=" python3 sort tar timeout touch tr uname uniq wget xargs"
    found=$(awk -f "$repo/scripts/lib/simple_commands.awk" "$work/fixture.sh" |
        awk -v builtins="$(compgen -b -k | tr '\n' ' ')" -f "$repo/scripts/lib/external_commands.awk" |
        cut -f1 | sort -u | tr '\n' ' ')
    [ "$found" = "$expected " ] || fail "extracted: $found; expected: $expected"
}

# A copy of what the guard reads, to change without touching the repository.
copy_repository() {
    local copy=$work/$1
    mkdir -p "$copy/tests"
    cp -r "$repo/scripts" "$repo/bench" "$repo/cmake" "$repo/CMakePresets.json" \
        "$repo/CMakeLists.txt" "$copy/"
    cp -r "$repo/tests/e2e" "$repo/tests/release" "$repo/tests/CMakeLists.txt" "$copy/tests/"
    [ ! -d "$repo/.ci" ] || cp -r "$repo/.ci" "$copy/"
    git -C "$copy" init -q
    git -C "$copy" add -A
    echo "$copy"
}

# guard COPY EXPECTED_STATUS: runs it, output in $work/out.
guard() {
    local status=0
    "$1/scripts/check-commands" >"$work/out" 2>&1 || status=$?
    [ "$status" -eq "$2" ] || fail "check-commands in $1 exited $status, not $2: $(cat "$work/out")"
}

says() {
    grep -qF -- "$1" "$work/out" || fail "check-commands did not say: $1 (it said: $(cat "$work/out"))"
}

passes_as_committed() {
    guard "$(copy_repository clean)" 0
}

finds_an_unlisted_command() {
    local copy
    copy=$(copy_repository unlisted)
    printf '#!/usr/bin/env bash\njq . x | sort\n' >"$copy/bench/probe.sh"
    guard "$copy" 1
    says "bench/probe.sh:2 runs 'jq', which scripts/install-deps does not list"
}

# The lines changed: wineserver claimed for wine64, cat (recorded by dpkg
# as /bin/cat) for bash, git claimed to be on every system, and zip given a
# command nothing runs.
finds_wrong_claims() {
    local copy list
    copy=$(copy_repository claims)
    list=$copy/scripts/install-deps
    sed -i -E 's/^(wine +install +)wine wineserver/\1wine/; s/^(wine64 +install)/\1 wineserver/' "$list"
    sed -i -E 's/^(coreutils +base +basename) cat /\1 /; s/^(bash +base +bash)/\1 cat/' "$list"
    sed -i -E 's/^git +install +git/git base git/; s/^(zip +install)/\1 zip/' "$list"
    guard "$copy" 1
    says "'wineserver' comes from package wine, but scripts/install-deps says wine64"
    says "'cat' comes from package coreutils, but scripts/install-deps says bash"
    says "git is listed as on every system, but its priority is 'optional'"
    says "scripts/install-deps lists 'zip', which nothing runs"
}

install_step_names_the_package() {
    local copy message status=0
    copy=$(copy_repository install)
    sed -i "/^PACKAGES\$/i wine64 install wine64-loader" "$copy/scripts/install-deps"
    message=$(cd "$copy" && bash -c 'source scripts/lib/packages.bash && check_commands install-deps install' 2>&1) ||
        status=$?
    [ "$status" -eq 1 ] || fail "check_commands exited $status"
    [ "$message" = "install-deps: 'wine64-loader' is not on PATH; Debian package 'wine64' provides it" ] ||
        fail "check_commands said: $message"
}

extracts_what_runs
passes_as_committed
finds_an_unlisted_command
finds_wrong_claims
install_step_names_the_package
finish check_commands_test

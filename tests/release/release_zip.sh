#!/usr/bin/env bash
# The release a Windows user downloads: the manifest read back from the
# program (UTF-8 as its code page, run as invoker, the Windows versions it
# was tested against), and the zip made by cpack: the stripped program and
# the read-me with Windows line ends, nothing else, and a SHA-256 checksum
# beside it that holds.
#
#   release_zip.sh BUILD_DIR SHELLBACKUP_EXE
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"
source "$(dirname "${BASH_SOURCE[0]}")/../support/check.bash"

build=$1
exe=$2

wrestool -x --raw --type=24 --name=1 "$exe" >"$work/manifest.xml" ||
    fail "no manifest (resource 1 of type 24) in $exe"
for wanted in \
    '<activeCodePage xmlns="http://schemas.microsoft.com/SMI/2019/WindowsSettings">UTF-8</activeCodePage>' \
    '<requestedExecutionLevel level="asInvoker" uiAccess="false"/>' \
    '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
    grep -qF -- "$wanted" "$work/manifest.xml" || fail "the manifest lacks $wanted"
done

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.out" 2>&1) ||
    { cat "$work/cpack.out" >&2; fail "cpack failed"; }
zip=$(find "$work/package" -maxdepth 1 -name 'shellbackup-*-win64.zip')
[ -n "$zip" ] || fail "no zip made"
(cd "$work/package" && sha256sum -c "$(basename "$zip").sha256" >/dev/null) ||
    fail "the checksum beside the zip does not hold"
unzip -Z1 "$zip" | sort >"$work/listing"
printf '%s\n' README.txt shellbackup.exe >"$work/expected"
diff -u "$work/expected" "$work/listing" >&2 || fail "the zip holds other files"
mkdir "$work/unzipped"
unzip -q "$zip" -d "$work/unzipped"
x86_64-w64-mingw32-objdump -h "$work/unzipped/shellbackup.exe" | grep -q '\.debug' &&
    fail "the program in the zip is not stripped"
wrestool -x --raw --type=24 --name=1 "$work/unzipped/shellbackup.exe" | cmp -s - "$work/manifest.xml" ||
    fail "the program in the zip lost its manifest"
lines=$(wc -l <"$work/unzipped/README.txt")
[ "$(grep -c $'\r$' "$work/unzipped/README.txt")" -eq "$lines" ] ||
    fail "README.txt has lines without Windows line ends"

finish "release zip"

#!/usr/bin/env bash
# A removable drive that refuses every write: the program goes through all
# eleven folders, names each as not backed up completely, prints "wait..."
# and ends with exit code 1, and the sources stay exactly as they were.
#
#   refusing_destination.sh SHELLBACKUP_EXE BUILD_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/report_failure.bash"

exe=$1
build=$2
export SHELLBACKUP_SANDBOX=${SHELLBACKUP_SANDBOX:-$build/sandbox-refusing_destination}
# shellcheck source-path=SCRIPTDIR source=support/whole_program.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/whole_program.bash"
# shellcheck source-path=SCRIPTDIR source=support/eleven_folders.bash
source "$(dirname "${BASH_SOURCE[0]}")/support/eleven_folders.bash"

prepare_seeded_sandbox
checksum_sources "$work/sources_before"
if ! refuse_writes "$drive_e"; then
    # Without the capability to make the drive immutable, a file standing
    # where _Backup_ belongs refuses every folder below it just the same.
    allow_writes_again
    printf 'not a folder\r\n' >"$drive_e/_Backup_"
fi

run_program
expect_shortfall "refusing destination" 11
expect_folder_lines "refusing destination"
checksum_sources "$work/sources_after"
diff -u "$work/sources_before" "$work/sources_after" >&2 ||
    fail "the sources changed while the destination refused writes"
[ -z "$(find "$drive_e" -mindepth 1 -type d)" ] || fail "folders appeared on the refusing drive"

finish "refusing destination"

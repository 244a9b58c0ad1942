#!/usr/bin/env bash
# Runs one whole-program check and removes its sandbox when it passes: a
# Wine prefix takes some 700 MB, and kept for every check they outgrow the
# free space of a build machine. A check that fails keeps its sandbox for a
# look. SHELLBACKUP_KEEP_SANDBOXES=1 keeps them all (faster reruns).
# Arguments: the check script, then its own arguments.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
: "${SHELLBACKUP_SANDBOX:?SHELLBACKUP_SANDBOX names the sandbox of this check}"

status=0
bash "$@" || status=$?
if [ "$status" -ne 0 ] || [ -n "${SHELLBACKUP_KEEP_SANDBOXES:-}" ]; then
    echo "the sandbox stays: $SHELLBACKUP_SANDBOX" >&2
    exit "$status"
fi
# A check that plays a second computer has a second sandbox beside its own.
for box in "$SHELLBACKUP_SANDBOX" "$SHELLBACKUP_SANDBOX"-*; do
    [ ! -d "$box" ] || SHELLBACKUP_SANDBOX=$box "$repo/scripts/sandbox" remove || status=$?
done
exit "$status"

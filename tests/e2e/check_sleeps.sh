#!/usr/bin/env bash
# No end-to-end session (of the editor, or of the setup program under Wine) sleeps a fixed time
# to wait for something: it waits for what it can see (a window, the accessibility tree, a file,
# the screen) with a deadline, through e2e_wait_for or wait_until. A sleep that stays (a
# measurement window, a hand's pace, an interval let run out on purpose) says why on its own
# line, so that a blind wait cannot slip in unremarked.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
blind=$(grep -nE '(^|[^[:alnum:]_.])sleep[[:space:]]+[0-9.]+' e2e/*.sh setup/e2e/*.sh |
    grep -vE ':[0-9]+:[[:space:]]*#' | grep -vE 'sleep[[:space:]]+[0-9.]+.*[[:space:]]# ' || true)
if [ -n "$blind" ]; then
    echo "sleeps without a reason on their line (wait with e2e_wait_for or wait_until instead):"
    echo "$blind"
    exit 1
fi
echo "every sleep in the end-to-end sessions says why"

#!/usr/bin/env bash
# Starts the built Kelvane in a virtual X server with a file on its command line, checks the
# backup copy and the settings store, takes a screenshot and exits through File > Exit.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
mkdir -p "$OUT/work dir"
SAMPLE="$OUT/work dir/sample file.c"
printf '/* A sample */\r\n#include <stdio.h>\r\n\r\nint main(void)\r\n{\r\n    printf("hello\\n");\r\n    return 0;\r\n}\r\n' > "$SAMPLE"

e2e_session "$1" "$OUT/main-window.png" "$SAMPLE"

[ -f "$SAMPLE~" ] || fail "no backup copy $SAMPLE~"
head -c 5 "$SAMPLE~" | grep -q '{\\rtf' || fail "the backup copy is not RTF"
[ -f "$INI" ] || fail "no settings store at $INI"
grep -q '^First%20Load=False' "$INI" || fail "First Load is not False: $(cat "$INI")"
grep -q '^ToolBar=True' "$INI" || fail "the shut-down did not write the pane state"
grep -qF "RecentFile1=$SAMPLE" "$INI" || fail "the file is not first in the recent list"
[ -s "$OUT/main-window.png" ] || fail "no screenshot"
echo "PASS: screenshot in $OUT/main-window.png"

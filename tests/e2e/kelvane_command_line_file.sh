#!/usr/bin/env bash
# Starts the built Kelvane in a virtual X server with a file on its command line, checks the
# backup copy and the settings store, takes a screenshot and exits through File > Exit.
set -euo pipefail
KELVANE="$1"
OUT="$2"
rm -rf "$OUT" && mkdir -p "$OUT"
export HOME="$OUT/home" XDG_CONFIG_HOME="$OUT/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$OUT/work dir"
SAMPLE="$OUT/work dir/sample file.c"
printf '/* A sample */\r\n#include <stdio.h>\r\n\r\nint main(void)\r\n{\r\n    printf("hello\\n");\r\n    return 0;\r\n}\r\n' > "$SAMPLE"

cat > "$OUT/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
KELVANE="$1"; SAMPLE="$2"; OUT="$3"
"$KELVANE" "$SAMPLE" > "$OUT/kelvane.log" 2>&1 &
PID=$!
WINDOW=""
for _ in $(seq 1 100); do
    WINDOW=$(xdotool search --onlyvisible --name '^Kelvane' 2>/dev/null | head -n1 || true)
    # The splash carries the same title; the main window is the one with a menu, so wait for
    # the splash to go away (it is gone once the main window has loaded).
    if [ -n "$WINDOW" ] && [ "$(xdotool search --onlyvisible --name '^Kelvane' | wc -l)" -eq 1 ] \
        && [ "$(xdotool getwindowgeometry "$WINDOW" | awk '/Geometry/{print $2}' | cut -dx -f1)" -gt 600 ]; then
        break
    fi
    sleep 0.1
done
[ -n "$WINDOW" ] || { echo "the main window never appeared"; kill $PID; exit 1; }
sleep 1.5
xwd -root -silent | convert xwd:- png:"$OUT/main-window.png"
xdotool windowfocus --sync "$WINDOW" || true
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
for _ in $(seq 1 100); do
    kill -0 $PID 2>/dev/null || break
    sleep 0.1
done
if kill -0 $PID 2>/dev/null; then
    echo "Kelvane did not exit through File > Exit"; kill $PID; exit 1
fi
wait $PID
SESSION
chmod +x "$OUT/session.sh"
xvfb-run -a -s "-screen 0 1280x800x24" "$OUT/session.sh" "$KELVANE" "$SAMPLE" "$OUT"

fail() { echo "FAIL: $*"; exit 1; }
[ -f "$SAMPLE~" ] || fail "no backup copy $SAMPLE~"
head -c 5 "$SAMPLE~" | grep -q '{\\rtf' || fail "the backup copy is not RTF"
INI="$XDG_CONFIG_HOME/Kelvane/Kelvane.ini"
[ -f "$INI" ] || fail "no settings store at $INI"
grep -q '^First%20Load=False' "$INI" || fail "First Load is not False: $(cat "$INI")"
grep -q '^ToolBar=True' "$INI" || fail "the shut-down did not write the pane state"
grep -qF "RecentFile1=$SAMPLE" "$INI" || fail "the file is not first in the recent list"
[ -s "$OUT/main-window.png" ] || fail "no screenshot"
echo "PASS: screenshot in $OUT/main-window.png"

#!/usr/bin/env bash
# Types a keyword without Enter, gives the focus to another program's window and comes back:
# coming back to the same document is no activation of a document, so the keyword stays
# uncoloured, the status bar says nothing new and the switch costs no more than a repaint.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
e2e_coloured_settings

cat > "$OUT/switch.sh" <<'ACTIONS'
#!/usr/bin/env bash
set -euo pipefail
source "$E2E_SESSION_LIB"
WINDOW="$1"
PID=$(xdotool getwindowpid "$WINDOW")
TICK=$(getconf CLK_TCK)
cpu_ms() { awk -v tick="$TICK" '{print int(($14 + $15) * 1000 / tick)}' "/proc/$PID/stat"; }
xdotool windowfocus --sync "$WINDOW"
xdotool type --delay 30 "int"
# The keyword is in the document, and everything the typing set off has been painted (the
# editor colours on its own loop, with no timer: once the screen is still, it is done).
e2e_wait_for 10 e2e_shows_text "@text" "int" || { echo "the typed keyword never showed"; exit 1; }
e2e_settle
import -window root png:"$OUT/typed.png"
BEFORE=$(cpu_ms)
xlogo -geometry 300x300+900+100 &
LOGO=$!
OTHER=""
_other_shown() {
    OTHER=$(xdotool search --onlyvisible --class '^xlogo$' 2>/dev/null | head -1 || true)
    [ -n "$OTHER" ]
}
e2e_wait_for 10 _other_shown || { echo "the other window never appeared"; kill $LOGO; exit 1; }
xdotool windowfocus --sync "$OTHER"
e2e_settle
xdotool windowfocus --sync "$WINDOW"
e2e_settle
echo $(($(cpu_ms) - BEFORE)) > "$OUT/switch-cpu-ms"
import -window root png:"$OUT/switched-back.png"
kill $LOGO
# The typed text is still there to be saved or thrown away: leave without saving it.
e2e_answer '^Save Changes\?$' n &
ACTIONS
chmod +x "$OUT/switch.sh"
export OUT
E2E_ACTIONS="$OUT/switch.sh" e2e_session "$1" "$OUT/started.png"

# Keyword colour 0 is 0xC00000 (BGR), that is RGB #0000C0.
keyword_pixels() {
    convert "$1" -fill black +opaque '#0000C0' -fill white -opaque '#0000C0' -format '%[fx:mean*w*h]' info:
}
[ "$(keyword_pixels "$OUT/typed.png")" = 0 ] || fail "typing alone coloured the keyword"
[ "$(keyword_pixels "$OUT/switched-back.png")" = 0 ] ||
    fail "coming back from another window coloured the document"
# The status bar is the bottom strip of the screen: the same before and after the switch.
status() { convert "$1" -crop 1280x24+0+776 -depth 8 rgb:- | md5sum; }
[ "$(status "$OUT/typed.png")" = "$(status "$OUT/switched-back.png")" ] ||
    fail "the status bar changed on coming back"
SWITCH=$(cat "$OUT/switch-cpu-ms")
[ "$SWITCH" -lt 150 ] || fail "the switch away and back cost $SWITCH ms of CPU"
echo "PASS: the switch cost $SWITCH ms of CPU; screenshots in $OUT"

#!/usr/bin/env bash
# Windows shown while Kelvane starts must paint: the "File I/O Error" box raised over the splash
# when the "~" backup of a file named on the command line cannot be written, and the Tip of the
# Day over a main window restored from a stored height of -5. Each is answered with Enter, as a
# person would, and the session then leaves through File > Exit.
#
# The screen is read from the X server's framebuffer (Xvfb -fbdir). `xwd -root` is not used here:
# where two of Qt's windows overlap and the lower one leaves the root window partly visible, it
# returns the upper window black although the screen shows it painted.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
KELVANE="$1"
LOCKED="$OUT/locked"
mkdir -p "$LOCKED" "$OUT/fb"
printf 'int main(void)\r\n{\r\n    return 0;\r\n}\r\n' > "$LOCKED/main.c"

# A folder nobody may write into: root is stopped only by the immutable flag.
lock() {
    if [ "$(id -u)" -eq 0 ]; then chattr "$1" "$LOCKED"; else
        [ "$1" = "+i" ] && chmod 555 "$LOCKED" || chmod 755 "$LOCKED"
    fi
}
lock +i || fail "cannot lock $LOCKED"
trap 'lock -i || true' EXIT

cat > "$OUT/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
KELVANE="$1"; OUT="$2"; TITLE="$3"; SHOT="$4"; shift 4
"$KELVANE" "$@" > "$OUT/kelvane-$SHOT.log" 2>&1 &
PID=$!
source "$E2E_SESSION_LIB"
BOX=$(e2e_window "^$TITLE\$") || { echo "no window '$TITLE' appeared"; kill $PID; exit 1; }
e2e_settle
convert "xwd:$OUT/fb/Xvfb_screen0" png:"$OUT/$SHOT.png"
xdotool getwindowgeometry --shell "$BOX" > "$OUT/$SHOT.geometry"
xdotool windowfocus --sync "$BOX" || true
xdotool key --clearmodifiers Return
e2e_window_gone "^$TITLE\$" || { echo "Enter did not close '$TITLE'"; kill $PID; exit 1; }
MAIN=$(e2e_main_window) || { echo "the main window did not come up after '$TITLE'"; kill $PID; exit 1; }
e2e_exit_through_menu "$MAIN" $PID
SESSION
chmod +x "$OUT/session.sh"

session() {
    rm -f "$OUT/fb/Xvfb_screen0"
    e2e_x_session --fbdir "$OUT/fb" "$OUT/session.sh" "$KELVANE" "$OUT" "$@"
}

# The box's inside, as the screen shows it: a painted box is mostly its light face with dark
# text; an unpainted one is a single colour.
check_painted() {
    local shot="$OUT/$1.png" X Y WIDTH HEIGHT
    eval "$(grep -E '^(X|Y|WIDTH|HEIGHT)=' "$OUT/$1.geometry")"
    local crop="$OUT/$1-box.png"
    convert "$shot" -crop "$((WIDTH - 8))x$((HEIGHT - 8))+$((X + 4))+$((Y + 4))" +repage "$crop"
    local mean colours
    mean=$(convert "$crop" -colorspace Gray -format '%[fx:mean]' info:)
    colours=$(convert "$crop" -format '%k' info:)
    awk -v m="$mean" 'BEGIN { exit !(m > 0.5) }' || fail "$2 is dark on the screen (mean $mean): $crop"
    [ "$colours" -gt 10 ] || fail "$2 shows $colours colours, no text: $crop"
}

# 1. The backup of a file in the locked folder fails while the splash is up.
session "File I/O Error" backup-error "$LOCKED/main.c"
check_painted backup-error "the File I/O Error box"

# 2. A stored height of -5 and tips shown at start-up.
printf '[Settings]\nMainHeight=-5\n[Options]\nShow%%20Tips%%20at%%20Startup=1\n' > "$INI"
session "Tip of the Day" tip
check_painted tip "the Tip of the Day"
echo "PASS: screenshots in $OUT"

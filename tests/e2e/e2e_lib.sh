#!/usr/bin/env bash
# Shared by the end-to-end scripts: a private home and settings folder, and one session of the
# built Kelvane in a virtual X server that takes a screenshot and leaves through File > Exit.

# Prepares $OUT with its own HOME and XDG_CONFIG_HOME; the settings file is $INI.
e2e_prepare() {
    OUT="$1"
    rm -rf "$OUT" && mkdir -p "$OUT"
    export HOME="$OUT/home" XDG_CONFIG_HOME="$OUT/config"
    mkdir -p "$HOME" "$XDG_CONFIG_HOME/Kelvane"
    INI="$XDG_CONFIG_HOME/Kelvane/Kelvane.ini"
    # No Tip of the Day at start-up: it is modal and would stand between a session and the menus.
    printf '[Options]\nShow%%20Tips%%20at%%20Startup=0\n' > "$INI"
}

fail() {
    echo "FAIL: $*"
    exit 1
}

# e2e_session KELVANE SCREENSHOT [ARGUMENT]: runs Kelvane (with the argument on its command
# line), waits for the main window, saves a screenshot, runs the script named by E2E_ACTIONS
# (if any) with the window's id, and exits through File > Exit.
e2e_session() {
    local session="$OUT/session.sh"
    cat > "$session" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
KELVANE="$1"; SHOT="$2"; LOG="$3"; shift 3
"$KELVANE" "$@" > "$LOG" 2>&1 &
PID=$!
main_window() {
    # The splash has the same title; the main window is the wide one left once it is gone.
    local ids
    ids=$(xdotool search --onlyvisible --name '^Kelvane' 2>/dev/null || true)
    [ "$(echo "$ids" | grep -c .)" -eq 1 ] || return 1
    [ "$(xdotool getwindowgeometry "$ids" | awk '/Geometry/{print $2}' | cut -dx -f1)" -gt 600 ] || return 1
    echo "$ids"
}
WINDOW=""
for _ in $(seq 1 150); do
    WINDOW=$(main_window) && break
    sleep 0.1
done
[ -n "$WINDOW" ] || { echo "the main window never appeared"; kill $PID; exit 1; }
sleep 1.5
# `import` reads the screen as shown; `xwd -root` returns a window that overlaps another of Qt's
# windows black.
import -window root png:"$SHOT"
# A test may act on the window (keys, mouse) before the session ends.
if [ -n "${E2E_ACTIONS:-}" ]; then
    "$E2E_ACTIONS" "$WINDOW"
fi
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
    chmod +x "$session"
    xvfb-run -a -s "-screen 0 1280x800x24" "$session" "$1" "$2" "$OUT/kelvane.log" "${@:3}"
}

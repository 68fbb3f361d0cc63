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

# The session scripts source this for the steps they share.
export E2E_SESSION_LIB
E2E_SESSION_LIB="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/session_lib.sh"

fail() {
    echo "FAIL: $*"
    exit 1
}

# e2e_session KELVANE SCREENSHOT [ARGUMENT]: runs Kelvane (with the argument on its command
# line), waits for the main window, saves a screenshot, runs the script named by E2E_ACTIONS
# (if any) with the window's id, and exits through File > Exit. E2E_WRAP (say
# "dbus-run-session --") runs the session inside that command.
e2e_session() {
    local session="$OUT/session.sh"
    cat > "$session" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
KELVANE="$1"; SHOT="$2"; LOG="$3"; shift 3
"$KELVANE" "$@" > "$LOG" 2>&1 &
PID=$!
source "$E2E_SESSION_LIB"
WINDOW=$(e2e_main_window) || { echo "the main window never appeared"; kill $PID; exit 1; }
sleep 1.5
# `import` reads the screen as shown; `xwd -root` returns a window that overlaps another of Qt's
# windows black.
import -window root png:"$SHOT"
# A test may act on the window (keys, mouse) before the session ends.
if [ -n "${E2E_ACTIONS:-}" ]; then
    "$E2E_ACTIONS" "$WINDOW"
fi
e2e_exit_through_menu "$WINDOW" $PID
SESSION
    chmod +x "$session"
    # E2E_WRAP runs the session inside another command (such as its own D-Bus session).
    # shellcheck disable=SC2086
    xvfb-run -a -s "-screen 0 1280x800x24" ${E2E_WRAP:-} "$session" "$1" "$2" "$OUT/kelvane.log" "${@:3}"
}

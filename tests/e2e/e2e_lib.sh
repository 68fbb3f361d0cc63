#!/usr/bin/env bash
# Shared by the end-to-end scripts, which source it. Each session gets a private home and
# settings folder, an X server of its own and a D-Bus session bus of its own, so sessions run
# side by side under `ctest -j` and nothing depends on the desktop packages of the machine.
#
# Interface (keep it backward compatible: every kelvane_*.sh script uses it):
#   e2e_prepare OUT              $OUT emptied; HOME, XDG_CONFIG_HOME below it; $INI the
#                                settings file, with the Tip of the Day switched off.
#   fail MESSAGE...              prints "FAIL: MESSAGE" and exits 1.
#   e2e_x_session [--fbdir DIR] [--screen WxHxD] COMMAND [ARG...]
#                                runs COMMAND in a new Xvfb display (default 1280x800x24; with
#                                --fbdir the screen is also the file DIR/Xvfb_screen0) inside
#                                its own dbus-run-session, with the accessibility bus running
#                                and Qt's accessibility on; returns COMMAND's status and stops
#                                the server.
#   e2e_session KELVANE SCREENSHOT [ARG...]
#                                one session of KELVANE (ARGs on its command line) in
#                                e2e_x_session: waits for the main window, saves SCREENSHOT,
#                                runs $E2E_ACTIONS WINDOW-ID if set, leaves through File > Exit.
#   e2e_coloured_settings [LINE...]
#                                $INI for colouring: keyword lists 0 (int return void), 1
#                                (include define) and 2 (printf main) in RGB #0000C0, #008080
#                                and #808000, comments and strings in #006000, both side
#                                panes closed, no Tip of the Day; each LINE is added to the
#                                [Settings] section's end, or starts a "[Section]" of its own.
#   e2e_has_colour IMAGE RGB     true when the image shows the colour (#RRGGBB) anywhere.
#   E2E_SESSION_LIB              path of session_lib.sh, which scripts running inside a session
#                                source for finding windows and leaving (see its header).

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

# e2e_coloured_settings [LINE...]: see the header. Colours are stored as 0x00BBGGRR.
e2e_coloured_settings() {
    local sep=$'\xc3\xbf' # U+00FF, the keyword separator, in the settings file's UTF-8
    {
        echo "[Settings]"
        echo "Keywords0=int${sep}return${sep}void${sep}"
        echo "Keywords1=include${sep}define${sep}"
        echo "Keywords2=printf${sep}main${sep}"
        echo "KeywordCount=7"
        echo "KeywordColor0=12582912"
        echo "KeywordColor1=8421376"
        echo "KeywordColor2=32896"
        echo "Delimiters=42"
        echo "DelimitColor=24576"
        echo "FileBrowser=False"
        echo "ClipText=False"
        printf '%s\n' "$@"
        echo "[Options]"
        echo "Show%20Tips%20at%20Startup=0"
    } > "$INI"
}

e2e_has_colour() {
    local colours
    colours=$(convert "$1" -unique-colors txt:-) || return 1
    grep -qi "$2" <<< "$colours"
}

# The session scripts source this for the steps they share.
export E2E_SESSION_LIB E2E_ATSPI
E2E_SESSION_LIB="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/session_lib.sh"
E2E_ATSPI="$(dirname "$E2E_SESSION_LIB")/atspi.py"

fail() {
    echo "FAIL: $*"
    exit 1
}

# e2e_x_session [--fbdir DIR] [--screen WxHxD] COMMAND [ARG...]: see the header. The server
# picks a free display number itself (-displayfd) and tells it once it accepts connections, so
# two sessions never race for one number. -noreset keeps the server as it is when a passing
# client (a tool that peeks at the display) leaves: a reset at that moment refuses the program
# that is connecting.
e2e_x_session() {
    local screen=1280x800x24 fbdir=()
    while [ $# -gt 0 ]; do
        case "$1" in
            --fbdir) fbdir=(-fbdir "$2"); shift 2 ;;
            --screen) screen="$2"; shift 2 ;;
            *) break ;;
        esac
    done
    local work
    work="$(mktemp -d "${TMPDIR:-/tmp}/kelvane-x.XXXXXX")"
    mkfifo "$work/display"
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset "${fbdir[@]}" \
        3>"$work/display" </dev/null >"$work/xvfb.log" 2>&1 &
    local xvfb=$! number=""
    # The read ends when the server has written its display number, or when it died.
    read -r -t 30 number < "$work/display" || true
    if [ -z "$number" ]; then
        echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2
        kill "$xvfb" 2>/dev/null || true
        rm -rf "$work"
        return 1
    fi
    local status=0
    # The variables a desktop session would have left are dropped: the session bus is the one
    # dbus-run-session starts, the display the new one. The accessibility bus is started before
    # the command, so that Kelvane offers its widgets there from the start (Qt joins a bus that
    # runs, it does not start one).
    env -u DBUS_SESSION_BUS_ADDRESS -u XAUTHORITY -u WAYLAND_DISPLAY DISPLAY=":$number" \
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 E2E_ATSPI="$E2E_ATSPI" \
        dbus-run-session -- bash -c '
            dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
                org.a11y.Bus.GetAddress >/dev/null 2>&1 || true
            exec "$@"' e2e-session "$@" </dev/null || status=$?
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    rm -rf "$work"
    return "$status"
}

# e2e_session KELVANE SCREENSHOT [ARGUMENT...]: see the header.
e2e_session() {
    local session="$OUT/session.sh"
    cat > "$session" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
KELVANE="$1"; SHOT="$2"; LOG="$3"; shift 3
"$KELVANE" "$@" > "$LOG" 2>&1 &
PID=$!
source "$E2E_SESSION_LIB"
if ! WINDOW=$(e2e_main_window); then
    if kill -0 $PID 2>/dev/null; then
        echo "the main window never appeared; the program still runs"
        kill $PID
    else
        status=0
        wait $PID || status=$?
        echo "the program ended with status $status before its main window appeared"
    fi
    echo "its output:"; tail -40 "$LOG"
    exit 1
fi
e2e_settle
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
    e2e_x_session "$session" "$1" "$2" "$OUT/kelvane.log" "${@:3}"
}

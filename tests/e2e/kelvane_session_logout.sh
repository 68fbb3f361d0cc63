#!/usr/bin/env bash
# The desktop session ends with a changed document open: a session manager (session_manager.py,
# speaking XSMP as a desktop's does) asks Kelvane to save itself for a logout. Kelvane asks about
# the document as Exit does: Cancel calls the logout off and Kelvane keeps running; Yes saves the
# document, the settings are written, and Kelvane ends when the session manager says so.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
export OUT SM_DIR="$OUT/session-manager" SM_PROGRAM
SM_PROGRAM="$(dirname "$E2E_SESSION_LIB")/session_manager.py"
mkdir -p "$SM_DIR"
DOCUMENT="$OUT/notes.txt"
printf 'first line\r\n' > "$DOCUMENT"

session="$OUT/logout-session.sh"
cat > "$session" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
KELVANE="$1"; LOG="$2"; shift 2
source "$E2E_SESSION_LIB"
/usr/bin/python3 "$SM_PROGRAM" "$SM_DIR" &
MANAGER=$!
trap 'kill $MANAGER 2>/dev/null || true' EXIT
e2e_wait_for 10 test -s "$SM_DIR/address" || { echo "the session manager did not start"; exit 1; }
SESSION_MANAGER=$(cat "$SM_DIR/address") "$KELVANE" "$@" > "$LOG" 2>&1 &
PID=$!
WINDOW=$(e2e_main_window) || { echo "no main window"; kill $PID; exit 1; }
logged() { grep -qx "$1" "$SM_DIR/log" 2>/dev/null; }
e2e_wait_for 10 logged registered || { echo "Kelvane did not register with the session manager"; kill $PID; exit 1; }
xdotool windowfocus --sync "$WINDOW"
e2e_focus "notes.txt>@text"
xdotool key --clearmodifiers ctrl+End
xdotool type --delay 20 "typed before logging out"

# The first logout: Cancel at the question keeps everything open.
touch "$SM_DIR/logout"
e2e_answer '^Save Changes\?$' Escape || { echo "no question about the changed document"; kill $PID; exit 1; }
e2e_wait_for 10 logged cancelled || { echo "the cancel did not reach the session manager"; kill $PID; exit 1; }
e2e_wait_for 10 logged "done 0" || { echo "Kelvane did not report the save called off"; kill $PID; exit 1; }
kill -0 $PID || { echo "Kelvane ended although the logout was cancelled"; exit 1; }
cp "$XDG_CONFIG_HOME/Kelvane/Kelvane.ini" "$OUT/after-cancel.ini"

# The second logout: Yes saves the document, and the session manager ends the program.
touch "$SM_DIR/logout"
e2e_answer '^Save Changes\?$' y || { echo "no question the second time"; kill $PID; exit 1; }
_ended() { ! kill -0 $PID 2>/dev/null; }
e2e_wait_for 10 _ended || { echo "Kelvane did not end with the session"; kill $PID; exit 1; }
wait $PID || true
SESSION
chmod +x "$session"
e2e_x_session "$session" "$1" "$OUT/kelvane.log" "$DOCUMENT" || fail "the session did not complete (see $OUT)"

printf 'first line\r\ntyped before logging out' | cmp -s - "$DOCUMENT" ||
    fail "the document was not saved at logout: $(cat -A "$DOCUMENT")"
grep -qx die "$SM_DIR/log" || fail "the session manager never told Kelvane to end: $(cat "$SM_DIR/log")"
cmp -s "$OUT/after-cancel.ini" "$INI" && fail "the settings were not written at logout"
echo "PASS: $(tr '\n' ' ' < "$SM_DIR/log")"

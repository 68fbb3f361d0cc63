#!/usr/bin/env bash
# A log open in Kelvane grows by 100 lines a second for 10 s: it is read again at most once a
# second (counted from the program's own file opens), the window answers the keyboard all the
# while (the File menu opens every second), and at the end it shows the whole log.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
LOG_FILE="$OUT/build.log"
printf 'start\n' > "$LOG_FILE"
# The program runs under strace, which lists the files it opens.
# The leak checker of a sanitizer build cannot work in a traced process and would fail its exit:
# it is switched off for this traced run only.
cat > "$OUT/traced-kelvane" <<TRACED
#!/usr/bin/env bash
export ASAN_OPTIONS="\${ASAN_OPTIONS:+\$ASAN_OPTIONS:}detect_leaks=0"
exec strace --seccomp-bpf -f -qq -e trace=openat -e signal=none -o "$OUT/opens.txt" "$1" "\$@"
TRACED
chmod +x "$OUT/traced-kelvane"

cat > "$OUT/actions.sh" <<'ACTIONS'
#!/usr/bin/env bash
set -euo pipefail
source "$E2E_SESSION_LIB"
WINDOW="$1"
(
    # 100 lines a second by the clock: a slow machine writes several at once, never fewer.
    written=0
    begin=${EPOCHREALTIME/./}
    while [ $written -lt 1000 ]; do
        due=$(( (${EPOCHREALTIME/./} - begin) / 10000 + 1 ))
        [ $due -gt 1000 ] && due=1000
        while [ $written -lt $due ]; do
            written=$((written + 1))
            echo "line $written of the growing log" >> "$LOG_FILE"
        done
        sleep 0.01 # the writer's pace; what it writes is counted by the clock above
    done
) &
WRITER=$!
START=${EPOCHREALTIME/./}
while kill -0 $WRITER 2>/dev/null; do
    xdotool windowfocus --sync "$WINDOW" || true
    xdotool key --clearmodifiers alt+f
    opened=yes
    e2e_wait_for 1 e2e_menu_open || opened=no
    xdotool key Escape
    [ $opened = yes ] || { echo "the File menu did not open within 1 s, $(( (${EPOCHREALTIME/./} - START) / 1000000 )) s in"; kill $WRITER; exit 1; }
    e2e_wait_for 1 e2e_menu_closed || { echo "the File menu did not close"; kill $WRITER; exit 1; }
    sleep 0.7 # the user's pace: one look at the menu a second, not a wait for the program
done
wait $WRITER
echo "$(( (${EPOCHREALTIME/./} - START) / 1000000 ))" > "$OUT/seconds"
# The last reload shows every line: the status bar counts them, and the empty one after the end.
LINES=$(( $(wc -l < "$LOG_FILE") + 1 ))
_all_shown() { e2e_dump > "$OUT/tree.txt" && grep -qP "^label\tLine \d+ of $LINES\b" "$OUT/tree.txt"; }
e2e_wait_for 10 _all_shown || echo "the status bar never counted $LINES lines"
# The whole log is shown: END lands after its last line.
xdotool windowfocus --sync "$WINDOW" || true
xdotool key --clearmodifiers Escape
e2e_focus "build.log>@text"
xdotool key --clearmodifiers ctrl+End
xdotool type --delay 20 END
xdotool key --clearmodifiers ctrl+s
_saved() { [ "$(tail -c 3 "$LOG_FILE")" = END ]; }
e2e_wait_for 10 _saved || true # the checks below say what was saved
import -window root png:"$OUT/after.png"
ACTIONS
chmod +x "$OUT/actions.sh"
export LOG_FILE OUT E2E_ACTIONS="$OUT/actions.sh"
e2e_session "$OUT/traced-kelvane" "$OUT/opened.png" "$LOG_FILE" ||
    fail "the session did not complete (see $OUT)"

SECONDS_TAKEN=$(cat "$OUT/seconds")
[ "$(tail -n 1 "$LOG_FILE")" = "END" ] || [ "$(tail -c 4 "$LOG_FILE")" = "END" ] ||
    fail "the window did not show the whole log: $(tail -n 2 "$LOG_FILE")"
grep -c '^line ' "$LOG_FILE" | grep -qx 1000 || fail "the log lost lines"
# The first open is the load; every other one a reload.
READS=$(grep -c "\"$LOG_FILE\", O_RDONLY" "$OUT/opens.txt" || true)
RELOADS=$((READS - 1))
echo "reloads: $RELOADS in $SECONDS_TAKEN s of writing"
[ "$RELOADS" -ge 1 ] || fail "the growing log was never read again"
# One a second while it grows (the first at once), and the last once it stops.
[ "$RELOADS" -le $((SECONDS_TAKEN + 2)) ] || fail "$RELOADS reloads in $SECONDS_TAKEN s: more than one a second"
echo "PASS: $RELOADS reloads while the log grew for $SECONDS_TAKEN s"

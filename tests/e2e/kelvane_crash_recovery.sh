#!/usr/bin/env bash
# Kills Kelvane (SIGKILL) while a file has unsaved changes kept as a base copy and a journal of
# later edits, starts it again and checks that the
# unsaved text is offered back: Recover opens it unsaved, the file on disk stays as it was, and
# leaving without saving takes the recovery files away.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
SAMPLE="$OUT/notes.txt"
printf 'on disk\r\n' > "$SAMPLE"
RECOVERY="$HOME/.local/share/Kelvane/Kelvane/recovery"

cat > "$OUT/crash.sh" <<'CRASH'
#!/usr/bin/env bash
set -euo pipefail
KELVANE="$1"; SAMPLE="$2"; RECOVERY="$3"; OUT="$4"
source "$E2E_SESSION_LIB"
kept_files() { find "$RECOVERY" -name '*.recovery' 2>/dev/null | sort; }

# First run: type into the file, wait for the recovery file, then kill the editor.
"$KELVANE" "$SAMPLE" > "$OUT/first.log" 2>&1 &
FIRST=$!
WINDOW=$(e2e_main_window) || { echo "the first main window never appeared"; exit 1; }
e2e_settle
xdotool windowfocus --sync "$WINDOW" || true
xdotool type --delay 20 "typed before the kill "
has_kept_files() { [ -n "$(kept_files)" ]; }
e2e_wait_for 10 has_kept_files || true
OLD=$(kept_files)
[ -n "$OLD" ] || { echo "no recovery file was written"; kill -9 $FIRST; exit 1; }
# Later pauses append to the journal beside the first copy: three more bursts, each kept
# before the next one is typed.
journal_size() { stat -c %s "$OLD.journal" 2>/dev/null || echo 0; }
journal_grew() { [ "$(journal_size)" -gt "$1" ]; }
for burst in one two three; do
    before=$(journal_size)
    xdotool type --delay 20 "and burst $burst  "
    xdotool key BackSpace
    e2e_wait_for 10 journal_grew "$before" || { echo "burst $burst was not kept"; kill -9 $FIRST; exit 1; }
done
cp "$OLD" "$OUT/killed.recovery"
cp "$OLD.journal" "$OUT/killed.journal" || true
kill -9 $FIRST
wait $FIRST || true

# Second run: the question comes up by itself; Recover.
"$KELVANE" > "$OUT/second.log" 2>&1 &
SECOND=$!
QUESTION=$(e2e_window '^Recover Unsaved Text$') || { echo "no recovery question"; kill $SECOND; exit 1; }
e2e_settle
import -window root png:"$OUT/recovery-question.png"
xdotool windowfocus --sync "$QUESTION" || true
xdotool key --clearmodifiers alt+r
old_taken() { [ ! -e "$OLD" ]; }
e2e_wait_for 10 old_taken || { echo "the recovered file was not taken over"; kill $SECOND; exit 1; }
NEW=$(kept_files)
[ -n "$NEW" ] || { echo "the recovered text has no recovery file of its own"; kill $SECOND; exit 1; }
WINDOW=$(e2e_main_window) || { echo "no main window after recovering"; kill $SECOND; exit 1; }
e2e_settle
import -window root png:"$OUT/recovered.png"
cp "$NEW" "$OUT/recovered.recovery"

# Leave without saving: File > Exit, and No to saving each changed window.
e2e_menu "$WINDOW" f x
answered_no_until_gone() {
    kill -0 $SECOND 2>/dev/null || return 0
    local box
    box=$(e2e_windows_named '^Save Changes\?$' | tail -1)
    if [ -n "$box" ]; then
        xdotool windowfocus --sync "$box" || true
        xdotool key --clearmodifiers n
        e2e_window_gone '^Save Changes\?$' 5 || true
    fi
    return 1
}
e2e_wait_for 20 answered_no_until_gone || { echo "Kelvane did not exit"; kill $SECOND; exit 1; }
wait $SECOND
CRASH
chmod +x "$OUT/crash.sh"
e2e_x_session "$OUT/crash.sh" "$1" "$SAMPLE" "$RECOVERY" "$OUT" ||
    fail "the session did not complete (see $OUT/*.log)"

[ "$(cat "$SAMPLE")" = "$(printf 'on disk\r\n')" ] || fail "the file on disk changed"
KEPT="$OUT/recovered.recovery"
[ "$(head -n 1 "$KEPT")" = "Kelvane recovery file 2" ] || fail "not a recovery file"
sed -n 3p "$KEPT" | grep -q 'notes.txt' || fail "the recovered text is not tied to notes.txt"
# The killed run's base is a copy of the file as it was opened, its bytes unchanged; all the
# typing is in the journal.
[ "$(head -n 1 "$OUT/killed.recovery")" = "Kelvane recovery file 3" ] ||
    fail "the killed run's base is not a copy of the opened file"
tail -n +5 "$OUT/killed.recovery" | cmp -s - "$SAMPLE" ||
    fail "the killed run's base is not the file's bytes"
[ "$(stat -c %s "$OUT/killed.journal")" -gt 100 ] || fail "no journal entries were kept"
tail -n +5 "$KEPT" | iconv -f UTF-16LE -t UTF-8 |
    grep -q "typed before the kill and burst one and burst two and burst three on disk" ||
    fail "the recovered text is not the typed text: $(tail -n +5 "$KEPT" | iconv -f UTF-16LE -t UTF-8)"
[ -z "$(find "$RECOVERY" -name '*.recovery' 2>/dev/null)" ] || fail "recovery files left after leaving without saving"
echo "PASS: screenshots in $OUT/recovery-question.png and $OUT/recovered.png"

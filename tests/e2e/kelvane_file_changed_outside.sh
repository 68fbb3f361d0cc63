#!/usr/bin/env bash
# A file open in Kelvane changed by shell commands, as another program would: rewritten, replaced
# by mv, rewritten under typed changes, deleted. Checked through what the typed keys save.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
SAMPLE="$OUT/notes.txt"
printf 'old text\n' > "$SAMPLE"

cat > "$OUT/actions.sh" <<'ACTIONS'
#!/usr/bin/env bash
set -euo pipefail
source "$E2E_SESSION_LIB"
WINDOW="$1"
DOCUMENT="notes.txt>@text"
on_disk() { cat "$SAMPLE" 2>/dev/null || echo '<missing>'; }
on_disk_is() { [ "$(on_disk)" = "$1" ]; }
expect_disk() {
    e2e_wait_for 10 on_disk_is "$1" && return 0
    echo "expected on disk: $(printf %q "$1"), found: $(printf %q "$(on_disk)") ($2)"
    exit 1
}
# The document's window shows TEXT (read as a screen reader reads it).
expect_shown() {
    e2e_wait_for 10 e2e_shows_text "$DOCUMENT" "$1" && return 0
    echo "expected in the window: $(printf %q "$1"), shown: $(printf %q "$(e2e_text "$DOCUMENT")") ($2)"
    exit 1
}
keys() { xdotool windowfocus --sync "$WINDOW" || true; xdotool key --clearmodifiers "$@"; }
type_text() { xdotool windowfocus --sync "$WINDOW" || true; xdotool type --delay 20 "$1"; }
answer() { # answer TITLE KEY: the question is answered and gone
    local box
    box=$(e2e_window "$1") || {
        # What the screen showed instead, for whoever reads the failure.
        import -window root png:"$OUT/no-question.png" 2>/dev/null
        echo "no \"$1\" question (keyboard focus on $(xdotool getwindowfocus getwindowname \
            2>/dev/null); screen: $OUT/no-question.png)"
        exit 1
    }
    import -window root png:"$OUT/$(echo "$1" | tr -d '^$' | tr ' ' '-')-$2.png"
    xdotool windowfocus --sync "$box" || true
    xdotool key --clearmodifiers "$2"
    e2e_window_gone "$1" || { echo "the \"$1\" question stayed after $2"; exit 1; }
}

# 1. Unchanged and rewritten: the new text is shown (the typed X lands after it); two Ctrl+Z
# take back the X and the reload, and Save writes the old text again without asking.
expect_shown 'old text' "the file as opened"
printf 'new text\n' > "$SAMPLE"
expect_shown 'new text' "the rewritten file was not shown"
keys ctrl+End
type_text X
keys ctrl+s
expect_disk "$(printf 'new text\nX')" "the rewritten file was not shown"
keys ctrl+z ctrl+z ctrl+s
expect_disk 'old text' "Ctrl+Z did not bring back the text shown before the reload"

# 2. Replaced by mv of another file: reloaded as a rewrite.
printf 'moved in\n' > "$OUT/other.txt"
mv "$OUT/other.txt" "$SAMPLE"
expect_shown 'moved in' "the file replaced by mv was not shown"
keys ctrl+End
type_text Y
keys ctrl+s
expect_disk "$(printf 'moved in\nY')" "the file replaced by mv was not shown"

# 3. Typed changes, then rewritten: asked on activation; Keep keeps the typed text; Save asks
# again and No leaves the other program's file.
type_text Z
printf 'theirs\n' > "$SAMPLE"
answer '^File Changed on Disk$' alt+k
keys ctrl+s
answer '^File Changed on Disk$' alt+n
expect_disk 'theirs' "No wrote over the other program's file"
keys ctrl+s
answer '^File Changed on Disk$' alt+y
expect_disk "$(printf 'moved in\nYZ')" "Yes did not save the kept text"

# 4. Deleted: said once, when the window is active; Save writes the text back to its path.
rm "$SAMPLE"
xdotool windowfocus --sync "$WINDOW" || true # back to the editor after the last question
answer '^File Removed$' Return
keys ctrl+s
expect_disk "$(printf 'moved in\nYZ')" "Save did not write the deleted file back"
import -window root png:"$OUT/after.png"
ACTIONS
chmod +x "$OUT/actions.sh"
export SAMPLE OUT E2E_ACTIONS="$OUT/actions.sh"
e2e_session "$1" "$OUT/opened.png" "$SAMPLE" || fail "the session did not complete (see $OUT)"
echo "PASS: screenshots in $OUT"

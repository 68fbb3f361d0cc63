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
WINDOW="$1"
on_disk() { cat "$SAMPLE" 2>/dev/null || echo '<missing>'; }
expect_disk() {
    for _ in $(seq 1 30); do [ "$(on_disk)" = "$1" ] && return 0; sleep 0.1; done
    echo "expected on disk: $(printf %q "$1"), found: $(printf %q "$(on_disk)") ($2)"
    exit 1
}
box_named() {
    local id
    for _ in $(seq 1 40); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
keys() { xdotool windowfocus --sync "$WINDOW" || true; xdotool key --clearmodifiers "$@"; }
type_text() { xdotool windowfocus --sync "$WINDOW" || true; xdotool type --delay 20 "$1"; }
answer() { # answer TITLE KEY
    local box
    box=$(box_named "$1") || { echo "no \"$1\" question"; exit 1; }
    import -window root png:"$OUT/$(echo "$1" | tr ' ' '-')-$2.png"
    xdotool windowfocus --sync "$box" || true
    xdotool key --clearmodifiers "$2"
    sleep 0.5
}

# 1. Unchanged and rewritten: shown within 2 s (the typed X lands after the new text); two
# Ctrl+Z take back the X and the reload, and Save writes the old text again without asking.
printf 'new text\n' > "$SAMPLE"
sleep 2
keys ctrl+End
type_text X
keys ctrl+s
expect_disk "$(printf 'new text\nX')" "the rewritten file was not shown"
keys ctrl+z ctrl+z ctrl+s
expect_disk 'old text' "Ctrl+Z did not bring back the text shown before the reload"

# 2. Replaced by mv of another file: reloaded as a rewrite.
printf 'moved in\n' > "$OUT/other.txt"
mv "$OUT/other.txt" "$SAMPLE"
sleep 2
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
sleep 0.5
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

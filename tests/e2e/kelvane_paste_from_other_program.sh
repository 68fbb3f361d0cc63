#!/usr/bin/env bash
# Another program (xclip, as a word processor would) offers rich text on the clipboard: Ctrl+V
# takes its words only. The document saved and exported as RTF afterwards carry the words and
# none of the other program's font, size or bold. (OFFERED_TYPE=application/x-kelvane-rtf offers
# the same text as Kelvane's own copy, which keeps its formatting: the checks then fail.)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
export OUT
DOCUMENT="$OUT/notes.txt"
printf 'Kept text\r\n' > "$DOCUMENT"
printf '{\\rtf1\\ansi{\\fonttbl{\\f0 Comic Sans MS;}}\\f0\\fs48\\b Bold words\\b0  from a word processor\\par}' \
    > "$OUT/word-processor.rtf"

cat > "$OUT/actions.sh" <<'ACTIONS'
#!/usr/bin/env bash
set -euo pipefail
source "$E2E_SESSION_LIB"
WINDOW="$1"
xclip -quiet -selection clipboard -t "${OFFERED_TYPE:-text/rtf}" -i "$OUT/word-processor.rtf" &
OFFER=$!
trap 'kill $OFFER 2>/dev/null || true' EXIT
# The clipboard is taken once xclip answers for it.
_offered() { xclip -o -selection clipboard -t TARGETS 2>/dev/null | grep -qx "${OFFERED_TYPE:-text/rtf}"; }
e2e_wait_for 10 _offered || { echo "FAIL: xclip offered no rich text"; exit 1; }
xdotool windowfocus --sync "$WINDOW"
e2e_focus "notes.txt>@text"
xdotool key --clearmodifiers ctrl+End ctrl+v ctrl+s
_saved() { grep -q 'word processor' "$OUT/notes.txt"; }
e2e_wait_for 10 _saved || { echo "FAIL: the pasted words were not saved"; exit 1; }
# File > Export as RTF, into the output folder.
e2e_menu "$WINDOW" f "" "Export as RTF..." || { echo "FAIL: no File menu"; exit 1; }
e2e_menu_choose "Export as RTF..." || { echo "FAIL: File > Export as RTF was not reached"; exit 1; }
xdotool windowfocus --sync "$(e2e_window '^Export as RTF$')"
xdotool type "$OUT/exported.rtf"
xdotool key Return
_exported() { grep -q 'word processor' "$OUT/exported.rtf" 2>/dev/null; }
e2e_wait_for 10 _exported || { echo "FAIL: nothing was exported"; exit 1; }
ACTIONS
chmod +x "$OUT/actions.sh"

E2E_ACTIONS="$OUT/actions.sh" e2e_session "$1" "$OUT/start.png" "$DOCUMENT"

printf 'Kept text\r\nBold words from a word processor\r\n' | cmp -s - "$DOCUMENT" ||
    fail "the saved text is not the document's and the pasted words: $(cat -A "$DOCUMENT")"
EXPORTED=$(cat "$OUT/exported.rtf")
! grep -q 'Comic Sans' <<< "$EXPORTED" || fail "the other program's font came along: $EXPORTED"
! grep -qE '\\fs48|\\b([^a-z]|$)' <<< "$EXPORTED" ||
    fail "the other program's size or bold came along: $EXPORTED"
echo "PASS: pasted plain; exported as $EXPORTED"

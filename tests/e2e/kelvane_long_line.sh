#!/usr/bin/env bash
# Opens a 10 MB file that is one line, types at its start, pastes a double-clicked word with the
# middle button and saves it; then the same with a short file holding the line's first
# characters. The first row of text must look the same on both screens (the long line drawn
# glyph for glyph as the short one), and the saved file must be the pasted and typed text
# followed by the whole line.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
KELVANE="$1"
PATTERN='int x = 1; if (y) { z *= 2; } /* a long line */ '
mkdir -p "$OUT/long" "$OUT/short"
LONG="$OUT/long/line.c"
SHORT="$OUT/short/line.c"
python3 - "$LONG" "$SHORT" "$PATTERN" <<'PY'
import sys
long_path, short_path, pattern = sys.argv[1:4]
line = (pattern * (10_000_000 // len(pattern) + 1))[:10_000_000]
open(long_path, "w").write(line)
open(short_path, "w").write(line[:300])
PY
# No side panes: the document window is the only white area with text on the screen.
printf '[Settings]\nFileBrowser=False\nClipText=False\n' >> "$INI"
cp "$INI" "$OUT/settings.ini"

# In each session: type at the caret, paste a word, save, go back to the start and take the
# screenshot ($LONG_LINE_SHOT) that the comparison reads.
cat > "$OUT/actions.sh" <<'ACTIONS'
#!/usr/bin/env bash
set -euo pipefail
xdotool windowfocus --sync "$1" || true
xdotool type --delay 60 'typed: '
sleep 0.5
# A double-click selects the typed word for X's middle button, which pastes it at the start.
xdotool mousemove 25 80 click --repeat 2 --delay 80 1
sleep 0.3
xdotool mousemove 6 80 click 2
sleep 0.5
xdotool key --clearmodifiers ctrl+s
# Back to the start: the blinking caret stands left of the first glyph, where the
# comparison does not look.
xdotool key --clearmodifiers ctrl+Home
sleep 2
import -window root png:"$LONG_LINE_SHOT"
ACTIONS
chmod +x "$OUT/actions.sh"
export E2E_ACTIONS="$OUT/actions.sh"
run_session() {
    cp "$OUT/settings.ini" "$INI"
    LONG_LINE_SHOT="$1" e2e_session "$KELVANE" "$OUT/opened.png" "$2"
}
run_session "$OUT/long.png" "$LONG"
run_session "$OUT/short.png" "$SHORT"

# The saved files: the pasted word and the typed text, then the line as it was.
[ "$(head -c 12 "$LONG")" = "typedtyped: " ] ||
    fail "the long file starts with '$(head -c 12 "$LONG")', not the pasted and typed text"
[ "$(stat -c %s "$LONG")" -eq 10000012 ] || fail "the long file has $(stat -c %s "$LONG") bytes"
python3 - "$LONG" "$PATTERN" <<'PY' ||
import sys
kept = open(sys.argv[1], "rb").read(12 + 1000)[12:]
sys.exit(kept != (sys.argv[2].encode() * 30)[:1000])
PY
    fail "the long file's text after the typing changed"

# The two screens differ only where the file's length shows (scroll bars, status), never in
# the first row of text: find that row in the short file's picture and compare it.
python3 - "$OUT/long.png" "$OUT/short.png" <<'PY' || fail "the long line is not drawn like the short one"
import subprocess, sys
def pixels(path):
    out = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    return out
W, H = 1280, 800
a, b = pixels(sys.argv[1]), pixels(sys.argv[2])
def px(img, x, y):
    i = 3 * (y * W + x)
    return img[i:i + 3]
# The text area is the widest run of white rows; its first row of text is the first band of
# rows with dark pixels inside it.
def white_rows(img):
    rows = []
    for y in range(H):
        whites = sum(1 for x in range(0, W, 4) if px(img, x, y) == b"\xff\xff\xff")
        rows.append(whites)
    return rows
rows = white_rows(b)
top = next(y for y in range(H) if rows[y] > W // 8)
inked = lambda img, y: [x for x in range(W) if sum(px(img, x, y)) < 3 * 110]
band = []
for y in range(top, H):
    dark = inked(b, y)
    if dark:
        band.append(y)
    elif band:
        break
assert band, "no text found on the short file's screen"
x0 = min(min(inked(b, y)) for y in band)
x1 = max(max(inked(b, y)) for y in band)
assert x1 - x0 > 300, f"the first row of text is only {x1 - x0} pixels wide"
diff = 0
for y in range(band[0] - 2, band[-1] + 3):
    for x in range(x0 + 3, x1 + 1):  # past the caret's column at the start
        if px(a, x, y) != px(b, x, y):
            diff += 1
print(f"text row y={band[0]}..{band[-1]} x={x0}..{x1}, {diff} pixels differ")
sys.exit(1 if diff else 0)
PY
echo "PASS: screenshots in $OUT/long.png and $OUT/short.png"

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

# Finds the first row of text in a screenshot: the text area is the first run of mostly white
# rows, the row the first band of rows with dark pixels in it. Prints "top bottom left right".
cat > "$OUT/text_row.py" <<'PY'
import subprocess, sys
W, H = 1280, 800
def pixels(path):
    return subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True,
                          check=True).stdout
def px(img, x, y):
    i = 3 * (y * W + x)
    return img[i:i + 3]
def inked(img, y):
    return [x for x in range(W) if sum(px(img, x, y)) < 3 * 110]
def text_row(img):
    top = next(y for y in range(H)
               if sum(1 for x in range(0, W, 4) if px(img, x, y) == b"\xff\xff\xff") > W // 8)
    band = []
    for y in range(top, H):
        if inked(img, y):
            band.append(y)
        elif band:
            break
    assert band, "no text found on the screen"
    left = min(min(inked(img, y)) for y in band)
    right = max(max(inked(img, y)) for y in band)
    return band[0], band[-1], left, right
if __name__ == "__main__":
    print(*text_row(pixels(sys.argv[1])))
PY

# In each session: type at the caret, paste a word, save, go back to the start and take the
# screenshot ($LONG_LINE_SHOT) that the comparison reads.
cat > "$OUT/actions.sh" <<'ACTIONS'
#!/usr/bin/env bash
set -euo pipefail
source "$E2E_SESSION_LIB"
xdotool windowfocus --sync "$1" || true
xdotool type --delay 60 'typed: '
# A double-click selects the typed word for X's middle button, which pastes it at the start.
read -r TOP BOTTOM LEFT _ < <(python3 "$TEXT_ROW" "$OPENED")
Y=$(((TOP + BOTTOM) / 2))
xdotool mousemove --sync $((LEFT + 15)) $Y click --repeat 2 --delay 80 1
xdotool mousemove --sync $((LEFT - 4)) $Y click 2
xdotool key --clearmodifiers ctrl+s
# Back to the start: the blinking caret stands left of the first glyph, where the
# comparison does not look.
xdotool key --clearmodifiers ctrl+Home
saved() { [ "$(head -c 12 "$LONG_LINE_FILE")" = "typedtyped: " ]; }
e2e_wait_for 30 saved || echo "the pasted and typed text was not saved"
e2e_settle
import -window root png:"$LONG_LINE_SHOT"
ACTIONS
chmod +x "$OUT/actions.sh"
export E2E_ACTIONS="$OUT/actions.sh" TEXT_ROW="$OUT/text_row.py" OPENED="$OUT/opened.png"
run_session() {
    cp "$OUT/settings.ini" "$INI"
    LONG_LINE_SHOT="$1" LONG_LINE_FILE="$2" e2e_session "$KELVANE" "$OUT/opened.png" "$2"
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
python3 - "$OUT" <<'PY' || fail "the long line is not drawn like the short one"
import sys
sys.path.insert(0, sys.argv[1])
from text_row import pixels, px, text_row
a, b = pixels(sys.argv[1] + "/long.png"), pixels(sys.argv[1] + "/short.png")
top, bottom, left, right = text_row(b)
assert right - left > 300, f"the first row of text is only {right - left} pixels wide"
diff = sum(1 for y in range(top - 2, bottom + 3) for x in range(left + 3, right + 1)
           if px(a, x, y) != px(b, x, y))  # past the caret's column at the start
print(f"text row y={top}..{bottom} x={left}..{right}, {diff} pixels differ")
sys.exit(1 if diff else 0)
PY
echo "PASS: screenshots in $OUT/long.png and $OUT/short.png"

#!/usr/bin/env bash
# Drags text with the real mouse in a document window: a double-clicked word is dragged to the
# next line (moved), another is dragged with Ctrl held (copied); each is one undo step. The
# file saved after the drags and after two undos shows both; screenshots show the drop caret
# while the mouse hovers and the text after each drop.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
KELVANE="$1"
FILE="$OUT/words.txt"
printf 'alpha beta gamma\nsecond line here\n' > "$FILE"
# No side panes: the document window is the only white area with text on the screen.
printf '[Settings]\nFileBrowser=False\nClipText=False\n' >> "$INI"

# Finds the first two rows of text in a screenshot: the text area is the first run of mostly
# white rows, a row of text a band of rows with dark pixels. Prints, for each row, "top bottom
# left right".
cat > "$OUT/text_rows.py" <<'PY'
import subprocess, sys
W, H = 1280, 800
img = subprocess.run(["convert", sys.argv[1], "-depth", "8", "rgb:-"], capture_output=True,
                     check=True).stdout
def px(x, y):
    i = 3 * (y * W + x)
    return img[i:i + 3]
def inked(y):
    return [x for x in range(W) if sum(px(x, y)) < 3 * 110]
top = next(y for y in range(H) if sum(1 for x in range(0, W, 4) if px(x, y) == b"\xff\xff\xff") > W // 8)
rows, band = [], []
for y in range(top, H):
    if inked(y):
        band.append(y)
    elif band:
        rows.append(band)
        band = []
        if len(rows) == 2:
            break
for band in rows:
    print(band[0], band[-1], min(min(inked(y)) for y in band), max(max(inked(y)) for y in band))
PY

cat > "$OUT/actions.sh" <<'ACTIONS'
#!/usr/bin/env bash
set -euo pipefail
source "$E2E_SESSION_LIB"
xdotool windowfocus --sync "$1" || true
{ read -r T1 B1 L1 R1; read -r T2 B2 _ _; } < <(python3 "$OUT/text_rows.py" "$OUT/opened.png")
# Fixed-width font: "alpha beta gamma" is 16 cells; its ink spans nearly all of them.
CELL=$(python3 -c "print(($R1 - $L1 + 2) / 16)")
x_of() { python3 -c "print(int($L1 - 1 + $1 * $CELL))"; } # the left edge of cell n
Y1=$(((T1 + B1) / 2))
Y2=$(((T2 + B2) / 2))
# A word is selected with a double-click; the press that starts the drag comes after the
# double-click time, or it would count as a third click and select the line. The sleep lets that
# interval run out on purpose (Qt's default is 400 ms); nothing is waited for.
select_word() {
    xdotool mousemove --sync "$1" "$2" click --repeat 2 --delay 80 1
    sleep 0.5 # the double-click time runs out, on purpose
}
drag() { # drag from (x, y) to (x, y) in small steps, as a hand moves; screenshot on the way
    xdotool mousemove --sync "$1" "$2" mousedown 1
    for step in 1 2 3 4 5 6 7 8; do
        sleep 0.1 # the pace of a hand, not a wait (the screen is let settle before the shot)
        xdotool mousemove --sync $(($1 + ($3 - $1) * step / 8)) $(($2 + ($4 - $2) * step / 8))
    done
    e2e_settle
    import -window root png:"$5"
    xdotool mouseup 1
    e2e_settle
}
# Ctrl+S, then the file on disk differs from what it held before.
save() {
    local before
    before=$(md5sum < "$FILE")
    xdotool key --clearmodifiers ctrl+s
    changed() { [ "$(md5sum < "$FILE")" != "$before" ]; }
    e2e_wait_for 10 changed || echo "Ctrl+S did not change the file"
}
# Move: "beta" (cells 6..9) to the start of "line" (cell 7 of the second row).
select_word "$(x_of 8)" $Y1
drag "$(x_of 8)" $Y1 "$(x_of 7)" $Y2 "$OUT/hover-move.png"
import -window root png:"$OUT/after-move.png"
# Copy: "gamma" (now cells 7..11 of the first row) with Ctrl, to past the end of the second row.
select_word "$(x_of 9)" $Y1
xdotool keydown ctrl
drag "$(x_of 9)" $Y1 "$(x_of 40)" $Y2 "$OUT/hover-copy.png"
xdotool keyup ctrl
import -window root png:"$OUT/after-copy.png"
save
cp "$FILE" "$OUT/after-drags.txt"
xdotool key --clearmodifiers ctrl+z ctrl+z
save
ACTIONS
chmod +x "$OUT/actions.sh"
export OUT FILE
E2E_ACTIONS="$OUT/actions.sh" e2e_session "$KELVANE" "$OUT/opened.png" "$FILE"

EXPECTED=$'alpha  gamma\nsecond betaline heregamma\n'
[ "$(cat "$OUT/after-drags.txt"; echo .)" = "$EXPECTED." ] ||
    fail "after the drags the file holds: $(cat "$OUT/after-drags.txt")"
[ "$(cat "$FILE")" = $'alpha beta gamma\nsecond line here' ] ||
    fail "two undos did not bring the text back: $(cat "$FILE")"

# While hovering, a drop caret stands at the drop point on the second row: the screen differs
# from the one after the drop in the second row's band.
python3 - "$OUT" <<'PY' || fail "no drop caret while hovering"
import subprocess, sys
out = sys.argv[1]
def rgb(path):
    return subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True,
                          check=True).stdout
hover, opened = rgb(out + "/hover-move.png"), rgb(out + "/opened.png")
rows = subprocess.run(["python3", out + "/text_rows.py", out + "/opened.png"],
                      capture_output=True, text=True, check=True).stdout.split("\n")
t2, b2, left, right = map(int, rows[1].split())
W = 1280
changed = [x for x in range(left - 4, right + 4)
           if any(hover[3 * (y * W + x):3 * (y * W + x) + 3] != opened[3 * (y * W + x):3 * (y * W + x) + 3]
                  for y in range(t2, b2 + 1))]
print("columns changed in the second row while hovering:", changed)
sys.exit(0 if changed and max(changed) - min(changed) <= 4 else 1)
PY
echo "PASS: screenshots in $OUT"

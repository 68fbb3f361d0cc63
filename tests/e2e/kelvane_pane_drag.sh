#!/usr/bin/env bash
# Drags the file-browser pane's bar with the mouse, exits, starts again and finds the pane as
# wide as it was dragged: in the settings store and on the screen.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"

# The pane is 2265 twips wide (151 pixels at 96 dpi); its bar, found in the accessibility tree,
# is dragged 100 pixels to the right.
DRAG=100
cat > "$OUT/drag.sh" <<ACTIONS
#!/usr/bin/env bash
set -euo pipefail
source "\$E2E_SESSION_LIB"
read -r BX BY BW BH < <(e2e_extents "File browser pane>Splitter bar")
FROM=\$((BX + BW / 2))
ROW=\$((BY + BH / 2))
xdotool mousemove --sync \$FROM \$ROW mousedown 1
for step in 1 2 3 4; do
    xdotool mousemove --sync \$((FROM + step * $DRAG / 4)) \$ROW
done
xdotool mouseup 1
# The pane has taken the new width once the bar stands where the mouse let go.
moved() { read -r X _ W _ < <(e2e_extents "File browser pane>Splitter bar") && [ \$((X + W / 2)) -eq \$((FROM + $DRAG)) ]; }
e2e_wait_for 10 moved || echo "the bar did not follow the mouse"
e2e_settle
import -window root png:"$OUT/after-drag.png"
ACTIONS
chmod +x "$OUT/drag.sh"

E2E_ACTIONS="$OUT/drag.sh" e2e_session "$1" "$OUT/before-drag.png"
grep -q '^FileBrowserWidth=3765$' "$INI" ||
    fail "the dragged width was not stored: $(grep -i width "$INI" || true)"
grep -q '^ClipTextWidth=2280$' "$INI" || fail "the cliptext pane's width changed"

e2e_session "$1" "$OUT/restarted.png"
grep -q '^FileBrowserWidth=3765$' "$INI" || fail "the width did not survive the restart"

# On the screen: a point between the old and the new edge, below the first document window,
# showed the document area before the
# drag and shows the pane after the restart; the pane's colour there matches the first pane's.
pixel() { convert "$1" -crop "1x1+$2+650" -depth 8 txt:- | tail -1 | awk '{print $3}'; }
BEFORE=$(pixel "$OUT/before-drag.png" 200)
AFTER=$(pixel "$OUT/restarted.png" 200)
DRAGGED=$(pixel "$OUT/after-drag.png" 200)
INSIDE=$(pixel "$OUT/before-drag.png" 100)
[ "$BEFORE" != "$AFTER" ] || fail "the pane did not come back wider ($BEFORE at x=200 both times)"
[ "$AFTER" = "$DRAGGED" ] || fail "the restarted window differs from the dragged one ($AFTER, $DRAGGED)"
[ "$AFTER" = "$INSIDE" ] || fail "x=200 does not show the pane after the restart ($AFTER, $INSIDE)"
echo "PASS: screenshots in $OUT"

#!/usr/bin/env bash
# Typed on a real X server, read back through the accessibility tree and the settings file:
# each dialog's own title after File > Open, Printer Setup without printing choices, editing
# keys in the Page Setup fields, no menu of the bars' own on a right click, and "&" in a
# document's name shown as written in the tab strip and the Window menu.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
export A11Y OUT
A11Y="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/a11y.py"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
DOCUMENT="$OUT/R&D.txt"
printf 'notes\r\n' > "$DOCUMENT"

cat > "$OUT/actions.sh" <<'ACTIONS'
#!/usr/bin/env bash
set -euo pipefail
WINDOW="$1"
focus() { xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true; }
# Waits for a shown window with exactly this title that has the keyboard: keys typed before
# the dialog takes the focus would go to the window behind it.
shown() {
    local id
    for _ in $(seq 1 50); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] && return 0
        done
        sleep 0.2
    done
    return 1
}
# Waits until no shown window has this title: the next keys must reach the main window, not a
# dialog that is still closing.
closed() {
    for _ in $(seq 1 50); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    echo "FAIL: the $1 dialog did not close"
    exit 1
}
titles() { for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do xdotool getwindowname "$id"; done | sort -u | tr '\n' '|'; }
# File menu item N (0 = New), typed: Alt+F, N times Down, Enter.
file_item() {
    focus
    xdotool key --clearmodifiers alt+f
    sleep 0.5
    for _ in $(seq 1 "$1"); do xdotool key Down; done
    xdotool key Return
}

# File > Open, cancelled: its title must not follow the next dialogs.
focus
xdotool key --clearmodifiers ctrl+o
shown Open || { echo "FAIL: no Open dialog: $(titles)"; exit 1; }
xdotool key Escape
closed "Open"

file_item 9 # Printer Setup...
shown "Printer Setup" || { echo "FAIL: Printer Setup is titled: $(titles)"; exit 1; }
sleep 0.5
import -window root png:"$OUT/printer-setup.png"
/usr/bin/python3 "$A11Y" dump > "$OUT/printer-setup.txt"
xdotool key Escape
closed "Printer Setup"

focus
xdotool key --clearmodifiers ctrl+p # Print...
shown Print || { import -window root png:"$OUT/print.png"; echo "FAIL: Print is titled: $(titles)"; exit 1; }
xdotool key Escape
closed "Print"

file_item 10 # Page Setup...: the top field has the keyboard, its text selected
shown "Page Setup" || { echo "FAIL: no Page Setup dialog: $(titles)"; exit 1; }
sleep 0.3
xdotool type 12
xdotool key Home Delete Tab
xdotool type 45
xdotool key ctrl+a
xdotool type 7
xdotool key Return
sleep 0.5

# A right click on the toolbar and on the menu bar: no menu of their own comes up.
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
for row in 40 10; do
    focus
    xdotool mousemove $((X + WIDTH - 30)) $((Y + row)) click 3
    sleep 0.7
    /usr/bin/python3 "$A11Y" dump > "$OUT/right-click-$row.txt"
    xdotool key Escape
    sleep 0.3
done

# The document's name in the tab strip and the Window menu.
/usr/bin/python3 "$A11Y" dump > "$OUT/tabs.txt"
focus
xdotool key --clearmodifiers alt+w
sleep 0.7
/usr/bin/python3 "$A11Y" dump > "$OUT/window-menu.txt"
import -window root png:"$OUT/window-menu.png"
xdotool key Escape
sleep 0.3
ACTIONS
chmod +x "$OUT/actions.sh"

E2E_ACTIONS="$OUT/actions.sh" e2e_session "$1" "$OUT/start.png" "$DOCUMENT"

# Printer Setup chooses the printer and its paper only.
[ -s "$OUT/printer-setup.txt" ] || fail "the accessibility tree was not read"
if grep -E $'^radio button\t(Selection|Pages from|Current Page)' "$OUT/printer-setup.txt" ||
    grep -F 'Print to File' "$OUT/printer-setup.txt"; then
    fail "Printer Setup offers printing choices (see $OUT/printer-setup.txt)"
fi
# Page Setup: Delete removed the "1" of "12"; Ctrl+A selected "45" before "7" replaced it.
grep -q '^TopMargin=2$' "$INI" || fail "Delete did not edit the top margin: $(grep Margin "$INI" || true)"
grep -q '^BottomMargin=7$' "$INI" || fail "Ctrl+A did not select the bottom margin: $(grep Margin "$INI" || true)"
# No popup menu on the bars.
for row in 40 10; do
    if grep -E $'^(popup menu|menu)\t' "$OUT/right-click-$row.txt" | grep -v $'^menu\t&\\?[A-Z]'; then
        fail "a right click at row $row opened a menu (see $OUT/right-click-$row.txt)"
    fi
done
grep -q '^ToolBar=True$' "$INI" || fail "the toolbar was stored hidden"
# "&" shows as written.
grep -qP '^page tab\tR&D\.txt' "$OUT/tabs.txt" || fail "the tab does not read R&D.txt: $(grep '^page tab' "$OUT/tabs.txt" || true)"
grep -qP '^(check )?menu item\t1 R&D\.txt' "$OUT/window-menu.txt" ||
    fail "the Window menu does not list R&D.txt: $(grep 'menu item' "$OUT/window-menu.txt" | tail -3 || true)"
echo "PASS: screenshots and accessibility dumps in $OUT"

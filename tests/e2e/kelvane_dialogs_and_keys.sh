#!/usr/bin/env bash
# Typed on a real X server, read back through the accessibility tree and the settings file:
# each dialog's own title after File > Open, Printer Setup without printing choices, editing
# keys in the Page Setup fields, no menu of the bars' own on a right click, and "&" in a
# document's name shown as written in the tab strip and the Window menu.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
export OUT
DOCUMENT="$OUT/R&D.txt"
printf 'notes\r\n' > "$DOCUMENT"

cat > "$OUT/actions.sh" <<'ACTIONS'
#!/usr/bin/env bash
set -euo pipefail
source "$E2E_SESSION_LIB"
WINDOW="$1"
focus() { xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true; }
titles() { for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do xdotool getwindowname "$id"; done | sort -u | tr '\n' '|'; }
# The id of the shown window titled exactly so once it has the keyboard (keys typed before the
# dialog takes the focus would go to the window behind it), or a failure that names the windows.
dialog() {
    local found=""
    _has_keyboard() {
        local id
        for id in $(e2e_windows_named "^$1\$"); do
            [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] && found="$id" && return 0
        done
        return 1
    }
    e2e_wait_for 10 _has_keyboard "$1" || { echo "FAIL: no window titled $1 took the keyboard: $(titles)"; exit 1; }
    echo "$found"
}
closed() { e2e_window_gone "^$1\$" 10 || { echo "FAIL: $1 did not close"; exit 1; }; }
# The accessibility tree into a file, once it shows a line matching the pattern.
dump_showing() {
    _dumped() { e2e_dump > "$1" && grep -qP "$2" "$1"; }
    e2e_wait_for 10 _dumped "$1" "$2" || { echo "FAIL: no '$2' in $1"; exit 1; }
}
# File menu item N (0 = New), typed: Alt+F, N times Down, Enter.
file_item() {
    focus
    xdotool key --clearmodifiers alt+f
    e2e_wait_for 10 e2e_menu_open || { echo "FAIL: Alt+F showed no menu"; exit 1; }
    for _ in $(seq 1 "$1"); do xdotool key Down; done
    xdotool key Return
}

# File > Open, cancelled: its title must not follow the next dialogs.
focus
xdotool key --clearmodifiers ctrl+o
dialog Open >/dev/null
xdotool key Escape
closed Open

file_item 9 # Printer Setup...
dialog "Printer Setup" >/dev/null
dump_showing "$OUT/printer-setup.txt" $'^dialog\tPrinter Setup'
e2e_settle
import -window root png:"$OUT/printer-setup.png"
xdotool key Escape
closed "Printer Setup"

focus
xdotool key --clearmodifiers ctrl+p # Print...
dialog Print >/dev/null
xdotool key Escape
closed Print

file_item 10 # Page Setup...: the top field has the keyboard, its text selected
dialog "Page Setup" >/dev/null
xdotool type 12
xdotool key Home Delete Tab
xdotool type 45
xdotool key ctrl+a
xdotool type 7
xdotool key Return
closed "Page Setup"

# A right click on the toolbar and on the menu bar: no menu of their own comes up.
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
for row in 40 10; do
    focus
    xdotool mousemove $((X + WIDTH - 30)) $((Y + row)) click 3
    e2e_settle 5
    if e2e_menu_open; then echo "a menu is open after the right click at row $row" > "$OUT/right-click-$row.menu"; fi
    e2e_dump > "$OUT/right-click-$row.txt"
    xdotool key Escape
done

# The document's name in the tab strip and the Window menu.
dump_showing "$OUT/tabs.txt" $'^page tab\t'
focus
xdotool key --clearmodifiers alt+w
e2e_wait_for 10 e2e_menu_open || { echo "FAIL: Alt+W showed no menu"; exit 1; }
dump_showing "$OUT/window-menu.txt" $'menu item\t1 '
import -window root png:"$OUT/window-menu.png"
xdotool key Escape
e2e_wait_for 10 e2e_menu_closed
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
    [ ! -e "$OUT/right-click-$row.menu" ] || fail "$(cat "$OUT/right-click-$row.menu")"
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

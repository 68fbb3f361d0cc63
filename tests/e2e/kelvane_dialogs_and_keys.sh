#!/usr/bin/env bash
# Typed on a real X server, read back through the accessibility tree and the settings file:
# each dialog's own title after File > Open, Printer Setup without printing choices, editing
# keys in the Page Setup fields, no menu of the bars' own on a right click, and "&" in a
# document's name shown as written in the tab strip and the Window menu.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
export OUT
# One "&" before a letter and a doubled one: an access-key reading of either ("QA", a lone "&")
# shows in the tab's and the menu item's accessible names.
NAME="Q&A && notes.txt"
DOCUMENT="$OUT/$NAME"
printf 'notes\r\n' > "$DOCUMENT"

cat > "$OUT/actions.sh" <<'ACTIONS'
#!/usr/bin/env bash
set -euo pipefail
source "$E2E_SESSION_LIB"
WINDOW="$1"
focus() { xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true; }
titles() { for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do xdotool getwindowname "$id"; done | sort -u | tr '\n' '|'; }
# The id of the dialog once it has the keyboard (keys typed before it takes the focus would go to
# the window behind it), or a failure that names the windows. The title it shows is kept beside
# the one expected and checked at the end, so that a wrong title does not hide the other checks.
dialog() {
    local found=""
    _has_keyboard() {
        found=$(xdotool getwindowfocus 2>/dev/null) || return 1
        [ -n "$found" ] && [ "$found" != "$WINDOW" ] && xdotool getwindowname "$found" >/dev/null 2>&1
    }
    e2e_wait_for 10 _has_keyboard || { echo "FAIL: no $1 dialog took the keyboard: $(titles)" >&2; exit 1; }
    printf '%s\t%s\n' "$1" "$(xdotool getwindowname "$found")" >> "$OUT/dialog-titles.txt"
    echo "$found"
}
closed() { # closed ID NAME
    _shown() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
    _closed() { ! _shown "$1"; }
    e2e_wait_for 10 _closed "$1" || { echo "FAIL: $2 did not close"; exit 1; }
}
# The accessibility tree into a file, once it shows a line matching the pattern.
dump_showing() {
    _dumped() { e2e_dump > "$1" && grep -qP "$2" "$1"; }
    e2e_wait_for 10 _dumped "$1" "$2" || { echo "FAIL: no '$2' in $1"; exit 1; }
}
# The File menu's item of this name, typed: Alt+F, Down until it has the keyboard, Enter.
file_item() {
    e2e_menu "$WINDOW" f "" "$1" || { echo "FAIL: no File menu"; exit 1; }
    e2e_menu_choose "$1" || { echo "FAIL: File > $1 was not reached"; exit 1; }
}

# File > Open, cancelled: its title must not follow the next dialogs.
focus
xdotool key --clearmodifiers ctrl+o
BOX=$(dialog Open)
xdotool key Escape
closed "$BOX" Open

file_item "Printer Setup..."
BOX=$(dialog "Printer Setup")
dump_showing "$OUT/printer-setup.txt" $'^dialog\t'
e2e_settle
import -window root png:"$OUT/printer-setup.png"
xdotool key Escape
closed "$BOX" "Printer Setup"

focus
xdotool key --clearmodifiers ctrl+p # Print...
BOX=$(dialog Print)
xdotool key Escape
closed "$BOX" Print

file_item "Page Setup..." # the top field has the keyboard, its text selected
BOX=$(dialog "Page Setup")
xdotool type 12
xdotool key Home Delete Tab
xdotool type 45
xdotool key ctrl+a
xdotool type 7
xdotool key Return
closed "$BOX" "Page Setup"

# A right click on the toolbar and on the menu bar (found in the accessibility tree), in their
# empty right-hand part: no menu of their own comes up.
for bar in tool menu; do
    focus
    read -r BX BY BW BH < <(e2e_extents "@$bar bar") || { echo "FAIL: no $bar bar"; exit 1; }
    xdotool mousemove --sync $((BX + BW - 30)) $((BY + BH / 2)) click 3
    e2e_settle 5
    if e2e_menu_open; then echo "a menu is open after the right click on the $bar bar" > "$OUT/right-click-$bar.menu"; fi
    e2e_dump > "$OUT/right-click-$bar.txt"
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

# Every check below is reported, not only the first that fails.
FAILED=""
problem() { echo "FAIL: $*"; FAILED=yes; }

# Each dialog showed its own title, whatever File > Open had shown before.
[ -s "$OUT/dialog-titles.txt" ] || fail "no dialog was seen"
while IFS=$'\t' read -r expected shown; do
    [ "$expected" = "$shown" ] || problem "the $expected dialog was titled \"$shown\""
done < "$OUT/dialog-titles.txt"
# Printer Setup chooses the printer and its paper only.
[ -s "$OUT/printer-setup.txt" ] || fail "the accessibility tree was not read"
if grep -E $'^radio button\t(Selection|Pages from|Current Page)' "$OUT/printer-setup.txt" ||
    grep -F 'Print to File' "$OUT/printer-setup.txt"; then
    problem "Printer Setup offers printing choices (see $OUT/printer-setup.txt)"
fi
# Page Setup: Delete removed the "1" of "12"; Ctrl+A selected "45" before "7" replaced it.
grep -q '^TopMargin=2$' "$INI" || problem "Delete did not edit the top margin: $(grep Margin "$INI" || true)"
grep -q '^BottomMargin=7$' "$INI" || problem "Ctrl+A did not select the bottom margin: $(grep Margin "$INI" || true)"
# No popup menu on the bars.
for bar in tool menu; do
    [ ! -e "$OUT/right-click-$bar.menu" ] || problem "$(cat "$OUT/right-click-$bar.menu")"
    if grep -E $'^(popup menu|menu)\t' "$OUT/right-click-$bar.txt" | grep -v $'^menu\t&\\?[A-Z]'; then
        problem "a right click on the $bar bar opened a menu (see $OUT/right-click-$bar.txt)"
    fi
done
grep -q '^ToolBar=True$' "$INI" || problem "the toolbar was stored hidden"
# "&" shows as written.
grep -qP "^page tab\t\Q$NAME\E\t" "$OUT/tabs.txt" ||
    problem "the tab does not read $NAME: $(grep '^page tab' "$OUT/tabs.txt" || true)"
grep -qP "^(check )?menu item\t1 \Q$NAME\E\t" "$OUT/window-menu.txt" ||
    problem "the Window menu does not list $NAME: $(grep 'menu item' "$OUT/window-menu.txt" | tail -3 || true)"
[ -z "$FAILED" ] || exit 1
echo "PASS: screenshots and accessibility dumps in $OUT"

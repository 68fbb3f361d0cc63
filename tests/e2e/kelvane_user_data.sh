#!/usr/bin/env bash
# What the user makes goes to the user's data folder, never beside the program: a profile
# exported from the Options dialog (typed and clicked on a real X server) lands in the data
# folder and is listed with the shipped profiles the next time the dialog opens.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
export A11Y OUT
A11Y="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/a11y.py"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
PROGRAM_PROFILES="$(dirname "$1")/PROFILES"
rm -f "$PROGRAM_PROFILES/Mine"

cat > "$OUT/actions.sh" <<'ACTIONS'
#!/usr/bin/env bash
set -euo pipefail
WINDOW="$1"
click() {
    local at
    at=$(/usr/bin/python3 "$A11Y" centre "$1" "$2") || { echo "FAIL: $2 not shown"; exit 1; }
    # shellcheck disable=SC2086
    xdotool mousemove $at click 1
    sleep 0.5
}
options() {
    xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
    xdotool key --clearmodifiers F4 # File > Preferences > Editor Setup
    sleep 1
    click "page tab" "Default Profiles"
}
options
click "push button" "Export Current Settings as Profile"
xdotool type Mine
xdotool key Return
sleep 0.7
xdotool key Escape # the Options dialog: Cancel
sleep 0.5
options
/usr/bin/python3 "$A11Y" dump > "$OUT/profiles.txt"
import -window root png:"$OUT/profiles.png"
xdotool key Escape
sleep 0.5
ACTIONS
chmod +x "$OUT/actions.sh"

E2E_ACTIONS="$OUT/actions.sh" e2e_session "$1" "$OUT/start.png"

[ -s "$HOME/.local/share/Kelvane/Kelvane/PROFILES/Mine" ] ||
    fail "the profile is not in the data folder: $(find "$HOME" -name Mine)"
[ ! -e "$PROGRAM_PROFILES/Mine" ] || fail "the profile was written beside the program"
grep -qP '^list item\tMine' "$OUT/profiles.txt" || fail "the list does not show Mine"
grep -qP '^list item\tC\+\+' "$OUT/profiles.txt" || fail "the shipped profiles are not listed"
echo "PASS: screenshots in $OUT"

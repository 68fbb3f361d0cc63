#!/usr/bin/env bash
# What the user makes goes to the user's data folder, never beside the program: a profile
# exported from the Options dialog (typed and clicked on a real X server) lands in the data
# folder and is listed with the shipped profiles the next time the dialog opens.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
export OUT
PROGRAM_PROFILES="$(dirname "$1")/PROFILES"
rm -f "$PROGRAM_PROFILES/Mine"

cat > "$OUT/actions.sh" <<'ACTIONS'
#!/usr/bin/env bash
set -euo pipefail
source "$E2E_SESSION_LIB"
WINDOW="$1"
options() {
    xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
    xdotool key --clearmodifiers F4 # File > Preferences > Editor Setup
    e2e_click "Default Profiles" || { echo "FAIL: no Default Profiles page"; exit 1; }
}
options
e2e_click "Export Current Settings as Profile"
# The name is asked in an input box of its own.
xdotool windowfocus --sync "$(e2e_window '^Export Settings as Profile$' 10)"
xdotool type Mine
xdotool key Return
_listed() { e2e_dump > "$OUT/exported.txt" && grep -qP '^list item\tMine' "$OUT/exported.txt"; }
e2e_wait_for 10 _listed || true # the checks below say what is missing
xdotool key Escape # the Options dialog: Cancel
options
e2e_dump > "$OUT/profiles.txt"
import -window root png:"$OUT/profiles.png"
xdotool key Escape
ACTIONS
chmod +x "$OUT/actions.sh"

E2E_ACTIONS="$OUT/actions.sh" e2e_session "$1" "$OUT/start.png"

[ -s "$HOME/.local/share/Kelvane/Kelvane/PROFILES/Mine" ] ||
    fail "the profile is not in the data folder: $(find "$HOME" -name Mine)"
[ ! -e "$PROGRAM_PROFILES/Mine" ] || fail "the profile was written beside the program"
grep -qP '^list item\tMine' "$OUT/profiles.txt" || fail "the list does not show Mine"
grep -qP '^list item\tC\+\+' "$OUT/profiles.txt" || fail "the shipped profiles are not listed"
echo "PASS: screenshots in $OUT"

#!/usr/bin/env bash
# Installs the build into a scratch prefix with `cmake --install`, checks the standard layout and
# the desktop files, then starts the installed program in a virtual X server and watches it read
# its tips and profiles from share/kelvane.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
BUILD="$(cd "$(dirname "$1")/.." && pwd)"
PREFIX="$OUT/prefix with blank"

cmake --install "$BUILD" --prefix "$PREFIX" > "$OUT/install.log" 2>&1 || fail "cmake --install: $(cat "$OUT/install.log")"

for f in bin/kelvane share/kelvane/Kelvane.dat share/kelvane/KELVANE.HLP \
         share/applications/kelvane.desktop share/icons/hicolor/scalable/apps/kelvane.svg \
         share/mime/packages/kelvane.xml; do
    [ -f "$PREFIX/$f" ] || fail "not installed: $f"
done
[ -x "$PREFIX/bin/kelvane" ] || fail "bin/kelvane is not executable"
[ "$(readlink "$PREFIX/bin/Kelvane")" = kelvane ] || fail "bin/Kelvane is not a link to kelvane"
for f in share/man/man1/kelvane.1.gz share/doc/kelvane/copyright share/doc/kelvane/changelog.gz \
         share/metainfo/org.example.kelvane.metainfo.xml; do
    [ -f "$PREFIX/$f" ] || fail "not installed: $f"
done
[ -n "$(ls -A "$PREFIX/share/kelvane/PROFILES")" ] || fail "no default profiles installed"
for d in CLIPTEXT TEMPLATE; do
    [ -d "$PREFIX/share/kelvane/$d" ] || fail "no $d folder installed"
done
[ ! -e "$PREFIX/share/kelvane/Kelvane" ] || fail "the program was copied into share/kelvane"
# Installing again over the first install (the link in place) still gives the program and its link.
cmake --install "$BUILD" --prefix "$PREFIX" > "$OUT/reinstall.log" 2>&1 || fail "cmake --install again: $(cat "$OUT/reinstall.log")"
[ -f "$PREFIX/bin/kelvane" ] && [ ! -L "$PREFIX/bin/kelvane" ] || fail "reinstalling lost bin/kelvane"
[ "$(readlink "$PREFIX/bin/Kelvane")" = kelvane ] || fail "reinstalling lost the Kelvane link"
desktop-file-validate "$PREFIX/share/applications/kelvane.desktop" > "$OUT/validate.log" 2>&1 \
    || fail "desktop-file-validate: $(cat "$OUT/validate.log")"
grep -q '^Exec=kelvane %f$' "$PREFIX/share/applications/kelvane.desktop" || fail "Exec line"
# The MIME database of the prefix was brought up to date and knows workspace files.
grep -q 'application/x-kelvane-project:\*\.kpj' "$PREFIX/share/mime/globs2" \
    || fail "the prefix's MIME database does not know *.kpj"

# The installed program, with its Tip of the Day at start-up; Options (F4) lists the profiles;
# F5 asks to save the untitled document first.
rm -f "$INI" # a first run: the Tip of the Day is shown
cat > "$OUT/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -uo pipefail
PROGRAM="$1"; OUT="$2"
# In a sanitizer build the leak check needs to stop the program at exit, which a process that
# strace follows cannot do; the other sessions check this program's leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
strace -f -qq -e trace=openat -o "$OUT/strace.log" "$PROGRAM" > "$OUT/kelvane.log" 2>&1 &
PID=$!
source "$E2E_SESSION_LIB"
TIP=$(e2e_window '^Tip of the Day$') || { echo "no Tip of the Day"; kill $PID; exit 1; }
e2e_settle
import -window root png:"$OUT/installed-tip.png"
xdotool windowfocus --sync "$TIP" || true
xdotool key --clearmodifiers Return
e2e_window_gone '^Tip of the Day$' || { echo "Enter did not close the Tip of the Day"; kill $PID; exit 1; }
MAIN=$(e2e_main_window) || { echo "no main window"; kill $PID; exit 1; }
# ask KEY TITLE ANSWER [SHOT]: KEY typed in the main window shows the window titled so (SHOT is a
# screenshot of it); ANSWER typed there closes it.
ask() {
    local box
    xdotool windowfocus --sync "$MAIN" || true
    xdotool key --clearmodifiers "$1"
    box=$(e2e_window "$2") || { echo "$1 showed no $2 window"; kill $PID; exit 1; }
    e2e_settle
    [ -z "${4:-}" ] || import -window root png:"$OUT/$4"
    xdotool windowfocus --sync "$box" || true
    xdotool key --clearmodifiers "$3"
    e2e_window_gone "$2" || { echo "$3 did not close the $2 window"; kill $PID; exit 1; }
}
ask F4 'Options' Escape
# F5 on the untitled document asks to save it first; Esc (No) ends the command.
ask F5 '^Confirm$' Escape installed-run-question.png
e2e_exit_through_menu "$MAIN" $PID
SESSION
chmod +x "$OUT/session.sh"
e2e_x_session "$OUT/session.sh" "$PREFIX/bin/kelvane" "$OUT" \
    || fail "the installed program's session failed"

grep -F "$PREFIX/share/kelvane/Kelvane.dat" "$OUT/strace.log" | grep -vq ENOENT \
    || fail "the installed program did not read its tips from share/kelvane"
grep -F "$PREFIX/share/kelvane/PROFILES" "$OUT/strace.log" | grep -vq ENOENT \
    || fail "the installed program did not list its profiles from share/kelvane"
echo "PASS: installed in $PREFIX; screenshot in $OUT/installed-tip.png"

#!/usr/bin/env bash
# Builds the Debian package with `cpack -G DEB` and takes it as a distribution would: the control
# file and dependencies, lintian, then the package unpacked into a scratch root: the command and
# its answers in a terminal, the manual page, the copyright and changelog, the desktop entry and
# the AppStream metadata, the same layout as `cmake --install` gives a prefix, and the unpacked
# program started on a file in its own D-Bus session and virtual X server.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
BUILD="$(cd "$(dirname "$1")/.." && pwd)"

START=$SECONDS
(cd "$OUT" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$OUT") > "$OUT/cpack.log" 2>&1 \
    || fail "cpack: $(tail -20 "$OUT/cpack.log")"
echo "cpack took $((SECONDS - START)) s"
DEB=$(ls "$OUT"/kelvane_*.deb 2>/dev/null | head -1)
[ -n "$DEB" ] || fail "no kelvane_*.deb in $OUT"

[ "$(dpkg-deb -f "$DEB" Package)" = kelvane ] || fail "package name"
VERSION=$(dpkg-deb -f "$DEB" Version)
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
for pkg in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-qpa-plugins; do
    echo "$DEPENDS" | grep -qw "$pkg" || fail "Depends lacks $pkg: $DEPENDS"
done

# Lintian, as a distribution runs it: no error and no warning. An override stands only with a
# comment above it that says why, and only while it still matches something.
START=$SECONDS
lintian --fail-on error,warning --display-info "$DEB" > "$OUT/lintian.log" 2>&1 \
    || fail "lintian: $(grep -v '^N:' "$OUT/lintian.log")"
echo "lintian took $((SECONDS - START)) s"
! grep -E '^[EW]: |unused-override|mismatched-override' "$OUT/lintian.log" \
    || fail "lintian: $(cat "$OUT/lintian.log")"

# apt accepts it: every dependency resolves on this system (simulated, nothing is installed).
if [ "$(id -u)" -eq 0 ]; then
    apt-get install --simulate --no-install-recommends "$DEB" > "$OUT/apt.log" 2>&1 \
        || fail "apt-get would not install it: $(tail -5 "$OUT/apt.log")"
    grep -q '^Inst kelvane' "$OUT/apt.log" || fail "apt-get plans no kelvane: $(cat "$OUT/apt.log")"
fi

ROOT="$OUT/root"
dpkg-deb -x "$DEB" "$ROOT"
USR="$ROOT/usr"
awk '!/^[[:space:]]*$/ { if (!/^#/ && prev !~ /^#/) bad = bad "\n" $0; prev = $0 }
     END { if (bad) { print "overrides without a comment:" bad; exit 1 } }' \
    "$USR/share/lintian/overrides/kelvane" || fail "lintian overrides"

# The command is kelvane; Kelvane is a link to it. Both options answer without a display (a
# QApplication would abort without one) and nothing is written on standard error.
[ -f "$USR/bin/kelvane" ] && [ ! -L "$USR/bin/kelvane" ] && [ -x "$USR/bin/kelvane" ] \
    || fail "usr/bin/kelvane is not the program"
[ "$(readlink "$USR/bin/Kelvane")" = kelvane ] || fail "usr/bin/Kelvane is not a link to kelvane"
IFS=. read -r MAJOR MINOR _ BUILD_NUMBER <<< "$VERSION"
WANTED="Kelvane Version $MAJOR.$MINOR Build $BUILD_NUMBER"
ANSWER=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$USR/bin/kelvane" --version 2> "$OUT/version.err") \
    || fail "kelvane --version failed: $(cat "$OUT/version.err")"
[ "$ANSWER" = "$WANTED" ] || fail "kelvane --version said '$ANSWER', not '$WANTED'"
[ ! -s "$OUT/version.err" ] || fail "kelvane --version wrote on standard error: $(cat "$OUT/version.err")"
env -u DISPLAY -u WAYLAND_DISPLAY "$USR/bin/Kelvane" --help > "$OUT/help.txt" 2>&1 \
    || fail "Kelvane --help failed: $(cat "$OUT/help.txt")"
[ "$(head -1 "$OUT/help.txt")" = "Usage: kelvane [FILE]" ] || fail "--help: $(cat "$OUT/help.txt")"
if "$USR/bin/kelvane" --version > /dev/full 2>/dev/null; then
    fail "kelvane --version reported success when its answer could not be written"
fi

# The manual page formats without a warning, for the command and for the link.
for page in kelvane Kelvane; do
    MANWIDTH=80 man --warnings -l "$USR/share/man/man1/$page.1.gz" > "$OUT/$page.1.txt" \
        2> "$OUT/man.err" || fail "man -l $page.1.gz: $(cat "$OUT/man.err")"
    [ ! -s "$OUT/man.err" ] || fail "man warns on $page.1.gz: $(cat "$OUT/man.err")"
done
grep -q "kelvane - programmer's text editor" "$OUT/kelvane.1.txt" || fail "the page's NAME line"
for word in --help --version .kpj Kelvane.ini recovery XDG_CONFIG_HOME /usr/share/kelvane/; do
    grep -qF -- "$word" "$OUT/kelvane.1.txt" || fail "the manual page does not mention $word"
done

# Copyright and changelog: what the package says about itself agrees with its version.
DOC="$USR/share/doc/kelvane"
head -1 "$DOC/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' \
    || fail "the copyright file is not machine-readable"
zcat "$DOC/changelog.gz" > "$OUT/changelog"
[ "$(dpkg-parsechangelog -l "$OUT/changelog" -S Version)" = "$VERSION" ] \
    || fail "the changelog's last release is not $VERSION"

# Desktop entry and AppStream metadata: valid, starting the command, listing this release.
desktop-file-validate "$USR/share/applications/kelvane.desktop" > "$OUT/desktop.log" 2>&1 \
    || fail "desktop-file-validate: $(cat "$OUT/desktop.log")"
grep -q '^Exec=kelvane %f$' "$USR/share/applications/kelvane.desktop" || fail "the Exec line"
METAINFO="$USR/share/metainfo/org.example.kelvane.metainfo.xml"
appstreamcli validate --no-net --pedantic "$METAINFO" > "$OUT/appstream.log" 2>&1 \
    || fail "appstreamcli validate: $(cat "$OUT/appstream.log")"
# The whole tree as a software centre reads it: the metadata with its desktop entry and icon.
appstreamcli validate-tree --no-net "$ROOT" > "$OUT/appstream-tree.log" 2>&1 \
    || fail "appstreamcli validate-tree: $(cat "$OUT/appstream-tree.log")"
grep -q "<release version=\"$VERSION\" date=\"$(dpkg-parsechangelog -l "$OUT/changelog" -S Date \
    | xargs -I{} date -u -d {} +%F)\"/>" "$METAINFO" || fail "the metadata's release: $(grep release "$METAINFO")"
grep -q '<binary>kelvane</binary>' "$METAINFO" || fail "the metadata does not provide kelvane"
grep -q '<launchable type="desktop-id">kelvane.desktop</launchable>' "$METAINFO" \
    || fail "the metadata does not launch kelvane.desktop"

# Templates are data: a script template keeps its #! line and is not executable.
PERL="$USR/share/kelvane/TEMPLATE/Perl Script"
head -c 2 "$PERL" | grep -q '^#!' || fail "the Perl template lost its #! line"
[ "$(stat -c %a "$PERL")" = 644 ] || fail "the Perl template is mode $(stat -c %a "$PERL")"

# `cmake --install` into a prefix gives the same files as the package, less the desktop caches
# that it refreshes there.
cmake --install "$BUILD" --prefix "$OUT/prefix" > "$OUT/install.log" 2>&1 \
    || fail "cmake --install: $(cat "$OUT/install.log")"
layout() {
    (cd "$1" && find . -mindepth 1 -printf '%p %y\n' | sort) |
        grep -Ev '^\./share/mime/[^p]|^\./share/mime/p[^a]|^\./share/applications/mimeinfo\.cache '
}
diff <(layout "$USR") <(layout "$OUT/prefix") > "$OUT/layout.diff" \
    || fail "the package and cmake --install differ (package <, prefix >): $(cat "$OUT/layout.diff")"

# The unpacked program opens a file named on its command line.
mkdir -p "$OUT/work"
SAMPLE="$OUT/work/hello.c"
printf 'int main(void)\n{\n    return 0;\n}\n' > "$SAMPLE"
export OUT
# (e2e_session gives it a D-Bus session bus and an X display of its own.)
e2e_session "$USR/bin/kelvane" "$OUT/package-run.png" "$SAMPLE" ||
    fail "the unpacked program's session failed"
grep -qF "RecentFile1=$SAMPLE" "$INI" || fail "the unpacked program did not open $SAMPLE"
echo "PASS: $DEB ($VERSION) depends on $DEPENDS; screenshot in $OUT/package-run.png"

#!/usr/bin/env bash
# Builds the Debian package with `cpack -G DEB` and checks its control file and its contents.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
BUILD="$(cd "$(dirname "$1")/.." && pwd)"

(cd "$OUT" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$OUT") > "$OUT/cpack.log" 2>&1 \
    || fail "cpack: $(tail -20 "$OUT/cpack.log")"
DEB=$(ls "$OUT"/kelvane_*.deb 2>/dev/null | head -1)
[ -n "$DEB" ] || fail "no kelvane_*.deb in $OUT"

[ "$(dpkg-deb -f "$DEB" Package)" = kelvane ] || fail "package name"
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
for pkg in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-qpa-plugins; do
    echo "$DEPENDS" | grep -qw "$pkg" || fail "Depends lacks $pkg: $DEPENDS"
done
dpkg-deb -c "$DEB" > "$OUT/contents.txt"
for f in ./usr/bin/Kelvane ./usr/share/kelvane/Kelvane.dat ./usr/share/kelvane/KELVANE.HLP \
         ./usr/share/applications/kelvane.desktop ./usr/share/mime/packages/kelvane.xml \
         ./usr/share/icons/hicolor/scalable/apps/kelvane.svg; do
    grep -q " $f\$" "$OUT/contents.txt" || fail "the package lacks $f"
done
grep -q ' ./usr/share/kelvane/PROFILES/.' "$OUT/contents.txt" || fail "the package has no profiles"

# apt accepts it: every dependency resolves on this system (simulated, nothing is installed).
if [ "$(id -u)" -eq 0 ]; then
    apt-get install --simulate --no-install-recommends "$DEB" > "$OUT/apt.log" 2>&1 \
        || fail "apt-get would not install it: $(tail -5 "$OUT/apt.log")"
    grep -q '^Inst kelvane' "$OUT/apt.log" || fail "apt-get plans no kelvane: $(cat "$OUT/apt.log")"
fi
echo "PASS: $DEB depends on $DEPENDS"

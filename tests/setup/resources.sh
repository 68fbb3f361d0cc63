#!/usr/bin/env bash
# Reads the manifest and the version resource back from a built Fastinst.exe and checks them,
# and that the program is built for the expected processor.
# Usage: resources.sh <Fastinst.exe> <x86_64|i686> <version>
set -euo pipefail
exe="$1"
processor="$2"
version="$3"
fail() {
    echo "FAILED ($exe): $*" >&2
    exit 1
}

case "$processor" in
x86_64) format=pei-x86-64 arch=amd64 ;;
i686) format=pei-i386 arch=x86 ;;
*) fail "unknown processor $processor" ;;
esac
x86_64-w64-mingw32-objdump -f "$exe" | grep -q "file format $format" ||
    fail "not a $format program: $(x86_64-w64-mingw32-objdump -f "$exe" | grep format)"

manifest="$(wrestool -x --raw -t 24 -n 1 "$exe")" || fail "no manifest"
for wanted in 'level="requireAdministrator"' '>PerMonitorV2, PerMonitor<' '>true/pm<' \
    "version=\"$version\"" "processorArchitecture=\"$arch\"" \
    '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}'; do
    grep -qF -- "$wanted" <<<"$manifest" || fail "the manifest lacks $wanted"
done
# Common Controls 6 would give the buttons another look than the setup window's.
if grep -q 'Microsoft.Windows.Common-Controls' <<<"$manifest"; then
    fail "the manifest asks for Common Controls 6"
fi

# The version resource's texts are UTF-16: each key is followed by its value.
strings_in_version="$(wrestool -x --raw -t 16 "$exe" | strings -el)"
expect_value() {
    grep -A1 -xF "$1" <<<"$strings_in_version" | tail -n1 | grep -qxF "$2" ||
        fail "version resource: $1 is not $2"
}
expect_value ProductName Dralto
expect_value CompanyName "Dralto Software"
expect_value FileDescription "Dralto Setup"
expect_value FileVersion "$version"
expect_value ProductVersion "$version"
expect_value OriginalFilename Fastinst.exe
# The numeric file version: 8.41.0.0 is 0x00080029 0x00000000 after the fixed-info signature.
IFS=. read -r major minor patch build <<<"$version"
fixed="$(wrestool -x --raw -t 16 "$exe" | od -An -tx4 -v -w4 | tr -d ' ' | grep -A2 -x feef04bd)"
[ "$(sed -n 3p <<<"$fixed")" = "$(printf '%04x%04x' "$major" "$minor")" ] ||
    fail "fixed file version is not $version: $fixed"

echo "PASSED ($exe)"

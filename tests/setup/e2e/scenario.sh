#!/usr/bin/env bash
# Runs one end-to-end scenario of the real Fastinst.exe in a fresh copy of the template Wine
# prefix, in its own Xvfb display, and checks what it showed and what it left on disk.
# Usage: scenario.sh <name>; needs FASTINST_EXE, FASTINST_DRIVER, FASTINST_STUB,
# FASTINST_TEMPLATE (prepared by prepare-template.sh) and FASTINST_OUT (screenshots and logs).
set -euo pipefail
name="$1"
work="$FASTINST_OUT/$name"
rm -rf "$work"
mkdir -p "$work/home"

# A scenario name ending in _cp1251 or _cp932 runs the scenario before it with Wine's ANSI code
# page, which Wine takes from the locale, set to Cyrillic or Japanese.
scenario="$name"
code_page=1252
case "$name" in
*_cp1251)
    scenario="${name%_cp1251}" code_page=1251
    export LC_ALL=ru_RU.UTF-8
    ;;
*_cp932)
    scenario="${name%_cp932}" code_page=932
    export LC_ALL=ja_JP.UTF-8
    ;;
*) export LC_ALL=C.UTF-8 ;;
esac

export WINEPREFIX="$work/prefix" HOME="$work/home" WINEDEBUG=-all \
       WINEDLLOVERRIDES="mscoree,mshtml=" XDG_DATA_HOME="$work/home/.local/share" \
       XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
cp -a "$FASTINST_TEMPLATE/prefix" "$WINEPREFIX"
drive_c="$WINEPREFIX/drive_c"

xvfb_pid=""
setup_pid=""
cleanup() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

fail() {
    echo "FAILED ($name): $*" >&2
    echo "--- driver log" >&2
    cat "$work/driver.log" >&2 2>/dev/null || true
    echo "--- steps" >&2
    cat "$work/steps.log" >&2 2>/dev/null || true
    if [ -n "${DISPLAY:-}" ]; then
        # What the screen showed then, and its windows, for whoever reads the failure.
        screenshot failure.png 2>/dev/null || true
        echo "--- visible windows (screen: $work/failure.png; focus on" \
            "$(xdotool getwindowfocus 2>/dev/null))" >&2
        for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
            echo "$id $(xdotool getwindowname "$id" 2>/dev/null) $(xprop -id "$id" WM_CLASS 2>/dev/null |
                sed 's/.*= //')" >&2
        done
        # The stacking order (top first) with each window's place: which window covers which.
        echo "--- stacking, top first" >&2
        xwininfo -root -children 2>/dev/null | grep -E '^ +0x' | grep -v 'has no name' |
            head -n 12 >&2 || true
    fi
    exit 1
}

# Notes a step with the time, to read a failure against the screenshots.
note() { echo "$(date +%T.%3N) $*" >>"$work/steps.log"; }

# wait_until TENTHS COMMAND [ARG...]: retries COMMAND until it succeeds; false after TENTHS
# tenths of a second.
wait_until() {
    local deadline=$((SECONDS + ($1 + 9) / 10))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1 # between two looks
    done
}

# A display of its own, so scenarios may run side by side. The keyboard-driven ones use the
# screen a person would have.
screen=1024x768x24
case "$name" in keyboard_*) screen=1280x900x24 ;; esac
# The server picks a free display number (-displayfd) and tells it once it takes connections:
# no two runs, of this suite or another checkout's, race for one number.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$work/display" </dev/null \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
read -r -t 30 display <"$work/display" || true
[ -n "$display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$display"
# No session bus: one a desktop left in the environment is not this run's, and with none set a
# machine that has dbus-launch would start a bus daemon for the display that outlives the run.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus"

# Start the server detached from this script's output, or Wine's background processes would
# hold ctest's pipe open.
(wineserver -p && wine cmd /c exit) </dev/null >/dev/null 2>&1

# The product's eight files beside the setup program; Dralto.exe records that it was started.
source_files=(Dralto.exe Plugext.dll psapi.dll Dralto.hlp Dralto.cnt Dralto-e.hlp Dralto-e.cnt
              drunin32.exe)
make_source() {
    mkdir -p "$drive_c/src"
    cp "$FASTINST_EXE" "$drive_c/src/Fastinst.exe"
    local file
    for file in "${source_files[@]}"; do
        if [ "$file" = Dralto.exe ]; then
            cp "$FASTINST_STUB" "$drive_c/src/$file"
        else
            echo "$file of the test" > "$drive_c/src/$file"
        fi
    done
}

# The driver reports the ANSI code page the programs run with: the one the scenario asked for.
expect_code_page() {
    drive acp
    expect "ACP $code_page"
}

start_setup() {
    wine 'C:\src\Fastinst.exe' </dev/null >"$work/fastinst.log" 2>&1 &
    setup_pid=$!
}

# Runs the driver with the given steps; its observations go to $out and the log.
drive() {
    local status=0
    wine "$FASTINST_DRIVER" "$@" </dev/null >"$work/step.out" 2>>"$work/driver.err" || status=$?
    tr -d '\r' <"$work/step.out" >"$work/step.txt"
    cat "$work/step.txt" >>"$work/driver.log"
    out="$(cat "$work/step.txt")"
    [ "$status" -eq 0 ] || fail "driver steps '$*' ended with $status"
}

# Compares the last driver output with the expected lines.
expect() {
    local expected
    expected="$(printf '%s\n' "$@")"
    if [ "$out" != "$expected" ]; then
        diff <(echo "$expected") <(echo "$out") >&2 || true
        fail "unexpected observations"
    fi
}

screenshot() {
    xwd -root -silent -display ":$display" | convert xwd:- "png:$work/$1"
}

expect_file() { [ -f "$drive_c/$1" ] || fail "missing file c:/$1"; }
expect_no_file() { [ ! -e "$drive_c/$1" ] || fail "unexpected file c:/$1"; }

# Waits for the setup process to end and checks its exit code.
expect_setup_ended() {
    local status=0
    wait "$setup_pid" || status=$?
    [ "$status" -eq 0 ] || fail "Fastinst.exe ended with $status"
}

uninstall_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Dralto'
query_uninstall() {
    wine reg query "$uninstall_key" </dev/null 2>/dev/null | tr -d '\r' | grep REG_SZ || true
}

group_dir() {
    find "$drive_c/users" -type d -path '*Start Menu/Programs/Dralto' | head -n1
}

installed=(Dralto.exe Plugext.dll psapi.dll Dralto.hlp Dralto.cnt Dralto-e.hlp Dralto-e.cnt)
# The product's seven files in this folder below c:.
expect_installed_in() {
    local file
    for file in "${installed[@]}"; do
        expect_file "$1/$file"
    done
}
language_question='BOX Setup|Available languages: English and German. Select English?\r\n\r\nVerfügbare Sprachen: Englisch und Deutsch. Englisch verwenden?'

source "$(dirname "${BASH_SOURCE[0]}")/scenarios.sh"
source "$(dirname "${BASH_SOURCE[0]}")/keyboard.sh"
source "$(dirname "${BASH_SOURCE[0]}")/unicode.sh"
"scenario_$scenario"
echo "PASSED ($name)"

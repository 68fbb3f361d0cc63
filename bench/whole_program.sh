#!/usr/bin/env bash
# The whole-program benchmark: starts the built editor in a virtual X server on generated C files
# and reports, per case, the wall time until the program is idle again, the CPU time it used
# (all its threads, from /proc) and its peak resident memory so far. Where Qt's bare
# QPlainTextEdit (plain_text_floor) can do the same, its figures stand beside ours.
#
#   bench/whole_program.sh [KELVANE [PLAIN_TEXT_FLOOR]]
#
# Defaults: the programs of the optimised bench build (cmake --preset bench). Prints a Markdown
# table and the load average, since other work on the machine stretches the wall times (the CPU
# times much less).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KELVANE="$(realpath "${1:-$ROOT/build/bench/bin/Kelvane}")"
PLAIN="$(realpath "${2:-$ROOT/build/bench/bench/plain_text_floor}")"
[ -x "$KELVANE" ] || { echo "no editor at $KELVANE: build it first (see README)"; exit 1; }
[ -x "$PLAIN" ] || { echo "no plain_text_floor at $PLAIN: build it first (see README)"; exit 1; }

WORK="$(mktemp -d /tmp/kelvane-whole-program.XXXXXX)"
trap 'rm -rf "$WORK"' EXIT
python3 - "$WORK" <<'PY'
import sys
work = sys.argv[1]
block = ("/* a comment before the function */\n"
         "int add(int a, int b)\n{\n    return a + b; // the sum\n}\n"
         "void greet(void) { printf(\"%s\\n\", \"hello\"); }\n\n")
def write(name, text, size):
    open(f"{work}/{name}", "w").write((text * (size // len(text) + 1))[:size])
write("c10.c", block, 10_000_000)
write("c105.c", block, 105_000_000)
write("line10.c", "int x = 1; if (y) { z *= 2; } /* a long line */ ", 10_000_000)
PY

# The session runs inside the virtual X server: it starts the program, then does each step and
# prints "case wall_ms cpu_ms peak_kb" once the program is idle after it.
cat > "$WORK/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
KIND="$1"; PROGRAM="$2"; FILE="$3"; shift 3
TICK=$(getconf CLK_TCK)
now_ms() { echo $(($(date +%s%N) / 1000000)); }
START=$(now_ms)
"$PROGRAM" ${FILE:+"$FILE"} > /dev/null 2>&1 &
PID=$!
ticks() { awk '{print $14 + $15}' "/proc/$PID/stat"; }
peak_kb() { awk '/^VmHWM/{print $2}' "/proc/$PID/status"; }
# measure CASE QUIET_MS FROM_MS FROM_TICKS: waits until the CPU time has not moved for QUIET_MS
# and prints the case with the wall time to its last move and the CPU time used.
measure() {
    local last last_change t
    last=$(ticks)
    last_change=$(now_ms)
    while [ $(($(now_ms) - last_change)) -lt "$2" ]; do
        sleep 0.02
        t=$(ticks)
        if [ "$t" != "$last" ]; then
            last=$t
            last_change=$(now_ms)
        fi
    done
    echo "$1 $((last_change - $3)) $(((last - $4) * 1000 / TICK)) $(peak_kb)"
}
window() { # the program's window, once shown
    for _ in $(seq 1 600); do
        for id in $(xdotool search --onlyvisible --pid "$PID" 2>/dev/null || true); do
            # A window may be gone by the time it is looked at (the splash screen).
            width=$(xdotool getwindowgeometry "$id" 2>/dev/null | awk '/Geometry/{print $2}' | cut -dx -f1)
            if [ "${width:-0}" -gt 600 ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.05
    done
    return 1
}
WINDOW=$(window)
xdotool windowfocus --sync "$WINDOW"
measure "$KIND" 1000 "$START" 0
for step in "$@"; do
    from=$(now_ms)
    before=$(ticks)
    case "$step" in
    type100)
        # The main thread's time on the processor, sampled every 2 ms: a key typed while it is
        # busy waits until it is free, so its longest busy stretch is the longest wait.
        python3 "$(dirname "$0")/busy_stretch.py" "$PID" > "$(dirname "$0")/busy.txt" &
        SAMPLER=$!
        xdotool key ctrl+Home
        xdotool type --delay 30 "$(printf 'x%.0s' $(seq 1 100))"
        # Recovery files are written two seconds after the last key: that work is counted.
        measure "$step" 3000 "$from" "$before"
        kill -TERM "$SAMPLER"
        wait "$SAMPLER" || true
        echo "type100_wait $(cat "$(dirname "$0")/busy.txt")"
        ;;
    f11)
        xdotool key F11
        measure "$step" 1000 "$from" "$before"
        ;;
    replace)
        xdotool key ctrl+r
        sleep 0.5
        xdotool type --delay 20 "return"
        xdotool key Tab
        xdotool type --delay 20 "result"
        from=$(now_ms)
        before=$(ticks)
        xdotool key alt+a
        measure "$step" 1000 "$from" "$before"
        xdotool key Return # the count of replacements
        sleep 0.5
        xdotool windowfocus --sync "$WINDOW"
        ;;
    undo)
        xdotool key alt+BackSpace
        measure "$step" 1000 "$from" "$before"
        ;;
    esac
done
kill "$PID"
wait "$PID" 2>/dev/null || true
SESSION
chmod +x "$WORK/session.sh"
cat > "$WORK/busy_stretch.py" <<'SAMPLER'
# Prints the longest stretch, in ms, in which a thread ran without a pause, from its CPU time
# (ns, /proc/PID/task/PID/schedstat) sampled every 2 ms until SIGTERM.
import signal, sys, time
path = f"/proc/{sys.argv[1]}/task/{sys.argv[1]}/schedstat"
samples = []
def report(*_):
    longest = run = 0
    for (t0, c0), (t1, c1) in zip(samples, samples[1:]):
        run = run + (t1 - t0) if c1 - c0 >= 0.8 * (t1 - t0) else 0
        longest = max(longest, run)
    print(f"{longest / 1e6:.0f}")
    sys.exit(0)
signal.signal(signal.SIGTERM, report)
while True:
    try:
        samples.append((time.monotonic_ns(), int(open(path).read().split()[0])))
    except OSError:
        report()
    time.sleep(0.002)
SAMPLER

# run PROGRAM FILE STEPS...: one session in a private home and settings folder, so that no
# recovery file or setting of an earlier run counts.
run() {
    local home="$WORK/home"
    rm -rf "$home" && mkdir -p "$home/config/Kelvane"
    local sep=$'\xc3\xbf'
    printf '[Settings]\nKeywords0=int%sreturn%svoid%s\nKeywords1=include%sdefine%s\nKeywords2=printf%smain%s\nKeywordCount=7\nDelimiters=42\n[Options]\nShow%%20Tips%%20at%%20Startup=0\n' \
        "$sep" "$sep" "$sep" "$sep" "$sep" "$sep" "$sep" > "$home/config/Kelvane/Kelvane.ini"
    # A session bus of its own: with none, libdbus would start one (where dbus-x11 is installed)
    # that outlives the run.
    HOME="$home" XDG_CONFIG_HOME="$home/config" env -u DBUS_SESSION_BUS_ADDRESS \
        xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- "$WORK/session.sh" "$@"
}

declare -A ours floor
collect() { # collect ARRAY PROGRAM FILE STEPS...: keeps "wall cpu peak" by case
    local -n into=$1
    shift
    while read -r name wall cpu peak; do
        into[$name]="$wall $cpu $peak"
    done < <(run "$@")
}
collect ours start "$KELVANE" ""
collect floor start "$PLAIN" ""
collect ours open10 "$KELVANE" "$WORK/c10.c"
collect floor open10 "$PLAIN" "$WORK/c10.c"
collect ours line10 "$KELVANE" "$WORK/line10.c"
collect floor line10 "$PLAIN" "$WORK/line10.c"
collect ours open105 "$KELVANE" "$WORK/c105.c" type100 f11 replace undo
collect floor open105 "$PLAIN" "$WORK/c105.c" type100

cell() { # cell "wall cpu peak" [per-key]: wall s | CPU s (or ms per key) | peak MB
    [ -n "${1:-}" ] || { printf "| – | – | –"; return; }
    read -r wall cpu peak <<< "$1"
    if [ "${2:-}" = per-key ]; then
        awk -v w="$wall" -v c="$cpu" -v p="$peak" \
            'BEGIN { printf "| %.2f | %.2f ms/key | %d", w / 1000, c / 100, p / 1024 }'
    else
        awk -v w="$wall" -v c="$cpu" -v p="$peak" \
            'BEGIN { printf "| %.2f | %.2f | %d", w / 1000, c / 1000, p / 1024 }'
    fi
}
echo "| case | Kelvane wall s | CPU s | peak MB | QPlainTextEdit wall s | CPU s | peak MB |"
echo "|---|---|---|---|---|---|---|"
row() { # row LABEL CASE [per-key]
    echo "| $1 $(cell "${ours[$2]:-}" "${3:-}") $(cell "${floor[$2]:-}" "${3:-}") |"
}
row "start-up, no file" start
row "open 10 MB of C, coloured" open10
row "open 10 MB on one line" line10
row "open 105 MB of C, coloured" open105
row "100 keys typed in 105 MB (with recovery)" type100 per-key
row "F11 (colour again) on 105 MB" f11
row "Replace All of \`return\` in 105 MB" replace
row "Undo of that Replace All" undo
echo
read -r wait_ms _ <<< "${ours[type100_wait]:-– }"
echo "longest wait of a typed key (main thread busy without a pause) in 105 MB: $wait_ms ms"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores"

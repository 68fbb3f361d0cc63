#!/usr/bin/env bash
# The whole-program benchmark: starts the built editor in a virtual X server on generated C files
# and reports, per case, the wall time until the program is idle again, the CPU time it used
# (all its threads, from /proc) and its peak resident memory so far. Where Qt's bare
# QPlainTextEdit (plain_text_floor) can do the same, its figures stand beside ours.
#
#   bench/whole_program.sh [--only "CASE..."] [KELVANE [PLAIN_TEXT_FLOOR]]
#
# Defaults: the programs of the optimised bench build (cmake --preset bench). Prints a Markdown
# table and the load average, since other work on the machine stretches the wall times (the CPU
# times much less). --only runs just the named cases of the editor (start open10 line10 open105
# type100 jumps f11 replace undo; the steps after open105 need it) and leaves out the bare
# QPlainTextEdit. The bare control gets FLOOR_LIMIT seconds (default 300) per case: on 10 MB on
# one line it takes about 17 minutes.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ONLY=""
if [ "${1:-}" = --only ]; then
    ONLY=" $2 "
    shift 2
fi
FLOOR_LIMIT="${FLOOR_LIMIT:-300}"
KELVANE="$(realpath "${1:-$ROOT/build/bench/bin/Kelvane}")"
PLAIN="$(realpath -m "${2:-$ROOT/build/bench/bench/plain_text_floor}")"
[ -x "$KELVANE" ] || { echo "no editor at $KELVANE: build it first (see README)"; exit 1; }
[ -n "$ONLY" ] || [ -x "$PLAIN" ] || { echo "no plain_text_floor at $PLAIN: build it first (see README)"; exit 1; }

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
system_ticks() { awk '{print $15}' "/proc/$PID/stat"; }
peak_kb() { awk '/^VmHWM/{print $2}' "/proc/$PID/status"; }
# measure CASE QUIET_MS FROM_MS FROM_TICKS FROM_SYSTEM_TICKS: waits until the CPU time has not
# moved for QUIET_MS and prints the case with the wall time to its last move, the CPU time used,
# the peak memory and the part of the CPU time spent in the kernel.
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
    echo "$1 $((last_change - $3)) $(((last - $4) * 1000 / TICK)) $(peak_kb)" \
        "$((($(system_ticks) - $5) * 1000 / TICK))"
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
measure "$KIND" 1000 "$START" 0 0
# switches_start, then switches_stop NAME: prints "NAME cpu_ms wall_ms", the longest stretch
# in which the thread that takes keys worked without a sleep in between, from every switch of
# it on and off a processor that the kernel's scheduler made meanwhile (perf). A key typed
# while it works waits until it sleeps again, so this is the longest wait of a key.
switches_start() {
    perf record -q -e sched:sched_switch -a -o "$(dirname "$0")/switches.data" \
        --filter "prev_pid == $PID || next_pid == $PID" > /dev/null 2>&1 &
    PERF=$!
    sleep 1 # perf's start-up, so that it hears the first key
    from=$(now_ms)
    before=$(ticks)
    before_system=$(system_ticks)
}
switches_stop() {
    kill -INT "$PERF" 2> /dev/null || true # perf is missing or not allowed: no figure
    wait "$PERF" || true
    echo "$1 $(perf script -i "$(dirname "$0")/switches.data" -F tid,time,trace 2> /dev/null |
        python3 "$(dirname "$0")/stretches.py" "$PID")"
    rm -f "$(dirname "$0")/switches.data"
}
for step in "$@"; do
    from=$(now_ms)
    before=$(ticks)
    before_system=$(system_ticks)
    case "$step" in
    type100)
        switches_start
        xdotool key ctrl+Home
        xdotool type --delay 30 "$(printf 'x%.0s' $(seq 1 100))"
        # Recovery files are written two seconds after the last key: that work is counted.
        measure "$step" 3000 "$from" "$before" "$before_system"
        switches_stop type100_wait
        ;;
    jumps)
        # Typing at the far end and back at the start, at a person's pace: one looks where the
        # caret went before typing there.
        switches_start
        xdotool key ctrl+End
        sleep 0.3 # a hand's pace
        xdotool type --delay 30 "xxxxx"
        xdotool key ctrl+Home
        sleep 0.3 # a hand's pace
        xdotool type --delay 30 "xxxxx"
        # Enter, Up and Down colour the line of the caret; Backspace takes a line break out.
        xdotool key --delay 30 Return Up Down BackSpace
        measure "$step" 3000 "$from" "$before" "$before_system"
        switches_stop jumps_wait
        # And a key sent 12 ms after the jump, faster than a hand: it finds the text still
        # on its way and waits for the rest of the move.
        switches_start
        xdotool key ctrl+End x
        measure "$step" 1000 "$from" "$before" "$before_system"
        switches_stop rush_wait
        ;;
    f11)
        xdotool key F11
        measure "$step" 1000 "$from" "$before" "$before_system"
        ;;
    replace)
        xdotool key ctrl+r
        sleep 0.5
        xdotool type --delay 20 "return"
        xdotool key Tab
        xdotool type --delay 20 "result"
        from=$(now_ms)
        before=$(ticks)
        before_system=$(system_ticks)
        xdotool key alt+a
        measure "$step" 1000 "$from" "$before" "$before_system"
        xdotool key Return # the count of replacements
        sleep 0.5
        xdotool windowfocus --sync "$WINDOW"
        ;;
    undo)
        xdotool key alt+BackSpace
        measure "$step" 1000 "$from" "$before" "$before_system"
        ;;
    esac
done
kill "$PID"
wait "$PID" 2>/dev/null || true
SESSION
chmod +x "$WORK/session.sh"
cat > "$WORK/stretches.py" <<'STRETCHES'
# Reads perf's sched_switch lines on stdin and prints "cpu_ms wall_ms" of the longest stretch in
# which thread TID worked without going to sleep: taken off a processor for another thread
# (state R) it still has work in hand; only a sleep (state S, waiting for events) ends a stretch.
import re, sys
tid = sys.argv[1]
line_re = re.compile(r"^\s*\d+\s+([\d.]+):.*prev_pid=(\d+) .*prev_state=(\S+) ==> .*next_pid=(\d+) ")
start = on = None
cpu = 0.0
longest = (0.0, 0.0)
for line in sys.stdin:
    m = line_re.match(line)
    if not m:
        continue
    t, prev, state, nxt = float(m[1]), m[2], m[3], m[4]
    if nxt == tid:
        on = t
        if start is None:
            start, cpu = t, 0.0
    elif prev == tid and on is not None:
        cpu += t - on
        on = None
        if not state.startswith("R"):
            longest = max(longest, (cpu, t - start))
            start = None
if longest == (0.0, 0.0):
    print("– –")
else:
    print(f"{longest[0] * 1000:.1f} {longest[1] * 1000:.1f}")
STRETCHES

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
    # LIMIT cuts a session off after so many seconds (timeout stops its whole process group).
    HOME="$home" XDG_CONFIG_HOME="$home/config" env -u DBUS_SESSION_BUS_ADDRESS \
        timeout --kill-after=10 "${LIMIT:-infinity}" xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- "$WORK/session.sh" "$@"
}

declare -A ours floor
collect() { # collect ARRAY PROGRAM FILE STEPS...: keeps "wall cpu peak system" by case
    local -n into=$1
    shift
    while read -r name wall cpu peak system; do
        into[$name]="$wall $cpu $peak $system"
    done < <(run "$@" || true)
}
wanted() { [ -z "$ONLY" ] || [[ "$ONLY" == *" $1 "* ]]; }
run_ours() { # run_ours CASE FILE STEPS...: the editor's session, when the case is wanted
    local kind=$1 file=$2 steps=()
    shift 2
    for step in "$@"; do
        if wanted "$step"; then steps+=("$step"); fi
    done
    if wanted "$kind" || [ ${#steps[@]} -gt 0 ]; then
        collect ours "$kind" "$KELVANE" "$file" "${steps[@]}"
    fi
}
run_floor() { # run_floor CASE FILE STEPS...: the bare control's session, cut off after FLOOR_LIMIT s
    if [ -z "$ONLY" ]; then
        LIMIT="$FLOOR_LIMIT" collect floor "$1" "$PLAIN" "${@:2}"
    fi
}
run_ours start ""
run_floor start ""
run_ours open10 "$WORK/c10.c"
run_floor open10 "$WORK/c10.c"
run_ours line10 "$WORK/line10.c"
run_floor line10 "$WORK/line10.c"
run_ours open105 "$WORK/c105.c" type100 jumps f11 replace undo
run_floor open105 "$WORK/c105.c" type100

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
stretch() { # stretch CASE: "cpu ms of CPU, wall ms wall" of a case's longest stretch
    read -r cpu wall _ <<< "${ours[$1]:-– – }"
    echo "$cpu ms of CPU, $wall ms wall"
}
echo "longest stretch of the thread that takes keys (a key waits that long at most), in 105 MB:"
echo "- typing 100 keys at the start: $(stretch type100_wait)"
echo "- typing at the end and back at the start, at a hand's pace: $(stretch jumps_wait)"
echo "- a key 12 ms after Ctrl+End, faster than a hand: $(stretch rush_wait)"
# The kernel's part of the CPU time is mostly the clearing of fresh memory; a virtual machine
# that must first get that memory from its host charges several times what bare metal does.
echo
echo "of Kelvane's CPU time, in the kernel: $(for c in start open10 line10 open105 type100 f11 replace undo; do
    read -r _ cpu _ system <<<"${ours[$c]:-}"
    [ -z "${system:-}" ] || awk -v c="$c" -v s="$system" -v t="$cpu" \
        'BEGIN { printf "%s %.2f of %.2f s; ", c, s / 1000, t / 1000 }'
done)"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores"

#!/usr/bin/env bash
# Leaves the whole program sitting still in each state a user leaves it in and reads its CPU time
# from /proc: five seconds of idling must cost under 2 % of one core (100 ms) in every state. The
# caret's blinking and the folder watcher are all the work an idle editor may do.
#   1. just started, with the Tip of the Day shown and then closed;
#   2. after dragging the file browser's bar, then the cliptext browser's bar;
#   3. after opening and closing the Options dialog;
#   4. with both side panes hidden;
#   5. with a 10 MB C file open and coloured, then with its window minimised;
#   6. the same file with word wrap on.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
KELVANE="$1"

LARGE="$OUT/large.c"
python3 - "$LARGE" <<'PY'
import sys
block = ("/* a comment before the function */\r\n"
         "int add(int a, int b)\r\n{\r\n    return a + b; // the sum\r\n}\r\n"
         "void greet(void) { printf(\"%s\\n\", \"hello\"); }\r\n"
         "/* " + "a comment long enough to be wrapped on a screen of any width " * 4 + "*/\r\n\r\n")
open(sys.argv[1], "w", newline="").write(block * (10_000_000 // len(block) + 1))
PY

SEP=$'\xc3\xbf' # U+00FF, the keyword separator, in the settings file's UTF-8
settings() { # settings TIPS WRAP
    {
        echo "[Settings]"
        echo "Keywords0=int${SEP}return${SEP}void${SEP}"
        echo "Keywords1=include${SEP}define${SEP}"
        echo "Keywords2=printf${SEP}main${SEP}"
        echo "KeywordCount=7"
        echo "Delimiters=42"
        echo "WordWrap=$2"
        echo "[Options]"
        echo "Show%20Tips%20at%20Startup=$1"
    } > "$INI"
}

cat > "$OUT/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
KELVANE="$1"; OUT="$2"; MODE="$3"; shift 3
source "$E2E_SESSION_LIB"
"$KELVANE" "$@" > "$OUT/kelvane-$MODE.log" 2>&1 &
PID=$!
TICK=$(getconf CLK_TCK)

ticks() { awk '{print $14 + $15}' "/proc/$PID/stat"; }
# Waits until a whole second passes with under 2 % of a core used: what the program set out to do
# (start, load, colour, lay out) is done. A program still busy after 45 s is measured as it is.
# The one-second sleep is the window the CPU time is sampled over, not a wait for an event.
settle() {
    local before
    for _ in $(seq 1 45); do
        before=$(ticks)
        sleep 1 # the sampling window
        [ $((($(ticks) - before) * 1000 / TICK)) -lt 20 ] && return 0
    done
    return 0
}
# idle STATE: the CPU time of the next 5 s, which must stay under 100 ms.
idle() {
    settle
    local before used
    before=$(ticks)
    sleep 5 # the five seconds measured
    used=$((($(ticks) - before) * 1000 / TICK))
    echo "$1: $used ms of CPU in 5 s" | tee -a "$OUT/idle.txt"
    import -window root png:"$OUT/$(echo "$1" | tr ' ,' '__').png"
    [ "$used" -lt 100 ] || echo "$1: $used ms" >> "$OUT/too-busy.txt"
}

if [ "$MODE" = started ]; then
    e2e_answer '^Tip of the Day$' Return || { echo "no Tip of the Day"; kill $PID; exit 1; }
    e2e_window_gone '^Tip of the Day$' || { echo "the Tip of the Day stayed open"; kill $PID; exit 1; }
fi
WINDOW=$(e2e_main_window) || { echo "the main window never appeared"; kill $PID; exit 1; }
xdotool windowfocus --sync "$WINDOW"
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"

# drag PANE BY: the mouse takes the pane's bar (found in the accessibility tree) and moves it BY
# pixels; done once the bar stands where the mouse let go.
drag() {
    local bx by bw bh from row
    read -r bx by bw bh < <(e2e_extents "$1>Splitter bar")
    from=$((bx + bw / 2))
    row=$((by + bh / 2))
    xdotool mousemove --sync $from $row mousedown 1
    for step in 1 2 3 4; do
        xdotool mousemove --sync $((from + step * $2 / 4)) $row
    done
    xdotool mouseup 1
    xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + 20))
    _moved() { read -r bx _ bw _ < <(e2e_extents "$1>Splitter bar") && [ $((bx + bw / 2)) -eq $((from + $2)) ]; }
    e2e_wait_for 10 _moved "$@" || echo "the $1's bar did not follow the mouse"
}

case "$MODE" in
started)
    idle "just started, tip closed"
    drag "File browser pane" 60
    idle "after dragging the file browser bar"
    drag "Cliptext pane" -60
    idle "after dragging the cliptext browser bar"
    xdotool key F4
    e2e_answer '^Editor Options$' Escape || { echo "no Options dialog"; kill $PID; exit 1; }
    e2e_window_gone '^Editor Options$' || { echo "the Options dialog stayed open"; kill $PID; exit 1; }
    xdotool windowfocus --sync "$WINDOW"
    idle "after the Options dialog"
    e2e_menu "$WINDOW" v f "File Browser"
    e2e_wait_for 10 e2e_menu_closed
    e2e_menu "$WINDOW" v c "Cliptext Browser"
    e2e_wait_for 10 e2e_menu_closed
    idle "both panes hidden"
    ;;
large)
    idle "10 MB file open and coloured"
    e2e_menu "$WINDOW" w m
    e2e_wait_for 10 e2e_menu_closed
    idle "document minimised"
    ;;
wrapped)
    idle "10 MB file with word wrap on"
    ;;
esac
e2e_exit_through_menu "$WINDOW" $PID
SESSION
chmod +x "$OUT/session.sh"

run() { # run MODE [FILE]
    e2e_x_session "$OUT/session.sh" "$KELVANE" "$OUT" "$@"
}
settings 1 False
run started
settings 0 False
run large "$LARGE"
settings 0 True
run wrapped "$LARGE"

grep -c . "$OUT/idle.txt" | grep -qx 8 || fail "not every state was measured: $(cat "$OUT/idle.txt")"
[ ! -e "$OUT/too-busy.txt" ] || fail "busy while idle (limit 100 ms): $(tr '\n' ';' < "$OUT/too-busy.txt")"
echo "PASS: $(tr '\n' ';' < "$OUT/idle.txt") screenshots in $OUT"

#!/usr/bin/env bash
# Sourced by the session scripts that run inside the virtual X server (e2e_lib.sh exports its
# path as E2E_SESSION_LIB): finding Kelvane's main window and leaving through File > Exit.

# The main window's id, once it is shown: the splash has the same title, so the main window is
# the wide one left once the splash is gone. Fails after 15 s.
e2e_main_window() {
    local ids
    for _ in $(seq 1 150); do
        ids=$(xdotool search --onlyvisible --name '^Kelvane' 2>/dev/null || true)
        if [ "$(echo "$ids" | grep -c .)" -eq 1 ] &&
            [ "$(xdotool getwindowgeometry "$ids" | awk '/Geometry/{print $2}' | cut -dx -f1)" -gt 600 ]; then
            echo "$ids"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# e2e_exit_through_menu WINDOW PID: File > Exit typed on the keyboard; fails when the program
# is still running 10 s later.
e2e_exit_through_menu() {
    xdotool windowfocus --sync "$1" || true
    xdotool key --clearmodifiers alt+f
    sleep 0.5
    xdotool key x
    for _ in $(seq 1 100); do
        kill -0 "$2" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$2" 2>/dev/null; then
        echo "Kelvane did not exit through File > Exit"
        kill "$2"
        return 1
    fi
    wait "$2"
}

#!/usr/bin/env bash
# Sourced by the session scripts that run inside the virtual X server (e2e_lib.sh exports its
# path as E2E_SESSION_LIB). Nothing here sleeps a fixed time to wait for something: each wait
# asks the X server again until what it waits for is there, or fails at a deadline.
#
# Interface (keep it backward compatible):
#   e2e_wait_for SECONDS COMMAND [ARG...]   retries COMMAND until it succeeds; fails after
#                                           SECONDS.
#   e2e_window PATTERN [SECONDS]            the id of a visible window whose title matches
#                                           PATTERN (the newest); fails after SECONDS (20).
#   e2e_window_gone PATTERN [SECONDS]       waits until no visible window matches PATTERN.
#   e2e_main_window                         the main window's id, once it is shown (never the
#                                           splash, which has the same title).
#   e2e_menu_open                           true while a pulled-down or popup menu is shown.
#   e2e_menu_closed                         true while no menu is shown.
#   e2e_menu WINDOW ALT-KEY ITEM-KEY [ITEM] opens a menu of WINDOW with Alt+ALT-KEY, waits for
#                                           it to show (and, given ITEM, to be the menu that
#                                           holds the item named so), then types ITEM-KEY
#                                           (nothing when it is "": the menu stays open).
#   e2e_menu_shows ITEM                     true while a shown menu holds the item named so.
#   e2e_menu_choose ITEM                    in the open menu, moves down (Down key) to the item
#                                           named so and picks it (Return); fails when no item
#                                           of that name takes the keyboard.
#   e2e_settle [SECONDS]                    waits until the screen stops changing (a blinking
#                                           caret aside), so a screenshot shows it painted;
#                                           after SECONDS (10) it says so and goes on.
#   e2e_focus PATH                          gives keyboard focus to the control at PATH in the
#                                           accessibility tree: accessible names joined by ">",
#                                           e.g. "Cliptext pane>Clip Text Entries".
#   e2e_extents PATH                        prints that control's "x y width height".
#   e2e_count PATH                          prints how many children (rows) the control has.
#   e2e_text PATH                           prints the control's whole text, as a screen reader
#                                           reads it (a document's, the status bar's).
#   e2e_shows_text PATH TEXT                true while the control's text is TEXT exactly.
#   e2e_click PATH                          clicks the middle of that control with the mouse.
#   e2e_dump                                one line per control shown in the accessibility
#                                           tree: role, name, text (tab-separated).
#   e2e_answer PATTERN KEY                  waits (20 s) for a window whose title matches
#                                           PATTERN, gives it the keyboard and types KEY.
#   e2e_exit_through_menu WINDOW PID        File > Exit; fails when PID is still running 10 s
#                                           later.

e2e_wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1 # between two looks
    done
}

# The ids of the visible windows whose title matches the pattern, oldest first.
e2e_windows_named() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null || true
}

# Window type atoms of a window, as xprop prints them.
e2e_window_type() {
    xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null || true
}

e2e_window() {
    local found=""
    _e2e_window_found() {
        found=$(e2e_windows_named "$1" | tail -1)
        [ -n "$found" ]
    }
    e2e_wait_for "${2:-20}" _e2e_window_found "$1" || return 1
    echo "$found"
}

e2e_window_gone() {
    _e2e_window_absent() { [ -z "$(e2e_windows_named "$1")" ]; }
    e2e_wait_for "${2:-20}" _e2e_window_absent "$1"
}

# The main window is the top-level window titled Kelvane... whose first window type is the
# normal one: the splash screen and the menus carry the same title, but their own types first
# (and the normal type only as a fallback).
e2e_main_window() {
    local found=""
    _e2e_main_found() {
        local id
        found=""
        for id in $(e2e_windows_named '^Kelvane'); do
            if e2e_window_type "$id" | grep -q '= _NET_WM_WINDOW_TYPE_NORMAL'; then
                found="$id"
            fi
        done
        [ -n "$found" ]
    }
    e2e_wait_for 30 _e2e_main_found || return 1
    echo "$found"
}

# An open menu is a shown override-redirect window that is no tooltip. Its window type cannot
# tell: Qt makes a new native window each time a menu opens, and only the first one it makes
# for a menu is typed as a menu; the others carry the normal type only. Override-redirect comes
# with the popup itself, every time.
e2e_menu_open() {
    local id
    for id in $(xwininfo -root -children 2>/dev/null | awk '$1 ~ /^0x/ {print $1}'); do
        [ "$(xwininfo -id "$id" 2>/dev/null |
            grep -cE 'Map State: IsViewable|Override Redirect State: yes')" = 2 ] || continue
        e2e_window_type "$id" | grep -q '_NET_WM_WINDOW_TYPE_TOOLTIP' || return 0
    done
    return 1
}

e2e_menu_closed() { ! e2e_menu_open; }

# True while a shown menu holds an item of this name (read from the accessibility tree).
e2e_menu_shows() {
    local tree
    tree=$(e2e_dump 2>/dev/null) || return 1
    grep -qP "^menu item\t\Q$1\E\t" <<< "$tree"
}

e2e_menu() {
    local tries=0
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    while :; do
        xdotool key --clearmodifiers "alt+$2"
        if ! e2e_wait_for 10 e2e_menu_open; then
            echo "Alt+$2 showed no menu"
            # What the screen showed instead (a question box, a lost focus) says why.
            [ -n "${OUT:-}" ] && import -window root png:"$OUT/no-menu.png" 2>/dev/null
            return 1
        fi
        [ -n "${4:-}" ] || break
        # Menus may share an access key (File and Format both answer Alt+F): each press opens
        # the next of them. Another menu is closed, the menu bar let go, and the key pressed
        # again.
        e2e_wait_for 3 e2e_menu_shows "$4" && break
        tries=$((tries + 1))
        if [ $tries -ge 4 ]; then
            echo "Alt+$2 never showed a menu holding $4"
            return 1
        fi
        xdotool key Escape
        e2e_wait_for 10 e2e_menu_closed || return 1
        xdotool key Escape
    done
    [ -z "$3" ] || xdotool key --clearmodifiers "$3"
}

e2e_menu_choose() {
    local current previous="" presses=0
    _e2e_menu_moved() {
        current=$(/usr/bin/python3 "$E2E_ATSPI" menu-item 2>/dev/null) || return 1
        [ "$current" != "$previous" ]
    }
    # The menu may open with no item chosen yet: the first Down chooses its first.
    current=$(/usr/bin/python3 "$E2E_ATSPI" menu-item 2>/dev/null) || current=""
    while [ "$current" != "$1" ]; do
        presses=$((presses + 1))
        if [ $presses -gt 40 ]; then
            echo "no menu item $1 took the keyboard (the last was \"$current\")"
            return 1
        fi
        previous="$current"
        xdotool key Down
        e2e_wait_for 5 _e2e_menu_moved || { echo "Down did not move in the menu (at \"$current\")"; return 1; }
    done
    xdotool key Return
}

# Two screenshots a moment apart that differ in fewer pixels than a caret has: the screen has
# been painted and nothing is moving.
e2e_settle() {
    local work
    work=$(mktemp -d)
    _e2e_still() {
        import -window root "$work/a.xwd" 2>/dev/null || return 1
        sleep 0.2 # between the two screenshots compared
        import -window root "$work/b.xwd" 2>/dev/null || return 1
        # Bytes that differ: a caret of 2 by 20 pixels at 4 bytes each changes 160.
        [ "$(cmp -l "$work/a.xwd" "$work/b.xwd" 2>/dev/null | wc -l)" -lt 400 ]
    }
    # A screen that keeps moving is not a failure here: the checks on the screenshot decide.
    e2e_wait_for "${1:-10}" _e2e_still || echo "e2e_settle: the screen was still changing" >&2
    rm -rf "$work"
}

e2e_focus() {
    /usr/bin/python3 "$E2E_ATSPI" focus "$1"
}

e2e_extents() {
    /usr/bin/python3 "$E2E_ATSPI" extents "$1"
}

e2e_count() {
    /usr/bin/python3 "$E2E_ATSPI" count "$1"
}

e2e_text() {
    /usr/bin/python3 "$E2E_ATSPI" text "$1"
}

e2e_shows_text() {
    local shown
    shown=$(e2e_text "$1" 2>/dev/null) || return 1
    [ "$shown" = "$2" ]
}

e2e_click() {
    local x y width height
    read -r x y width height < <(e2e_extents "$1") || return 1
    xdotool mousemove --sync $((x + width / 2)) $((y + height / 2)) click 1
}

e2e_dump() {
    /usr/bin/python3 "$E2E_ATSPI" dump
}

e2e_answer() {
    local box
    box=$(e2e_window "$1") || return 1
    xdotool windowfocus --sync "$box" && xdotool key --clearmodifiers "$2"
}

e2e_exit_through_menu() {
    e2e_menu "$1" f x Exit || true
    _e2e_gone() { ! kill -0 "$1" 2>/dev/null; }
    if ! e2e_wait_for 10 _e2e_gone "$2"; then
        echo "Kelvane did not exit through File > Exit"
        # A question box left open, or the menu, says why.
        [ -n "${OUT:-}" ] && import -window root png:"$OUT/no-exit.png" 2>/dev/null
        kill "$2"
        return 1
    fi
    wait "$2"
}

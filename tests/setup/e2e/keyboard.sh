# The Fastinst scenarios driven the way a person does it, sourced by scenario.sh: only keys typed
# on the X server (xdotool) and screenshots, no messages sent to the program's windows. Each
# screenshot is checked for what a person would see: the setup window's title drawn as on the
# first picture, and the open question box (or the panel) painted, not a blank rectangle.

x_timeout=900 # tenths of a second: Wine is slow on a busy machine

# Visible X windows of the given program ("fastinst" or "explorer") with exactly this title.
x_windows() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null); do
        if xprop -id "$id" WM_CLASS 2>/dev/null | grep -q "\"$1\\.exe\""; then
            echo "$id"
        fi
    done
}

# Waits for a visible window of the setup program with this title and prints its id. With a
# second argument, a window with that id does not count (the box that was just answered).
wait_setup_window() {
    local title="$1" old="${2:-}" id
    for _ in $(seq "$x_timeout"); do
        id="$(x_windows fastinst "$title" | grep -vx "${old:-none}" | tail -n1)"
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    fail "no window '$title' of the setup appeared"
}

# Waits until the X keyboard focus is on the window, which is where typed keys go.
wait_focus() {
    for _ in $(seq "$x_timeout"); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "the keyboard focus never came to window $1 ($(xdotool getwindowname "$1" 2>/dev/null))"
}

# Waits until a box of the setup with this title (other than OLD) has had the keyboard focus for
# a second, and prints its id: a box that loses the focus meanwhile does not count.
wait_settled_box() {
    local title="$1" old="${2:-none}" id
    for _ in $(seq "$x_timeout"); do
        id="$(x_windows fastinst "$title" | grep -vx "$old" | tail -n1)"
        if [ -n "$id" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ]; then
            sleep 1
            if [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] &&
                [ -n "$(x_windows fastinst "$title" | grep -x "$id")" ]; then
                echo "$id"
                return 0
            fi
        fi
        sleep 0.1
    done
    fail "no box '$title' of the setup kept the keyboard focus"
}

# Types keys once the window has the keyboard focus and has had time to paint.
type_keys() {
    local window="$1"
    shift
    wait_focus "$window"
    sleep 0.5
    xdotool key "$@"
}

# Crops a screenshot: crop SHOT GEOMETRY OUT.
crop() { convert "$work/$1" -crop "$2" +repage "$work/$3"; }

# The title "Dralto 8.41" with its shadow, in the setup window's upper left corner.
title_area=470x100+20+10

# The first picture: taken until the title is drawn (white type, not just the blue gradient),
# which Wine may do late on a busy machine. Later pictures are compared with its title area.
reference_shot() {
    local bright
    for _ in $(seq 60); do
        screenshot "$1"
        crop "$1" "$title_area" title-reference.png
        bright="$(convert "$work/title-reference.png" -colorspace gray -threshold 90% \
            -format '%[fx:mean]' info:)"
        awk -v b="$bright" 'BEGIN { exit !(b > 0.05) }' && return 0
        sleep 0.5
    done
    fail "$1: no title in the setup window (bright share $bright)"
}

# shot_fault SHOT GEOMETRY: prints what a person would miss on the screenshot, nothing when it
# is right: the title area as on the first picture, and the region of the box (or the panel) with
# more than a few colours: text, buttons, icon.
shot_fault() {
    local shot="$1" geometry="$2" differing colours
    crop "$shot" "$title_area" "title-$shot"
    differing="$(compare -metric AE -fuzz 5% "$work/title-reference.png" "$work/title-$shot" \
        null: 2>&1 || true)"
    if [ "$differing" != 0 ]; then
        echo "$shot: the title area differs from the first picture ($differing pixels)"
        return
    fi
    crop "$shot" "$geometry" "box-$shot"
    colours="$(convert "$work/box-$shot" -format '%k' info:)"
    [ "$colours" -gt 8 ] || echo "$shot: the region $geometry is blank ($colours colours)"
}

# Takes the screenshot SHOT until it shows the region GEOMETRY painted and the title as on the
# first picture. On a busy machine Wine paints a window late, and the Program Manager's new group
# window may lie over the setup window until the setup takes the front back.
painted_shot() {
    local shot="$1" geometry="$2" fault
    for _ in $(seq 60); do
        screenshot "$shot"
        fault="$(shot_fault "$shot" "$geometry")"
        [ -z "$fault" ] && return 0
        sleep 0.5
    done
    fail "$fault"
}

# Waits for a box of the setup with this title (other than OLD) that keeps the keyboard focus
# and shows painted in front of the setup window on the screenshot SHOT, and prints its id. The
# setup may close a box and ask again when the Program Manager's window takes the front, so the
# box is looked for again on each try.
painted_box() {
    local title="$1" old="$2" shot="$3" box fault
    for _ in $(seq 60); do
        box="$(wait_settled_box "$title" "$old")"
        screenshot "$shot"
        fault="$(shot_fault "$shot" "$(geometry_of "$box")")"
        if [ -z "$fault" ]; then
            echo "$box"
            return 0
        fi
        sleep 0.5
    done
    fail "$fault"
}

# The geometry of an X window as a crop geometry.
geometry_of() {
    local WIDTH HEIGHT X Y WINDOW SCREEN
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}

# The label, field and buttons of the panel (screen 1280x900: cx 620, cy 462).
panel_area=260x110+620+462

# Waits until the Program Manager's window for the new group is on the screen.
wait_group_window() {
    for _ in $(seq "$x_timeout"); do
        [ -n "$(x_windows explorer Dralto)" ] && return 0
        sleep 0.1
    done
    fail "the Program Manager showed no window for the group"
}

# One default run: language key (Return = English, n = German), group answer (Return = Yes,
# n = No), completion answer. Leaves the screenshots in the scenario's folder.
keyboard_run() {
    local language="$1" group="$2" completion="$3" confirm_title=Setup box
    make_source
    start_setup

    box="$(wait_setup_window Setup)"
    type_keys "$box" "$language"

    local setup
    setup="$(wait_setup_window 'Dralto Setup')"
    wait_focus "$setup"
    reference_shot 1-window.png
    painted_shot 1-window.png "$panel_area"
    # Enter in the destination field means OK.
    xdotool key Return

    box="$(wait_setup_window "$confirm_title")"
    type_keys "$box" Return

    box="$(painted_box Dralto none 2-group-question.png)"
    xdotool key "$group"

    if [ "$group" = Return ]; then
        # The Program Manager opens the new group in a window of its own; the setup must stay in
        # front of it with a working question.
        wait_group_window
    fi
    box="$(painted_box Dralto "$box" 3-completion-question.png)"
    type_keys "$box" "$completion"
    expect_setup_ended
}

expect_installed() {
    local file
    for file in "${installed[@]}"; do
        expect_file "Dralto/$file"
    done
    expect_file windows/drunin32.exe
    query_uninstall | grep -qF 'c:\Dralto\Dralto.exe uninst' || fail "no uninstall entry"
}

expect_group() {
    local group
    group="$(group_dir)"
    [ -n "$group" ] || fail "no Program Manager group"
    [ -f "$group/Dralto.lnk" ] || fail "no Dralto item in the group"
}

# English, default folder, group created, the program started from the last question.
scenario_keyboard_english_group() {
    keyboard_run Return Return Return
    expect_installed
    expect_no_file Dralto/Dralto.cfg
    expect_group
    for _ in $(seq 600); do
        [ -s "$drive_c/Dralto/started.txt" ] && break
        sleep 0.1
    done
    [ -s "$drive_c/Dralto/started.txt" ] || fail "Dralto.exe was not started"
}

# German, default folder, group created, the program not started.
scenario_keyboard_german_group() {
    keyboard_run n Return n
    expect_installed
    expect_file Dralto/Dralto.cfg
    expect_group
    expect_no_file Dralto/started.txt
}

# English, default folder, group declined.
scenario_keyboard_english_no_group() {
    keyboard_run Return n n
    expect_installed
    [ -z "$(group_dir)" ] || fail "a group was created although it was declined"
    expect_no_file Dralto/started.txt
}

# German, default folder, group declined.
scenario_keyboard_german_no_group() {
    keyboard_run n n n
    expect_installed
    expect_file Dralto/Dralto.cfg
    [ -z "$(group_dir)" ] || fail "a group was created although it was declined"
    expect_no_file Dralto/started.txt
}

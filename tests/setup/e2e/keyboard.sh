# The Fastinst scenarios driven the way a person does it, sourced by scenario.sh: only keys typed
# on the X server (xdotool) and screenshots, no messages sent to the program's windows. Each
# screenshot is checked for what a person would see: the setup window's title drawn as on the
# first picture, and the open question box (or the panel) painted, not a blank rectangle. A key
# is typed only once its window has the keyboard focus and shows painted and still.

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

# Ids of the boxes answered so far (one a line): a box that is closing may linger a moment.
answered=none

# The newest visible window of the setup with this title that was not answered; false if none.
setup_window() { x_windows fastinst "$1" | grep -vxF "$answered" | tail -n1 | grep .; }

# Waits for a visible window of the setup with this title and prints its id.
wait_setup_window() {
    wait_until "$x_timeout" setup_window "$1" || fail "no window '$1' of the setup appeared"
}

has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Waits until the X keyboard focus is on the window, which is where typed keys go.
wait_focus() {
    wait_until "$x_timeout" has_focus "$1" ||
        fail "the keyboard focus never came to window $1 ($(xdotool getwindowname "$1" 2>/dev/null))"
}

# Crops a screenshot: crop SHOT GEOMETRY OUT.
crop() { convert "$work/$1" -crop "$2" +repage "$work/$3"; }

# The title "Dralto 8.41" with its shadow, in the setup window's upper left corner.
title_area=470x100+20+10

# True when the screenshot SHOT shows the title drawn (white type, not just the blue gradient),
# which Wine may do late on a busy machine; keeps its title area as the reference for later ones.
title_drawn() {
    local bright
    screenshot "$1"
    crop "$1" "$title_area" title-reference.png
    bright="$(convert "$work/title-reference.png" -colorspace gray -threshold 90% \
        -format '%[fx:mean]' info:)"
    awk -v b="$bright" 'BEGIN { exit !(b > 0.05) }'
}

# The first picture of the setup window: taken until the title is drawn.
reference_shot() {
    wait_until 600 title_drawn "$1" || fail "$1: no title in the setup window"
}

# The place of window $1 in the stacking order, 0 for the top.
stack_place() {
    xwininfo -root -children 2>/dev/null | grep -E '^ +0x' | awk '{ print $1 }' |
        grep -nxF "$(printf '0x%x' "$1")" | cut -d: -f1
}

# overlap WxH+X+Y WxH+X+Y: true when the two areas share a pixel.
overlap() {
    local a b
    IFS='x+' read -r -a a <<<"$1"
    IFS='x+' read -r -a b <<<"$2"
    ((a[2] < b[2] + b[0] && b[2] < a[2] + a[0] && a[3] < b[3] + b[1] && b[3] < a[3] + a[1]))
}

# True when a window of the Program Manager lies above window $1 over the area $2.
program_manager_over() {
    local id geometry place other
    place="$(stack_place "$1")" && [ -n "$place" ] || return 1
    for id in $(x_windows explorer Dralto); do
        geometry="$(geometry_of "$id")" && overlap "$geometry" "$2" &&
            other="$(stack_place "$id")" && [ -n "$other" ] && ((other < place)) && return 0
    done
    return 1
}

# shot_fault SHOT GEOMETRY: prints what a person would miss on the screenshot, nothing when it
# is right: the title area as on the first picture (once there is one), and the region of the
# box (or the panel) with more than a few colours: text, buttons, icon. The title may lie under
# the Program Manager's group window, which opens on its own time: a person sees it beside the
# setup, as long as that window is not over the box.
shot_fault() {
    local shot="$1" geometry="$2" differing colours setup
    setup="$(x_windows fastinst 'Dralto Setup' | head -n1)"
    if [ -f "$work/title-reference.png" ] &&
        ! { [ -n "$setup" ] && program_manager_over "$setup" "$title_area"; }; then
        crop "$shot" "$title_area" "title-$shot"
        differing="$(compare -metric AE -fuzz 5% "$work/title-reference.png" \
            "$work/title-$shot" null: 2>&1 || true)"
        if [ "$differing" != 0 ]; then
            echo "$shot: the title area differs from the first picture ($differing pixels)"
            return
        fi
    fi
    crop "$shot" "$geometry" "box-$shot"
    colours="$(convert "$work/box-$shot" -format '%k' info:)"
    if [ "$colours" -le 8 ]; then
        echo "$shot: the region $geometry is blank ($colours colours)"
    elif [ -n "${3:-}" ] && program_manager_over "$3" "$geometry"; then
        echo "$shot: the Program Manager's window lies over the box"
    fi
}

shot_right() { screenshot "$1" && [ -z "$(shot_fault "$1" "$2")" ]; }

# Takes the screenshot SHOT until it shows the region GEOMETRY painted and the title as on the
# first picture. On a busy machine Wine paints a window late, and the Program Manager's new group
# window may lie over the setup window until the setup takes the front back.
painted_shot() {
    wait_until 600 shot_right "$1" "$2" || fail "$(shot_fault "$1" "$2")"
}

# The geometry of an X window as a crop geometry; false once the window is gone.
geometry_of() {
    local shell WIDTH HEIGHT X Y WINDOW SCREEN
    shell="$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" && eval "$shell" &&
        echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}

# Prints the id of the newest unanswered box of the setup with this title once it has the
# keyboard focus and shows painted (see shot_fault) and still on the screenshot SHOT: a second
# picture shows the box the same. Each look finds the box anew: the setup closes a box that the
# Program Manager's window came over and asks again in front.
# Why the last look found no box ready goes to box-why.txt, for the failure's report.
box_ready() {
    local box geometry fault
    box="$(setup_window "$1")" || { echo "no unanswered box '$1'" >"$work/box-why.txt"; return 1; }
    has_focus "$box" || { echo "box $box without the focus" >"$work/box-why.txt"; return 1; }
    geometry="$(geometry_of "$box")" || { echo "box $box gone" >"$work/box-why.txt"; return 1; }
    screenshot "$2"
    fault="$(shot_fault "$2" "$geometry" "$box")"
    if [ -n "$fault" ]; then
        echo "box $box at $geometry: $fault" >"$work/box-why.txt"
        return 1
    fi
    screenshot "still-$2"
    crop "still-$2" "$geometry" "box-still-$2"
    if [ "$(compare -metric AE "$work/box-$2" "$work/box-still-$2" null: 2>&1)" != 0 ]; then
        echo "box $box at $geometry changed between two pictures" >"$work/box-why.txt"
        return 1
    fi
    has_focus "$box" && echo "$box"
}

box_gone() { ! x_windows fastinst "$1" | grep -qx "$2"; }

# Answers the setup's question box with this title: types KEY once the box is ready (see
# box_ready, which leaves the screenshot SHOT) and waits until the box is gone.
answer_box() {
    local title="$1" key="$2" shot="$3" box
    box="$(wait_until "$x_timeout" box_ready "$title" "$shot")" ||
        fail "no box '$title' of the setup showed painted with the keyboard focus (answered:" \
            "$(tr '\n' ' ' <<<"$answered"); last look: $(cat "$work/box-why.txt" 2>/dev/null))"
    xdotool key "$key"
    note "typed $key into the box '$title' ($box)"
    answered="$answered"$'\n'"$box"
    wait_until "$x_timeout" box_gone "$title" "$box" || fail "the box '$title' stayed after $key"
}

# True while the setup runs (its process neither gone nor ended and not yet waited for).
setup_running() { [[ "$(sed 's/.*) //' "/proc/$setup_pid/stat" 2>/dev/null)" =~ ^[^Z] ]]; }

ended_or_asks() { ! setup_running || setup_window "$1" >/dev/null; }

# Answers the last question and waits for the setup to end. Had the Program Manager's window
# come over the box as the key was typed, the setup asks again in front: that box gets the key.
answer_last_box() {
    answer_box "$@"
    while wait_until "$x_timeout" ended_or_asks "$1" && setup_running; do
        answer_box "$1" "$2" "again-$3"
    done
    ! setup_running || fail "after $2 the setup neither ended nor asked again"
}

# The label, field and buttons of the panel (screen 1280x900: cx 620, cy 462).
panel_area=260x110+620+462

group_window_or_warning() {
    [ -n "$(x_windows explorer Dralto)$(x_windows fastinst Error)$(x_windows fastinst Fehler)" ]
}

# Waits until the Program Manager's window for the new group is on the screen. A loaded machine
# may take minutes to open it; the setup's warning that the group failed ends the wait at once.
wait_group_window() {
    wait_until 2400 group_window_or_warning ||
        fail "the Program Manager showed no window for the group"
    [ -n "$(x_windows explorer Dralto)" ] || fail "the setup warns that it made no group"
    note "the Program Manager shows the group"
}

# One default run: language key (Return = English, n = German), group answer (Return = Yes,
# n = No), completion answer. Leaves the screenshots in the scenario's folder.
keyboard_run() {
    local language="$1" group="$2" completion="$3"
    make_source
    start_setup
    answer_box Setup "$language" 0-language-question.png

    local setup
    setup="$(wait_setup_window 'Dralto Setup')"
    wait_focus "$setup"
    reference_shot 1-window.png
    painted_shot 1-window.png "$panel_area"
    # Enter in the destination field means OK.
    xdotool key Return

    answer_box Setup Return 1-confirm-question.png
    answer_box Dralto "$group" 2-group-question.png
    if [ "$group" = Return ]; then
        # The Program Manager opens the new group in a window of its own; the setup must stay in
        # front of it with a working question.
        wait_group_window
    fi
    answer_last_box Dralto "$completion" 3-completion-question.png
    expect_setup_ended
}

# Runs keyboard_run with these keys and checks what the answers left on disk: the product's files
# and uninstaller; the German marker file only after German; the group with its item only when
# it was asked for; the program started only when the last question was answered Yes.
keyboard_scenario() {
    local language="$1" group="$2" completion="$3" dir
    keyboard_run "$language" "$group" "$completion"
    expect_installed_in Dralto
    expect_file windows/drunin32.exe
    query_uninstall | grep -qF 'c:\Dralto\Dralto.exe uninst' || fail "no uninstall entry"
    if [ "$language" = n ]; then
        expect_file Dralto/Dralto.cfg
    else
        expect_no_file Dralto/Dralto.cfg
    fi
    dir="$(group_dir)"
    if [ "$group" = n ]; then
        [ -z "$dir" ] || fail "a group was created although it was declined"
    else
        [ -n "$dir" ] || fail "no Program Manager group"
        [ -f "$dir/Dralto.lnk" ] || fail "no Dralto item in the group"
    fi
    if [ "$completion" = n ]; then
        expect_no_file Dralto/started.txt
    else
        wait_until 600 test -s "$drive_c/Dralto/started.txt" || fail "Dralto.exe was not started"
    fi
}

# Language (Return = English, n = German), group (Return = Yes), program started (Return = Yes).
scenario_keyboard_english_group() { keyboard_scenario Return Return Return; }
scenario_keyboard_german_group() { keyboard_scenario n Return n; }
scenario_keyboard_english_no_group() { keyboard_scenario Return n n; }
scenario_keyboard_german_no_group() { keyboard_scenario n n n; }

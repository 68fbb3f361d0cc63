# Fastinst scenarios of texts and paths beyond one code page, of the keyboard focus and of the
# waiting setup, sourced by scenario.sh.

# The German window and boxes read back in UTF-16 equal the German texts, whatever the code page.
scenario_german_texts() {
    make_source
    start_setup
    expect_code_page
    drive box no window controls
    expect "$language_question" "WINDOW Dralto Setup 1024x768" "TITLE Dralto Setup" \
           'CONTROL Edit c:\Dralto' "CONTROL Button OK" "CONTROL Button Abbrechen" \
           "CONTROL Button ..."
    screenshot fastinst-german-cp$code_page.png
    drive settext 'c:\Ziel\' click 1 box no settext 'c:\' click 1 box yes box ok key esc gone
    expect 'BOX Setup|Dralto in den Ordner »c:\Ziel« installieren?' \
           'BOX Setup|Dralto in den Ordner »c:« installieren?' \
           "BOX Fehler|Ungültiger Zielordner" "GONE"
    expect_setup_ended
    expect_no_file Ziel
}

# English into a folder with Cyrillic letters; the Program Manager answers late, and meanwhile the
# waiting setup leaves the processor alone.
scenario_cyrillic_progman() {
    make_source
    local commands='C:\progman.txt'
    wine "$FASTINST_PROGMAN" "$commands" </dev/null >"$work/progman.log" 2>&1 &
    start_setup
    expect_code_page
    drive box yes window settext 'c:\Программы\Dralto' click 1 box yes box yes \
          waitfile "$commands"
    expect "$language_question" "WINDOW Dralto Setup 1024x768" \
           'BOX Setup|Install to "c:\Программы\Dralto"?' "BOX Dralto|Create program group?"

    # The acknowledgement comes 8 s after the commands: measure 4 s of that wait.
    local ticks before after
    ticks="$(getconf CLK_TCK)"
    before="$(awk '{ print $14 + $15 }' "/proc/$setup_pid/stat")"
    sleep 4 # the window the processor time is measured over
    after="$(awk '{ print $14 + $15 }' "/proc/$setup_pid/stat")"
    echo "processor while waiting: $((after - before)) of $(awk -v t="$ticks" 'BEGIN { print 4 * t }') ticks" \
        >"$work/cpu.txt"
    awk -v d="$((after - before))" -v t="$ticks" 'BEGIN { exit !(d < 0.10 * 4 * t) }' ||
        fail "the setup used $((after - before)) ticks of $ticks per second while it waited"

    drive box no gone
    expect "BOX Dralto|Setup complete. Start program?" "GONE"
    expect_setup_ended
    expect_installed_in "Программы/Dralto"
    grep -qF '[AddItem("c:\Программы\Dralto\Dralto.exe", Dralto)]' "$drive_c/progman.txt" ||
        fail "the Program Manager got other commands: $(cat "$drive_c/progman.txt")"
    # Exported as UTF-16: the console's own code page could not show every letter.
    wine reg export "$uninstall_key" 'C:\uninstall.reg' /y </dev/null >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$drive_c/uninstall.reg" | tr -d '\r' |
        grep -qxF '"UninstallString"="c:\\Программы\\Dralto\\Dralto.exe uninst"' ||
        fail "uninstall entry: $(iconv -f UTF-16 -t UTF-8 "$drive_c/uninstall.reg")"
}

# Enter goes by the control that has the focus: Tab to Cancel, a click into the field, a typed
# folder and Enter install there. A Shift released while a box was open is released for Tab too.
scenario_stale_focus() {
    make_source
    start_setup
    drive box yes window shiftdown key enter shiftup box no key tab focus \
          key tab key tab focus clickfield focus settext 'c:\Klick\Dralto' key enter \
          box yes box no box no gone
    expect "$language_question" "WINDOW Dralto Setup 1024x768" \
           'BOX Setup|Install to "c:\Dralto"?' "FOCUS 3" "FOCUS 2" "FOCUS 0" \
           'BOX Setup|Install to "c:\Klick\Dralto"?' "BOX Dralto|Create program group?" \
           "BOX Dralto|Setup complete. Start program?" "GONE"
    expect_setup_ended
    expect_installed_in "Klick/Dralto"
}

# A destination of 300 characters is refused whole: nothing is created, not even its first levels.
scenario_long_destination() {
    make_source
    local a b c long
    a="$(printf 'a%.0s' $(seq 100))"
    b="$(printf 'b%.0s' $(seq 100))"
    c="$(printf 'c%.0s' $(seq 95))"
    long="c:\\$a\\$b\\$c"
    [ "${#long}" -eq 300 ] || fail "the test's destination has ${#long} characters"
    start_setup
    drive box yes window settext "$long" click 1 box yes box ok focus click 2 gone
    expect "$language_question" "WINDOW Dralto Setup 1024x768" "BOX Setup|Install to \"$long\"?" \
           "BOX Error|Invalid destination folder" "FOCUS 0" "GONE"
    expect_setup_ended
    expect_no_file "$a"
    expect_no_file windows/drunin32.exe
}

# At 144 dpi (150 %) the panel's controls keep the 96-dpi layout in proportion: 1.5 times the
# offsets and sizes, around the panel origin cx = W/2 - 30, cy = H/2 + 18.
scenario_high_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f \
        </dev/null >/dev/null 2>&1
    make_source
    start_setup
    drive box yes window rects
    screenshot fastinst-144dpi.png
    expect_layout_at_144_dpi
    drive click 2 gone
    expect_setup_ended
}

# The scale changes to 150 % while the setup runs: the window is laid out and drawn anew.
scenario_dpi_changed() {
    make_source
    start_setup
    drive box yes window dpichanged 144 rects
    expect_layout_at_144_dpi
    reference_shot fastinst-dpi-changed.png
    drive click 2 gone
    expect_setup_ended
}

expect_layout_at_144_dpi() {
    # Screen positions: the window's client area starts inside its one-pixel border.
    local field ok cancel browse
    read -r _ field ok cancel browse <<<"$(tail -n1 <<<"$out")"
    local fx fy
    IFS=, read -r fx fy _ <<<"$field"
    [ "$fx" -eq $((1 + 482 + 35)) ] || fail "field at x $fx: $out"
    [ "${field#*,*,}" = 281x26 ] || fail "field size: $out"
    [ "$ok" = "$fx,$((fy + 45)),153x39" ] || fail "OK button: $out"
    [ "$cancel" = "$((fx + 181)),$((fy + 45)),153x39" ] || fail "Cancel button: $out"
    [ "$browse" = "$((fx + 282)),$((fy - 1)),53x30" ] || fail "browse button: $out"
}

# With the Western code page, a folder named in Cyrillic is browsed to and installed into: the
# field, the browser and the files see the same UTF-16 names.
scenario_browse_cyrillic() {
    make_source
    mkdir -p "$drive_c/Инструменты"
    start_setup
    expect_code_page
    drive box yes window settext 'c:\Инструменты\Dralto' click 3 browser ok gettext click 1 \
          box yes box no box no gone
    expect "$language_question" "WINDOW Dralto Setup 1024x768" \
           "BROWSER Setup|Select parent folder for the Dralto installation:" \
           'TEXT C:\Инструменты\Dralto' 'BOX Setup|Install to "C:\Инструменты\Dralto"?' \
           "BOX Dralto|Create program group?" "BOX Dralto|Setup complete. Start program?" "GONE"
    expect_setup_ended
    expect_installed_in "Инструменты/Dralto"
}

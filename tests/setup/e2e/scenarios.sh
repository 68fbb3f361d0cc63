# The Fastinst scenarios, sourced by scenario.sh: each drives the setup program and checks the result.

# English into the default folder: files, uninstaller, registry, group, keyboard, program start.
scenario_english_default() {
    make_source
    # A marker left by an earlier German installation must go.
    mkdir -p "$drive_c/Dralto" && : >"$drive_c/Dralto/Dralto.cfg"
    start_setup
    drive box yes window buttons gettext focus
    expect "$language_question" "WINDOW Dralto Setup 1024x768" "BUTTONS OK Cancel ..." \
           'TEXT c:\Dralto' "FOCUS 0"
    screenshot fastinst-english.png

    # Tab goes field, browse, OK, Cancel, field; Shift+Tab and Up go back, Down forward.
    drive key tab focus key tab focus key tab focus key tab focus \
          key shift+tab focus key up focus key down focus key down focus
    expect "FOCUS 3" "FOCUS 1" "FOCUS 2" "FOCUS 0" "FOCUS 2" "FOCUS 1" "FOCUS 2" "FOCUS 0"

    drive click 1 box yes box yes box yes gone
    expect 'BOX Setup|Install to "c:\Dralto"?' "BOX Dralto|Create program group?" \
           "BOX Dralto|Setup complete. Start program?" "GONE"
    expect_setup_ended

    expect_installed_in Dralto
    expect_file windows/drunin32.exe
    expect_no_file Dralto/Dralto.cfg
    [ "$(query_uninstall)" = "$(printf '%s\n' \
        '    DisplayName    REG_SZ    Dralto' \
        '    UninstallString    REG_SZ    c:\Dralto\Dralto.exe uninst')" ] ||
        fail "uninstall entry: $(query_uninstall)"
    # The program starts on its own after the setup has ended.
    wait_until 600 test -s "$drive_c/Dralto/started.txt" || true
    tr -d '\r' <"$drive_c/Dralto/started.txt" | grep -qx 'command line: c:\\Dralto\\Dralto.exe' ||
        fail "Dralto.exe was not started as expected"

    # Wine's Program Manager turns the DDE commands into shortcuts of the group.
    local group
    group="$(group_dir)"
    [ -n "$group" ] || fail "no Program Manager group"
    ls "$group" > "$work/group.txt"
    [ -f "$group/Dralto.lnk" ] || fail "no Dralto item in the group"
    [ -f "$group/Dralto Help.lnk" ] || fail "no help item in the group"
    grep -qa 'Dralto-e.hlp' "$group/Dralto Help.lnk" || fail "help item is not the English help"

    # Wine's menu builder makes a desktop entry for the program's shortcut (it has an icon).
    local entry="$XDG_DATA_HOME/applications/wine/Programs/Dralto/Dralto.desktop"
    wait_until 600 test -f "$entry" || true
    [ -f "$entry" ] || fail "no desktop entry for the Dralto item"
}

# German into a new deep folder typed with a trailing backslash; Enter in the field means OK.
scenario_german_deep() {
    make_source
    start_setup
    drive box no window buttons
    expect "$language_question" "WINDOW Dralto Setup 1024x768" "BUTTONS OK Abbrechen ..."
    screenshot fastinst-german.png

    drive settext 'c:\Neu\Tief\Dralto\' key enter box yes box no box no gone
    expect 'BOX Setup|Dralto in den Ordner »c:\Neu\Tief\Dralto« installieren?' \
           "BOX Dralto|Programmgruppe erstellen?" \
           "BOX Dralto|Setup abgeschlossen. Dralto starten?" "GONE"
    expect_setup_ended

    expect_installed_in "Neu/Tief/Dralto"
    expect_file Neu/Tief/Dralto/Dralto.cfg
    [ ! -s "$drive_c/Neu/Tief/Dralto/Dralto.cfg" ] || fail "Dralto.cfg is not empty"
    expect_no_file Neu/Tief/Dralto/started.txt
    [ -z "$(group_dir)" ] || fail "a group was created although it was declined"
    query_uninstall | grep -qF 'c:\Neu\Tief\Dralto\Dralto.exe uninst' || fail "no uninstall entry"
}

# A missing source file (Retry, then Ignore) and a missing uninstaller (Ignore).
scenario_missing_files() {
    make_source
    rm "$drive_c/src/psapi.dll" "$drive_c/src/drunin32.exe"
    start_setup
    drive box yes window click 1 box yes box retry box ignore box ignore box yes box no gone
    expect "$language_question" "WINDOW Dralto Setup 1024x768" \
           'BOX Setup|Install to "c:\Dralto"?' \
           'BOX Setup|Error installing c:\Dralto\psapi.dll' \
           'BOX Setup|Error installing c:\Dralto\psapi.dll' \
           'BOX Setup|Error installing C:\windows\drunin32.exe' \
           "BOX Dralto|Create program group?" \
           "BOX Dralto|Setup complete. Start program?" "GONE"
    expect_setup_ended

    expect_no_file Dralto/psapi.dll
    expect_file Dralto/Dralto-e.cnt
    expect_no_file windows/drunin32.exe
    [ -z "$(query_uninstall)" ] || fail "uninstall entry written without uninstaller"
    local group
    group="$(group_dir)"
    [ -f "$group/Dralto.lnk" ] || fail "no group although the uninstaller alone was missing"
    ls "$group" > "$work/group.txt"
    if grep -q 'Uninstall' "$work/group.txt"; then
        fail "uninstall item created without uninstaller"
    fi
}

# Invalid destinations are rejected with nothing created; Esc closes the window. OK and browse
# clicked while the installation already runs (its question is open) start nothing further: the
# driver's "sleep 1000" gives a wrongly started dialog the time to show before they are counted
# (a wait for something that must not happen has no event to wait on).
scenario_invalid_destination() {
    make_source
    start_setup
    drive box yes window settext 'c:\' click 1 waitbox click 1 click 3
    expect "$language_question" "WINDOW Dralto Setup 1024x768"
    drive sleep 1000 dialogs # the time a wrongly started dialog has to show (see above)
    expect "DIALOGS 1"
    drive box yes box ok focus settext 'q:\Dralto' click 1 box yes box ok key esc gone
    expect 'BOX Setup|Install to "c:"?' "BOX Error|Invalid destination folder" "FOCUS 0" \
           'BOX Setup|Install to "q:\Dralto"?' "BOX Error|Invalid destination folder" "GONE"
    expect_setup_ended
    expect_no_file Dralto
    expect_no_file windows/drunin32.exe
    [ -z "$(query_uninstall)" ] || fail "uninstall entry written"
}

# The browse button: starts above the product folder, appends it, Cancel keeps the field.
scenario_browse() {
    make_source
    mkdir -p "$drive_c/Tools"
    start_setup
    drive box yes window settext 'c:\Tools\Dralto' click 3 browser ok gettext \
          click 3 browser cancel gettext settext 'c:\Dralto' click 3 browser ok gettext \
          click 2 gone
    expect "$language_question" "WINDOW Dralto Setup 1024x768" \
           "BROWSER Setup|Select parent folder for the Dralto installation:" \
           'TEXT C:\Tools\Dralto' \
           "BROWSER Setup|Select parent folder for the Dralto installation:" \
           'TEXT C:\Tools\Dralto' \
           "BROWSER Setup|Select parent folder for the Dralto installation:" \
           'TEXT C:\Dralto' "GONE"
    expect_setup_ended
    expect_no_file Dralto
}

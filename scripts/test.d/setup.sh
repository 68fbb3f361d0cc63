# Sourced by scripts/test before ctest: boots the template Wine prefix of the Fastinst scenarios
# with its output detached, so no Wine background process holds ctest's pipes open. Safe to run
# again: a prefix of the installed Wine version is kept.
if command -v wine >/dev/null 2>&1; then
    bash "$REPO_ROOT/tests/setup/e2e/prepare-template.sh" \
        "$REPO_ROOT/build/default/tests/setup/wine/template" </dev/null >/dev/null 2>&1 ||
        echo "Fastinst: could not prepare the Wine prefix; its scenarios will try again" >&2
fi
# The scenarios that run Wine with a Cyrillic and a Japanese ANSI code page need these locales.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8' || ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/; s/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen &&
        locale-gen >/dev/null 2>&1 ||
        echo "Fastinst: could not generate the ru_RU and ja_JP locales" >&2
fi

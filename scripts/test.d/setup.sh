# Sourced by scripts/test before ctest: boots the template Wine prefix of the Fastinst scenarios
# with its output detached, so no Wine background process holds ctest's pipes open. Safe to run
# again: a prefix of the installed Wine version is kept.
if command -v wine >/dev/null 2>&1; then
    bash "$REPO_ROOT/tests/setup/e2e/prepare-template.sh" \
        "$REPO_ROOT/build/default/tests/setup/wine/template" </dev/null >/dev/null 2>&1 ||
        echo "Fastinst: could not prepare the Wine prefix; its scenarios will try again" >&2
fi

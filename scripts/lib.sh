#!/usr/bin/env bash
# Shared by scripts/run and scripts/test: install what is missing, configure and build.
set -euo pipefail

REPO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# ccache sees paths below the checkout as relative ones and leaves the working folder out of its
# keys, so another clone or worktree of the same sources reuses what this one compiled.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$REPO_ROOT}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Every package named in scripts/packages/*.txt that dpkg does not report as installed.
missing_packages() {
    local pkg
    grep -hv '^\s*\(#\|$\)' "$REPO_ROOT"/scripts/packages/*.txt | sort -u | while read -r pkg; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            echo "$pkg"
        fi
    done
}

ensure_packages() {
    local missing
    missing="$(missing_packages | tr '\n' ' ')"
    if [ -z "${missing// /}" ]; then
        return 0
    fi
    echo "Installing Debian packages: $missing"
    export DEBIAN_FRONTEND=noninteractive
    if ! as_root apt-get install -y --no-install-recommends $missing; then
        as_root apt-get update
        as_root apt-get install -y --no-install-recommends $missing
    fi
}

configure_and_build() {
    cd "$REPO_ROOT"
    cmake --preset default >/dev/null
    cmake --build --preset default -- -j"$(nproc)"
}

# run_tests PRESET LOG [CTEST ARGS...]: runs the preset's tests, the output also in LOG. The
# end-to-end sessions (e2e.*, setup_wine_*) drive real windows in a virtual X server and Wine, and
# on a loaded machine one of them may miss a deadline: when nothing else failed, the sessions
# that failed run once more, one at a time, named in the output, and must pass then. A fault that
# is there every time still fails the run.
run_tests() {
    local preset="$1" log="$2" failed
    shift 2
    if ctest --preset "$preset" -j"$(nproc)" "$@" 2>&1 | tee "$log"; then
        return 0
    fi
    failed=$(sed -n '/^The following tests FAILED:/,$ s/^[[:space:]]*[0-9]\+ - \(.*\) ([^)]*)$/\1/p' \
        "$log")
    if [ -z "$failed" ] || grep -qvE '^(e2e\.|setup_wine_)' <<<"$failed"; then
        return 1
    fi
    echo "End-to-end sessions that failed, run once more one at a time:" $failed | tee -a "$log"
    ctest --preset "$preset" --rerun-failed --output-on-failure 2>&1 | tee -a "$log"
}

# check_skips LOG ALLOWED: fails, naming them, when ctest's output in LOG reports skipped tests
# that the file ALLOWED (one test name a line; # starts a comment) does not list.
check_skips() {
    local skipped unexpected
    skipped=$(sed -n 's/^[[:space:]]*[0-9]\+ - \(.*\) (Skipped)$/\1/p' "$1" | sort -u)
    unexpected=$(comm -23 <(echo "$skipped" | grep . || true) \
        <(sed 's/#.*//; s/[[:space:]]*$//' "$2" | grep . | sort -u))
    if [ -n "$unexpected" ]; then
        echo "Skipped tests that $2 does not allow:" >&2
        echo "$unexpected" | sed 's/^/    /' >&2
        return 1
    fi
}

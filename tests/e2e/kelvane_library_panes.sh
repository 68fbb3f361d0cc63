#!/usr/bin/env bash
# Starts Kelvane with the file browser on a project folder and a file open, chooses the shipped
# "HTML Tags" cliptext library and one of its snippets, found in the accessibility tree, puts the
# snippet into the document with Enter and saves it with Ctrl+S: the file on disk must hold the snippet. The screenshot shows
# both panes filled.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
KELVANE="$1"
PROJECT="$OUT/project"
mkdir -p "$PROJECT/src" "$PROJECT/docs"
printf '<html>\r\n<body>\r\n\r\n</body>\r\n</html>\r\n' > "$PROJECT/index.html"
for name in about.html style.css script.js README.txt Makefile main.c util.c util.h; do
    printf 'sample\r\n' > "$PROJECT/$name"
done
{
    echo "[Settings]"
    echo "LastDir=$PROJECT"
    echo "Backup=False"
    echo "[Options]"
    echo "Show%20Tips%20at%20Startup=0"
} > "$INI"

SESSION="$OUT/session.sh"
cat > "$SESSION" <<'SCRIPT'
#!/usr/bin/env bash
set -euo pipefail
KELVANE="$1"; OUT="$2"; FILE="$3"
"$KELVANE" "$FILE" > "$OUT/kelvane.log" 2>&1 &
PID=$!
source "$E2E_SESSION_LIB"
WINDOW=$(e2e_main_window) || { echo "the main window never appeared"; kill $PID; exit 1; }
e2e_settle
import -window root png:"$OUT/before.png"
# The cliptext pane's library list, found in the accessibility tree: a click on HTML Tags, then
# on its seventh entry, which Enter puts into the document.
e2e_click "Cliptext pane>Clip Text Libraries>HTML Tags"
entries_listed() { [ "$(e2e_count "Cliptext pane>Clip Text Entries")" -ge 7 ]; }
e2e_wait_for 10 entries_listed || { echo "HTML Tags listed no entries"; kill $PID; exit 1; }
e2e_click "Cliptext pane>Clip Text Entries>#6"
xdotool key --clearmodifiers Return
xdotool key --clearmodifiers ctrl+s
saved() { [ "$(head -c 15 "$FILE")" = '<a href=""></a>' ]; }
e2e_wait_for 10 saved || echo "the snippet was not saved"
e2e_settle
import -window root png:"$OUT/side-panes.png"
e2e_exit_through_menu "$WINDOW" $PID
SCRIPT
chmod +x "$SESSION"
e2e_x_session "$SESSION" "$KELVANE" "$OUT" "$PROJECT/index.html"

FIRST="$(head -n 1 "$PROJECT/index.html" | tr -d '\r')"
[ "$FIRST" = '<a href=""></a><html>' ] || fail "the snippet is not at the caret: $FIRST"
echo "PASS: screenshot in $OUT/side-panes.png"

#!/usr/bin/env bash
# Opens a coloured C file, chooses File > Print with Ctrl+P, prints to a PDF file from the print
# dialog with Enter, and reads the PDF back: the text, the margins and the keyword colour.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
e2e_coloured_settings "[Printer%20Settings]" "TopMargin=2.5" "BottomMargin=2" "LeftMargin=3" \
    "RightMargin=1.5"
SAMPLE="$OUT/listing.c"
{
    printf '/* A printed listing: keywords in three colours, comments and strings in one */\r\n'
    printf '#include <stdio.h>\r\n#define GREETING "hello, world"\r\n\r\n'
    printf 'int main(void)\r\n{\r\n    // print the greeting, then count to ten\r\n'
    printf '    printf("%%s\\n", GREETING);\r\n    for (int i = 1; i <= 10; ++i)\r\n'
    printf '        printf("%%d\\n", i);\r\n    return 0;\r\n}\r\n'
} > "$SAMPLE"

session="$OUT/print-session.sh"
cat > "$session" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
KELVANE="$1"; LOG="$2"; shift 2
"$KELVANE" "$@" > "$LOG" 2>&1 &
PID=$!
source "$E2E_SESSION_LIB"
MAIN=$(e2e_main_window) || { echo "no main window"; kill $PID; exit 1; }
e2e_settle
xdotool windowfocus --sync "$MAIN" || true
xdotool key --clearmodifiers ctrl+p
DIALOG=$(e2e_window '^Print') || { echo "no print dialog"; kill $PID; exit 1; }
e2e_settle
xdotool windowfocus --sync "$DIALOG" || true
xdotool key --clearmodifiers Return
# The PDF is written whole when the print job ends: its last line is the end-of-file mark.
pdf_written() { tail -c 16 "$HOME"/*.pdf 2>/dev/null | grep -q '%%EOF'; }
e2e_wait_for 30 pdf_written || { echo "no whole PDF file appeared"; kill $PID; exit 1; }
e2e_window_gone '^Print' || { echo "the print dialog stayed"; kill $PID; exit 1; }
e2e_exit_through_menu "$MAIN" $PID
SESSION
chmod +x "$session"
e2e_x_session "$session" "$1" "$OUT/kelvane.log" "$SAMPLE"

PDF=$(ls "$HOME"/*.pdf 2>/dev/null | head -1)
[ -n "$PDF" ] || fail "the print dialog wrote no PDF file"
pdftotext "$PDF" "$OUT/printed.txt"
grep -q 'printf("%s\\n", GREETING);' "$OUT/printed.txt" || fail "the listing is not in the PDF"
# The first word stands at the left and top margins: 3 cm = 85.0 pt, 2.5 cm = 70.9 pt.
pdftotext -bbox -f 1 -l 1 "$PDF" "$OUT/bbox.html"
first=$(grep -m1 '<word' "$OUT/bbox.html")
x=$(echo "$first" | sed 's/.*xMin="\([0-9.]*\)".*/\1/')
y=$(echo "$first" | sed 's/.*yMin="\([0-9.]*\)".*/\1/')
awk -v x="$x" -v y="$y" 'BEGIN { exit !(x > 84 && x < 86 && y > 69.9 && y < 71.9) }' ||
    fail "first word at $x,$y pt, not at the margins"
pdftoppm -png -r 100 -f 1 -l 1 -singlefile "$PDF" "$OUT/printed-page"
# The colours of keyword list 0 and of delimited text.
e2e_has_colour "$OUT/printed-page.png" '#0000C0' || fail "no keyword of list 0 on the page"
e2e_has_colour "$OUT/printed-page.png" '#006000' || fail "no delimited text on the page"
echo "PASS: printed page in $OUT/printed-page.png"

#!/usr/bin/env bash
# Opens a coloured C file, chooses File > Print with Ctrl+P, prints to a PDF file from the print
# dialog with Enter, and reads the PDF back: the text, the margins and the keyword colour.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
SEP=$'\xc3\xbf' # U+00FF, the keyword separator, in the settings file's UTF-8
{
    echo "[Settings]"
    echo "Keywords0=int${SEP}return${SEP}void${SEP}"
    echo "Keywords1=include${SEP}define${SEP}"
    echo "Keywords2=printf${SEP}main${SEP}"
    echo "KeywordCount=7"
    echo "KeywordColor0=12582912"
    echo "KeywordColor1=8421376"
    echo "KeywordColor2=32896"
    echo "Delimiters=42"
    echo "DelimitColor=24576"
    echo "FileBrowser=False"
    echo "ClipText=False"
    echo "[Printer%20Settings]"
    echo "TopMargin=2.5"
    echo "BottomMargin=2"
    echo "LeftMargin=3"
    echo "RightMargin=1.5"
    echo "[Options]"
    echo "Show%20Tips%20at%20Startup=0"
} > "$INI"
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
# Keyword colour 0 is 0xC00000 (BGR), RGB #0000C0; the delimiter colour #006000.
convert "$OUT/printed-page.png" -unique-colors txt:- > "$OUT/colours.txt"
grep -qi '#0000C0' "$OUT/colours.txt" || fail "no keyword of list 0 on the page"
grep -qi '#006000' "$OUT/colours.txt" || fail "no delimited text on the page"
echo "PASS: printed page in $OUT/printed-page.png"

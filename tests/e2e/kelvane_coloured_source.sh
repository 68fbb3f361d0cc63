#!/usr/bin/env bash
# Starts Kelvane with three keyword lists and the comment and string delimiters switched on,
# opens a C file and checks from the screenshot that the keyword and delimiter colours show.
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
    echo "[Options]"
    echo "Show%20Tips%20at%20Startup=0"
} > "$INI"
SAMPLE="$OUT/colours.c"
printf '/* Colour coding: keywords in three colours, comments and strings in one */\r\n#include <stdio.h>\r\n#define GREETING "hello, world"\r\n\r\nint main(void)\r\n{\r\n    // print the greeting\r\n    printf("%%s\\n", GREETING);\r\n    return 0;\r\n}\r\n' > "$SAMPLE"

e2e_session "$1" "$OUT/coloured-source.png" "$SAMPLE"

# Keyword colour 0 is 0xC00000 (BGR), that is RGB #0000C0; the delimiter colour #006000.
convert "$OUT/coloured-source.png" -unique-colors txt:- > "$OUT/colours.txt"
grep -qi '#0000C0' "$OUT/colours.txt" || fail "no keyword of list 0 on screen"
grep -qi '#006000' "$OUT/colours.txt" || fail "no delimited text on screen"
grep -qi '#008080' "$OUT/colours.txt" || fail "no keyword of list 1 on screen"
echo "PASS: screenshot in $OUT/coloured-source.png"

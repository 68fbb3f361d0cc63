#!/usr/bin/env bash
# Starts Kelvane with three keyword lists and the comment and string delimiters switched on,
# opens a C file and checks from the screenshot that the keyword and delimiter colours show.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_prepare "$2"
e2e_coloured_settings
SAMPLE="$OUT/colours.c"
printf '/* Colour coding: keywords in three colours, comments and strings in one */\r\n#include <stdio.h>\r\n#define GREETING "hello, world"\r\n\r\nint main(void)\r\n{\r\n    // print the greeting\r\n    printf("%%s\\n", GREETING);\r\n    return 0;\r\n}\r\n' > "$SAMPLE"

e2e_session "$1" "$OUT/coloured-source.png" "$SAMPLE"

# The colours of keyword lists 0 and 1 and of delimited text.
e2e_has_colour "$OUT/coloured-source.png" '#0000C0' || fail "no keyword of list 0 on screen"
e2e_has_colour "$OUT/coloured-source.png" '#006000' || fail "no delimited text on screen"
e2e_has_colour "$OUT/coloured-source.png" '#008080' || fail "no keyword of list 1 on screen"
echo "PASS: screenshot in $OUT/coloured-source.png"

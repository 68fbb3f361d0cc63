#!/bin/sh
# Turns a UTF-8 text file into a resource text: Windows-1252, CR LF line breaks, zero-terminated.
set -eu
in="$1"
out="$2"
{
    iconv -f UTF-8 -t WINDOWS-1252 "$in" | sed '$!s/$/\r/' | head -c -1
    printf '\000'
} > "$out.tmp"
mv "$out.tmp" "$out"

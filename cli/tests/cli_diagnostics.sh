#!/usr/bin/env bash
# Warnings about the text's lines: every command the layout refuses, every character
# written as "?", each with its line; the export runs and exits as it would without.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

printf '%s\n' 'Title line' '<set>SIZE=3' '<set>fontsize=0' '<set>fontsize=12' '<set>dy=0' \
    '<set>dy=16' '<set>fontcolor=red' '<set>x=abc' '<set>bottom=20000' $'Greek: \u03b1\u03b2 \u0378\u0379' \
    '<set>loadformat=never-saved' '<set>fontcolor=0 0 200' 'Last line' > "$work/doc.txt"
SCRIVANE_DATA_DIR="$work/nodata" "$cli" export "$work/doc.txt" "$work/doc.pdf" 2> "$work/doc.err"
check "warnings leave the exit status 0" test $? -eq 0
check "the PDF is written all the same" sh -c "pdftotext '$work/doc.pdf' - | grep -q 'Last line'"
check "unknown key with its line" grep -q '^scrivane-cli: warning: line 2: unknown command: <set>SIZE=3' "$work/doc.err"
check "fontsize=0 with its line" grep -q '^scrivane-cli: warning: line 3: bad value: <set>fontsize=0' "$work/doc.err"
check "dy=0 with its line" grep -q 'line 5: bad value: <set>dy=0' "$work/doc.err"
check "a colour that is no colour" grep -q 'line 7: bad value: <set>fontcolor=red' "$work/doc.err"
check "a value that is no number" grep -q 'line 8: bad value: <set>x=abc (not a number)' "$work/doc.err"
check "a value out of range" grep -q 'line 9: bad value: <set>bottom=20000 (out of range' "$work/doc.err"
check "replaced characters with their line" grep -q $'line 10: character replaced: \u0378\u0379 (2 characters no installed font' "$work/doc.err"
check "a style never saved" grep -q 'line 11: bad value: <set>loadformat=never-saved' "$work/doc.err"
check "accepted commands say nothing" sh -c "! grep -qE 'line (4|6|12):' '$work/doc.err'"
check "warnings come in line order" sh -c "grep -o '^scrivane-cli: warning: line [0-9]*' '$work/doc.err' | awk '{ print \$4 }' | sort -nc"

SCRIVANE_DATA_DIR="$work/nodata" "$cli" export --quiet "$work/doc.txt" "$work/quiet.pdf" 2> "$work/quiet.err"
check "--quiet exits 0" test $? -eq 0
check "--quiet silences the warnings" test ! -s "$work/quiet.err"
check "--quiet writes the same file" cmp -s "$work/doc.pdf" "$work/quiet.pdf"
"$cli" layout "$work/doc.txt" > /dev/null 2> "$work/layout.err"
check "layout warns as export does" grep -q 'line 2: unknown command' "$work/layout.err"

finish

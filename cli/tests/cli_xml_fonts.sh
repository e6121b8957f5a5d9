#!/usr/bin/env bash
# XHTML and SVG name the PDF font first and then a generic family a browser knows, so the
# text keeps its look and its line lengths.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
export SCRIVANE_DATA_DIR="$work/nodata"

printf '%s\n' 'Sans by default' '<set>fontname=Times-Roman' 'In Times' '<set>fontname=Courier' \
    'In Courier' > "$work/fonts.txt"
"$cli" export "$work/fonts.txt" "$work/fonts.htm"
"$cli" export "$work/fonts.txt" "$work/fonts.svg"
check "well-formed" xmllint --noout "$work/fonts.htm" "$work/fonts.svg"
check "XHTML body: name, then sans-serif" grep -q "font-family: Helvetica, sans-serif;" "$work/fonts.htm"
check "XHTML run: Times, then serif" grep -q "font-family:Times-Roman, serif;" "$work/fonts.htm"
check "XHTML run: Courier, then monospace" grep -q "font-family:Courier, monospace;" "$work/fonts.htm"
check "SVG group: Times, then serif" grep -q 'font-family="Times-Roman, serif"' "$work/fonts.svg"
check "SVG default: name, then sans-serif" grep -q "font-family:Helvetica, sans-serif;" "$work/fonts.svg"
check "SVG renders" rsvg-convert "$work/fonts.svg" -o "$work/fonts.png"
"$cli" import "$work/fonts.svg" "$work/back.txt"
check "the text comes back unchanged" cmp -s "$work/back.txt" "$work/fonts.txt"

finish

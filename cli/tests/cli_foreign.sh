#!/usr/bin/env bash
# A foreign PDF converted to text and exported again keeps its lines where they stood: y
# counts from the top of the page, so the title comes first and lines never pile up.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
export SCRIVANE_DATA_DIR="$work/nodata"

"$cli" import --convert "$testdata/foreign/groff-gropdf.pdf" "$work/story.txt"
check "conversion exits 0" test $? -eq 0
grep -a '^<set>y=' "$work/story.txt" | head -5 | cut -d= -f2 | tr -d '\r' > "$work/ys"
check "the first lines go down the page" sort -n -c "$work/ys"
check "the title stands in the top quarter" \
    awk 'NR == 1 { exit !($1 > 0 && $1 < 842 / 4) }' "$work/ys"

"$cli" export --format pdf --quiet "$work/story.txt" "$work/story.pdf"
check "the converted text exports" test $? -eq 0
check "exported again, the title is the first line" \
    sh -c "pdftotext '$work/story.pdf' - | grep -v '^\s*$' | head -1 | grep -q 'Crossing in Fog'"
check "the story's first line follows its subtitle" \
    sh -c "pdftotext -layout '$work/story.pdf' - | grep -n 'A Sample Story\|The ferry left' | \
        cut -d: -f1 | sort -n -c"

finish

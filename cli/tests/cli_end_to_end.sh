#!/usr/bin/env bash
# End to end through scrivane-cli: what a user of the command line sees, checked with
# qpdf, pdftotext and pdfinfo rather than with our own reader.
set -uo pipefail
cli="$1"
testdata="$2"
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
failures=0
passes=0

check() {  # check NAME CONDITION...
    local name="$1"; shift
    if "$@"; then passes=$((passes + 1)); else echo "FAIL: $name" >&2; failures=$((failures + 1)); fi
}

# A 300-line text: every line different, short enough to stay on the page.
python3 - "$work/notes.txt" <<'PY'
import random, sys
random.seed(7)
words = "ink paper margin chapter note writer page line quick brown export".split()
with open(sys.argv[1], "w") as f:
    for i in range(1, 301):
        line = "Note %d:" % i
        while len(line) < random.randint(40, 75):
            line += " " + random.choice(words)
        f.write(line + "\n")
PY
cat > "$work/notes.format" <<'XML'
<dorvex version="1.0"><vantor><format>
<documentproperties><title>Field notes (draft)</title><author>Zoë Writer</author></documentproperties>
<default><fontname>Helvetica</fontname></default>
</format></vantor></dorvex>
XML

"$cli" export --format-file "$work/notes.format" "$work/notes.txt" "$work/notes.pdf"
check "export exits 0" test $? -eq 0
qpdf --check "$work/notes.pdf" > "$work/qpdf.txt" 2>&1
check "qpdf accepts the export" test $? -eq 0
check "qpdf has no warnings" grep -q "No syntax or stream encoding errors" "$work/qpdf.txt"
pdftotext "$work/notes.pdf" "$work/notes.out"
grep -v '^$' "$work/notes.out" | tr -d '\f' | grep -v '^$' > "$work/notes.lines"
check "pdftotext gives every line in order" cmp -s "$work/notes.lines" "$work/notes.txt"
pdfinfo "$work/notes.pdf" > "$work/info.txt"
# 843 points high, first baseline 66, 16 apart, bottom margin 50: 46 lines a page.
check "page count follows the geometry" grep -qE "^Pages: +7$" "$work/info.txt"
check "title from the format file" grep -qE "^Title: +Field notes \(draft\)$" "$work/info.txt"
check "author from the format file" grep -qE "^Author: +Zoë Writer$" "$work/info.txt"

# Standard input and output.
printf 'from a pipe\n' | "$cli" export - - > "$work/pipe.pdf"
check "pipe export" sh -c "pdftotext '$work/pipe.pdf' - | grep -q 'from a pipe'"

# Characters outside Windows-1252 become "?" and are counted.
printf 'Greek \xce\xb1\xce\xb2 and caf\xc3\xa9\n' > "$work/greek.txt"
"$cli" export "$work/greek.txt" "$work/greek.pdf" 2> "$work/greek.err"
check "replacement warning names the count" grep -q "2 character(s)" "$work/greek.err"
check "replaced text and kept accents" sh -c "pdftotext '$work/greek.pdf' - | grep -q 'Greek ?? and café'"

# A Windows-1252 file is read as such.
printf 'caf\xe9 cr\xe8me\r\n' > "$work/latin.txt"
"$cli" export "$work/latin.txt" "$work/latin.pdf"
check "windows-1252 input" sh -c "pdftotext '$work/latin.pdf' - | grep -q 'café crème'"

# The layout dump is JSON with the page model.
"$cli" layout "$work/notes.txt" > "$work/layout.json"
check "layout is JSON with 7 pages" python3 -c "
import json, sys
d = json.load(open('$work/layout.json'))
assert len(d['pages']) == 7, len(d['pages'])
runs = d['pages'][0]['blocks'][0]['texts']
assert runs[0]['text'].startswith('Note 1:') and runs[0]['x'] == 40 and runs[0]['y'] == 66
assert runs[0]['font'] == 'Helvetica' and runs[0]['size'] == 12
"

# Failures are reported, named by status, and leave existing files alone.
echo "old" > "$work/keep.pdf"
"$cli" export "$work/notes.txt" "$work/keep.svg" 2> "$work/svg.err"
check "svg export refused" test $? -ne 0
check "svg message" grep -q "not supported yet" "$work/svg.err"
"$cli" export "$work/missing.txt" "$work/x.pdf" 2> /dev/null
check "missing input fails" test $? -ne 0
"$cli" export --format-file "$work/nope.format" "$work/notes.txt" "$work/x.pdf" 2> /dev/null
check "missing format file fails" test $? -ne 0
"$cli" export "$work/notes.txt" "$work/no/such/folder/out.pdf" 2> "$work/write.err"
check "unwritable target fails" test $? -ne 0
check "write failure names a status" grep -q "status -40" "$work/write.err"
check "old file untouched" grep -q "^old$" "$work/keep.pdf"
"$cli" frobnicate 2> /dev/null
check "unknown command fails" test $? -ne 0
check "help" sh -c "'$cli' --help | grep -q 'scrivane-cli export'"
check "version" sh -c "'$cli' --version | grep -q '1.4.0'"

# The bundled sample exports cleanly.
"$cli" export --format-file "$testdata/sample.pdf.format.vantor.dorvex" "$testdata/sample.txt" "$work/sample.pdf"
check "sample passes qpdf" sh -c "qpdf --check '$work/sample.pdf' >/dev/null"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]

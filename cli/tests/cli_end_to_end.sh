#!/usr/bin/env bash
# End to end through scrivane-cli: what a user of the command line sees, checked with
# qpdf, pdftotext and pdfinfo rather than with our own reader.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

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

# Characters outside Windows-1252 are kept; only those no installed font shows (here two
# unassigned code points) become "?" and are counted.
printf 'Greek \xce\xb1\xce\xb2 and caf\xc3\xa9 \xcd\xb8\xcd\xb9\n' > "$work/greek.txt"
"$cli" export "$work/greek.txt" "$work/greek.pdf" 2> "$work/greek.err"
check "replacement warning names the count" grep -q "2 character(s) that no installed font can show" "$work/greek.err"
check "kept Greek, accents, replaced the rest" sh -c "pdftotext '$work/greek.pdf' - | grep -q 'Greek αβ and café ??'"

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
# Every format is written, is well-formed, and gives its text back.
for kind in pdf htm svg; do
    "$cli" export "$work/notes.txt" "$work/notes.$kind"
    check "export $kind" test $? -eq 0
    "$cli" import "$work/notes.$kind" "$work/back.$kind.txt"
    check "import $kind gives the text back" cmp -s "$work/back.$kind.txt" "$work/notes.txt"
    "$cli" import - - < "$work/notes.$kind" > "$work/stdin.$kind.txt"
    check "import $kind from standard input" cmp -s "$work/stdin.$kind.txt" "$work/notes.txt"
done
"$cli" export "$work/notes.txt" "$work/notes.xml"
check "xml export" test $? -eq 0
check "xmllint accepts xhtml, svg and xml" xmllint --noout "$work/notes.htm" "$work/notes.svg" "$work/notes.xml"
check "svg renders" rsvg-convert "$work/notes.svg" -o "$work/notes.png"
echo "old" > "$work/keep.pdf"
"$cli" export --format doc "$work/notes.txt" "$work/keep.doc" 2> "$work/doc.err"
check "unknown format refused" test $? -ne 0
check "unknown format message" grep -q "unknown format" "$work/doc.err"
"$cli" import "$work/keep.pdf" "$work/x.txt" 2> "$work/import.err"
check "a file that is no PDF is refused" test $? -ne 0
check "refusal names its status" grep -q "status -1018" "$work/import.err"
"$cli" import --convert "$testdata/foreign/groff-gropdf.pdf" "$work/converted.txt"
check "conversion of the file gives a text" test -s "$work/converted.txt"
"$cli" import --convert - - < "$testdata/foreign/groff-gropdf.pdf" > "$work/converted-stdin.txt"
check "conversion from standard input gives what the file gives" \
    cmp -s "$work/converted.txt" "$work/converted-stdin.txt"
"$cli" import - "$work/x.txt" < "$work/keep.pdf" 2> "$work/stdin.err"
check "standard input is refused as the file is" grep -q "status -21" "$work/stdin.err"
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

# The showcase: every command, every kind of condition, columns, furniture, images.
SCRIVANE_DATA_DIR="$testdata" "$cli" export --format-file "$testdata/showcase.pdf.format.vantor.dorvex" \
    "$testdata/showcase.txt" "$work/showcase.pdf"
check "showcase exports" test $? -eq 0
check "showcase passes qpdf" sh -c "qpdf --check '$work/showcase.pdf' | grep -q 'No syntax or stream encoding errors'"
qpdf --json=2 --json-key=outlines --json-key=pages "$work/showcase.pdf" > "$work/showcase.json"
check "showcase outline: titles, levels and pages" python3 -c "
import json
d = json.load(open('$work/showcase.json'))
pages = {p['object']: i + 1 for i, p in enumerate(d['pages'])}
def walk(entries, level, out):
    for e in entries:
        out.append((level, e['title'], pages[e['dest'][0]]))
        walk(e['kids'], level + 1, out)
    return out
got = walk(d['outlines'], 1, [])
want = [(1, 'Writing with PDF Jotter', 1), (2, 'Fonts, sizes and colours', 1),
        (3, 'Spacing and position', 1), (2, 'Pictures, links and notes', 1),
        (1, 'Two columns', 1), (1, 'Afterword', 2), (2, 'The end of the sample', 2),
        (3, 'Last words', 2)]
assert got == want, got
"
pdfimages -list "$work/showcase.pdf" | awk 'NR > 2 { print $11 }' | sort -u > "$work/images.txt"
check "each image file is one image object" test "$(wc -l < "$work/images.txt")" -eq 2
check "the picture is placed four times" test "$(pdfimages -list "$work/showcase.pdf" | awk 'NR > 2' | wc -l)" -eq 4
pdftotext "$work/showcase.pdf" "$work/showcase.out"
check "markers and hidden lines are not shown" sh -c "! grep -qE '^(# |## |### |%%|@header|@link|@logo|<set>|<img)' '$work/showcase.out'"
check "header on every page with its numbers" test "$(grep -c 'page [12] / 2 - fish & chips' "$work/showcase.out")" -eq 2
check "visible text in order" python3 -c "
text = open('$work/showcase.out').read()
order = ['PDF Jotter showcase\n', 'Writing with PDF Jotter', 'Fonts, sizes and colours',
         'dark red', 'Back to the saved body style', 'Spacing and position', 'justified',
         'Pictures, links and notes', 'from a line condition', 'https://vantor.example/jotter',
         'Above this line', 'Two columns', 'A second paragraph', 'Afterword', 'That is all.']
at = 0
for piece in order:
    found = text.find(piece, at)
    assert found >= 0, piece
    at = found
"

finish

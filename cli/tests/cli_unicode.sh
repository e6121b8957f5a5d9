#!/usr/bin/env bash
# Text beyond Windows-1252: every format keeps the characters and gives them back, the PDF
# embeds subsets of Unicode fonts that outside readers understand, and a Windows-1252 text
# keeps the standard fonts.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

text="$testdata/languages.txt"
SCRIVANE_DATA_DIR="$work/nodata" "$cli" export "$text" "$work/lang.pdf" 2> "$work/lang.err"
check "no warning for characters a font shows" test ! -s "$work/lang.err"
qpdf --check "$work/lang.pdf" > "$work/qpdf.txt" 2>&1
check "qpdf accepts the PDF" grep -q "No syntax or stream encoding errors" "$work/qpdf.txt"
pdffonts "$work/lang.pdf" > "$work/fonts.txt"
check "every font an embedded subset with a ToUnicode map" \
    sh -c "tail -n +3 '$work/fonts.txt' | grep -v -c 'CID TrueType      Identity-H       yes yes yes' | grep -qx 0"
check "sans, serif and mono faces" sh -c "grep -q '+DejaVuSans ' '$work/fonts.txt' && grep -q '+DejaVuSerif ' '$work/fonts.txt' && grep -q '+DejaVuSansMono ' '$work/fonts.txt'"
pdftotext -enc UTF-8 "$work/lang.pdf" - | grep -v '^$' | tr -d '\f' | grep -v '^$' > "$work/shown.txt"
grep -v '^<set>' "$text" > "$work/visible.txt"
# Long lines wrap: join the pieces pdftotext gives as lines before comparing.
check "pdftotext gives the visible text" \
    sh -c "tr '\n' ' ' < '$work/shown.txt' | tr -s ' ' > '$work/a'; tr '\n' ' ' < '$work/visible.txt' | tr -s ' ' > '$work/b'; cmp -s '$work/a' '$work/b'"
pdfinfo -enc UTF-8 "$work/lang.pdf" > "$work/info.txt"
check "title in UTF-16" grep -q "^Title: *Языки · Γλώσσες · Języki$" "$work/info.txt"
for kind in pdf htm svg; do
    "$cli" export "$text" "$work/lang.$kind"
    "$cli" import "$work/lang.$kind" "$work/back.$kind.txt"
    check "import of $kind gives the text back" cmp -s "$text" "$work/back.$kind.txt"
done
check "XHTML holds the characters themselves" grep -q "Ξεσκεπάζω" "$work/lang.htm"
check "SVG is well-formed" xmllint --noout "$work/lang.svg"
"$cli" layout "$text" > "$work/layout.json"
check "layout JSON carries the characters" python3 -c "
import json
d = json.load(open('$work/layout.json'))
assert d['info']['title'] == 'Языки · Γλώσσες · Języki', d['info']['title']
"

printf 'caf\xc3\xa9 \xe2\x82\xac\n' > "$work/latin.txt"
"$cli" export "$work/latin.txt" "$work/latin.pdf"
check "Windows-1252 text keeps the standard fonts" \
    sh -c "pdffonts '$work/latin.pdf' | grep -q 'TrueType          WinAnsi          no  no  no'"

# A format file's properties in any script, with a text Windows-1252 holds.
cat > "$work/greek.pdf.format.vantor.dorvex" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<dorvex version="1.0"><vantor><format><documentproperties><title>Ελληνικά · Русский</title>
<author>Ζωή</author><keywords>αβγ</keywords></documentproperties>
<default><fontname>Helvetica</fontname></default></format></vantor></dorvex>
XML
printf 'caf\xc3\xa9\n' > "$work/plain.txt"
"$cli" export --format-file "$work/greek.pdf.format.vantor.dorvex" "$work/plain.txt" "$work/greek.pdf"
qpdf --check "$work/greek.pdf" > "$work/qpdf.txt" 2>&1
check "qpdf accepts the PDF of a format file's Greek title" \
    grep -q "No syntax or stream encoding errors" "$work/qpdf.txt"
pdfinfo -enc UTF-8 "$work/greek.pdf" > "$work/info.txt"
check "the format file's title in the information" grep -q "^Title: *Ελληνικά · Русский$" "$work/info.txt"
check "the format file's author and keywords" \
    sh -c "grep -q '^Author: *Ζωή$' '$work/info.txt' && grep -q '^Keywords: *αβγ$' '$work/info.txt'"
check "the text keeps the standard fonts" \
    sh -c "pdffonts '$work/greek.pdf' | grep -q 'TrueType          WinAnsi          no  no  no'"
"$cli" import "$work/greek.pdf" "$work/greek.txt"
check "import gives the text back" cmp -s "$work/plain.txt" "$work/greek.txt"
"$cli" layout --format-file "$work/greek.pdf.format.vantor.dorvex" "$work/plain.txt" > "$work/greek.json"
check "layout JSON carries the format file's title" python3 -c "
import json
d = json.load(open('$work/greek.json'))
assert d['info']['title'] == 'Ελληνικά · Русский', d['info']['title']
assert d['pages'][0]['blocks'][0]['texts'][0]['text'] == 'café', d['pages'][0]
"

finish

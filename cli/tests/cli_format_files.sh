#!/usr/bin/env bash
# Which format files the command line lays a text out with: the editor's (the user
# folder's, else the shipped templates), or those named on the command line.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
templates=$(realpath "$testdata/../app/data")

cat > "$work/doc.txt" <<'TXT'
#1 A heading
%% a hidden line
Body text
@note a sticky note
TXT

runs() {  # runs JSON: "text|font|size" of every run of page 1, one a line
    python3 -c "
import json, sys
d = json.load(open('$1'))
for r in d['pages'][0]['blocks'][0]['texts']:
    print('%s|%s|%s' % (r['text'], r['font'], r['size']))
"
}

# The shipped templates: headings, hidden lines and notes as the editor shows them.
SCRIVANE_DATA_DIR="$templates" "$cli" layout "$work/doc.txt" > "$work/templates.json"
runs "$work/templates.json" > "$work/templates.runs"
check "heading marker stripped, heading style" grep -qx "A heading|Helvetica-Bold|18" "$work/templates.runs"
check "hidden line not shown" sh -c "! grep -q 'hidden' '$work/templates.runs'"
check "body in the default style" grep -qx "Body text|Helvetica|12" "$work/templates.runs"
check "note line becomes a note" python3 -c "
import json
d = json.load(open('$work/templates.json'))
notes = [a for a in d['pages'][0]['annotations'] if a['subtype'] == 'Text']
assert len(notes) == 1 and notes[0]['content'] == 'a sticky note', notes
"
SCRIVANE_DATA_DIR="$templates" "$cli" export "$work/doc.txt" "$work/doc.pdf"
check "heading in the PDF outline" sh -c "qpdf --json --json-key=outlines '$work/doc.pdf' | grep -q '\"title\": \"A heading\"'"

# The user's own files come first.
mkdir -p "$work/mine"
cat > "$work/mine/default.pdf.format.vantor.dorvex" <<'XML'
<dorvex version="1.0"><vantor><format><default><fontname>Courier</fontname><fontsize>11</fontsize></default></format></vantor></dorvex>
XML
SCRIVANE_USER_DIR="$work/mine" SCRIVANE_DATA_DIR="$templates" "$cli" layout "$work/doc.txt" > "$work/mine.json"
runs "$work/mine.json" > "$work/mine.runs"
check "user default file before the template" grep -qx "Body text|Courier|11" "$work/mine.runs"
check "template line options still read" grep -qx "A heading|Helvetica-Bold|18" "$work/mine.runs"

# --no-line-options and --format-file override.
SCRIVANE_DATA_DIR="$templates" "$cli" layout --no-line-options "$work/doc.txt" > "$work/noopt.json"
check "--no-line-options prints the markers" sh -c "grep -q '\"#1 A heading\"' '$work/noopt.json'"
cat > "$work/own.format" <<'XML'
<dorvex version="1.0"><vantor><format><default><fontsize>14</fontsize></default></format></vantor></dorvex>
XML
SCRIVANE_DATA_DIR="$templates" "$cli" layout --format-file "$work/own.format" "$work/doc.txt" > "$work/own.json"
runs "$work/own.json" > "$work/own.runs"
check "--format-file alone reads no line options" grep -qx "%% a hidden line|Helvetica|14" "$work/own.runs"
SCRIVANE_DATA_DIR="$templates" "$cli" layout --format-file "$work/own.format" \
    --line-options "$templates/ashtm.pdf.format.vantor.dorvex" "$work/doc.txt" > "$work/both.json"
runs "$work/both.json" > "$work/both.runs"
check "--format-file with --line-options" grep -qx "A heading|Helvetica-Bold|18" "$work/both.runs"
check "--format-file with --line-options hides" sh -c "! grep -q 'hidden' '$work/both.runs'"

# XML never reads line options, as in the editor.
SCRIVANE_DATA_DIR="$templates" "$cli" export "$work/doc.txt" "$work/doc.xml"
check "XML keeps the marker lines as text" grep -q "%% a hidden line" "$work/doc.xml"

# No format file anywhere: the read fallbacks, as before.
SCRIVANE_DATA_DIR="$work/nodata" "$cli" layout "$work/doc.txt" > "$work/none.json"
check "no format file: the fallbacks" python3 -c "
import json
d = json.load(open('$work/none.json'))
r = d['pages'][0]['blocks'][0]['texts'][0]
assert (r['text'], r['font'], r['size'], r['x'], r['y']) == ('#1 A heading', 'Helvetica', 12, 40, 66), r
"

# Wide letters stay on the page with the shipped defaults: lines wrap by measured width.
python3 -c "
print('W' * 100)
print(' '.join(['MMMMMMMM'] * 30))
print('i' * 100)
" > "$work/wide.txt"
SCRIVANE_DATA_DIR="$templates" "$cli" export "$work/wide.txt" "$work/wide.pdf"
check "wide letters stay left of the right margin" python3 -c "
import re, subprocess
html = subprocess.run(['pdftotext', '-bbox', '$work/wide.pdf', '-'], capture_output=True, text=True).stdout
right = max(float(x) for x in re.findall(r'xMax=\"([0-9.]+)\"', html))
assert right <= 557, right
"
check "the narrow line is not cut by the character count" sh -c "pdftotext '$work/wide.pdf' - | grep -qx 'iiiiiiiiii*'"

# A user's format file that sets a character limit alone still gets it.
mkdir -p "$work/chars"
cat > "$work/chars/default.pdf.format.vantor.dorvex" <<'XML'
<dorvex version="1.0"><vantor><format><default><maxlenline>20</maxlenline></default></format></vantor></dorvex>
XML
printf 'aaaa bbbb cccc dddd eeee ffff gggg\n' > "$work/chars.txt"
SCRIVANE_USER_DIR="$work/chars" SCRIVANE_DATA_DIR="$templates" "$cli" layout --no-line-options "$work/chars.txt" > "$work/chars.json"
check "maxlenline alone cuts by characters" python3 -c "
import json
d = json.load(open('$work/chars.json'))
texts = [r['text'] for r in d['pages'][0]['blocks'][0]['texts']]
assert texts[:2] == ['aaaa bbbb cccc dddd ', 'eeee ffff gggg'], texts
"

# --help says where the files are.
SCRIVANE_DATA_DIR="$templates" "$cli" --help > "$work/help.txt"
check "help names the user folder" grep -q "user folder: $work/user" "$work/help.txt"
check "help names the data folder" grep -q "data folder: $templates" "$work/help.txt"
check "help names --no-line-options" grep -q -- "--no-line-options" "$work/help.txt"

finish

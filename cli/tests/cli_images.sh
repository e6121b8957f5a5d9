#!/usr/bin/env bash
# Pictures in a text: found beside the text, skipped with a warning when missing or
# broken, narrowed to the page when wider, and drawn in their own colour model.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
export SCRIVANE_DATA_DIR="$work/nodata"

images() {  # the image count pdfimages lists
    pdfimages -list "$1" 2>/dev/null | awk 'NR > 2' | wc -l
}

# Missing, not a JPEG, cut short: each skipped with a warning naming file and line.
mkdir -p "$work/doc"
printf 'not a picture at all\n' > "$work/doc/fake.jpg"
head -c 300 "$testdata/logo.jpg" > "$work/doc/cut.jpg"
cp "$testdata/logo.jpg" "$work/doc/logo.jpg"
printf '%s\n' 'Pictures' "<img src='missing.jpg'>" "<img src='fake.jpg'>" "<img src='cut.jpg'>" \
    "<img src='logo.jpg'>" "<img src='notes.png'>" 'The end' > "$work/doc/pictures.txt"
(cd "$work" && "$cli" export doc/pictures.txt pictures.pdf 2> pictures.err)
check "broken pictures do not fail the export" test $? -eq 0
check "missing picture: file and line" grep -q "line 2: image not placed: missing.jpg (image file not found" "$work/pictures.err"
check "not a JPEG: file and line" grep -q "line 3: image not placed: fake.jpg (not a JPEG" "$work/pictures.err"
check "cut short: file and line" grep -q "line 4: image not placed: cut.jpg (not a JPEG file, or cut short" "$work/pictures.err"
check "not named .jpg: file and line" grep -q "line 6: image not placed: notes.png" "$work/pictures.err"
check "the good picture is no warning" sh -c "! grep -q 'logo.jpg' '$work/pictures.err'"
check "only the good picture is in the PDF" test "$(images "$work/pictures.pdf")" -eq 1
check "the PDF with skipped pictures passes qpdf" sh -c "qpdf --check '$work/pictures.pdf' >/dev/null"
check "the text goes on after them" sh -c "pdftotext '$work/pictures.pdf' - | grep -q 'The end'"

# A relative name is found beside the text, whatever the current folder.
mkdir -p "$work/elsewhere"
(cd "$work/elsewhere" && "$cli" export "$work/doc/pictures.txt" "$work/beside.pdf" 2>/dev/null)
check "relative picture found beside the text" test "$(images "$work/beside.pdf")" -eq 1
cp "$testdata/logo.jpg" "$work/elsewhere/only-here.jpg"
printf "<img src='only-here.jpg'>\n" > "$work/doc/cwd.txt"
(cd "$work/elsewhere" && "$cli" export "$work/doc/cwd.txt" "$work/cwd.pdf" 2> "$work/cwd.err")
check "not taken from the current folder" test "$(images "$work/cwd.pdf")" -eq 0
check "and said so" grep -q "only-here.jpg" "$work/cwd.err"

# Header pictures and line-condition pictures are judged too.
cat > "$work/cond.format" <<'XML'
<dorvex version="1.0"><vantor><format><default><fontname>Helvetica</fontname></default>
<line><name>pic</name><condition>leftlinevalue</condition><value>@pic</value>
<format><imagefile>gone.jpg</imagefile></format></line></format></vantor></dorvex>
XML
printf '%s\n' 'first' '<set>imgheader=absent.jpg' '@pic here' > "$work/doc/furniture.txt"
"$cli" export --format-file "$work/cond.format" "$work/doc/furniture.txt" "$work/furniture.pdf" 2> "$work/furniture.err"
check "header picture: line of its command" grep -q "line 2: image not placed: absent.jpg" "$work/furniture.err"
check "condition picture: line it is placed on" grep -q "line 3: image not placed: gone.jpg" "$work/furniture.err"

# A picture wider than the page, placed without a size, is narrowed to the text width.
cp "$testdata/wide.jpg" "$work/doc/wide.jpg"
printf '%s\n' "<img src='wide.jpg'>" "<img src='wide.jpg' width='300'>" > "$work/doc/wide.txt"
"$cli" layout "$work/doc/wide.txt" > "$work/wide.json"
check "a wide picture fits the page" python3 -c "
import json
d = json.load(open('$work/wide.json'))
fit, sized = d['pages'][0]['blocks'][0]['images']
assert (fit['width'], fit['height'], fit['pixelWidth']) == (516, 34, 900), fit
assert (sized['width'], sized['height']) == (300, 60), sized
"

# Gray and CMYK pictures keep their colours: rendered, sampled in each half.
cp "$testdata/gray.jpg" "$testdata/cmyk.jpg" "$testdata/logo.jpg" "$work/doc/"
printf '%s\n' "<img src='gray.jpg' width='128' height='64'>" '<set>y+60' \
    "<img src='cmyk.jpg' width='128' height='64'>" > "$work/doc/colours.txt"
"$cli" export "$work/doc/colours.txt" "$work/colours.pdf"
"$cli" layout "$work/doc/colours.txt" > "$work/colours.json"
check "gray and CMYK pass qpdf" sh -c "qpdf --check '$work/colours.pdf' >/dev/null"
pdftoppm -r 72 "$work/colours.pdf" "$work/colours"
check "gray is drawn black and white, CMYK cyan and yellow" python3 - "$work/colours-1.ppm" "$work/colours.json" <<'PY'
import json, sys
data = open(sys.argv[1], "rb").read()
parts = data.split(maxsplit=4)  # P6, width, height, maxval, pixels
width, pixels = int(parts[1]), parts[4]
def pixel(x, y):
    at = 3 * (int(y) * width + int(x))
    return tuple(pixels[at:at + 3])
gray, cmyk = json.load(open(sys.argv[2]))["pages"][0]["blocks"][0]["images"]
def halves(image):
    y = image["y"] + image["height"] / 2
    return (pixel(image["x"] + image["width"] / 4, y), pixel(image["x"] + 3 * image["width"] / 4, y))
black, white = halves(gray)
assert max(black) < 40 and min(white) > 215, (black, white)
cyan, yellow = halves(cmyk)
assert cyan[0] < 80 and cyan[2] > 160, cyan
assert yellow[0] > 180 and yellow[1] > 180 and yellow[2] < 80, yellow
PY
check "RGB pictures stay RGB" sh -c "pdfimages -list '$work/beside.pdf' | awk 'NR == 3 { print \$6 }' | grep -qx rgb"
check "gray and CMYK as pdfimages sees them" sh -c "pdfimages -list '$work/colours.pdf' | awk 'NR > 2 { print \$6 }' | tr '\n' ' ' | grep -qx 'gray cmyk '"

finish

#!/usr/bin/env bash
# Makes the sample PDFs of other programs that the foreign-PDF conversion is measured on,
# and prints how many words pdftotext finds in each.
#
#   tools/foreign-pdf-words.sh              regenerate testdata/foreign/*.pdf, then count
#   tools/foreign-pdf-words.sh FILE.pdf...  only count the words of the given files
#
# The same prose goes through each tool, so the files differ only in how they were made:
#   groff-gropdf.pdf     groff -Tpdf (groff's own PDF writer), Times
#   groff-ps2pdf.pdf     groff -Tps, then ps2pdf (Ghostscript), Times
#   enscript-ps2pdf.pdf  enscript, then ps2pdf (Ghostscript), Courier, two pages
#   pango-cairo.pdf      pango-view (cairo), DejaVu Serif through ToUnicode maps
#   rsvg-cairo.pdf       rsvg-convert from SVG text (cairo), positioned lines
#   pango-objstm.pdf     pango-cairo.pdf rewritten by qpdf with object streams and a
#                        cross-reference stream (PDF 1.5)
#
# Debian packages: groff (gropdf), ghostscript, enscript, pango1.0-tools, librsvg2-bin,
# fonts-dejavu-core, qpdf, poppler-utils.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/testdata/foreign"

count_words() {
    local file words
    for file in "$@"; do
        words=$(pdftotext -layout -enc UTF-8 "$file" - | wc -w)
        printf '%-24s %6d words  %6d bytes\n' "$(basename "$file")" "$words" \
            "$(stat -c %s "$file")"
    done
}

if [ $# -gt 0 ]; then
    count_words "$@"
    exit 0
fi

for tool in groff gropdf ps2pdf enscript pango-view rsvg-convert qpdf pdftotext; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

# Fixed dates, so that a rerun changes the files as little as the tools allow.
export SOURCE_DATE_EPOCH=1700000000
export TZ=UTC LC_ALL=C.UTF-8

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

cat >"$work/prose.txt" <<'EOF'
The ferry left the harbour at seven, long before the fog had lifted from the water.
Nobody on deck could see the lighthouse, but everyone heard its bell, a slow and
patient sound that seemed to come from every direction at once.

Marta kept her notebook open on her knees and wrote down whatever she noticed: the
smell of diesel and salt, a child asking why gulls never sleep, the captain's voice
giving short orders to a sailor who did not need them. She had promised the editor
four thousand words by Friday, and so far she had written fewer than nine hundred.

At the café by the quay the owner was already sweeping the terrace. He waved at the
boat as he did every morning, although he knew that nobody could see him. It was a
small ritual, he said once, like winding a clock that nobody else reads.

By noon the sky had cleared and the island rose out of the sea, green and steep, with
white houses stacked along its only road. Marta closed the notebook. The story, she
decided, would have to begin here, with the arrival rather than the departure.

Later that evening she counted the pages twice and found that the middle section was
far too long. She cut the description of the market, kept the argument between the
two fishermen, and added a short scene in which the ferry returns empty in the rain.
EOF

# groff input: plain paragraphs with the ms macros.
{
    echo '.TL'
    echo 'Crossing in Fog'
    echo '.AU'
    echo 'A Sample Story'
    echo '.PP'
    sed 's/^$/.PP/' "$work/prose.txt"
} >"$work/prose.ms"

groff -ms -Tpdf -K utf8 "$work/prose.ms" >"$out/groff-gropdf.pdf"
groff -ms -Tps -K utf8 "$work/prose.ms" >"$work/groff.ps"
ps2pdf "$work/groff.ps" "$out/groff-ps2pdf.pdf"

iconv -f UTF-8 -t LATIN1 "$work/prose.txt" >"$work/prose-latin1.txt"
enscript -q -B -X latin1 -f Courier14 --word-wrap -L 24 -p "$work/enscript.ps" \
    "$work/prose-latin1.txt"
ps2pdf "$work/enscript.ps" "$out/enscript-ps2pdf.pdf"

# pango wraps the paragraphs itself: one line of input each.
awk 'BEGIN { RS = ""; ORS = "\n\n" } { gsub(/\n/, " "); print }' "$work/prose.txt" \
    >"$work/paragraphs.txt"
pango-view -q --font='DejaVu Serif 11' --width=450 --wrap=word --margin=36 \
    --output="$out/pango-cairo.pdf" "$work/paragraphs.txt"

# SVG text: one <text> element a line, as drawing programs write it.
{
    echo '<svg xmlns="http://www.w3.org/2000/svg" width="612" height="792">'
    y=60
    while IFS= read -r line; do
        if [ -n "$line" ]; then
            printf '<text x="40" y="%d" font-family="DejaVu Sans" font-size="11">%s</text>\n' \
                "$y" "$line"
        fi
        y=$((y + 15))
    done <"$work/prose.txt"
    echo '</svg>'
} >"$work/prose.svg"
rsvg-convert -f pdf -o "$out/rsvg-cairo.pdf" "$work/prose.svg"

qpdf --object-streams=generate --compress-streams=y "$out/pango-cairo.pdf" \
    "$out/pango-objstm.pdf"

count_words "$out"/*.pdf

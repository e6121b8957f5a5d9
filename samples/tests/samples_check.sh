#!/usr/bin/env bash
# The published samples and manuals as a user gets them: sound files (qpdf, xmllint,
# rsvg-convert), a description beside each sample, the page furniture each one teaches
# (pdftotext, pdfimages, qpdf's outline), and an import that gives back the source text.
set -uo pipefail
cli="$1"       # scrivane-cli
sources="$2"   # the samples folder of the source tree
data="$3"      # the build's data folder: data/samples/ and the manuals
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passes=0

check() {  # check NAME CONDITION...
    local name="$1"; shift
    if "$@"; then passes=$((passes + 1)); else echo "FAIL: $name" >&2; failures=$((failures + 1)); fi
}

sound_pdf() {
    qpdf --check "$1" > "$work/qpdf.txt" 2>&1 &&
        grep -q "No syntax or stream encoding errors" "$work/qpdf.txt" &&
        ! grep -qi "warning" "$work/qpdf.txt"
}

# Import writes UTF-8 with LF line ends; the source is compared normalised the same way.
reads_back() {  # reads_back PUBLISHED SOURCE
    "$cli" import "$1" "$work/back.txt" 2> "$work/import.err" &&
        tr -d '\r' < "$2" > "$work/source.txt" &&
        cmp -s "$work/back.txt" "$work/source.txt"
}

# The notes for the writer, the command lines and the markers never reach the page.
nothing_hidden_shows() {
    ! grep -qE '^(%% |<set>|<h[123]>|<pb>$|<img src=|@[a-z]+ )' "$1"
}

# Pictures of an SVG are referred to by relative names that resolve beside it, so the
# drawing shows them wherever the samples are installed.
svg_pictures_beside() {
    local svg="$1" href
    grep -q "xlink:href=" "$svg" || return 1
    for href in $(grep -o 'xlink:href="[^"]*"' "$svg" | sed 's/^xlink:href="//; s/"$//'); do
        case "$href" in /*|*:*) return 1 ;; esac
        [ -f "$(dirname "$svg")/$href" ] || return 1
    done
}

# Every sample text is published with its description, sound, and reads back.
samples=0
svgs=0
for source in "$sources"/*.txt; do
    base=$(basename "$source" .txt)
    [ "$base" = CMakeLists ] && continue
    published=""
    for candidate in "$data/samples/$base.pdf" "$data/samples/$base.svg"; do
        [ -f "$candidate" ] && published="$candidate"
    done
    check "$base is published" test -n "$published"
    [ -n "$published" ] || continue
    samples=$((samples + 1))
    check "$base has a description" test -s "$published.desc"
    case "$published" in
        *.pdf)
            check "$base passes qpdf" sound_pdf "$published"
            pdftotext "$published" "$work/$base.out"
            check "$base shows no hidden line or marker" nothing_hidden_shows "$work/$base.out"
            ;;
        *.svg)
            svgs=$((svgs + 1))
            check "$base is well-formed XML" xmllint --noout "$published"
            check "$base renders" rsvg-convert "$published" -o "$work/$base.png"
            check "$base finds its pictures beside it" svg_pictures_beside "$published"
            ;;
    esac
    check "$base reads back into its source" reads_back "$published" "$source"
done
check "at least five samples" test "$samples" -ge 5
check "one sample is an SVG drawing" test "$svgs" -ge 1
for published in "$data"/samples/*.pdf "$data"/samples/*.svg; do
    base=$(basename "${published%.*}")
    check "$base.${published##*.} comes from a source text" test -f "$sources/$base.txt"
done

# What the samples set out to show.
qpdf --json=2 --json-key=outlines "$data/samples/report.pdf" > "$work/outline.json"
check "the report's bookmarks have three levels, titles without markers" python3 -c "
import json
def walk(entries, level):
    deepest = 0
    for e in entries:
        assert e['title'] and not e['title'].startswith('<'), e['title']
        deepest = max(deepest, level, walk(e['kids'], level + 1))
    return deepest
assert walk(json.load(open('$work/outline.json'))['outlines'], 1) == 3
"
pages=$(pdfinfo "$data/samples/outline.pdf" | awk '/^Pages:/ { print $2 }')
check "the outline runs over several pages" test "${pages:-0}" -ge 2
check "every page of the outline has its number in the footer" \
    test "$(grep -cE "page [0-9]+ of $pages\$" "$work/outline.out")" -eq "$pages"
check "every page of the outline has its header" \
    test "$(grep -c "course outline" "$work/outline.out")" -ge "$pages"
check "the header picture is on every page" \
    test "$(pdfimages -list "$data/samples/outline.pdf" | awk 'NR > 2' | wc -l)" -eq "$pages"
for base in letter newsletter; do
    check "$base has its picture" \
        test "$(pdfimages -list "$data/samples/$base.pdf" | awk 'NR > 2' | wc -l)" -ge 1
done
check "the French text keeps its accents" grep -q "Préparation" "$work/recette.out"

# The manuals: sound, readable back, and showing every command and condition literally.
commands="x y dy linelength maxcar fontsize fontname textalign fontcolor title author subject
          keywords bottom top imgheader header saveformat loadformat savey loady pagewidth
          pageheight line columns xcolumns xmp optimize link"
format_words="documentproperties default line name condition value show annot link header bk
              format fontname defaultfontname fontsize defaultfontsize textalign
              defaulttextalign fontcolor defaultfontcolor dy defaultdy defaultx linelength
              defaultlinelength maxlenline defaultmaxlenline imagefile imagex imagey
              pagewidth pageheight linenumber linevalue leftlinevalue"
for manual in scrivane scrivane-fr; do
    pdf="$data/$manual.pdf"
    check "$manual.pdf passes qpdf" sound_pdf "$pdf"
    check "$manual.pdf reads back into its source" reads_back "$pdf" "$sources/manual/$manual.txt"
    pdftotext "$pdf" "$work/$manual.out"
    missing=""
    for key in $commands; do
        grep -qE "<set>$key[=+-]" "$work/$manual.out" || missing="$missing $key"
    done
    check "$manual shows every command as written (missing:$missing)" test -z "$missing"
    check "$manual shows the image tag" grep -qF "<img src='" "$work/$manual.out"
    missing=""
    for word in $format_words; do
        grep -qw -- "$word" "$work/$manual.out" || missing="$missing $word"
    done
    check "$manual names every format file element and condition (missing:$missing)" test -z "$missing"
    check "$manual numbers its pages" grep -qE "^page [0-9]+ (of|sur) [0-9]+$" "$work/$manual.out"
done
check "the French manual is not the English one" \
    sh -c "pdfinfo '$data/scrivane-fr.pdf' | grep -q 'Manuel de PDF Jotter'"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]

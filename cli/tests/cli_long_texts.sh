#!/usr/bin/env bash
# Long texts, whose pages are built while the layout goes on and whose runs are let go
# once built: the file is the same as the one made from standard input (where every run is
# kept), also when a page size or a header picture comes late in the text and the text
# must be laid out again; the warnings of such a text are given once.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

cp "$testdata/logo.jpg" "$work/logo.jpg"
/usr/bin/env python3 - "$work" <<'PY'
import sys
def text(late):
    lines = ["<set>header=Page &p of &pages", "<set>textalign=justify"]
    for i in range(3000):
        if i == 500: lines.append("<set>fontname=Courier")
        if i == 900: lines.append("<img src='logo.jpg'>")
        if i == 1500 and late: lines.append(late)
        if i == 1600: lines.append("<img src='missing.jpg'>")
        lines.append(f"Line {i} of a long text " + ("that runs over the width of the page "
                     "at least once, so that it is wrapped" if i % 3 else "short"))
    return "\r\n".join(lines) + "\r\n"
for name, late in [("plain", ""), ("size", "<set>pageheight=700"),
                   ("picture", "<set>imgheader=logo.jpg")]:
    open(f"{sys.argv[1]}/{name}.txt", "w", encoding="cp1252", newline="").write(text(late))
PY
cd "$work"
for name in plain size picture; do
    "$cli" export "$name.txt" "$name.pdf" 2> "$name.err"
    check "$name: exported" test $? -eq 0
    "$cli" export - "$name-stdin.pdf" < "$name.txt" 2> /dev/null
    check "$name: the same file as from standard input" cmp -s "$name.pdf" "$name-stdin.pdf"
    check "$name: valid" qpdf --check "$name.pdf" > /dev/null
    check "$name: the missing picture is reported once" \
        test "$(grep -c missing.jpg "$name.err")" -eq 1
done
check "the late page size applies to every page" \
    sh -c "pdfinfo -f 1 -l 1 size.pdf | grep -Eq 'Page +1 size: +596 x 700'"
check "the late header picture is on the first page" \
    sh -c "pdfimages -list -f 1 -l 1 picture.pdf | grep -c jpeg | grep -qx 1"
check "page numbers are stamped" sh -c "pdftotext -f 2 -l 2 plain.pdf - | grep -q 'Page 2 of'"
finish

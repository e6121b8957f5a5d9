#!/usr/bin/env bash
# Command lines a user gets wrong: arguments swapped, a published file given as the
# text, the input named as the output. Each is refused with a message and writes nothing.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

printf 'My notes\nsecond line\n' > "$work/notes.txt"
cp "$work/notes.txt" "$work/notes.orig"
"$cli" export "$work/notes.txt" "$work/sample.pdf"
"$cli" export "$work/notes.txt" "$work/sample.htm"
"$cli" export "$work/notes.txt" "$work/sample.svg"
"$cli" export "$work/notes.txt" "$work/sample.xml"

# Arguments swapped: the PDF is not text, and the text file is left alone.
"$cli" export "$work/sample.pdf" "$work/notes.txt" 2> "$work/swap.err"
check "swapped arguments fail" test $? -ne 0
check "swapped arguments leave the text file alone" cmp -s "$work/notes.txt" "$work/notes.orig"
check "swapped arguments point to import" grep -q "scrivane-cli import" "$work/swap.err"

# Our own XHTML, SVG and XML files are not text either.
for kind in htm svg xml; do
    "$cli" export "$work/sample.$kind" "$work/out-$kind.pdf" 2> "$work/$kind.err"
    check "our $kind is refused as text" test $? -ne 0
    check "our $kind refusal points to import" grep -q "import" "$work/$kind.err"
    check "nothing written for our $kind" test ! -e "$work/out-$kind.pdf"
done
"$cli" layout "$work/sample.pdf" > /dev/null 2> "$work/layout.err"
check "layout refuses a PDF as well" test $? -ne 0

# Another program's PDF, and bytes with NUL in them.
printf '%%PDF-1.7\n%%\xe2\xe3\xcf\xd3\n1 0 obj\n<<>>\nendobj\n%%%%EOF\n' > "$work/other.pdf"
"$cli" export "$work/other.pdf" "$work/other-out.pdf" 2> "$work/other.err"
check "another program's PDF is refused" test $? -ne 0
check "another program's PDF points to --convert" grep -q "import --convert" "$work/other.err"
printf 'abc\0def\n' > "$work/binary.dat"
"$cli" export "$work/binary.dat" "$work/binary.pdf" 2> "$work/binary.err"
check "binary input is refused" test $? -ne 0
check "binary refusal says why" grep -q "not a text file" "$work/binary.err"
check "nothing written for binary input" test ! -e "$work/binary.pdf"
"$cli" export - "$work/stdin.pdf" < "$work/sample.pdf" 2> "$work/stdin.err"
check "a PDF on standard input is refused" test $? -ne 0

# An output name that names no format.
"$cli" export "$work/notes.txt" "$work/notes.doc" 2> "$work/doc.err"
check "output without a format extension fails" test $? -ne 0
check "nothing written under a name of no format" test ! -e "$work/notes.doc"
check "the message names --format" grep -q -- "--format" "$work/doc.err"
"$cli" export --format pdf "$work/notes.txt" "$work/notes.doc"
check "--format writes under any name" sh -c "pdftotext '$work/notes.doc' - | grep -q 'My notes'"

# The input named as the output, also by another path to the same file.
cp "$work/notes.orig" "$work/same.pdf.txt"
"$cli" export --format pdf "$work/same.pdf.txt" "$work/same.pdf.txt" 2> "$work/same.err"
check "output equal to input fails" test $? -ne 0
check "output equal to input is left alone" cmp -s "$work/same.pdf.txt" "$work/notes.orig"
check "the message says why" grep -q "INPUT file itself" "$work/same.err"
ln -s "$work/same.pdf.txt" "$work/link.pdf"
"$cli" export "$work/link.pdf" "$work/same.pdf.txt" --format pdf 2> /dev/null
check "the same file by a link fails" test $? -ne 0
check "the same file by a link is left alone" cmp -s "$work/same.pdf.txt" "$work/notes.orig"
cp "$work/sample.pdf" "$work/again.pdf"
"$cli" import "$work/again.pdf" "$work/again.pdf" 2> /dev/null
check "import onto its own input fails" test $? -ne 0
check "import onto its own input keeps the PDF" cmp -s "$work/again.pdf" "$work/sample.pdf"

# Standard output stays PDF by default.
"$cli" export "$work/notes.txt" - > "$work/piped.pdf"
check "export to standard output" sh -c "pdftotext '$work/piped.pdf' - | grep -q 'My notes'"

finish

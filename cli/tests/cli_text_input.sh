#!/usr/bin/env bash
# Text files of every kind a user may have: line ends of DOS, UNIX and old Macs, UTF-16
# with a byte order mark, UTF-8 with one.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

# CR-only line ends are line ends, as the editor takes them.
printf 'first line\rsecond line\rthird line\r' > "$work/mac.txt"
"$cli" layout "$work/mac.txt" > "$work/mac.json"
check "lone CR ends a line" python3 -c "
import json
d = json.load(open('$work/mac.json'))
runs = [r['text'] for r in d['pages'][0]['blocks'][0]['texts']]
assert runs[:3] == ['first line', 'second line', 'third line'], runs
"
"$cli" export "$work/mac.txt" "$work/mac.pdf"
check "lone CR lines are separate lines in the PDF" sh -c "pdftotext '$work/mac.pdf' - | grep -qx 'second line'"

# Mixed line ends in one file.
printf 'one\r\ntwo\nthree\rfour' > "$work/mixed.txt"
"$cli" export "$work/mixed.txt" "$work/mixed.pdf"
check "mixed line ends give four lines" sh -c "pdftotext '$work/mixed.pdf' - | grep -cE '^(one|two|three|four)$' | grep -qx 4"

# UTF-16 with a byte order mark, little and big endian.
/usr/bin/env python3 - "$work" <<'PY'
import sys
text = "Caf\u00e9 cr\u00e8me \u20ac 5\r\nSecond line\r\n"
open(sys.argv[1] + "/le.txt", "wb").write(b"\xff\xfe" + text.encode("utf-16-le"))
open(sys.argv[1] + "/be.txt", "wb").write(b"\xfe\xff" + text.encode("utf-16-be"))
open(sys.argv[1] + "/bom8.txt", "wb").write(b"\xef\xbb\xbf" + text.encode("utf-8"))
PY
for kind in le be; do
    "$cli" export "$work/$kind.txt" "$work/$kind.pdf" 2> "$work/$kind.err"
    check "UTF-16 $kind exports" test $? -eq 0
    check "UTF-16 $kind text is read as such" sh -c "pdftotext '$work/$kind.pdf' - | grep -qx 'Café crème € 5'"
    check "UTF-16 $kind replaces nothing" test ! -s "$work/$kind.err"
done
"$cli" export "$work/bom8.txt" "$work/bom8.pdf" 2> "$work/bom8.err"
check "UTF-8 byte order mark is no character" sh -c "pdftotext '$work/bom8.pdf' - | grep -qx 'Café crème € 5'"
check "UTF-8 byte order mark is not replaced" test ! -s "$work/bom8.err"

finish

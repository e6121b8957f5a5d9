#!/usr/bin/env bash
# The font libraries are loaded only for text beyond Windows-1252, and when they cannot be
# the export fails with a message naming what is missing, writing nothing.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

printf 'caf\xc3\xa9 \xe2\x82\xac\n' > "$work/latin.txt"
printf 'caf\xc3\xa9 \xd0\x96\xd0\xb8\xd0\xb7\xd0\xbd\xd1\x8c\n' > "$work/cyrillic.txt"

# The dynamic loader names every library it maps.
LD_DEBUG=files "$cli" --version > /dev/null 2> "$work/version.log"
check "--version maps no font library" sh -c "! grep -q 'harfbuzz\|fontconfig' '$work/version.log'"
LD_DEBUG=files "$cli" export "$work/latin.txt" "$work/latin.pdf" 2> "$work/latin.log"
check "a Windows-1252 export maps no font library" \
    sh -c "! grep -q 'harfbuzz\|fontconfig\|freetype' '$work/latin.log'"
LD_DEBUG=files "$cli" export "$work/cyrillic.txt" "$work/cyrillic.pdf" 2> "$work/cyrillic.log"
check "a Cyrillic export loads HarfBuzz and fontconfig" \
    sh -c "grep -q 'libharfbuzz-subset.so.0' '$work/cyrillic.log' && grep -q 'libfontconfig.so.1' '$work/cyrillic.log'"
check "and embeds a font" sh -c "pdffonts '$work/cyrillic.pdf' | grep -q 'CID TrueType'"

# A library of HarfBuzz's name found first that lacks its functions.
mkdir -p "$work/libs"
cp "$(ldd "$cli" | awk '$1 == "libz.so.1" { print $3 }')" "$work/libs/libharfbuzz.so.0"
for kind in pdf htm; do
    LD_LIBRARY_PATH="$work/libs" "$cli" export "$work/cyrillic.txt" "$work/broken.$kind" \
        > "$work/broken.out" 2> "$work/broken.err"
    status=$?
    check "$kind: without HarfBuzz's functions the export fails" test "$status" -eq 1
    check "$kind: nothing is written" test ! -e "$work/broken.$kind"
    check "$kind: the message names the library and the missing function" \
        grep -q "no Unicode font.*libharfbuzz.so.0.*undefined symbol: hb_.*(status -22)" "$work/broken.err"
done
LD_LIBRARY_PATH="$work/libs" "$cli" export "$work/latin.txt" "$work/latin2.pdf"
check "a Windows-1252 export does not need them" cmp -s "$work/latin.pdf" "$work/latin2.pdf"

finish

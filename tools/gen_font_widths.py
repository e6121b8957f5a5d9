#!/usr/bin/env python3
"""Regenerate engine/text/StandardFontWidths.inc.

Reads the AFM metrics shipped by Debian's fonts-urw-base35 package, whose fonts
are metric-compatible with the 14 standard PDF fonts, and writes one 256-entry
advance-width table per font (1/1000 em units) indexed by byte value:

  * text fonts (Helvetica, Times, Courier families): the byte is Windows-1252,
    i.e. the PDF /WinAnsiEncoding; glyphs are looked up by name;
  * Symbol and ZapfDingbats: the font's built-in encoding (the AFM "C" code).

Bytes that have no glyph (control bytes, holes in Windows-1252) get width 0,
except TAB, which gets the width of ten spaces because the PDF writer expands
each tab to ten spaces.

Usage:
    python3 tools/gen_font_widths.py [--afm-dir DIR] [--output FILE] [--check]

The output is deterministic: running it twice gives identical bytes.  With
--check nothing is written; the exit status is 1 when the file is out of date.
"""

import argparse
import os
import sys

DEFAULT_AFM_DIR = "/usr/share/fonts/type1/urw-base35"
REPO_ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUTPUT = os.path.join(REPO_ROOT, "engine", "text", "StandardFontWidths.inc")

TAB_SPACES = 10

# (PDF base font name, AFM file, uses built-in encoding)
FONTS = [
    ("Helvetica", "NimbusSans-Regular.afm", False),
    ("Helvetica-Bold", "NimbusSans-Bold.afm", False),
    ("Helvetica-Oblique", "NimbusSans-Italic.afm", False),
    ("Helvetica-BoldOblique", "NimbusSans-BoldItalic.afm", False),
    ("Times-Roman", "NimbusRoman-Regular.afm", False),
    ("Times-Bold", "NimbusRoman-Bold.afm", False),
    ("Times-Italic", "NimbusRoman-Italic.afm", False),
    ("Times-BoldItalic", "NimbusRoman-BoldItalic.afm", False),
    ("Courier", "NimbusMonoPS-Regular.afm", False),
    ("Courier-Bold", "NimbusMonoPS-Bold.afm", False),
    ("Courier-Oblique", "NimbusMonoPS-Italic.afm", False),
    ("Courier-BoldOblique", "NimbusMonoPS-BoldItalic.afm", False),
    ("Symbol", "StandardSymbolsPS.afm", True),
    ("ZapfDingbats", "D050000L.afm", True),
]

# Glyph names of /WinAnsiEncoding (Windows-1252) for bytes 0x20..0xFF.
# None marks a byte with no character.  0xA0 (no-break space) and 0xAD (soft
# hyphen) use the plain space and hyphen glyphs, as PDF viewers do.
_ASCII_NAMES = """
space exclam quotedbl numbersign dollar percent ampersand quotesingle
parenleft parenright asterisk plus comma hyphen period slash
zero one two three four five six seven
eight nine colon semicolon less equal greater question
at A B C D E F G
H I J K L M N O
P Q R S T U V W
X Y Z bracketleft backslash bracketright asciicircum underscore
grave a b c d e f g
h i j k l m n o
p q r s t u v w
x y z braceleft bar braceright asciitilde -
Euro - quotesinglbase florin quotedblbase ellipsis dagger daggerdbl
circumflex perthousand Scaron guilsinglleft OE - Zcaron -
- quoteleft quoteright quotedblleft quotedblright bullet endash emdash
tilde trademark scaron guilsinglright oe - zcaron Ydieresis
space exclamdown cent sterling currency yen brokenbar section
dieresis copyright ordfeminine guillemotleft logicalnot hyphen registered macron
degree plusminus twosuperior threesuperior acute mu paragraph periodcentered
cedilla onesuperior ordmasculine guillemotright onequarter onehalf threequarters questiondown
Agrave Aacute Acircumflex Atilde Adieresis Aring AE Ccedilla
Egrave Eacute Ecircumflex Edieresis Igrave Iacute Icircumflex Idieresis
Eth Ntilde Ograve Oacute Ocircumflex Otilde Odieresis multiply
Oslash Ugrave Uacute Ucircumflex Udieresis Yacute Thorn germandbls
agrave aacute acircumflex atilde adieresis aring ae ccedilla
egrave eacute ecircumflex edieresis igrave iacute icircumflex idieresis
eth ntilde ograve oacute ocircumflex otilde odieresis divide
oslash ugrave uacute ucircumflex udieresis yacute thorn ydieresis
""".split()

assert len(_ASCII_NAMES) == 0x100 - 0x20, len(_ASCII_NAMES)
WINANSI_NAMES = [None] * 0x20 + [None if n == "-" else n for n in _ASCII_NAMES]
assert len(WINANSI_NAMES) == 256


def parse_afm(path):
    """Returns (widths by glyph name, widths by code) from an AFM file."""
    by_name = {}
    by_code = {}
    in_metrics = False
    with open(path, encoding="latin-1") as f:
        for line in f:
            line = line.strip()
            if line.startswith("StartCharMetrics"):
                in_metrics = True
                continue
            if line.startswith("EndCharMetrics"):
                break
            if not in_metrics or not line:
                continue
            code = None
            width = None
            name = None
            for field in line.split(";"):
                parts = field.split()
                if not parts:
                    continue
                key = parts[0]
                if key == "C":
                    code = int(parts[1])
                elif key == "CH":
                    code = int(parts[1].strip("<>"), 16)
                elif key in ("WX", "W0X"):
                    width = round(float(parts[1]))
                elif key == "N":
                    name = parts[1]
            if width is None:
                raise ValueError("%s: no width in line: %s" % (path, line))
            if name is not None and name not in by_name:
                by_name[name] = width
            if code is not None and 0 <= code <= 255:
                if code in by_code:
                    raise ValueError("%s: code %d listed twice" % (path, code))
                by_code[code] = width
    if not in_metrics:
        raise ValueError("%s: no StartCharMetrics section" % path)
    return by_name, by_code


def build_table(afm_path, builtin):
    by_name, by_code = parse_afm(afm_path)
    table = [0] * 256
    if builtin:
        for code, width in by_code.items():
            table[code] = width
    else:
        for code, name in enumerate(WINANSI_NAMES):
            if name is None:
                continue
            if name not in by_name:
                raise ValueError("%s: glyph '%s' (byte 0x%02X) missing" % (afm_path, name, code))
            table[code] = by_name[name]
    if 32 not in by_code and "space" not in by_name:
        raise ValueError("%s: no space glyph" % afm_path)
    space = by_name.get("space", by_code.get(32))
    table[9] = TAB_SPACES * space
    for w in table:
        if not 0 <= w <= 0xFFFF:
            raise ValueError("%s: width %d does not fit the table" % (afm_path, w))
    return table


def render(afm_dir):
    out = []
    out.append("// Generated by tools/gen_font_widths.py -- do not edit by hand.")
    out.append("// Re-run:  python3 tools/gen_font_widths.py")
    out.append("//")
    out.append("// Advance widths (1/1000 em) of the 14 standard PDF fonts, taken from the")
    out.append("// metric-compatible AFM files of the URW base 35 fonts:")
    for base, afm, _ in FONTS:
        out.append("//   %-22s %s" % (base, afm))
    out.append("//")
    out.append("// Text fonts are indexed by Windows-1252 byte (/WinAnsiEncoding); Symbol and")
    out.append("// ZapfDingbats by their built-in code.  Bytes without a glyph are 0; TAB (9)")
    out.append("// is %d spaces wide." % TAB_SPACES)
    out.append("")
    out.append("static constexpr int kStandardFontCount = %d;" % len(FONTS))
    out.append("")
    out.append("static const char* const kStandardFontNames[kStandardFontCount] = {")
    for base, _, _ in FONTS:
        out.append('    "%s",' % base)
    out.append("};")
    out.append("")
    out.append("static const unsigned short kStandardFontWidths[kStandardFontCount][256] = {")
    for base, afm, builtin in FONTS:
        table = build_table(os.path.join(afm_dir, afm), builtin)
        out.append("    // %s" % base)
        out.append("    {")
        for row in range(0, 256, 16):
            cells = ", ".join("%4d" % w for w in table[row:row + 16])
            out.append("        %s,  // 0x%02X" % (cells, row))
        out.append("    },")
    out.append("};")
    out.append("")
    return "\n".join(out)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--afm-dir", default=DEFAULT_AFM_DIR,
                        help="directory holding the URW base 35 AFM files (default: %(default)s)")
    parser.add_argument("--output", default=DEFAULT_OUTPUT,
                        help="file to write (default: engine/text/StandardFontWidths.inc)")
    parser.add_argument("--check", action="store_true",
                        help="only compare with the existing file; exit 1 if it differs")
    args = parser.parse_args(argv)

    text = render(args.afm_dir)
    if args.check:
        try:
            with open(args.output, encoding="utf-8", newline="") as f:
                current = f.read()
        except FileNotFoundError:
            current = None
        if current != text:
            print("%s is out of date" % args.output, file=sys.stderr)
            return 1
        return 0
    with open(args.output, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

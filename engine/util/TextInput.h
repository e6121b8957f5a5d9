#pragma once
// Turns a text file's bytes into the engine's text (Windows-1252 with CR LF line ends)
// and back; the command line and the editor read text files the same way.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "util/Diagnostic.h"

namespace scrivane {

// How a text file was written, so that it can be saved back the same way.
enum class TextFileEncoding {
    kUtf8,         // valid UTF-8 (also plain ASCII)
    kUtf8Bom,      // valid UTF-8 after a byte order mark
    kWindows1252,  // anything else
    kUtf16Le,      // after the byte order mark FF FE
    kUtf16Be,      // after the byte order mark FE FF
};

struct EngineText {
    std::string text;     // Windows-1252 (UTF-8 when utf8), CR LF line ends
    // The text holds characters beyond Windows-1252 that a font can show, and is UTF-8.
    bool utf8 = false;
    // Given a piece size, the text comes here instead, cut after the first line end past
    // every piece size: each piece but the last ends with a line's CR LF, and the pieces
    // joined are the text. A reader can let a piece go once it has used it.
    std::vector<std::string> pieces;
    size_t replaced = 0;  // characters Windows-1252 (or, when utf8, no font) cannot hold, now "?"
    // One report per line that lost characters: the characters themselves (UTF-8).
    Diagnostics replacements;
    TextFileEncoding encoding = TextFileEncoding::kUtf8;
};

// Which encoding a text file's bytes are in: UTF-16 when they start with its byte order
// mark, else UTF-8 when they are valid UTF-8 (with or without a byte order mark), else
// Windows-1252. The one rule of the command line and the editor.
TextFileEncoding DetectTextFileEncoding(std::string_view fileBytes);

// Whether an installed font can show a character (font/UnicodeFonts.h answers it).
using CanShowCharacter = std::function<bool(char32_t)>;

// UTF-16 with a byte order mark and valid UTF-8 are converted; anything else is taken as
// Windows-1252 already. CR LF, a lone LF and a lone CR all end a line and become CR LF.
// A text that Windows-1252 holds is Windows-1252. One that it does not hold stays UTF-8
// when `canShow` is given and accepts some of its other characters; the characters it
// refuses become "?". Without `canShow` every character beyond Windows-1252 becomes "?".
// With pieceSize > 0 the text goes to `pieces` (see EngineText).
EngineText ToEngineText(std::string_view fileBytes, const CanShowCharacter& canShow = {},
                        size_t pieceSize = 0);

// Engine text back to a UTF-8 file text with LF line ends; `utf8`: the engine text is
// UTF-8 already.
std::string ToUtf8Lines(std::string_view engineText, bool utf8 = false);

// What a file handed over as text really is. Files this program publishes are read back
// with the import, not laid out as text.
enum class TextInputKind {
    kText,
    kBinary,         // NUL bytes in the first 8 KiB (and no UTF-16 byte order mark)
    kOwnPdf,         // a PDF this program wrote
    kOtherPdf,       // a PDF another program wrote
    kOwnXml,         // an XHTML, XML or SVG file this program wrote
};
TextInputKind ClassifyTextInput(std::string_view fileBytes);

}  // namespace scrivane

#include "pdf/PdfObjects.h"

#include <cstring>
#include <set>

#include "pdf/CidFonts.h"
#include "pdf/Compression.h"
#include "pdf/PdfSyntax.h"
#include "util/Numbers.h"
#include "util/ProgramInfo.h"

namespace scrivane {

namespace {

constexpr std::string_view kObjectEnd = ">>\nendobj\n";

void AppendLiteralEntry(std::string& out, std::string_view key, std::string_view value,
                        bool utf8 = false) {
    out += key;
    out.push_back('(');
    if (utf8) {
        AppendTextString(out, value);
    } else {
        AppendEscapedLiteral(out, value);
    }
    out.push_back(')');
}

// An entry of the information, whose values are UTF-8 (AppendInfoString).
void AppendInfoEntry(std::string& out, std::string_view key, std::string_view utf8,
                     bool utf8Text) {
    out += key;
    out.push_back('(');
    AppendInfoString(out, utf8, utf8Text);
    out.push_back(')');
}

// The resource names of a block's runs, "F" + the FontID of the matching font, else "F1";
// looked up again only when the font or the weight changes from one run to the next.
class FontResources {
public:
    FontResources(const vorContent& content, PdfWriteState& state)
        : content_(content), state_(state) {}

    const std::string& Of(const vorText& run) {
        if (resource_.empty() || run.font != font_ || run.Bold != bold_) {
            font_ = run.font;
            bold_ = run.Bold;
            Look(content_.ResourceFontName(run));
        }
        return resource_;
    }

private:
    void Look(const std::string& name) {
        if (state_.fontIds.empty() && state_.fonts) {
            for (const vorFont& font : *state_.fonts) {
                state_.fontIds.emplace(font.BaseFont, font.FontID);
            }
        }
        auto found = state_.fontIds.find(name);
        resource_ = "F";
        resource_ += found == state_.fontIds.end() ? std::string("1") : found->second;
    }

    const vorContent& content_;
    PdfWriteState& state_;
    uint32_t font_ = 0;
    bool bold_ = false;
    std::string resource_;
};

// A name object: bytes outside the regular printable set are written as #xx.
void AppendName(std::string& out, std::string_view name) {
    static const char* const kHex = "0123456789ABCDEF";
    for (char c : name) {
        auto byte = static_cast<unsigned char>(c);
        bool regular = byte > 32 && byte < 127 && !std::strchr("()<>[]{}/%#", c);
        if (regular) {
            out.push_back(c);
        } else {
            out.push_back('#');
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 15]);
        }
    }
}

size_t CountSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    size_t count = 0;
    for (char c : text) count += c == ' ';
    return count;
}

void AppendTextRun(std::string& s, const vorText& run, std::string_view text,
                   const std::string& colour, const std::string& font, PdfWriteState& state,
                   std::string& escaped) {
    escaped.clear();
    const CidFonts* cidFonts = state.cidFonts;
    // UTF-8 runs are shown as character ids; `shown` counts what spacing spreads over.
    size_t shown = 0;
    if (cidFonts) {
        shown = CidFonts::ShownLength(text);
    } else {
        AppendEscapedRun(escaped, text);
        shown = escaped.size();
    }
    double spaceAdjust = 0;  // per space, in thousandths of the size, for TJ
    bool coloured = !colour.empty();
    if (coloured) s += "q\n";
    s += "BT\n";
    // Word and character spacing last beyond BT/ET: a run that wants none resets what an
    // earlier run left set. Inside the q ... Q of a coloured run, whatever is set or reset
    // is undone again by Q.
    bool wordSpacing = false, charSpacing = false, wordSpacingZeroed = false;
    if (run.textalign == 3) {
        size_t spaces = CountSpaces(text);
        if (run.xdelta == 0 || (spaces == 0 && shown == 0)) {
            s += "0 Tw\n";  // nothing to spread (or nothing to spread it over)
            wordSpacingZeroed = true;
        } else if (spaces == 0) {
            AppendNumber(s, run.xdelta / (20.0 * static_cast<double>(shown)));
            s += " Tc\n";
            charSpacing = true;
        } else if (cidFonts) {
            // Word spacing applies to the single byte 32 only: 2-byte ids widen their
            // spaces by position adjustments instead.
            spaceAdjust = -run.xdelta / (20.0 * static_cast<double>(spaces)) * 1000.0 /
                          (run.fontsize != 0 ? run.fontsize : 1);
        } else {
            AppendNumber(s, run.xdelta / (20.0 * static_cast<double>(spaces)));
            s += " Tw\n";
            wordSpacing = true;
        }
    }
    if (state.wordSpacingSet && !wordSpacing && !wordSpacingZeroed) s += "0 Tw\n";
    if (state.charSpacingSet && !charSpacing) s += "0 Tc\n";
    if (!coloured) {
        state.wordSpacingSet = wordSpacing;
        state.charSpacingSet = charSpacing;
    }
    s.push_back('/');
    s += font;
    s.push_back(' ');
    AppendInt(s, run.fontsize);
    s += " Tf\n";
    if (coloured && colour != "0 0 0") {
        s += ColourOperands(colour);
        s += " rg\n";
    }
    AppendNumber(s, run.x);
    s.push_back(' ');
    AppendNumber(s, state.currentPageHeight - run.y);
    if (cidFonts) {
        s += " Td\n";
        cidFonts->AppendShow(s, text, spaceAdjust);
        s += "ET\n";
    } else {
        s += " Td\n(";
        s += escaped;
        s += ") Tj\nET\n";
    }
    if (coloured) s += "Q\n";
}

}  // namespace

void toFS(std::string& out, const vorInfos& infos, bool optimize, bool utf8) {
    out += kObjectStart;
    out += "<<\n";
    out += kPdfMarkerKey;
    out += " (";
    out += kPdfMarkerPrefix;
    out += kProgramVersion;
    out += optimize ? ")" : "-noc)";
    if (!infos.FCObjectNumber.empty()) {
        out += "/FC(";
        out += infos.FCObjectNumber;
        out += ")";
    }
    if (utf8) out += kUtf8TextMark;
    out += "/Creator(";
    out += kMakerAddress;
    out += ")";
    if (!infos.author.empty()) AppendInfoEntry(out, "/Author", infos.author, utf8);
    if (!infos.title.empty()) AppendInfoEntry(out, "/Title", infos.title, utf8);
    if (!infos.subject.empty()) AppendInfoEntry(out, "/Subject", infos.subject, utf8);
    if (!infos.keywords.empty()) AppendInfoEntry(out, "/Keywords", infos.keywords, utf8);
    out += "/Producer(";
    out += kProducerText;
    out += ")\n";
    out += kObjectEnd;
}

void toFS(std::string& out, const vorPDFCatalog& catalog) {
    out += kObjectStart;
    out += "<</Type/Catalog";
    if (catalog.OutlinesObjectNumber > 0) {
        out += "/Outlines ";
        AppendRef(out, catalog.OutlinesObjectNumber);
        out += "\n/PageMode /UseOutlines\n";
    }
    if (catalog.MetadataObjectNumber > 0) {
        out += "/Metadata ";
        AppendRef(out, catalog.MetadataObjectNumber);
        out += "\n";
    }
    out += "/Pages ";
    AppendRef(out, catalog.PagesObjectNumber);
    out += ">>endobj\n";
}

void toFS(std::string& out, const vorPages& pages) {
    out += kObjectStart;
    out += "<</Type/Pages/Count ";
    AppendInt(out, pages.PagesCount());
    out += "/Kids[";
    for (size_t i = 0; i < pages.KidsObjectNumber.size(); ++i) {
        if (i > 0) out.push_back(' ');
        AppendRef(out, pages.KidsObjectNumber[i]);
    }
    out += "]";
    out += kObjectEnd;
}

void toFS(std::string& out, const vorFont& font) {
    out += kObjectStart;
    out += "<</Type/Font/Subtype/TrueType/Name/F";
    out += font.FontID;
    out += "/BaseFont/";
    AppendName(out, font.BaseFont);
    out += "/Encoding/WinAnsiEncoding";
    out += kObjectEnd;
}

void StartPage(const vorPage& page, PdfWriteState& state) {
    state.currentPageHeight = PageHeightOrDefault(page.PageHeight);
    state.wordSpacingSet = state.charSpacingSet = false;
}

void toFS(std::string& out, const vorPage& page, PdfWriteState& state) {
    StartPage(page, state);
    out += kObjectStart;
    out += "<</Type/Page/Parent ";
    AppendRef(out, page.ParentObjectNumber);
    out += "/Resources<</Font<<";
    if (state.fonts) {
        bool first = true;
        for (const vorFont& font : *state.fonts) {
            if (!first) out.push_back(' ');
            first = false;
            out += "/F";
            out += font.FontID;
            out.push_back(' ');
            out += font.ObjectNumber;
            out += " 0 R";
        }
    }
    out += ">>";
    if (!page.Contents.empty() && !page.Contents.front().Images.empty()) {
        out += "/XObject <<\n";
        std::set<std::string_view> listed;
        for (const vorImage& image : page.Contents.front().Images) {
            if (!listed.insert(image.ImageNumber).second) continue;
            out += "/I";
            out += image.ImageNumber;
            out.push_back(' ');
            out += image.ImageNumber;
            out += " 0 R\n";
        }
        out += ">>\n";
    }
    out += ">>/MediaBox[0 0 ";
    AppendInt(out, page.PageWidth);
    out.push_back(' ');
    AppendInt(out, page.PageHeight);
    out += "]";
    if (!page.ContentsObjectNumber.empty()) {
        out += "/Contents [";
        for (int32_t number : page.ContentsObjectNumber) {
            out.push_back(' ');
            AppendRef(out, number);
        }
        out += " ]";
    }
    if (!page.Annots.empty()) {
        out += "/Annots [";
        for (const vorPDFAnnotation& annotation : page.Annots) {
            out.push_back(' ');
            AppendRef(out, annotation.ObjectNumber);
        }
        out += " ]\n";
    }
    out += kObjectEnd;
}

std::string ContentStreamText(const vorContent& content, PdfWriteState& state) {
    // Operators take some 40 bytes a run besides its text: one allocation for the stream.
    size_t expected = content.Images.size() * 48 + content.Lines.size() * 40;
    // Character ids take two bytes a character.
    const size_t perByte = state.cidFonts ? 2 : 1;
    expected += content.TextBytes() * perByte + content.Texts.size() * 48;
    std::string s;
    s.reserve(expected);
    const double height = state.currentPageHeight;
    for (const vorImage& image : content.Images) {
        s += "q\n";
        AppendInt(s, image.ImageWidth);
        s += " 0 0 ";
        AppendInt(s, image.ImageHeight);
        s.push_back(' ');
        AppendNumber(s, image.x);
        s.push_back(' ');
        AppendNumber(s, RoundHalfEven(height - image.y - image.ImageHeight));
        s += " cm\n/I";
        s += image.ImageNumber;
        s += " Do\nQ\n";
    }
    for (const vorLine& line : content.Lines) {
        double yr = RoundHalfEven(height - line.y);
        AppendNumber(s, line.lWidth);
        s += " w\n";
        AppendNumber(s, line.x);
        s.push_back(' ');
        AppendNumber(s, yr);
        s += " m\n";
        AppendNumber(s, line.x + line.lx);
        s.push_back(' ');
        AppendNumber(s, yr - line.ly);
        s += " l\nS\n";
    }
    std::string escaped;
    FontResources fonts(content, state);
    for (const vorText& run : content.Texts) {
        AppendTextRun(s, run, content.Text(run), content.Colour(run), fonts.Of(run), state,
                      escaped);
    }
    return s;
}

namespace {

// Deflates a stream's text (when the state says so) and appends its object.
bool AppendStreamObject(std::string& out, std::string& s, PdfWriteState& state) {
    const int level = state.cidFonts ? kGlyphIdStreamLevel : kStreamLevel;
    if (state.compress && (state.deflate ? state.deflate(s) : Compress(s, level)) != 0) {
        return false;
    }
    out.reserve(out.size() + s.size() + 80);
    out += kObjectStart;
    out += "<</Length ";
    AppendInt(out, static_cast<long long>(s.size()));
    out += state.compress ? " /Filter /FlateDecode >>" : " >>";
    out += "\nstream\n";
    out += s;
    out += "\nendstream\nendobj\n";
    return true;
}

}  // namespace

bool toFS(std::string& out, const vorContent& content, PdfWriteState& state) {
    std::string s = ContentStreamText(content, state);
    return AppendStreamObject(out, s, state);
}

bool AppendSourceStream(std::string& out, const std::vector<std::string>& lines,
                        PdfWriteState& state) {
    size_t expected = 0;
    for (const std::string& line : lines) expected += line.size() + 48;
    std::string s;
    s.reserve(expected);
    const vorContent noNames;
    FontResources fonts(noNames, state);
    vorText run;  // no font, colour, size or position: one reused for every line
    run.fontsize = 0;
    std::string escaped;
    for (const std::string& line : lines) {
        AppendTextRun(s, run, line, noNames.Colour(run), fonts.Of(run), state, escaped);
    }
    return AppendStreamObject(out, s, state);
}

void toFS(std::string& out, const vorImage& image) {
    out += kObjectStart;
    out += "<< /Type /XObject\n/Subtype /Image\n/Width ";
    AppendInt(out, image.OriginalImageWidth);
    out += "\n/Height ";
    AppendInt(out, image.OriginalImageHeight);
    out += "\n/BitsPerComponent 8\n/Filter[/DCTDecode]\n/DecodeParms[<<>>]\n";
    // The JPEG's own colour model: one component is gray, four are CMYK (stored
    // inverted by Adobe's writers, which mark their files), three are RGB.
    if (image.ColorComponents == 1) {
        out += "/ColorSpace/DeviceGray\n";
    } else if (image.ColorComponents == 4) {
        out += image.InvertedCmyk ? "/ColorSpace/DeviceCMYK\n/Decode[1 0 1 0 1 0 1 0]\n"
                                  : "/ColorSpace/DeviceCMYK\n";
    } else {
        out += "/ColorSpace/DeviceRGB\n";
    }
    out += "/Length ";
    AppendInt(out, static_cast<long long>(image.ImageStream.size()));
    out += "\n>>\nstream\n";
    out += image.ImageStream;
    out += "\nendstream\nendobj\n";
}

void toFS(std::string& out, const vorPDFAnnotation& annotation, bool utf8) {
    out += kObjectStart;
    out += "<<\n/Type /Annot\n";
    auto rectangle = [&] {
        out += "/Rect [";
        AppendInt(out, annotation.left);
        out.push_back(' ');
        AppendInt(out, annotation.top);
        out.push_back(' ');
        AppendInt(out, annotation.left + annotation.width);
        out.push_back(' ');
        AppendInt(out, annotation.top + annotation.height);
        out += "]\n";
    };
    if (annotation.Subtype == "Text" || annotation.Subtype == "FreeText") {
        out += "/Subtype /";
        out += annotation.Subtype;
        out += "\n";
        rectangle();
        AppendLiteralEntry(out, "/Contents ", annotation.Content, utf8);
        out += "\n";
    } else if (annotation.Subtype == "Link") {
        out += "/Subtype /Link\n";
        rectangle();
        out += "/Border [ 0 0 0 ]\n/A << /Type /Action\n/S /URI\n";
        AppendLiteralEntry(out, "/URI ", annotation.Content);
        out += "\n>>\n";
    }
    out += kObjectEnd;
}

void toFS(std::string& out, const vorOutlines& root) {
    out += kObjectStart;
    out += "<< \n/Type /Outlines\n";
    if (!root.outlines.empty()) {
        out += "/First ";
        AppendRef(out, root.FirstOutlineObjectNumber);
        out += "\n/Last ";
        AppendRef(out, root.LastOutlineObjectNumber);
        out += "\n";
    }
    out += "/Count ";
    AppendInt(out, root.TotalCount());
    out += "\n";
    out += kObjectEnd;
}

void toFS(std::string& out, const vorOutline& entry, bool utf8) {
    out += kObjectStart;
    AppendLiteralEntry(out, "<< /Title ", entry.title, utf8);
    out += "\n/Parent ";
    AppendRef(out, entry.ParentObjectNumber);
    out += "\n";
    if (entry.NextObjectNumber > 0) {
        out += "/Next ";
        AppendRef(out, entry.NextObjectNumber);
        out += "\n";
    }
    if (entry.PreviousObjectNumber > 0) {
        out += "/Prev ";
        AppendRef(out, entry.PreviousObjectNumber);
        out += "\n";
    }
    if (!entry.outlines.empty()) {
        int32_t count = entry.OutlinesCount();
        out += "/Count ";
        AppendInt(out, entry.level > 1 ? -count : count);  // deeper levels start closed
        out += "\n/First ";
        AppendRef(out, entry.FirstOutlineObjectNumber);
        out += "\n/Last ";
        AppendRef(out, entry.LastOutlineObjectNumber);
        out += "\n";
    }
    out += "/Dest [";
    AppendInt(out, entry.DestObjectNumber);
    out += " 0 R /FitH ";
    AppendInt(out, entry.top);
    out += "]\n";
    out += kObjectEnd;
}

}  // namespace scrivane

#include "document/LinePlacement.h"

#include <cmath>
#include <cstdlib>

#include "document/FlowContext.h"
#include "document/LineConditions.h"
#include "font/UnicodeFonts.h"
#include "model/PageDefaults.h"
#include "util/Encoding.h"
#include "util/FileIO.h"
#include "util/Status.h"
#include "util/Numbers.h"
#include "util/TextUtil.h"

namespace scrivane {

namespace {

constexpr std::string_view kLineBreakRecord = "<vor>lb</vor>";
// Lines this long are never measured whole; they are always cut at least once.
constexpr size_t kLongLine = 500;

// The value of attribute `name` (such as "x='") in the tag, searched from index 11; the
// value runs to the next "'".
std::optional<double> TagAttribute(std::string_view tag, std::string_view name, double low,
                                   double high) {
    if (tag.size() <= 11) return std::nullopt;
    size_t at = tag.find(name, 11);
    if (at == std::string_view::npos) return std::nullopt;
    size_t start = at + name.size();
    size_t end = tag.find('\'', start);
    if (end == std::string_view::npos) return std::nullopt;
    auto value = ParseNumber(tag.substr(start, end - start));
    if (!value || *value < low || *value >= high) return std::nullopt;
    return RoundHalfEven(*value);
}

// "+n" and "-n" move from the current position, a plain number is absolute, anything
// else keeps the current position.
double RelativePosition(const std::string& text, double current) {
    if (text.empty()) return current;
    if (text[0] == '+' || text[0] == '-') {
        auto value = ParseNumber(std::string_view(text).substr(1));
        if (!value) return current;
        return text[0] == '+' ? current + *value : current - *value;
    }
    auto value = ParseNumber(text);
    return value ? *value : current;
}

bool EndsWithJpg(const std::string& name) {
    return name.size() >= 4 && AsciiUpper(name.substr(name.size() - 4)) == ".JPG";
}

struct MeasuringFace {
    const char* face;
    bool bold;
    bool italic;
};

// The face the measuring service uses for a font name of the page model.
MeasuringFace MeasuringFaceFor(const std::string& name) {
    static const struct {
        const char* name;
        MeasuringFace face;
    } kFaces[] = {
        {"Arial", {"Arial", false, false}},
        {"Arial,Bold", {"Arial", true, false}},
        {"Arial,BoldItalic", {"Arial", true, true}},
        {"Arial,Italic", {"Arial", false, true}},
        {"Courier", {"Courier New", false, false}},
        {"Courier-Bold", {"Courier New", true, false}},
        {"Courier-BoldOblique", {"Courier", true, true}},
        {"Helvetica", {"Helvetica", false, false}},
        {"Helvetica-Bold", {"Helvetica", true, false}},
        {"TimesNewRoman", {"Times New Roman", false, false}},
        {"TimesNewRoman,Bold", {"Times New Roman", true, false}},
        {"TimesNewRoman,BoldItalic", {"Times New Roman", true, true}},
        {"TimesNewRoman,Italic", {"Times New Roman", false, true}},
    };
    for (const auto& entry : kFaces) {
        if (name == entry.name) return entry.face;
    }
    return {nullptr, false, false};
}

}  // namespace

LinePlacer::LinePlacer(FlowContext& flow) : flow_(flow), utf8_(flow.options.utf8Text) {}

void LinePlacer::PlaceFurniture(std::string& text) {
    PlaceImageTag(text);
    PlaceConditionImage();
    PlaceAnnotations(text);
    TakeHeaderLine(text);
}

void LinePlacer::PlaceImageTag(std::string& text) {
    if (!flow_.IsPdf() || !flow_.options.imageTags) return;
    if (text.compare(0, kImageTag.size(), kImageTag) != 0) return;
    flow_.Record(text);
    LayoutState& s = flow_.state;
    double x = s.x, y = s.y, width = 0, height = 0;
    if (auto v = TagAttribute(text, "x='", -100, 600)) x = *v;
    if (auto v = TagAttribute(text, "left='", -100, 600)) x = *v;
    if (auto v = TagAttribute(text, "y='", -100, 900)) y = *v;
    if (auto v = TagAttribute(text, "top='", -100, 900)) y = *v;
    if (auto v = TagAttribute(text, "width='", -100, 600)) width = *v;
    if (auto v = TagAttribute(text, "height='", -100, 600)) height = *v;

    size_t end = text.find('\'', kImageTag.size());
    std::string name = end == std::string::npos
                           ? std::string()
                           : text.substr(kImageTag.size(), end - kImageTag.size());
    // File names keep their case: this platform's file systems tell them apart.
    name = ResolveAppPath(name, flow_.options.appFolder);
    if (!EndsWithJpg(name)) {
        flow_.Report(DiagnosticKind::kImageNotPlaced, name, "only JPEG files named .jpg are placed");
    } else if (PlaceImage(name, x, y, width, height)) {
        s.y += flow_.LineAdvance();
    }
    text.clear();  // the tag itself is never printed
}

void LinePlacer::PlaceConditionImage() {
    const vorFormat& format = flow_.format;
    if (format.ImageFile.empty()) return;
    const LayoutState& s = flow_.state;
    PlaceImage(format.ImageFile, RelativePosition(format.ImageX, s.x),
               RelativePosition(format.ImageY, s.y), 0, 0);
}

bool LinePlacer::PlaceImage(const std::string& name, double x, double y, double width,
                            double height) {
    const std::string path = flow_.ImageFileOnDisk(name);
    if (!FileExists(path)) {
        flow_.Report(DiagnosticKind::kImageNotPlaced, name,
                     "image file not found: " + Cp1252ToUtf8(path));
        return false;
    }
    if (flow_.output.AddImage(name, flow_.state.page, x, y, width, height) != kJpegOk) {
        flow_.Report(DiagnosticKind::kImageNotPlaced, name,
                     "not a JPEG file, or cut short: " + Cp1252ToUtf8(path));
        return false;
    }
    return true;
}

void LinePlacer::PlaceAnnotations(const std::string& text) {
    LayoutState& s = flow_.state;
    const double size = s.fontSize;
    if (flow_.format.isLink) {
        flow_.output.AddAnnotation(
            "Link", text, SaturateInt16(RoundHalfEven(s.x) - size / 2),
            SaturateInt16(RoundHalfEven(s.y) + 2),
            SaturateInt16(static_cast<double>(CharCount(text)) * size / 3 * 2),
            SaturateInt16(size), s.page);
    }
    if (flow_.format.isAnnotation) {
        flow_.output.AddAnnotation("Text", text, SaturateInt16(s.x),
                                     SaturateInt16(RoundHalfEven(s.y) + 2), 500,
                                     SaturateInt16(size + 2), s.page);
        s.fontSize = 0;  // the note's own line is placed at size 0
    }
}

void LinePlacer::TakeHeaderLine(std::string& text) {
    const vorFormat& format = flow_.format;
    if (!format.isHeader) return;
    const LayoutState& s = flow_.state;
    PageHeader header;
    header.TextValue = text;
    header.x = RoundHalfEven(s.x);
    header.y = RoundHalfEven(s.y);
    header.fontcolor = format.fontcolor;
    header.fontsize = s.fontSize;
    flow_.output.AddHeaderText(std::move(header));
    // The line leaves the body; the source record keeps it for editing (a marker line
    // shown in part has been recorded with its marker already).
    if (!(format.conditionType == "leftlinevalue" && format.show == "RIGHT")) flow_.Record(text);
    text.clear();
    if (!format.ImageFile.empty()) {
        vorImage image;
        image.ImageFileName = format.ImageFile;
        image.x = header.x;
        image.y = header.y;
        flow_.output.AddHeaderImage(std::move(image));
    }
}

void LinePlacer::SetMeasuringFont() {
    vorFormat& format = flow_.format;
    int32_t size = IntOr(format.fontsize, 0);
    // Lines mostly keep the font of the line before: a name is looked up once in a row.
    if (!faceKnown_ || format.fontname != measuredName_) {
        measuredName_ = format.fontname;
        MeasuringFace face = MeasuringFaceFor(format.fontname);
        // Names outside the table are measured by what they say (family, bold, italic).
        const std::string faceName = face.face ? face.face : format.fontname;
        measuredFont_ = ResolveStandardFont(faceName, face.bold, face.italic);
        // UTF-8 text is measured with the face the PDF embeds for this font.
        unicodeFace_ = utf8_ ? UnicodeFonts::Shared().ForFont(faceName, face.bold, face.italic)
                             : nullptr;
        faceKnown_ = true;
    }
    if (size == 0) {
        format.fontsize = "10";  // the measuring size stays what it was
        measurer_.SetFont(measuredFont_, measurer_.size());
    } else {
        measurer_.SetFont(measuredFont_, std::abs(size));
    }
}

void LinePlacer::StartLine(std::string_view line) {
    line_ = line;
    prefixReady_ = false;
}

void LinePlacer::MeasurePrefixes() {
    const std::string_view line = line_;
    prefix_.resize(line.size() + 1);
    prefix_[0] = 0;
    prefixReady_ = true;
    if (utf8_) {
        MeasureUtf8Line(line);
        return;
    }
    long long sum = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        sum += measurer_.GlyphUnits(static_cast<unsigned char>(line[i]));
        prefix_[i + 1] = sum;
    }
}

long long LinePlacer::LineUnits() {
    if (!prefixReady_ && !utf8_) return measurer_.MeasureUnits(line_);
    if (!prefixReady_) MeasurePrefixes();
    return prefix_[line_.size()];
}

void LinePlacer::MeasureUtf8Line(std::string_view line) {
    // A character's width counts at its first byte; the bytes after it add nothing, and
    // pieces are only cut before a first byte.
    for (size_t i = 0; i < line.size();) {
        char32_t cp = static_cast<unsigned char>(line[i]);
        size_t length = cp < 0x80 ? 1 : DecodeUtf8(line, i, cp);
        if (length == 0) {
            cp = static_cast<unsigned char>(line[i]);
            length = 1;
        }
        const long long units = unicodeFace_ ? unicodeFace_->CharUnits(cp)
                                             : measurer_.GlyphUnits(cp < 0x100 ? cp : '?');
        prefix_[i + 1] = prefix_[i] + units;
        for (size_t k = 1; k < length; ++k) prefix_[i + 1 + k] = prefix_[i + 1];
        i += length;
    }
}

size_t LinePlacer::NextChar(std::string_view line, size_t i) const {
    ++i;
    if (utf8_) {
        while (i < line.size() && (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) ++i;
    }
    return i;
}

size_t LinePlacer::PreviousChar(std::string_view line, size_t i) const {
    --i;
    if (utf8_) {
        while (i > 0 && (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) --i;
    }
    return i;
}

size_t LinePlacer::CharsToBytes(std::string_view line, size_t start, size_t count) const {
    if (!utf8_) return count;
    size_t at = start;
    for (size_t k = 0; k < count && at < line.size(); ++k) at = NextChar(line, at);
    return at - start;
}

size_t LinePlacer::CharCount(std::string_view text) const {
    if (!utf8_) return text.size();
    size_t count = 0;
    for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

double LinePlacer::Width(size_t start, size_t end) {
    if (!prefixReady_) MeasurePrefixes();
    return measurer_.UnitsToTwips(prefix_[end] - prefix_[start]);
}

size_t LinePlacer::PieceEnd(std::string_view line, size_t start, double limit) {
    const size_t n = line.size();
    size_t end = NextChar(line, start);
    if (utf8_) {
        while (end < n && Width(start, end) < limit) end = NextChar(line, end);
        return end;
    }
    // A piece never gets narrower as it grows: the first end that is at least as wide as
    // the column is found by halving.
    size_t high = n;
    while (end < high) {
        const size_t middle = end + (high - end) / 2;
        if (Width(start, middle) < limit) {
            end = middle + 1;
        } else {
            high = middle;
        }
    }
    return end;
}

void LinePlacer::PlaceText(const std::string& text) {
    SetMeasuringFont();
    StartLine(text);
    int16_t lineLength = flow_.format.linelength;
    if (lineLength == 0 || lineLength == -1) {
        PlaceByCharacterLimit(text);
    } else {
        PlaceByWidth(text);
    }
}

void LinePlacer::PlacePiece(std::string_view line, size_t start, size_t end,
                            double extraWidth, std::string_view alignment) {
    LayoutState& s = flow_.state;
    double offset = 0;
    if (flow_.format.FontAlign == "right") {
        size_t visible = end;  // right alignment ends on the last visible character
        while (visible > start && line[visible - 1] == ' ') --visible;
        offset = RoundHalfEven(flow_.format.linelength - Width(start, visible) / 20);
    }
    flow_.output.AddText(line.substr(start, end - start), s.page, s.fontSize,
                           s.x + offset, s.y, s.fontName, s.fontColour, extraWidth, alignment,
                           s.sourceLine);
}

void LinePlacer::AdvanceAfterPiece(bool columnsAllowed, int32_t bottom) {
    LayoutState& s = flow_.state;
    ++s.lineNumber;
    flow_.Record(kLineBreakRecord);
    const double advance = flow_.LineAdvance();
    s.y += advance;
    if (!flow_.IsPdf() || s.y <= bottom) return;
    if (columnsAllowed && flow_.MoveToNextColumn()) return;
    flow_.StartNewPage(advance, columnsAllowed);
}

void LinePlacer::PlaceByWidth(std::string_view line) {
    const double limit = flow_.format.linelength * 20.0;
    const size_t n = line.size();
    // Most lines fit whole: they are measured without the widths of their prefixes.
    if (n < kLongLine && measurer_.UnitsToTwips(LineUnits()) <= limit) {
        PlacePiece(line, 0, n, 0, flow_.format.FontAlign);
        return;
    }
    size_t start = 0;
    for (;;) {
        if (start == n || (n - start < kLongLine && Width(start, n) <= limit)) break;

        // The piece ends on the first character that makes it at least as wide as the
        // column: it may end one character past the width. It always takes at least one
        // character, so every pass shortens the line.
        size_t end = PieceEnd(line, start, limit);
        size_t next = end;
        if (end < n) {
            size_t space = line.substr(start, end - start).rfind(' ');
            if (space != std::string_view::npos) {
                end = next = start + space + 1;  // the piece keeps its last space
            } else if (NextChar(line, start) < end) {
                // The character past the width starts the rest.
                next = end = PreviousChar(line, end);
            }
        }
        size_t first = start, last = end;  // the piece without its outer spaces
        while (first < last && line[first] == ' ') ++first;
        while (last > first && line[last - 1] == ' ') --last;
        PlacePiece(line, start, end, limit - Width(first, last), flow_.format.FontAlign);
        AdvanceAfterPiece(true, flow_.Bottom());
        start = next;
    }
    PlacePiece(line, start, n, 0, flow_.format.FontAlign);
}

void LinePlacer::PlaceByCharacterLimit(std::string_view line) {
    const size_t limit = flow_.format.MaxLenLine > 0 ? static_cast<size_t>(flow_.format.MaxLenLine) : 0;
    size_t start = 0;
    const int32_t bottom =
        IntOr(flow_.format.DefaultPageHeight, kDefaultPageHeight) - kCharacterLimitFoot;
    while (limit > 0) {
        const size_t span = CharsToBytes(line, start, limit);
        if (line.size() - start <= span) break;
        std::string_view first = line.substr(start, span);
        size_t space = first.rfind(' ');
        size_t end = space == std::string_view::npos ? start + first.size() : start + space + 1;
        LayoutState& s = flow_.state;
        flow_.output.AddText(line.substr(start, end - start), s.page,
                               s.fontSize, s.x, s.y, s.fontName, s.fontColour, 0, "",
                               s.sourceLine);
        AdvanceAfterPiece(false, bottom);
        start = end;
    }
    PlacePiece(line, start, line.size(), 0, flow_.format.FontAlign);
}

}  // namespace scrivane

#include "format/vorFormat.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <sstream>
#include <string_view>

#include <pugixml.hpp>

#include "format/XmlValueReader.h"
#include "model/PageDefaults.h"
#include "util/Encoding.h"
#include "util/FileIO.h"
#include "util/Numbers.h"
#include "util/Status.h"
#include "util/TextUtil.h"

namespace scrivane {

namespace {

constexpr const char* kBase = "/dorvex/vantor/format/";

// Reading stops with status 1 as soon as a numeric value does not fit 16 bits.
struct OutOfRange {};

// The 16-bit value of a numeric text, nullopt when the text is not numeric.
std::optional<int16_t> Number16(const std::string& text) {
    if (!IsNumeric(text)) return std::nullopt;
    auto value = ToInt16(text);
    if (!value) throw OutOfRange{};
    return value;
}

std::string IntText(long long value) {
    std::string text;
    AppendInt(text, value);
    return text;
}

// Reads values of one `line` element into a new condition.
vorFormat ReadCondition(pugi::xml_node line, const std::string& condition) {
    auto value = [&](const char* path) { return XmlValueReader::ChildValue(line, path); };
    vorFormat c;
    c.conditionName = value("name");
    c.conditionType = condition;
    c.conditionValue = value("value");
    c.show = AsciiUpper(value("show"));
    if (auto bk = Number16(value("bk")); bk && *bk >= 1 && *bk <= 3) c.bk = *bk;
    c.isLink = value("link") == "1";
    c.isAnnotation = value("annot") == "1";
    c.isHeader = value("header") == "1";

    auto format = [&](const char* name) {
        return XmlValueReader::ChildValue(line, std::string("format/") + name);
    };
    if (auto v = format("defaultfontname"); !v.empty()) c.DefaultFont = v;
    if (auto v = format("fontname"); !v.empty()) c.fontname = v;
    if (auto v = Number16(format("defaultfontsize"))) c.DefaultFontSize = *v;
    if (auto v = format("fontsize"); IsNumeric(v)) c.fontsize = v;
    c.DefaultFontAlign = format("defaulttextalign");
    c.FontAlign = format("textalign");
    if (auto v = format("defaultfontcolor"); !v.empty()) c.DefaultFontColor = v;
    if (auto v = format("fontcolor"); !v.empty()) c.fontcolor = v;
    c.DefaultX = Number16(format("defaultx")).value_or(0);
    c.x = Number16(format("x")).value_or(0);
    if (auto v = Number16(format("y"))) c.SetY = *v;
    if (auto v = Number16(format("defaultdy"))) c.DefaultDY = *v;
    if (auto v = format("dy"); IsNumeric(v)) c.dy = v;
    if (auto v = Number16(format("defaultlinelength")); v && *v > 0) c.DefaultLineLength = *v;
    if (auto v = Number16(format("linelength")); v && *v > 0) c.linelength = *v;
    if (auto v = Number16(format("defaultmaxlenline")); v && *v > 0) c.DefaultMaxLenLine = *v;
    if (auto v = Number16(format("maxlenline")); v && *v > 0) c.MaxLenLine = *v;
    if (auto v = format("imagefile"); !v.empty()) c.ImageFile = v;
    if (auto v = format("imagex"); !v.empty()) c.ImageX = v;
    if (auto v = format("imagey"); !v.empty()) c.ImageY = v;
    return c;
}

// Reads every value of a loaded (or empty) document into the format. Throws OutOfRange.
void ReadValues(vorFormat& f, const XmlValueReader& reader) {
    auto property = [&](const char* name) {
        return reader.Utf8Value(std::string(kBase) + "documentproperties/" + name);
    };
    if (auto v = property("title"); !v.empty()) f.title = v;
    if (auto v = property("subject"); !v.empty()) f.subject = v;
    if (auto v = property("author"); !v.empty()) f.author = v;
    if (auto v = property("keywords"); !v.empty()) f.keywords = v;

    auto value = [&](const char* name) {
        return reader.Value(std::string(kBase) + "default/" + name);
    };
    if (auto v = value("fontname"); !v.empty()) f.DefaultFont = v;
    if (f.DefaultFont.empty()) f.DefaultFont = kFallbackFont;
    if (auto v = Number16(value("fontsize"))) f.DefaultFontSize = *v;
    if (f.DefaultFontSize < 1) f.DefaultFontSize = kFallbackFontSize;
    if (auto v = value("fontcolor"); !v.empty()) f.DefaultFontColor = v;
    if (auto v = Number16(value("x"))) f.DefaultX = *v;
    if (f.DefaultX < 1) f.DefaultX = kFallbackX;
    if (auto v = Number16(value("y"))) f.DefaultY = *v;
    if (f.DefaultY < 1) f.DefaultY = kFallbackY;
    if (auto v = Number16(value("dy"))) {
        f.DefaultDY = *v;  // 0 and negative spacing are kept
    } else if (f.DefaultDY == 0) {
        f.DefaultDY = kFallbackLineAdvance;
    }
    if (auto v = Number16(value("maxlenline"))) f.DefaultMaxLenLine = *v;
    if (f.DefaultMaxLenLine < 1) f.DefaultMaxLenLine = kFallbackMaxLineLength;
    f.MaxLenLine = f.DefaultMaxLenLine;
    if (auto v = Number16(value("linelength"))) f.DefaultLineLength = *v;
    if (auto v = Number16(value("pageheight")); v && *v > 0) f.DefaultPageHeight = IntText(*v);
    if (auto v = Number16(value("pagewidth")); v && *v > 0) f.DefaultPageWidth = IntText(*v);
    if (auto v = value("textalign"); !v.empty()) f.DefaultFontAlign = v;

    std::vector<pugi::xml_node> lines = reader.Nodes(std::string(kBase) + "line");
    for (pugi::xml_node line : lines) {
        std::string condition = XmlValueReader::ChildValue(line, "condition");
        if (condition.empty()) break;  // an unnamed condition ends the list
        f.ListeFormats.push_back(ReadCondition(line, condition));
    }
}

int16_t ReadWith(vorFormat& f, const XmlValueReader& reader) {
    try {
        ReadValues(f, reader);
    } catch (const OutOfRange&) {
        return kFormatNumberOutOfRange;
    }
    return kFormatOk;
}

void AddText(pugi::xml_node parent, const char* name, const std::string& cp1252) {
    parent.append_child(name).text().set(Cp1252ToUtf8(cp1252).c_str());
}

void AddUtf8Text(pugi::xml_node parent, const char* name, const std::string& utf8) {
    parent.append_child(name).text().set(MendUtf8(utf8).c_str());
}

void AddInt(pugi::xml_node parent, const char* name, long long value) {
    AddText(parent, name, IntText(value));
}

bool PositiveInteger(const std::string& text) {
    auto value = ToInt32(text);
    return value && *value > 0;
}

void BuildCondition(pugi::xml_node line, const vorFormat& c) {
    AddText(line, "name", c.conditionName);
    AddText(line, "condition", c.conditionType);
    AddText(line, "value", c.conditionValue);
    if (!c.show.empty()) AddText(line, "show", AsciiLower(c.show));
    if (c.isAnnotation) AddText(line, "annot", "1");
    if (c.isLink) AddText(line, "link", "1");
    if (c.isHeader) AddText(line, "header", "1");
    if (c.bk >= 1 && c.bk <= 3) AddInt(line, "bk", c.bk);

    pugi::xml_node format = line.append_child("format");
    if (!c.fontname.empty()) AddText(format, "fontname", c.fontname);
    if (!c.DefaultFont.empty()) AddText(format, "defaultfontname", c.DefaultFont);
    if (IsNumeric(c.fontsize)) AddText(format, "fontsize", c.fontsize);
    if (c.DefaultFontSize != 0) AddInt(format, "defaultfontsize", c.DefaultFontSize);
    if (!c.DefaultFontAlign.empty()) AddText(format, "defaulttextalign", c.DefaultFontAlign);
    if (!c.FontAlign.empty()) AddText(format, "textalign", c.FontAlign);
    if (!c.fontcolor.empty()) AddText(format, "fontcolor", c.fontcolor);
    if (!c.DefaultFontColor.empty()) AddText(format, "defaultfontcolor", c.DefaultFontColor);
    if (!c.dy.empty() && IsNumeric(c.dy)) AddText(format, "dy", c.dy);
    if (c.DefaultDY != 0) AddInt(format, "defaultdy", c.DefaultDY);
    if (c.SetY != 0) AddInt(format, "y", c.SetY);
    if (c.x != 0) AddInt(format, "x", c.x);
    if (c.DefaultX != 0) AddInt(format, "defaultx", c.DefaultX);
    if (c.DefaultLineLength > 0) AddInt(format, "defaultlinelength", c.DefaultLineLength);
    if (c.linelength > 0) AddInt(format, "linelength", c.linelength);
    if (c.MaxLenLine > 0) AddInt(format, "maxlenline", c.MaxLenLine);
    if (c.DefaultMaxLenLine > 0) AddInt(format, "defaultmaxlenline", c.DefaultMaxLenLine);
    if (!c.ImageFile.empty()) AddText(format, "imagefile", c.ImageFile);
    if (!c.ImageX.empty()) AddText(format, "imagex", c.ImageX);
    if (!c.ImageY.empty()) AddText(format, "imagey", c.ImageY);
}

void BuildDocument(pugi::xml_document& doc, const vorFormat& f) {
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = doc.append_child("dorvex");
    root.append_attribute("version") = "1.0";
    pugi::xml_node format = root.append_child("vantor").append_child("format");

    pugi::xml_node properties = format.append_child("documentproperties");
    if (!f.title.empty()) AddUtf8Text(properties, "title", f.title);
    if (!f.subject.empty()) AddUtf8Text(properties, "subject", f.subject);
    if (!f.author.empty()) AddUtf8Text(properties, "author", f.author);
    if (!f.keywords.empty()) AddUtf8Text(properties, "keywords", f.keywords);

    pugi::xml_node defaults = format.append_child("default");
    AddText(defaults, "fontname", f.DefaultFont);
    if (f.DefaultFontSize >= 1) AddInt(defaults, "fontsize", f.DefaultFontSize);
    if (!f.DefaultFontColor.empty()) AddText(defaults, "fontcolor", f.DefaultFontColor);
    if (f.DefaultX > 0) AddInt(defaults, "x", f.DefaultX);
    if (f.DefaultY > 0) AddInt(defaults, "y", f.DefaultY);
    if (f.DefaultDY != 0) AddInt(defaults, "dy", f.DefaultDY);
    if (f.MaxLenLine > 5) AddInt(defaults, "maxlenline", f.MaxLenLine);
    if (f.DefaultLineLength > 20) AddInt(defaults, "linelength", f.DefaultLineLength);
    AddText(defaults, "textalign", f.DefaultFontAlign);
    if (PositiveInteger(f.DefaultPageHeight)) AddText(defaults, "pageheight", f.DefaultPageHeight);
    if (PositiveInteger(f.DefaultPageWidth)) AddText(defaults, "pagewidth", f.DefaultPageWidth);

    for (const vorFormat& condition : f.ListeFormats) {
        BuildCondition(format.append_child("line"), condition);
    }
}

// The decimal text of a line number or 16-bit value, without a temporary string.
struct DecimalText {
    char digits[12];
    size_t size;
    explicit DecimalText(int32_t value) {
        if (value >= 0 && value < 100) {  // sizes and spacings: spelled out at once
            size = value < 10 ? 1 : 2;
            digits[0] = static_cast<char>(value < 10 ? '0' + value : '0' + value / 10);
            digits[1] = static_cast<char>('0' + value % 10);
            return;
        }
        size = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    }
    std::string_view view() const { return {digits, size}; }
};

uint64_t Load8(const char* at) {
    uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// Equal texts; the short ones the styles hold are compared without a library call.
inline bool SameBytes(std::string_view a, std::string_view b) {
    const size_t n = a.size();
    if (n != b.size()) return false;
    if (n > 16) return std::memcmp(a.data(), b.data(), n) == 0;
    if (n >= 8) {  // two words, overlapping when shorter than 16
        return Load8(a.data()) == Load8(b.data()) &&
               Load8(a.data() + n - 8) == Load8(b.data() + n - 8);
    }
    for (size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

[[gnu::noinline]] void Assign(std::string& field, std::string_view value) { field.assign(value); }

// Every line resets the working values, which mostly hold what they held on the line
// before: a value is written only when it differs, so an unchanged style costs compares.
inline void Keep(std::string& field, std::string_view value) {
    if (!SameBytes(field, value)) Assign(field, value);
}

inline void KeepDecimal(std::string& field, int16_t value) {
    Keep(field, DecimalText(value).view());
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

[[gnu::noinline]] void AssignLowered(std::string& field, std::string_view value) {
    field.assign(value);
    for (char& c : field) c = LowerAscii(c);
}

// field = AsciiLower(value), written only when it differs.
inline void KeepLowered(std::string& field, std::string_view value) {
    bool same = field.size() == value.size();
    for (size_t i = 0; same && i < value.size(); ++i) same = field[i] == LowerAscii(value[i]);
    if (!same) AssignLowered(field, value);
}

// Runs for every condition on every line: the kinds are told apart by their lengths, and
// a text is compared only when its first byte matches.
bool Matches(const vorFormat& c, int32_t lineNumber, std::string_view line) {
    const std::string_view type = c.conditionType;
    const std::string_view value = c.conditionValue;
    switch (type.size()) {
        case 13:
            if (value.empty() || line.size() < value.size() || line[0] != value[0]) return false;
            return type == "leftlinevalue" && SameBytes(line.substr(0, value.size()), value);
        case 9:
            return type == "linevalue" && SameBytes(line, value);
        case 10:
            return type == "linenumber" && SameBytes(value, DecimalText(lineNumber).view());
        default:
            return false;
    }
}

}  // namespace

int16_t vorFormat::ReadFormatFile(const std::string& FormatFilename) {
    if (FormatFilename.empty()) return kFormatNoFileName;
    if (!FileExists(FormatFilename)) return kFormatFileMissing;
    XmlValueReader reader;
    reader.Load(FormatFilename);  // a file that does not parse reads as all-empty
    return ReadWith(*this, reader);
}

int16_t vorFormat::ReadFormatText(const std::string& xmlText) {
    XmlValueReader reader;
    reader.LoadBuffer(xmlText);
    return ReadWith(*this, reader);
}

void vorFormat::ApplyReadFallbacks() {
    XmlValueReader empty;
    ReadWith(*this, empty);
}

std::string vorFormat::FormatFileText() const {
    pugi::xml_document doc;
    BuildDocument(doc, *this);
    std::ostringstream out;
    doc.save(out, "\t", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

int16_t vorFormat::SaveFormatFile(const std::string& FormatFilename) const {
    if (FormatFilename.empty()) return kFormatSaveFailed;
    return WriteFileAtomically(FormatFilename, FormatFileText()) ? kFormatOk : kFormatSaveFailed;
}

bool vorFormat::FontNameIsOk(const std::string& FontNameToCheck) {
    return FontNameToCheck == "Helvetica" || FontNameToCheck == "Arial" ||
           FontNameToCheck == "Courier";
}

void vorFormat::ResetLineValues() {
    KeepDecimal(fontsize, DefaultFontSize);
    x = DefaultX;
    y = DefaultY;
    KeepDecimal(dy, DefaultDY);
    Keep(fontname, DefaultFont);
    KeepLowered(FontAlign, DefaultFontAlign);
    Keep(fontcolor, DefaultFontColor);
    MaxLenLine = DefaultMaxLenLine;
    linelength = DefaultLineLength;
    SetY = 0;
    isLink = isAnnotation = isHeader = false;
    Keep(columns, DefaultColumns);
    Keep(SpaceBetweenColumns, DefaultSpaceBetweenColumns);
    show.clear();
    conditionType.clear();
    conditionValue.clear();
    ImageFile.clear();
}

void vorFormat::ApplyCondition(const vorFormat& c) {
    conditionType = c.conditionType;
    conditionValue = c.conditionValue;
    bk = c.bk;

    // Lasting defaults: they hold from this line to the end of the text. A default the
    // condition gives also reaches this line; the line's other values stay as earlier
    // matches left them, so a later match overrides field by field.
    if (c.DefaultX != 0) x = DefaultX = c.DefaultX;
    if (!c.DefaultFont.empty()) fontname = DefaultFont = c.DefaultFont;
    if (!c.DefaultFontColor.empty()) fontcolor = DefaultFontColor = c.DefaultFontColor;
    if (!c.DefaultFontAlign.empty()) DefaultFontAlign = c.DefaultFontAlign;
    if (c.DefaultFontSize > 0) KeepDecimal(fontsize, DefaultFontSize = c.DefaultFontSize);
    if (c.DefaultDY > 0) KeepDecimal(dy, DefaultDY = c.DefaultDY);
    if (c.DefaultMaxLenLine > 0) MaxLenLine = DefaultMaxLenLine = c.DefaultMaxLenLine;
    if (c.DefaultLineLength > 0) linelength = DefaultLineLength = c.DefaultLineLength;

    // The line's own values. A size or spacing that is not a number is ignored.
    if (c.x != 0) x = c.x;
    if (!c.fontsize.empty()) {
        if (auto v = ToInt16(c.fontsize)) KeepDecimal(fontsize, *v);
    }
    if (!c.dy.empty()) {
        if (auto v = ToInt16(c.dy)) KeepDecimal(dy, *v);
    }
    if (!c.fontname.empty()) fontname = c.fontname;
    if (!c.fontcolor.empty()) fontcolor = c.fontcolor;
    if (!c.show.empty()) show = c.show;
    if (!c.FontAlign.empty()) KeepLowered(FontAlign, c.FontAlign);
    if (c.SetY != 0) SetY = c.SetY;
    if (c.MaxLenLine > 0) MaxLenLine = c.MaxLenLine;
    if (c.linelength > 0) linelength = c.linelength;
    if (c.isAnnotation) isAnnotation = true;
    if (c.isLink) isLink = true;
    if (c.isHeader) isHeader = true;
    if (!c.ImageFile.empty()) {
        // File names keep their case: this platform's file systems tell them apart.
        ImageFile = ResolveAppPath(c.ImageFile, AppFolder);
        ImageX = c.ImageX;
        ImageY = c.ImageY;
    }
}

int16_t vorFormat::GetFormat(int32_t LineNumber, std::string_view LineValue) {
    ResetLineValues();
    for (const vorFormat& c : ListeFormats) {
        if (Matches(c, LineNumber, LineValue)) ApplyCondition(c);
    }
    if (!IsNumeric(DefaultPageHeight)) DefaultPageHeight = kDefaultPageHeightText;
    return kFormatOk;
}

void vorFormat::TextToUtf8() {
    for (std::string* value : {&conditionName, &conditionValue, &ImageFile}) {
        *value = Cp1252ToUtf8(*value);
    }
    for (vorFormat& condition : ListeFormats) condition.TextToUtf8();
}

}  // namespace scrivane

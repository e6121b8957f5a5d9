#include "format/FormatFileAsWritten.h"

#include "format/XmlValueReader.h"
#include "util/Numbers.h"
#include "util/Status.h"

namespace scrivane {

namespace {

// The defaults that reading fills in when the file gives none, as they were before.
struct FilledDefaults {
    std::string font;
    int16_t fontSize, x, y, dy, maxLenLine, lineMaxLenLine;

    explicit FilledDefaults(const vorFormat& f)
        : font(f.DefaultFont),
          fontSize(f.DefaultFontSize),
          x(f.DefaultX),
          y(f.DefaultY),
          dy(f.DefaultDY),
          maxLenLine(f.DefaultMaxLenLine),
          lineMaxLenLine(f.MaxLenLine) {}
};

// The value the read took from the file when it counts, as reading judges it.
bool Given(const std::string& text, int16_t least) {
    auto value = IsNumeric(text) ? ToInt16(text) : std::nullopt;
    return value && *value >= least;
}

}  // namespace

int16_t ReadFormatFileAsWritten(vorFormat& format, const std::string& path) {
    const FilledDefaults before(format);
    const int16_t status = format.ReadFormatFile(path);
    if (status != kFormatOk) return status;

    XmlValueReader reader;
    reader.Load(path);
    auto value = [&](const char* name) {
        return reader.Value(std::string("/dorvex/vantor/format/default/") + name);
    };
    if (value("fontname").empty()) format.DefaultFont = before.font;
    if (!Given(value("fontsize"), 1)) format.DefaultFontSize = before.fontSize;
    if (!Given(value("x"), 1)) format.DefaultX = before.x;
    if (!Given(value("y"), 1)) format.DefaultY = before.y;
    if (!Given(value("dy"), INT16_MIN)) format.DefaultDY = before.dy;
    if (!Given(value("maxlenline"), 1)) {
        format.DefaultMaxLenLine = before.maxLenLine;
        format.MaxLenLine = before.lineMaxLenLine;
    }
    return kFormatOk;
}

}  // namespace scrivane

#include "shell/CommonChoices.h"

#include <QColor>
#include <QLineEdit>

#include "format/OutputFormats.h"
#include "shell/Prompts.h"

namespace scrivane::app {

QStringList FontNamesFor(int formatCode) {
    if (formatCode == kTargetPdf) {
        return {"Arial",     "Arial,Bold",     "Arial,BoldItalic",  "Arial,Italic",
                "Courier",   "Courier-Bold",   "Courier-BoldOblique", "Helvetica",
                "Helvetica-Bold", "TimesNewRoman", "TimesNewRoman,Bold",
                "TimesNewRoman,BoldItalic", "TimesNewRoman,Italic"};
    }
    return {"Arial", "Courier", "Helvetica", "Verdana"};
}

QStringList FontSizes() {
    return {"6", "8", "10", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"};
}

void SplitRgb(int colour, int& red, int& green, int& blue) {
    red = colour & 0xFF;
    green = (colour >> 8) & 0xFF;
    blue = (colour >> 16) & 0xFF;
}

bool ChooseColour(Prompts& prompts, int& red, int& green, int& blue) {
    QList<QColor> greys;
    for (int k = 1; k <= 16; ++k) greys << QColor(15 * k, 15 * k, 15 * k);
    QColor colour(qBound(0, red, 255), qBound(0, green, 255), qBound(0, blue, 255));
    if (!prompts.ChooseColour(colour, greys)) return false;
    SplitRgb(colour.red() + 256 * colour.green() + 65536 * colour.blue(), red, green, blue);
    return true;
}

void SelectAllText(QLineEdit* box) {
    box->setCursorPosition(0);
    box->selectAll();
}

}  // namespace scrivane::app

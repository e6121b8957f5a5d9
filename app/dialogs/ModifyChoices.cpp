#include "dialogs/ModifyChoices.h"

#include <vector>

#include "shell/CommonChoices.h"

namespace scrivane::app {

namespace {

QStringList Numbers(std::initializer_list<int> values) {
    QStringList list;
    for (int value : values) list << QString::number(value);
    return list;
}

QStringList Steps(int first, int last, int step) {
    QStringList list;
    for (int value = first; value <= last; value += step) list << QString::number(value);
    return list;
}

std::vector<ModifyChoice> BuildChoices() {  // data table
    const QStringList positions = Numbers({0, 10, 20, 30, 50, 80, 100, 120, 150, 200, 300});
    const QStringList sizes = FontSizes();
    return {
        {"mnuModifyFont", "font", "Font Name", "<set>fontname=",
         {"Arial", "Helvetica", "TimesNewRoman"}, "Arial"},
        {"mnuModifyFontSize", "fontsize", "Font Size", "<set>fontsize=", sizes, "10"},
        {"mnuModifyTopPosition", "y", "Top Position", "<set>y=", positions, "80"},
        {"mnuModifyLeftPosition", "x", "Left Position", "<set>x=", positions, "80"},
        {"mnuModifyTextAlign", "textalign", "Text Alignment", "<set>textalign=",
         {"Left", "Right", "Justify"}, "Left"},
        {"mnuModifySpaceBetweenLines", "dy", "Space Between Lines", "<set>dy=", sizes, "10"},
        {"mnuModifyLineLength", "linelength", "Line Length", "<set>linelength=",
         Numbers({100, 200, 300, 400, 500}), "400"},
        {"mnuModifyTop", "top", "Top Margin", "<set>top=", positions, "100"},
        // No bottom margin is preset: a margin of 0 would run the text off the page.
        {"mnuModifyBottom", "bottom", "Bottom Margin", "<set>bottom=",
         Numbers({0, 10, 20, 30, 50, 80, 100, 120, 150, 200}), ""},
        {"mnuModifyPageHeight", "pageheight", "Page Height", "<set>PageHeight=",
         Steps(100, 1000, 100), "842"},
        {"mnuModifyPageWidth", "pagewidth", "Page Width", "<set>PageWidth=",
         Steps(100, 1000, 100), "595"},
        {"mnuModifyTitle", "title", "Title", "<set>title=", {}, ""},
        {"mnuModifySubject", "subject", "Subject", "<set>subject=", {}, ""},
        {"mnuModifyAuthor", "author", "Author", "<set>author=", {}, ""},
        {"mnuModifyKeywords", "keywords", "Keywords", "<set>keywords=", {}, ""},
        {"mnuInsertHeader", kHeaderKey, "Header", "<set>header=", {}, "Page &p / &pages"},
    };
}

}  // namespace

std::span<const ModifyChoice> ModifyChoices() {
    static const std::vector<ModifyChoice> choices = BuildChoices();
    return choices;
}

const ModifyChoice* ModifyChoiceFor(const QString& key) {
    for (const ModifyChoice& choice : ModifyChoices()) {
        if (key == QLatin1String(choice.key)) return &choice;
    }
    return nullptr;
}

}  // namespace scrivane::app

#include "dialogs/ColourButton.h"

#include <QPixmap>

#include "dialogs/FieldText.h"
#include "shell/CommonChoices.h"

namespace scrivane::app {

namespace {

int Part(const QString& text) {
    const std::optional<int16_t> value = WholeNumber(text);
    return value ? qBound(0, int(*value), 255) : 0;
}

}  // namespace

ColourButton::ColourButton(Prompts& prompts, QWidget* parent)
    : QPushButton(parent), prompts_(prompts) {
    setIconSize(QSize(32, 14));
    setMinimumWidth(120);
    connect(this, &QPushButton::clicked, this, &ColourButton::Choose);
    setColourText(QString());
}

void ColourButton::Parts(const QString& colour, int& red, int& green, int& blue) {
    const qsizetype first = colour.indexOf(QLatin1Char(' '));
    const qsizetype last = colour.lastIndexOf(QLatin1Char(' '));
    if (first < 0) {
        red = Part(colour);
        green = blue = 0;
        return;
    }
    red = Part(colour.left(first));
    green = Part(colour.mid(first + 1, last - first - 1));
    blue = Part(colour.mid(last + 1));
}

void ColourButton::setColourText(const QString& colour) {
    colour_ = colour;
    setText(colour.isEmpty() ? QStringLiteral("-") : colour);
    if (colour.isEmpty()) {
        setIcon(QIcon());
        return;
    }
    int red, green, blue;
    Parts(colour, red, green, blue);
    QPixmap swatch(iconSize());
    swatch.fill(QColor(red, green, blue));
    setIcon(QIcon(swatch));
}

void ColourButton::Choose() {
    int red = 0, green = 0, blue = 0;
    Parts(colour_, red, green, blue);
    if (ChooseColour(prompts_, red, green, blue)) {
        setColourText(QStringLiteral("%1 %2 %3").arg(red).arg(green).arg(blue));
    }
}

}  // namespace scrivane::app

#pragma once
// A button that holds a colour as format files write it, "red green blue" (three whole
// numbers 0 to 255 with one blank between them; empty for no colour), paints it on
// itself, and opens the colour chooser at that colour when clicked.
#include <QPushButton>

namespace scrivane::app {

class Prompts;

class ColourButton : public QPushButton {
    Q_OBJECT
public:
    ColourButton(Prompts& prompts, QWidget* parent = nullptr);

    QString colourText() const { return colour_; }
    void setColourText(const QString& colour);

    // The parts of a colour text: red before the first blank, green between, blue
    // after the last blank; a part that is not a number counts as 0.
    static void Parts(const QString& colour, int& red, int& green, int& blue);

private:
    void Choose();

    Prompts& prompts_;
    QString colour_;
};

}  // namespace scrivane::app

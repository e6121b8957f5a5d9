#pragma once
// Small pieces several dialogs share: the font names and sizes they offer, the colour
// chooser with its sixteen grey custom colours, and selecting a text box's whole text.
#include <QStringList>

class QLineEdit;

namespace scrivane::app {

class Prompts;

// The font names offered for an export format: the PDF faces for PDF (10), the web faces
// for the others; and the font sizes.
QStringList FontNamesFor(int formatCode);
QStringList FontSizes();

// Opens the colour chooser at red, green, blue (0..255 each); on OK writes the chosen
// colour back, on Cancel leaves them as they were. True on OK.
bool ChooseColour(Prompts& prompts, int& red, int& green, int& blue);
// A colour held as red + 256 green + 65536 blue, split into its parts.
void SplitRgb(int colour, int& red, int& green, int& blue);
// Puts the caret at 0 and selects the whole text of a text box.
void SelectAllText(QLineEdit* box);

}  // namespace scrivane::app

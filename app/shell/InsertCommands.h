#pragma once
// The commands that write markup into the text at the caret: the Modify menu and the
// document information of the Insert menu (one "<set>" command each), font colour,
// titles, page break, image and the page-header block. Each goes in as whole lines, in
// one step that Undo takes back.
#include <QString>
#include <QStringList>

class QPlainTextEdit;

namespace scrivane::app {

struct AppContext;
class AidDialogs;

// The line a title of level 1 to 3 begins with ("<h1>"), and the page-break line: what
// the Insert menu writes, and what a format file's conditions pick out.
QString TitleMarker(int level);
inline constexpr const char* kPageBreakLine = "<pb>";

// The eight command lines of a page header whose text is `text`: the current style and
// position are saved, the header is set small at the top left, and both come back.
QStringList HeaderBlock(const QString& text);

class InsertCommands {
public:
    InsertCommands(AppContext& context, QPlainTextEdit* editor, AidDialogs* dialogs);
    void setDialogs(AidDialogs* dialogs) { dialogs_ = dialogs; }

    // The Modify window for a key of ModifyChoices.h, then its command line.
    void Modify(const QString& key);
    // The colour chooser from black, then "<set>fontcolor=" and the colour.
    void FontColour();
    void Title(int level);
    void PageBreak();
    void Image();
    void Header();

private:
    AppContext& context_;
    QPlainTextEdit* editor_;
    AidDialogs* dialogs_;
};

}  // namespace scrivane::app

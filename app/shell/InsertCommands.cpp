#include "shell/InsertCommands.h"

#include "dialogs/AidDialogs.h"
#include "dialogs/ModifyChoices.h"
#include "shell/AppContext.h"
#include "shell/CommonChoices.h"
#include "shell/TextInsertion.h"
#include "util/ProgramInfo.h"

namespace scrivane::app {

QString TitleMarker(int level) { return QStringLiteral("<h%1>").arg(level); }

QStringList HeaderBlock(const QString& text) {
    return {"<set>saveformat=header", "<set>savey=header", "<set>x=20",
            "<set>y=20",              "<set>fontsize-4",   "<set>header=" + text,
            "<set>loadformat=header", "<set>loady=header"};
}

InsertCommands::InsertCommands(AppContext& context, QPlainTextEdit* editor,
                               AidDialogs* dialogs)
    : context_(context), editor_(editor), dialogs_(dialogs) {}

void InsertCommands::Modify(const QString& key) {
    const ModifyChoice* choice = ModifyChoiceFor(key);
    if (!choice) return;
    const QString value = dialogs_->AskModifyValue(key);
    if (!value.isEmpty()) InsertToText(editor_, choice->prefix + value);
}

void InsertCommands::FontColour() {
    int red = 0, green = 0, blue = 0;
    // Cancel inserts nothing: the text is not changed behind the user's back.
    if (!ChooseColour(context_.prompts, red, green, blue)) return;
    InsertToText(editor_, QStringLiteral("<set>fontcolor=%1 %2 %3").arg(red).arg(green).arg(blue));
}

void InsertCommands::Title(int level) {
    const QString caption = context_.captions.m(QStringLiteral("Title %1").arg(level));
    const QString title = dialogs_->AskText(kProgramName, caption);
    if (!title.isEmpty()) InsertLines(editor_, {TitleMarker(level) + title});
}

void InsertCommands::PageBreak() { InsertLines(editor_, {kPageBreakLine}); }

void InsertCommands::Image() {
    const std::optional<ImageFields> fields = dialogs_->AskImage();
    if (!fields) return;
    const QString tag = ImageTagLine(*fields);
    if (!tag.isEmpty()) InsertLines(editor_, {tag});
}

void InsertCommands::Header() {
    const QString text = dialogs_->AskModifyValue(kHeaderKey);
    if (!text.isEmpty()) InsertLines(editor_, HeaderBlock(text));
}

}  // namespace scrivane::app

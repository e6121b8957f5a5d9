#include "shell/EditorHighlighting.h"

#include <QAction>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolTip>
#include <algorithm>

#include "format/OutputFormats.h"
#include "format/vorFormat.h"
#include "shell/AppContext.h"
#include "shell/CommandHighlighter.h"
#include "shell/ExportCommands.h"
#include "shell/ExportReport.h"
#include "shell/frmScrivane.h"
#include "util/Diagnostic.h"

namespace scrivane::app {

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return !path.isEmpty() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

EditorHighlighting::EditorHighlighting(AppContext& context, QPlainTextEdit* editor,
                                       QObject* parent)
    : QObject(parent),
      context_(context),
      editor_(editor),
      highlighter_(new CommandHighlighter(editor)),
      formatCode_(kTargetPdf) {
    editor_->viewport()->installEventFilter(this);
    QTextDocument* document = editor_->document();
    connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, &EditorHighlighting::UpdateReport);
    connect(document, &QTextDocument::contentsChanged, this, &EditorHighlighting::UpdateReport);
    ReloadConditions();
    setEnabled(context_.settings.highlighting().isOn());
}

EditorHighlighting::~EditorHighlighting() = default;

void EditorHighlighting::Connect(frmScrivane& window) {
    QAction* toggle = window.action("mnuHighlighting");
    toggle->setChecked(enabled());
    connect(toggle, &QAction::toggled, this, [this](bool on) {
        context_.settings.setHighlighting(on);
        setEnabled(on);
    });
    // After an export or the format options the format files may have changed.
    for (const char* format : {"PDF", "XHTML", "XML", "SVG"}) {
        const int code = FormatCode(format);
        for (const QString& name : {QString("mnu%1Export").arg(format),
                                    QString("mnuFormat%1").arg(format)}) {
            connect(window.action(name), &QAction::triggered, this,
                    [this, code] { setFormatCode(code); });
        }
        connect(window.action(QString("mnu%1Export").arg(format)), &QAction::triggered, this,
                [this, &window] { ShowExportProblem(window.exports().lastProblems()); });
    }
    connect(window.action("mnuPreferences"), &QAction::triggered, this,
            &EditorHighlighting::ReloadConditions);
    report_ = new QLabel(&window);
    report_->setObjectName("lblLineReport");
    window.statusBar()->addPermanentWidget(report_);
    UpdateReport();
}

bool EditorHighlighting::enabled() const { return highlighter_->enabled(); }

void EditorHighlighting::setEnabled(bool on) { highlighter_->setEnabled(on); }

void EditorHighlighting::setFormatCode(int code) {
    formatCode_ = code;
    ReloadConditions();
}

void EditorHighlighting::ReloadConditions() {
    // Read as the export reads them: the default format file, then the line options.
    const ExportFormatFiles files = FormatFilesFor(context_, formatCode_);
    const bool imageTags = ImageTagsPlaced(context_, formatCode_);
    QByteArray read = FileBytes(files.formatFile) + '\0' + FileBytes(files.lineOptions) + '\0' +
                      char('0' + imageTags);
    if (read == conditionsRead_) return;
    conditionsRead_ = read;
    scrivane::vorFormat working;
    for (const QString& path : {files.formatFile, files.lineOptions}) {
        if (QFile::exists(path)) working.ReadFormatFile(path.toStdString());
    }
    highlighter_->classifier().setConditions(working, imageTags);
    highlighter_->Invalidate();
    UpdateReport();
}

LineClass EditorHighlighting::ClassifyBlock(const QTextBlock& block) {
    return highlighter_->classifier().Classify(block.text(), block.blockNumber() + 1);
}

QString EditorHighlighting::Describe(const LineClass& line) const {
    const clsCaption& c = context_.captions;
    const QString name = line.conditionName.isEmpty() ? QString() : " (" + line.conditionName + ")";
    const QString level = QString::number(line.level);
    switch (line.kind) {
        case LineKind::Plain:
            return {};
        case LineKind::Command:
            return c.m("Command: not printed, it changes what follows");
        case LineKind::BadCommand: {
            // Worded as the export's warnings are ("unknown command", "bad value").
            const std::string_view kind = DiagnosticKindName(
                line.unknownKey ? DiagnosticKind::kUnknownCommand : DiagnosticKind::kBadValue);
            QString report = c.m(QString::fromLatin1(kind.data(), qsizetype(kind.size())));
            if (!report.isEmpty()) report[0] = report[0].toUpper();
            return report + ": " + line.problem;
        }
        case LineKind::ImageTag:
            return c.m("Image: placed in the PDF");
        case LineKind::Title:
        case LineKind::PageBreak:
            return c.m("No line condition of this format selects this line: it is printed as written");
        case LineKind::Heading:
            return c.m("Heading with a bookmark at level %level%").replace("%level%", level) + name;
        case LineKind::Hidden:
            return c.m("Hidden line: not printed") + name;
        case LineKind::Header:
            return c.m("Page header: printed at the top of every page") + name;
        case LineKind::Link:
            return c.m("Link") + name;
        case LineKind::Note:
            return c.m("Note") + name;
        case LineKind::Restyled:
            return c.m("Line condition") + name;
    }
    return {};
}

void EditorHighlighting::ShowExportProblem(const Diagnostics& problems) {
    if (report_ && !problems.empty()) {
        report_->setText(DescribeProblem(problems.front(), context_.captions));
    }
}

QString EditorHighlighting::reportText() const { return report_ ? report_->text() : QString(); }

void EditorHighlighting::UpdateReport() {
    if (!report_) return;
    const QTextBlock block = editor_->textCursor().block();
    const LineClass line = ClassifyBlock(block);
    report_->setText(line.kind == LineKind::BadCommand ? Describe(line)
                                                       : EngineReportText(block.blockNumber() + 1));
}

void EditorHighlighting::setEngineReports(scrivane::Diagnostics reports) {
    engineReports_ = std::move(reports);
    UpdateReport();
}

QString EditorHighlighting::EngineReportText(int caretLine) const {
    if (engineReports_.empty()) return {};
    auto onLine = std::lower_bound(
        engineReports_.begin(), engineReports_.end(), caretLine,
        [](const scrivane::Diagnostic& report, int line) { return report.line < line; });
    if (onLine != engineReports_.end() && onLine->line == caretLine) return DescribeProblem(*onLine, context_.captions);
    // Elsewhere in the text: the first report, and how many more there are.
    const size_t more = engineReports_.size() - 1;
    return DescribeProblem(engineReports_.front(), context_.captions) +
           (more > 0 ? QString(" (+%1)").arg(more) : QString());
}

bool EditorHighlighting::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && watched == editor_->viewport()) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QTextBlock block = editor_->cursorForPosition(help->pos()).block();
        const QString text = enabled() ? Describe(ClassifyBlock(block)) : QString();
        if (text.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), text, editor_->viewport());
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace scrivane::app

#include "preview/PreviewPane.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEvent>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBlock>

#include "format/OutputFormats.h"
#include "preview/PreviewLayout.h"
#include "preview/PreviewScheduler.h"
#include "preview/PreviewView.h"
#include "shell/AppContext.h"
#include "shell/EditorHighlighting.h"
#include "shell/ExportCommands.h"
#include "shell/ExportJob.h"
#include "shell/TextFileCodec.h"
#include "shell/WindowPlacement.h"
#include "shell/WritingAids.h"
#include "shell/frmScrivane.h"

namespace scrivane::app {

PreviewPane::PreviewPane(AppContext& context, QPlainTextEdit* editor, QObject* parent)
    : QObject(parent), context_(context), editor_(editor) {
    view_ = new PreviewView();
    view_->hide();
    // The PDF export's format files and options, as the settings are when a layout starts;
    // pictures named relative to the text are found beside its file, as the export finds them.
    scheduler_ = new PreviewScheduler(
        [this] {
            const QString file = exports_ ? exports_->documentFile() : QString();
            // The raw text: its line ends are made on the worker, half the time of taking it.
            return TakeExportJob(context_, kTargetPdf, editor_->document()->toRawText(), file);
        },
        this);
    connect(scheduler_, &PreviewScheduler::laidOut, this, &PreviewPane::Show);
    // Only changes of the text count: the highlighter's colours change no page.
    connect(editor_->document(), &QTextDocument::contentsChange, this,
            [this](int, int removed, int added) {
                if (removed != 0 || added != 0) scheduler_->TextChanged();
            });
    connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, &PreviewPane::FollowCaret);
    connect(view_, &PreviewView::pageDoubleClicked, this, &PreviewPane::GoToLine);
}

PreviewPane::~PreviewPane() = default;

void PreviewPane::Connect(frmScrivane& window) {
    reports_ = &window.aids().highlighting();
    exports_ = &window.exports();
    splitter_ = new QSplitter(Qt::Horizontal, &window);
    splitter_->setObjectName("splPreview");
    splitter_->setChildrenCollapsible(false);
    window.takeCentralWidget();
    splitter_->addWidget(editor_);
    splitter_->addWidget(view_);
    splitter_->setStretchFactor(0, 1);
    window.setCentralWidget(splitter_);
    connect(splitter_, &QSplitter::splitterMoved, this, &PreviewPane::RememberWidth);
    splitter_->installEventFilter(this);

    QAction* toggle = window.action("mnuPreview");
    connect(toggle, &QAction::toggled, this, &PreviewPane::setShown);
    // After these the format files or the options of the PDF export may have changed.
    for (const char* command : {"mnuFormatPDF", "mnuPDFExport", "mnuPreferences"}) {
        connect(window.action(command), &QAction::triggered, this, [this] {
            if (shown()) scheduler_->LayOutNow();
        });
    }
    toggle->setChecked(context_.settings.showPreview().isOn());
}

bool PreviewPane::shown() const { return scheduler_->active(); }

void PreviewPane::setShown(bool shown) {
    if (shown == this->shown()) return;
    context_.settings.setShowPreview(shown);
    scheduler_->setActive(shown);
    view_->setVisible(shown);
    if (shown) {
        widthPending_ = true;
        ApplyWidth();
        scheduler_->LayOutNow();
    } else if (reports_) {
        reports_->setEngineReports({});  // they would grow stale with the text
    }
}

void PreviewPane::Show(std::shared_ptr<const PreviewResult> result) {
    // A PDF that could not be built leaves the last pages in view; the reports still tell.
    const bool first = shownGeneration_ == 0;
    QElapsedTimer clock;
    clock.start();
    if (view_->Show(result->pdf)) {
        lines_ = result->lines;  // shared, not copied
        shownGeneration_ = result->generation;
    }
    times_ = {result->layoutMs, result->buildMs, result->readMs, clock.elapsed()};
    if (reports_) reports_->setEngineReports(result->problems);
    // The first pages open at the caret's; later ones keep the place the view is at.
    if (first) FollowCaret();
    emit pagesShown();
}

void PreviewPane::FollowCaret() {
    if (!shown() || lines_->empty()) return;
    const int line = editor_->textCursor().blockNumber() + 1;
    if (const std::optional<PagePlace> place = lines_->PlaceOfLine(line)) {
        view_->Reveal(place->page, place->y);
    }
}

void PreviewPane::GoToLine(int page, QPointF point) {
    const std::optional<int> line = lines_->LineAt(page, point.x(), point.y());
    if (!line) return;
    QTextDocument* text = editor_->document();
    QTextBlock block = text->findBlockByNumber(*line - 1);
    if (!block.isValid()) block = text->lastBlock();  // lines removed since the layout
    QTextCursor cursor(block);
    editor_->setTextCursor(cursor);
    editor_->ensureCursorVisible();
    editor_->setFocus();
}

// The remembered width, or half the window; a window not laid out yet has no width to
// share, and gets it when it is first laid out.
void PreviewPane::ApplyWidth() {
    if (!widthPending_ || !splitter_ || !splitter_->isVisible()) return;
    const int total = splitter_->width();
    widthPending_ = false;
    const int stored = TwipsToPixels(context_.settings.previewWidth());
    const int width = stored > 0 && stored < total ? stored : total / 2;
    splitter_->setSizes({total - width, width});
}

bool PreviewPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == splitter_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        ApplyWidth();
    }
    return QObject::eventFilter(watched, event);
}

void PreviewPane::RememberWidth() {
    if (shown()) context_.settings.setPreviewWidth(view_->width() * kTwipsPerPixel);
}

}  // namespace scrivane::app

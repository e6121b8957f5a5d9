#pragma once
// The page preview at the right of the editor: the pages of the text as the PDF export
// would lay them out, laid out again on a worker thread a moment after the user stops
// typing. F5 and the Format menu show and hide it; its width and whether it shows are
// remembered. The caret's line leads the preview to its page, a double click on a page
// puts the caret on the line shown there, and what the engine reports about the text
// goes to the status line.
#include <QObject>
#include <memory>

#include "preview/PreviewLineMap.h"

class QPlainTextEdit;
class QSplitter;

namespace scrivane::app {

struct AppContext;
struct PreviewResult;
class EditorHighlighting;
class ExportCommands;
class PreviewScheduler;
class PreviewView;
class frmScrivane;

class PreviewPane : public QObject {
    Q_OBJECT
public:
    PreviewPane(AppContext& context, QPlainTextEdit* editor, QObject* parent);
    ~PreviewPane() override;

    // Puts the editor and the preview side by side in the window, connects the menu
    // entry, the commands after which the format may have changed and the status line,
    // and shows the preview if it was shown last time.
    void Connect(frmScrivane& window);

    bool shown() const;
    void setShown(bool shown);

    PreviewView& view() const { return *view_; }
    PreviewScheduler& scheduler() const { return *scheduler_; }
    const PreviewLineMap& lines() const { return *lines_; }
    // The generation of the text the pages show (0 before the first layout).
    quint64 shownGeneration() const { return shownGeneration_; }
    // What the last pages cost: laying out, building and opening them on the worker,
    // showing them here.
    struct Times {
        qint64 layoutMs = 0, buildMs = 0, readMs = 0, showMs = 0;
    };
    Times lastTimes() const { return times_; }

signals:
    // A layout arrived: its pages are in view (unless its PDF could not be built) and
    // its reports on the status line. For tests and the benchmark.
    void pagesShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(std::shared_ptr<const PreviewResult> result);
    void FollowCaret();
    void GoToLine(int page, QPointF point);
    void ApplyWidth();
    void RememberWidth();

    AppContext& context_;
    QPlainTextEdit* editor_;
    QSplitter* splitter_ = nullptr;
    PreviewView* view_ = nullptr;
    PreviewScheduler* scheduler_ = nullptr;
    EditorHighlighting* reports_ = nullptr;
    const ExportCommands* exports_ = nullptr;  // knows the document's file
    std::shared_ptr<const PreviewLineMap> lines_ = std::make_shared<const PreviewLineMap>();
    quint64 shownGeneration_ = 0;
    Times times_;
    bool widthPending_ = false;  // shown before the window had a width to share
};

}  // namespace scrivane::app

#include "shell/CommandHighlighter.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace scrivane::app {

namespace {

constexpr int kNotColoured = -1;  // a block's user state before it is first coloured

QTextCharFormat Coloured(QRgb colour, bool bold = false, bool italic = false) {
    QTextCharFormat format;
    format.setForeground(QColor(colour));
    if (bold) format.setFontWeight(QFont::Bold);
    format.setFontItalic(italic);
    return format;
}

QTextCharFormat Refused(QTextCharFormat format) {
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(QColor(0xd0, 0x00, 0x00));
    return format;
}

void Add(QList<QTextLayout::FormatRange>& ranges, int start, int length,
         const QTextCharFormat& format) {
    if (length > 0) ranges.append({start, length, format});
}

}  // namespace

CommandHighlighter::CommandHighlighter(QPlainTextEdit* editor)
    : QObject(editor), editor_(editor) {
    setWord_ = Coloured(0x7a7a7a);
    key_ = Coloured(0x1f4fb4, true);
    value_ = Coloured(0x2e7d32);
    marker_ = Coloured(0x9e9e9e);
    badSetWord_ = Refused(setWord_);
    badKey_ = Refused(key_);
    badValue_ = Refused(value_);
    auto kind = [this](LineKind k) -> QTextCharFormat& { return kinds_[int(k)]; };
    kind(LineKind::ImageTag) = Coloured(0x00838f);
    kind(LineKind::Title) = Coloured(0x8e2424, true);
    kind(LineKind::PageBreak) = Coloured(0x6a1b9a, true);
    kind(LineKind::Heading) = Coloured(0x8e2424, true);
    kind(LineKind::Hidden) = Coloured(0x9e9e9e, false, true);
    kind(LineKind::Header) = Coloured(0x795548, false, true);
    kind(LineKind::Link) = Coloured(0x1565c0);
    kind(LineKind::Link).setFontUnderline(true);
    kind(LineKind::Note) = Coloured(0x827717, false, true);
    kind(LineKind::Restyled) = Coloured(0x00695c);

    connect(editor_->document(), &QTextDocument::contentsChange, this,
            &CommandHighlighter::MarkChanged);
    connect(editor_, &QPlainTextEdit::updateRequest, this,
            &CommandHighlighter::ColourVisibleLines);
    // Lines chosen by their number change when lines come or go above them.
    connect(editor_, &QPlainTextEdit::blockCountChanged, this, [this] {
        if (!classifier_.numberedLines().empty()) Invalidate();
    });
    editor_->viewport()->installEventFilter(this);
}

const QTextCharFormat& CommandHighlighter::FormatOf(LineKind kind) const {
    return kinds_[int(kind)];
}

void CommandHighlighter::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) {
        Invalidate();
        return;
    }
    // Only the blocks coloured once have a layout of their own to clear.
    for (QTextBlock block = editor_->document()->begin(); block.isValid(); block = block.next()) {
        if (block.userState() == kNotColoured) continue;
        if (!block.layout()->formats().isEmpty()) Colour(block, {});
        block.setUserState(kNotColoured);
    }
}

void CommandHighlighter::Invalidate() {
    generation_ = generation_ == INT_MAX ? 0 : generation_ + 1;
    ColourVisibleLines();
}

void CommandHighlighter::MarkChanged(int from, int, int added) {
    if (applying_) return;
    // Only the lines at both ends of a change can be older than it; the lines between
    // are new and were never coloured. So opening a large text costs nothing here.
    QTextDocument* document = editor_->document();
    document->findBlock(from).setUserState(kNotColoured);
    document->findBlock(from + added).setUserState(kNotColoured);
}

void CommandHighlighter::ColourVisibleLines() {
    if (!enabled_ || applying_ || !editor_->isVisible()) return;
    const QRect area = editor_->viewport()->rect();
    QTextBlock block = editor_->cursorForPosition(area.topLeft()).block();
    const QTextBlock last = editor_->cursorForPosition(area.bottomLeft()).block();
    const int lastNumber = last.blockNumber();
    for (; block.isValid(); block = block.next()) {
        if (block.userState() != generation_) {
            const int number = classifier_.numberedLines().empty() ? 0 : block.blockNumber() + 1;
            Colour(block, RangesOf(block.text(), number));
            block.setUserState(generation_);
        }
        if (block == last || block.blockNumber() > lastNumber) break;
    }
}

void CommandHighlighter::Colour(QTextBlock block, const QList<QTextLayout::FormatRange>& ranges) {
    QTextLayout* layout = block.layout();
    if (ranges.isEmpty() && layout->formats().isEmpty()) return;
    applying_ = true;
    layout->setFormats(ranges);
    editor_->document()->markContentsDirty(block.position(), block.length());
    applying_ = false;
}

QList<QTextLayout::FormatRange> CommandHighlighter::RangesOf(const QString& text, int lineNumber) {
    QList<QTextLayout::FormatRange> ranges;
    const LineClass line = classifier_.Classify(text, lineNumber);
    const int length = int(text.size());
    switch (line.kind) {
        case LineKind::Plain:
            break;
        case LineKind::Command:
        case LineKind::BadCommand:
            AddCommandRanges(ranges, line, length);
            break;
        default:
            Add(ranges, 0, line.markerLength, marker_);
            Add(ranges, line.markerLength, length - line.markerLength, FormatOf(line.kind));
    }
    return ranges;
}

void CommandHighlighter::AddCommandRanges(QList<QTextLayout::FormatRange>& ranges,
                                          const LineClass& line, int length) const {
    const bool wholeLine = line.fault == CommandFault::Line;
    const bool badKey = wholeLine || line.fault == CommandFault::Key;
    const bool badValue = wholeLine || line.fault == CommandFault::Value;
    const QTextCharFormat& word = wholeLine ? badSetWord_ : setWord_;
    Add(ranges, 0, line.keyStart, word);
    Add(ranges, line.keyStart, line.keyLength, badKey ? badKey_ : key_);
    Add(ranges, line.keyStart + line.keyLength, 1, word);  // the operator
    Add(ranges, line.valueStart, length - line.valueStart, badValue ? badValue_ : value_);
}

bool CommandHighlighter::eventFilter(QObject* watched, QEvent* event) {
    // Shown, resized or uncovered: the lines now on screen are coloured before painting.
    if (event->type() == QEvent::Paint && watched == editor_->viewport()) ColourVisibleLines();
    return QObject::eventFilter(watched, event);
}

}  // namespace scrivane::app

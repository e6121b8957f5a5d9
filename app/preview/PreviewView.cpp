#include "preview/PreviewView.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPdfDocument>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "preview/PreviewPdf.h"

namespace scrivane::app {

namespace {

// Logical pixels a point takes at zoom 1, as QPdfView measures it.
double ScreenResolution() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() / 72.0 : 1.0;
}

}  // namespace

PreviewView::PreviewView(QWidget* parent) : QPdfView(parent) {
    setObjectName("preview");
    setPageMode(PageMode::MultiPage);
    setZoomMode(ZoomMode::FitToWidth);
    // A scroll bar that came and went with the pages' height would change the width
    // the pages fit, and so their height.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(40);
}

PreviewView::~PreviewView() { setDocument(nullptr); }

bool PreviewView::Show(std::shared_ptr<PreviewPdf> pdf) {
    if (!pdf || !pdf->ready()) return false;
    const int down = verticalScrollBar()->value();
    const int across = horizontalScrollBar()->value();
    previous_ = std::move(shown_);
    shown_ = std::move(pdf);
    setDocument(shown_->document());
    rectsValid_ = false;
    if (zoom_ != 1.0) ApplyZoom();  // the widest page may have changed
    verticalScrollBar()->setValue(down);
    horizontalScrollBar()->setValue(across);
    return true;
}

int PreviewView::pageCount() const { return shown_ ? shown_->pageCount() : 0; }

void PreviewView::setZoom(double zoom) {
    zoom_ = std::clamp(zoom, kLeastZoom, kMostZoom);
    if (std::abs(zoom_ - 1.0) < 1e-6) zoom_ = 1.0;
    ApplyZoom();
}

// At 1 the view's own fit to width; otherwise a fixed factor of that width, worked out
// again when the pane changes width.
void PreviewView::ApplyZoom() {
    rectsValid_ = false;
    if (zoom_ == 1.0) {
        setZoomMode(ZoomMode::FitToWidth);
        return;
    }
    const double widest = shown_ ? shown_->widestPage() : 0;
    if (widest <= 0) return;
    const QMargins margins = documentMargins();
    const double room = viewport()->width() - margins.left() - margins.right();
    setZoomFactor(room / (widest * ScreenResolution()) * zoom_);
    setZoomMode(ZoomMode::Custom);
}

const std::vector<QRect>& PreviewView::PageRects() const {
    if (rectsValid_) return rects_;
    rects_.clear();
    const double resolution = ScreenResolution();
    const QMargins margins = documentMargins();
    const int viewportWidth = viewport()->width();
    int widest = 0;
    for (int page = 0; page < pageCount(); ++page) {
        QSize size;
        const QSizeF points = shown_->pageSize(page);
        if (zoomMode() == ZoomMode::FitToWidth) {
            size = QSizeF(points * resolution).toSize();
            const double fit = double(viewportWidth - margins.left() - margins.right()) /
                               std::max(1, size.width());
            size *= fit;
        } else {
            size = QSizeF(points * resolution * zoomFactor()).toSize();
        }
        widest = std::max(widest, size.width());
        rects_.emplace_back(QPoint(0, 0), size);
    }
    const int totalWidth = widest + margins.left() + margins.right();
    int top = margins.top();
    for (QRect& rect : rects_) {
        rect.moveTopLeft(QPoint((std::max(totalWidth, viewportWidth) - rect.width()) / 2, top));
        top += rect.height() + pageSpacing();
    }
    rectsValid_ = true;
    return rects_;
}

QRect PreviewView::PageRect(int page) const {
    const std::vector<QRect>& rects = PageRects();
    return page >= 0 && size_t(page) < rects.size() ? rects[size_t(page)] : QRect();
}

double PreviewView::Scale(int page) const {
    const double points = shown_ ? shown_->pageSize(page).width() : 0;
    return points > 0 ? PageRect(page).width() / points : 1.0;
}

PreviewView::PagePoint PreviewView::PageAt(QPoint viewportPosition) const {
    const QPoint at = viewportPosition +
                      QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const std::vector<QRect>& rects = PageRects();
    // Pages stand in order downwards: the last one that starts above the point.
    auto after = std::upper_bound(rects.begin(), rects.end(), at.y(),
                                  [](int y, const QRect& rect) { return y < rect.top(); });
    if (after == rects.begin()) return {};
    const QRect& rect = *(after - 1);
    if (!rect.contains(at)) return {};
    const int page = int(after - 1 - rects.begin());
    const double scale = Scale(page);
    return {page, QPointF(at - rect.topLeft()) / scale};
}

QPoint PreviewView::ViewportPosition(int page, QPointF point) const {
    const QPointF shown = QPointF(PageRect(page).topLeft()) + point * Scale(page);
    return shown.toPoint() - QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void PreviewView::Reveal(int page, double y) {
    const QRect rect = PageRect(page);
    if (rect.isNull()) return;
    const int target = rect.top() + int(y * Scale(page));
    const int top = verticalScrollBar()->value();
    const int height = viewport()->height();
    // Within the middle of the view already: the view stays still while the caret moves.
    if (target >= top + height / 8 && target <= top + height * 7 / 8) return;
    verticalScrollBar()->setValue(target - height / 3);
}

void PreviewView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QPdfView::wheelEvent(event);
        return;
    }
    const int steps = event->angleDelta().y();
    if (steps == 0) return;
    // The point under the mouse stays there.
    const QPoint mouse = event->position().toPoint();
    const PagePoint before = PageAt(mouse);
    setZoom(steps > 0 ? zoom_ * kZoomStep : zoom_ / kZoomStep);
    if (before.page >= 0) {
        const QRect rect = PageRect(before.page);
        const QPointF shown = QPointF(rect.topLeft()) + before.point * Scale(before.page);
        verticalScrollBar()->setValue(int(shown.y()) - mouse.y());
        horizontalScrollBar()->setValue(int(shown.x()) - mouse.x());
    }
    event->accept();
}

void PreviewView::mouseDoubleClickEvent(QMouseEvent* event) {
    const PagePoint at = PageAt(event->position().toPoint());
    if (at.page >= 0) emit pageDoubleClicked(at.page, at.point);
    event->accept();
}

void PreviewView::resizeEvent(QResizeEvent* event) {
    QPdfView::resizeEvent(event);
    rectsValid_ = false;
    if (zoom_ != 1.0) ApplyZoom();
}

}  // namespace scrivane::app

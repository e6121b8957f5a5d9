#pragma once
// The pages of a PDF held in memory, one below the other, as wide as the pane (Ctrl and
// the wheel zoom in and out). A new PDF replaces the pages where they stand: the view
// keeps its scroll position. It knows which page and which point of it lies under the
// mouse, and where a point of a page is shown, so that the preview and the text can
// lead each other.
#include <QPdfView>
#include <QPointF>
#include <memory>
#include <vector>

namespace scrivane::app {

class PreviewPdf;

class PreviewView : public QPdfView {
    Q_OBJECT
public:
    explicit PreviewView(QWidget* parent = nullptr);
    ~PreviewView() override;

    // Shows the pages of the PDF; false (and the old pages kept) when it could not be read.
    bool Show(std::shared_ptr<PreviewPdf> pdf);
    int pageCount() const;

    // Zoom against the pane's width: 1 fits a page to it.
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    static constexpr double kZoomStep = 1.25;
    static constexpr double kLeastZoom = 0.25;
    static constexpr double kMostZoom = 8.0;

    // Where a page is drawn, in the coordinates of the scrolled contents (pixels).
    QRect PageRect(int page) const;
    // The page under a point of the viewport (-1 for none) and the point on it, in
    // points from the page's top-left corner.
    struct PagePoint {
        int page = -1;
        QPointF point;
    };
    PagePoint PageAt(QPoint viewportPosition) const;
    // Where a point of a page (points from its top-left corner) is in the viewport.
    QPoint ViewportPosition(int page, QPointF point) const;
    // Scrolls to a height of a page (points from its top) unless it is in view already.
    void Reveal(int page, double y);

signals:
    void pageDoubleClicked(int page, QPointF point);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Where each page is drawn, worked out as the view lays pages out; cached until the
    // pages, the width or the zoom change.
    const std::vector<QRect>& PageRects() const;
    // Pixels a point of page `page` takes.
    double Scale(int page) const;
    void ApplyZoom();

    std::shared_ptr<PreviewPdf> shown_;
    // The pages shown before: kept until the next ones come, as the view's renderer
    // may still be drawing one of them on its own thread.
    std::shared_ptr<PreviewPdf> previous_;
    double zoom_ = 1.0;
    mutable std::vector<QRect> rects_;
    mutable bool rectsValid_ = false;
};

}  // namespace scrivane::app

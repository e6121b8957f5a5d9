#pragma once
// A PDF held in memory and opened with Qt's PDF module. Opened on the preview's worker
// thread, with every page's size read once there (the first reading of 2,000 pages takes
// a tenth of a second, and every later one a hundredth: the view asks for them here),
// then handed to the user-interface thread, where the view shows it at once. Nothing is
// written to disk.
#include <QByteArray>
#include <QSizeF>
#include <memory>
#include <vector>

class QBuffer;
class QPdfDocument;
class QThread;

namespace scrivane::app {

class PreviewPdf {
public:
    // Opens the bytes on the calling thread.
    explicit PreviewPdf(QByteArray bytes);
    ~PreviewPdf();
    PreviewPdf(const PreviewPdf&) = delete;
    PreviewPdf& operator=(const PreviewPdf&) = delete;

    bool ready() const;
    int pageCount() const;
    // In points; empty for a page it does not have.
    QSizeF pageSize(int page) const;
    double widestPage() const { return widest_; }
    QPdfDocument* document() const { return document_; }
    const QByteArray& bytes() const { return bytes_; }
    // Hands the document to the thread that will show it (called on the opening thread).
    void MoveToThread(QThread* thread);

private:
    QByteArray bytes_;
    QPdfDocument* document_;  // owns the buffer it reads
    QBuffer* buffer_;
    std::vector<QSizeF> sizes_;
    double widest_ = 0;
};

}  // namespace scrivane::app

#pragma once
// A PDF held in memory and opened with Qt's PDF module. Opened on the preview's worker
// thread, with every page's size read once there (the first reading of 2,000 pages takes
// a tenth of a second), then handed to the user-interface thread, where the view shows
// it at once. Nothing is written to disk.
#include <QByteArray>
#include <memory>

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
    QPdfDocument* document() const { return document_; }
    const QByteArray& bytes() const { return bytes_; }
    // Hands the document to the thread that will show it (called on the opening thread).
    void MoveToThread(QThread* thread);

private:
    QByteArray bytes_;
    QPdfDocument* document_;  // owns the buffer it reads
    QBuffer* buffer_;
};

}  // namespace scrivane::app

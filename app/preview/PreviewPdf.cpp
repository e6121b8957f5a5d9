#include "preview/PreviewPdf.h"

#include <QBuffer>
#include <QPdfDocument>

namespace scrivane::app {

PreviewPdf::PreviewPdf(QByteArray bytes)
    : bytes_(std::move(bytes)), document_(new QPdfDocument), buffer_(new QBuffer(document_)) {
    buffer_->setBuffer(&bytes_);
    buffer_->open(QIODevice::ReadOnly);
    document_->load(buffer_);
    for (int page = 0; page < pageCount(); ++page) document_->pagePointSize(page);
}

PreviewPdf::~PreviewPdf() { delete document_; }

bool PreviewPdf::ready() const { return document_->status() == QPdfDocument::Status::Ready; }

int PreviewPdf::pageCount() const { return ready() ? document_->pageCount() : 0; }

void PreviewPdf::MoveToThread(QThread* thread) { document_->moveToThread(thread); }

}  // namespace scrivane::app

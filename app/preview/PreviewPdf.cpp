#include "preview/PreviewPdf.h"

#include <QBuffer>
#include <QPdfDocument>
#include <algorithm>

namespace scrivane::app {

PreviewPdf::PreviewPdf(QByteArray bytes)
    : bytes_(std::move(bytes)), document_(new QPdfDocument), buffer_(new QBuffer(document_)) {
    buffer_->setBuffer(&bytes_);
    buffer_->open(QIODevice::ReadOnly);
    document_->load(buffer_);
    sizes_.reserve(size_t(pageCount()));
    for (int page = 0; page < pageCount(); ++page) {
        sizes_.push_back(document_->pagePointSize(page));
        widest_ = std::max(widest_, sizes_.back().width());
    }
}

QSizeF PreviewPdf::pageSize(int page) const {
    return page >= 0 && size_t(page) < sizes_.size() ? sizes_[size_t(page)] : QSizeF();
}

PreviewPdf::~PreviewPdf() { delete document_; }

bool PreviewPdf::ready() const { return document_->status() == QPdfDocument::Status::Ready; }

int PreviewPdf::pageCount() const { return ready() ? document_->pageCount() : 0; }

void PreviewPdf::MoveToThread(QThread* thread) { document_->moveToThread(thread); }

}  // namespace scrivane::app

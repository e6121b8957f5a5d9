// vorDocument: handing the pages the layout has finished over to be built ahead
// (pdf/FinishedPageStreams.h), and keeping what was built true to the pages.
#include "document/vorDocument.h"
#include "pdf/PageStreams.h"
#include "util/Numbers.h"

namespace scrivane {

void vorDocument::StartBuildingAhead(const vorFormat& working, int32_t targetFormat) {
    ForgetBuiltAhead();
    layoutFormat_ = &working;
    using Streams = EngineOptions::StreamsDuringLayout;
    // The layout keeps one core; the others build. Text beyond Windows-1252 is written in
    // fonts made only once every page is known.
    const unsigned workers = PageStreams::DefaultThreads() - 1;
    if (targetFormat != kTargetPdf || utf8Text_ || workers == 0 ||
        options_.streamsDuringLayout == Streams::kOff) {
        return;
    }
    finished_ = std::make_unique<FinishedPageStreams>(
        workers, options_.streamsDuringLayout == Streams::kLetRunsGo);
    handingOver_ = true;
}

vorPage& vorDocument::PageForLayout(int32_t page) {
    if (!finished_) return Pages.GetPage(page);
    if (page >= 1 && static_cast<size_t>(page) <= handedOver_) {
        // A page already handed over changes after all: building ahead stops here.
        StopBuildingAhead(false);
        finished_->Forget(static_cast<size_t>(page - 1));
    }
    vorPage& target = Pages.GetPage(page);  // may make the page before it give back room
    if (handingOver_ && page >= 1) HandOverPagesBefore(page);
    return target;
}

void vorDocument::HandOverPagesBefore(int32_t page) {
    const size_t before = std::min(static_cast<size_t>(page - 1), Pages.Kids.size());
    for (; handedOver_ < before; ++handedOver_) {
        vorPage& finished = *Pages.Kids[handedOver_];
        // Pictures are numbered only when the file is written, and header pictures will
        // be drawn into every page's first block.
        if (finished.Contents.size() != 1 || !finished.Contents.front().Images.empty() ||
            !headerImages_.empty()) {
            continue;
        }
        finished_->Add(handedOver_, finished, HeightAtEnd(finished), FontIdsNow());
    }
}

void vorDocument::StopBuildingAheadAtEnd() {
    if (finished_) StopBuildingAhead(!headerImages_.empty());
}

void vorDocument::RecheckBuiltAhead() {
    layoutFormat_ = nullptr;
    if (!finished_) return;
    for (size_t i = 0; i < handedOver_ && i < Pages.Kids.size(); ++i) {
        finished_->Recheck(i, *Pages.Kids[i]);
    }
}

void vorDocument::StopBuildingAhead(bool forgetAll) {
    handingOver_ = false;
    finished_->Finish();
    if (forgetAll) {
        for (size_t i = 0; i < handedOver_; ++i) finished_->Forget(i);
    }
}

void vorDocument::ForgetBuiltAhead() {
    finished_.reset();
    handingOver_ = false;
    handedOver_ = 0;
    fontIds_.reset();
}

bool vorDocument::LayoutMustBeRedone() const { return finished_ && finished_->AnyLost(); }

int32_t vorDocument::HeightAtEnd(const vorPage& page) const {
    int32_t height = page.PageHeight;
    if (layoutFormat_) {
        if (auto set = ToInt16(layoutFormat_->DefaultPageHeight); set && *set > 0) height = *set;
    }
    return PageHeightOrDefault(height);
}

std::shared_ptr<const FinishedPageStreams::FontIds> vorDocument::FontIdsNow() {
    // Fonts are only appended during a layout: the first font of a name keeps its id.
    if (!fontIds_ || fontIdsOf_ != Fonts.size()) {
        auto ids = std::make_shared<FinishedPageStreams::FontIds>();
        for (const vorFont& font : Fonts) ids->emplace(font.BaseFont, font.FontID);
        fontIds_ = std::move(ids);
        fontIdsOf_ = Fonts.size();
    }
    return fontIds_;
}

}  // namespace scrivane

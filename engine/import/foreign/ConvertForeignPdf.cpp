// The conversion of a foreign PDF file: opens it with qpdf within the limits, reads its
// information, and turns each page's content into lines of text.
#include <algorithm>
#include <cmath>
#include <string_view>

#include <qpdf/QPDF.hh>

#include "import/ForeignPdf.h"
#include "import/PdfReader.h"
#include "import/foreign/ContentInterpreter.h"
#include "import/foreign/ObjectAccess.h"
#include "import/foreign/PageTree.h"
#include "import/foreign/StreamDecoding.h"
#include "util/Encoding.h"

namespace scrivane {

namespace {

using namespace foreign;

constexpr int kMaxContentsStreams = 4096;

std::string InfoText(QPDFObjectHandle info, const std::string& key) {
    QPDFObjectHandle value = Key(info, key);
    if (!value.isString()) return {};
    return MendUtf8(value.getUTF8Value());
}

void ReadInfos(QPDF& pdf, vorInfos& infos) {
    QPDFObjectHandle info = Key(pdf.getTrailer(), "/Info");
    infos.title = InfoText(info, "/Title");
    infos.author = InfoText(info, "/Author");
    infos.subject = InfoText(info, "/Subject");
    infos.keywords = InfoText(info, "/Keywords");
}

// All content streams of a page make one stream: a token may run from one into the next.
std::string PageContent(QPDFObjectHandle page, ConversionBudget& budget) {
    const size_t cap = budget.limits.maxStreamBytes;
    std::string content;
    QPDFObjectHandle streams = Key(page, "/Contents");
    int n = streams.isArray() ? std::min(streams.getArrayNItems(), kMaxContentsStreams) : 1;
    for (int i = 0; i < n && content.size() < cap; ++i) {
        QPDFObjectHandle stream = streams.isArray() ? streams.getArrayItem(i) : streams;
        content += DecodeStream(stream, cap - content.size(), budget);
        content.push_back('\n');
    }
    return content;
}

int16_t PageSide(double points) {
    return static_cast<int16_t>(std::clamp(std::round(points), 1.0, 32767.0));
}

void ConvertPage(const PageEntry& entry, ConversionBudget& budget, FontCache& fonts,
                 vorPage& page) {
    PageBox box = MediaBox(entry.mediaBox, {0, 0, static_cast<double>(page.PageWidth),
                                            static_cast<double>(page.PageHeight)});
    page.PageWidth = PageSide(box.urx - box.llx);
    page.PageHeight = PageSide(box.ury - box.lly);
    vorContent& block = page.GetContent(1);
    std::string content = PageContent(entry.page, budget);
    LineAssembler lines(budget);
    ContentInterpreter interpreter(budget, fonts, lines, box.llx, box.ury);
    interpreter.Run(content, Resources{entry.resources, entry.page.getObjGen()}, 0);
    lines.Emit(block, page.PageHeight);
}

int16_t Convert(const char* name, std::string_view bytes, vorPages& pagesOut,
                vorInfos& infosOut, const ForeignPdfLimits& limits) {
    if (bytes.find("%%EOF") == std::string_view::npos) return kPdfNoEof;
    if (!CrossReferenceStreamsFit(bytes, limits.maxStreamBytes, limits.maxDecodedBytes)) {
        return kForeignPdfUnreadable;
    }
    // Filled here and handed over only when the whole file was read.
    vorPages pages;
    vorInfos infos;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile(name, bytes.data(), bytes.size());
        ConversionBudget budget(limits);
        if (!ObjectStreamsFit(pdf, budget)) return kForeignPdfUnreadable;
        ReadInfos(pdf, infos);
        FontCache fonts;
        for (const PageEntry& entry : CollectPages(pdf, limits.maxPages)) {
            pdf.getWarnings();  // qpdf keeps its warnings until asked: let them go
            ConvertPage(entry, budget, fonts, pages.AddNewPage());
        }
    } catch (...) {
        return kForeignPdfUnreadable;
    }
    pagesOut = std::move(pages);
    infosOut = std::move(infos);
    return kPdfReadOk;
}

}  // namespace

int16_t ConvertForeignPdf(const std::string& path, vorPages& pages, vorInfos& infos) {
    return ConvertForeignPdf(path, pages, infos, ForeignPdfLimits{});
}

int16_t ConvertForeignPdf(const std::string& path, vorPages& pages, vorInfos& infos,
                          const ForeignPdfLimits& limits) {
    std::string bytes;
    if (int16_t status = CheckPdfFile(path, bytes); status != kPdfReadOk) return status;
    return Convert(path.c_str(), bytes, pages, infos, limits);
}

int16_t ConvertForeignPdfData(std::string_view bytes, vorPages& pages, vorInfos& infos,
                              const ForeignPdfLimits& limits) {
    return Convert("PDF data", bytes, pages, infos, limits);
}

}  // namespace scrivane

#pragma once
// Reads back PDF files this program wrote: their information, the text runs of every
// page and the source lines that the file carries for editing.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/PdfFileCheck.h"
#include "import/SourceText.h"
#include "model/vorInfos.h"
#include "model/vorPages.h"
#include "util/Status.h"

namespace scrivane {

class CidText;

// What a PDF file gives back.
struct PdfContents {
    vorPages pages;
    vorInfos infos;
    std::vector<std::string> sourceLines;  // "N:" + line entries of the embedded source
    // The text (runs, source lines, information) is UTF-8 with characters beyond
    // Windows-1252; otherwise Windows-1252.
    bool utf8Text = false;
};

// Reads a file this program wrote. Only the first content stream of a page holds the
// text; the others carry page furniture (headers) and are left out.
int16_t ReadOwnPdf(const std::string& path, PdfContents& contents);
// The same for the bytes of a file that passed CheckPdfFile. The pages' streams are read
// on `threads` threads (0: one per core); the result is the same whatever the number.
int16_t ParseOwnPdf(std::string_view bytes, PdfContents& contents, unsigned threads = 0);

// The most text runs a file may give back: far beyond any real document (a 100,000-line
// text gives about as many), and low enough that a small hostile file cannot make the
// reader take gigabytes.
inline constexpr size_t kMaxRuns = 4'000'000;

// The data of a stream object of ours, inflated.
int16_t ReadStreamData(std::string_view object, std::string_view file, std::string& data);

// The runs of one content-stream object as the writer lays them out: one "(...) Tj" a
// line. Stops with kPdfTooMuchText when runs would hold more than kMaxRuns. Runs shown
// as character ids are read through `ids` when given (files whose text goes beyond
// Windows-1252), and left out otherwise.
int16_t ReadOwnContentStream(std::string_view object, std::string_view file,
                             std::vector<std::string>& runs, const CidText* ids = nullptr);

}  // namespace scrivane

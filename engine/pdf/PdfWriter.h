#pragma once
// Numbers the objects of a laid-out document and assembles the PDF file in one buffer.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/vorContent.h"
#include "model/vorFont.h"
#include "model/vorInfos.h"
#include "model/vorOutline.h"
#include "model/vorPages.h"
#include "pdf/FinishedPageStreams.h"
#include "pdf/vorXMP.h"
#include "util/ByteSink.h"
#include "util/Status.h"

namespace scrivane {

// Everything the writer reads from a document.
struct PdfSource {
    vorPages* pages = nullptr;
    vorInfos* infos = nullptr;
    std::vector<vorFont>* fonts = nullptr;
    vorOutlines* outlines = nullptr;               // null = no outline
    vorXMP* metadata = nullptr;                    // null = no XMP stream
    const std::vector<std::string>* sourceLines = nullptr;  // the source record
    bool optimize = false;                         // true = leave the source stream out
    bool compress = true;
    // The text (runs, source lines, information) is UTF-8 with characters beyond
    // Windows-1252: fonts become embedded Unicode subsets, strings UTF-16.
    bool utf8Text = false;
    // Threads that build and deflate page streams: 0 = one per core. The file's bytes are
    // the same whatever the number.
    unsigned threads = 0;
    // First blocks of pages built while the text was laid out; null = none.
    FinishedPageStreams* finished = nullptr;
    // What deflates the streams: null = Compress (tests put one that fails here).
    std::function<int(std::string&)> deflate;
    std::function<void(const std::string&)> trace;
};

// Builds the whole file. On failure bytes is left empty and *failedFile names the file
// that could not be read (when given); a stream that cannot be deflated fails the whole
// file with kPdfOutOfMemory.
int16_t BuildPdfFile(const PdfSource& source, std::string& bytes,
                     std::string* failedFile = nullptr);
// The same bytes handed to sink in pieces as they are made, so that the file is never
// held whole. A failure may come after some pieces were handed over (the sink's owner
// discards them); kSaveWriteFailed when the sink refused a piece.
int16_t WritePdfFile(const PdfSource& source, const ByteSink& sink,
                     std::string* failedFile = nullptr);

}  // namespace scrivane

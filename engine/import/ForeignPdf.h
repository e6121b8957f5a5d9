#pragma once
// The experimental conversion of PDF files other programs wrote: their visible text
// runs, in reading order, with position, size and colour. The work is done by the units
// under import/foreign/.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/vorInfos.h"
#include "model/vorPages.h"
#include "util/Status.h"

namespace scrivane {

// What one conversion may spend. Files come from anyone: these bound the time and the
// memory whatever a file asks for. Past a limit the conversion keeps what it has.
struct ForeignPdfLimits {
    size_t maxOperatorsPerPage = 5'000'000;   // content operators, forms included
    size_t maxOperatorsPerFile = 20'000'000;
    size_t maxStreamBytes = size_t{32} << 20;     // one decoded stream (a page's contents)
    size_t maxDecodedBytes = size_t{256} << 20;   // all streams decoded for the file
    size_t maxTextBytes = size_t{16} << 20;       // text produced, 48 more for each run
    int maxFormDepth = 8;                         // forms drawn inside forms
    size_t maxPages = 100'000;
    size_t maxCodeAssignments = 4'000'000;        // codes fonts' CMaps and widths assign
    size_t maxStreamsDecoded = 1'000'000;         // decodings, a shared stream's each time
};

// Fills pages (one content block per page, one vorText per line of text) and infos from
// any PDF. x and y of a run are points from the page's left and top edges (y is the
// baseline); fontsize is the size as drawn; fontcolor is "r g b" (0..255) unless black.
// Text is Windows-1252, "?" for characters it lacks. 0 on success; the file checks'
// codes of PdfReader.h otherwise (-5 empty name, -10 missing, -18 too short, -20 no
// header, -25 no "%%EOF"), and kForeignPdfUnreadable when the file is a PDF by its first bytes but the parser
// gives up on it (damaged beyond repair, encrypted, or past the limits below).
int16_t ConvertForeignPdf(const std::string& path, vorPages& pages, vorInfos& infos);
int16_t ConvertForeignPdf(const std::string& path, vorPages& pages, vorInfos& infos,
                          const ForeignPdfLimits& limits);
// The same for the bytes of a file that passed CheckPdfFile.
int16_t ConvertForeignPdfData(std::string_view bytes, vorPages& pages, vorInfos& infos,
                              const ForeignPdfLimits& limits = {});

}  // namespace scrivane

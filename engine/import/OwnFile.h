#pragma once
// Reads back a file this program wrote, of any of its four kinds, from the file's bytes.
#include <cstdint>
#include <string>
#include <string_view>

#include "import/PdfReader.h"

namespace scrivane {

// The checks of a PDF's bytes before it is parsed: kPdfTooShort (fewer than 100 bytes),
// kPdfNoHeader (no "%PDF-" start, in any case), else kPdfReadOk.
int16_t CheckPdfBytes(std::string_view bytes);

// Fills contents from the bytes of a file of kind `format` (a TargetFormat). A LoadStatus:
// the XML readers' statuses as they are, a PDF reader's less 1000; kLoadUnknownKind for a
// code that is no format.
int16_t ReadOwnFile(std::string_view bytes, int32_t format, PdfContents& contents);

// Reads the file at path for ReadOwnFile; kLoadOk, or the status a file that cannot be
// read gives for its kind.
int16_t ReadOwnFileBytes(const std::string& path, int32_t format, std::string& bytes);

}  // namespace scrivane

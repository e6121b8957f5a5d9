#pragma once
// Reads back PDF files this program wrote: their information, the text runs of every
// page and the source lines that the file carries for editing.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/vorInfos.h"
#include "model/vorPages.h"

namespace scrivane {

// Result codes of the PDF readers (0 = read).
enum PdfReadStatus : int16_t {
    kPdfReadOk = 0,
    kPdfProducerRefused = -2,      // not written by a version of this program it can read
    kPdfNoStream = -4,             // a content object without "stream"
    kPdfNoEndStream = -5,          // ... or without "endstream"
    kPdfNoFileName = -5,           // an empty file name
    kPdfFileMissing = -10,         // no such file, or it cannot be read
    kPdfInfoMalformed = -11,       // an Info entry without its "(" value
    kPdfTooShort = -18,            // fewer than 100 bytes
    kPdfNoHeader = -20,            // does not start with "%PDF-"
    kPdfNoEof = -25,               // no "%%EOF"
    kPdfNoStartXref = -27,         // no "startxref", or no number after it
    kPdfXrefOutside = -30,         // the table's offset lies outside the file
    kPdfNoXref = -35,              // no "xref" at that offset
    kPdfBadSubsection = -40,       // no "first count" line after "xref"
    kPdfXrefTooLong = -45,         // more entries than the file can hold
    kPdfBadXrefEntry = -50,        // an entry that is not "nnnnnnnnnn ggggg n"
    kPdfNoRoot = -55,              // the trailer names no catalog or no Info
    kPdfObjectMissing = -60,       // an object the file refers to is not in the table
    kPdfObjectOutside = -61,       // an object offset outside the file
    kPdfNoEndObj = -62,            // an object without "endobj"
    kPdfNoTrailer = -65,           // the table is not followed by "trailer"
    kPdfShortTrailer = -70,        // a trailer of fewer than 15 characters
    kPdfBadPageTree = -80,         // no pages, or a page or stream listed twice
    kPdfStreamDamaged = -85,       // a compressed stream that does not inflate
    kPdfTooMuchText = -86,         // more text than any document of ours holds
    kPdfTrailerTooLong = -222,     // a trailer of more than 1000 entries
};

// What a PDF file gives back.
struct PdfContents {
    vorPages pages;
    vorInfos infos;
    std::vector<std::string> sourceLines;  // "N:" + line entries of the embedded source
};

// Checks every reader makes before it reads: name, existence, size, header, "%%EOF".
// On success bytes holds the whole file.
int16_t CheckPdfFile(const std::string& path, std::string& bytes);

// True when the 15 characters at the 22nd of the file name a producer this version reads.
bool IsOwnProducer(std::string_view bytes);

// Reads a file this program wrote. Only the first content stream of a page holds the
// text; the others carry page furniture (headers) and are left out.
int16_t ReadOwnPdf(const std::string& path, PdfContents& contents);
// The same for the bytes of a file that passed CheckPdfFile.
int16_t ParseOwnPdf(std::string_view bytes, PdfContents& contents);

// The most text runs a file may give back: far beyond any real document (a 100,000-line
// text gives about as many), and low enough that a small hostile file cannot make the
// reader take gigabytes.
inline constexpr size_t kMaxRuns = 4'000'000;

// The runs of one content-stream object as the writer lays them out: one "(...) Tj" a
// line. Stops with kPdfTooMuchText when runs would hold more than kMaxRuns.
int16_t ReadOwnContentStream(std::string_view object, std::string_view file,
                             std::vector<std::string>& runs);

// Splits the embedded source text into its "N:" + line entries and finds the format
// file's name in the "0:" entry.
void ReadSourceLines(const std::string& joined, std::vector<std::string>& lines,
                     std::string& formatName);

}  // namespace scrivane

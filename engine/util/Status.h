#pragma once
// Every status the engine returns, grouped by the calls that return it. 0 is success
// everywhere. Values of different groups may coincide, so a status is read with the
// group of the call that gave it. The numbers are the program's own (the editor and
// scripts act on some of them): keep them.
#include <cstdint>
#include <string_view>

namespace scrivane {

// Success, in every group; also what the calls that cannot fail return.
inline constexpr int16_t kOk = 0;

// vorDocument::LoadFile and LoadFromBytes: reading back a file this program wrote. Also
// the XML readers' statuses (-21 to -24) and a PDF reader's status less 1000.
enum LoadStatus : int16_t {
    kLoadOk = 0,
    kLoadOutOfMemory = -1,   // the file asks for more memory than there is: not read
    kLoadNoFileName = -5,
    kLoadFileMissing = -10,  // no such file, or it cannot be read
    kLoadUnknownKind = -20,  // not a kind it reads (.pdf, .htm/.html/.xhtml, .xml, .svg)
    kLoadPdfOffset = -1000,  // added to the PDF reader's status
};

// The load status of a PDF reader's status.
constexpr int16_t LoadStatusOfPdf(int16_t pdfStatus) {
    return pdfStatus < 0 ? static_cast<int16_t>(pdfStatus + kLoadPdfOffset) : pdfStatus;
}

// The PDF readers (import/PdfReader.h); the conversion of other programs' PDFs returns
// the file checks' codes (-5, -10, -18, -20, -25) and kForeignPdfUnreadable.
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
    kForeignPdfUnreadable = -90,   // a PDF by its first bytes that the parser gives up on
    kPdfTrailerTooLong = -222,     // a trailer of more than 1000 entries
};

// The XHTML, XML and SVG readers (import/XmlReader.h).
enum XmlReadStatus : int16_t {
    kXmlReadOk = 0,
    kXmlFileMissing = -10,   // no such file, or it cannot be read
    kXmlUnreadable = -21,    // not well-formed XML (or refers to outside entities)
    kXmlWrongRoot = -22,     // not "document", "svg" or "html" as the kind says
    kXmlNoProducer = -23,    // no producer attribute first / no "head" first
    kXmlOtherProducer = -24, // written by another program or a version it cannot read
};

// vorDocument::Build and SaveAs, besides the writers' statuses below.
enum SaveStatus : int16_t {
    kSaveOk = 0,
    kSaveWriteFailed = -40,        // the file could not be written; an old one is intact
    kSaveUnsupportedFormat = -90,  // this version cannot write that format yet
};

// The PDF writer (pdf/PdfWriter.h).
enum PdfWriteStatus : int16_t {
    kPdfOk = 0,
    kPdfImageUnreadable = -21,  // an image file could not be read while writing
    kPdfNoUnicodeFont = -22,    // text beyond Windows-1252, and no font file to show it
    kPdfOutOfMemory = -30,
    // The layout let the runs of finished pages go and a page changed afterwards: the
    // text must be laid out again before the file can be written.
    kPdfRunsLetGo = -31,
};

// The XHTML, XML and SVG writers (xml/XmlWriter.h).
enum XmlWriteStatus : int16_t {
    kXmlWriteOk = 0,
    kXmlNoDocument = -11,     // the XML document could not be created (or no such format)
    kXmlInfoFailed = -56,     // the document information could not be added
    kXmlContentFailed = -12,  // the page content could not be added
};

// Placing an image (vorDocument::AddImage) and reading its size (document/JpegProbe.h).
enum JpegProbeStatus : int16_t {
    kJpegOk = 0,
    kJpegUnreadable = -10,  // the file cannot be opened
    kJpegNotJpeg = -20,     // no start-of-image marker, or no frame header with a size
};

// Format files (format/vorFormat.h): reading, and saving (0 or kFormatSaveFailed).
enum FormatFileStatus : int16_t {
    kFormatOk = 0,
    kFormatNumberOutOfRange = 1,  // a number out of the 16-bit range stopped the read
    kFormatNoFileName = 2,
    kFormatFileMissing = 3,
    kFormatSaveFailed = 1,        // failed while building or saving; an old file is intact
};

// What the command line says about a status of reading a file back: a LoadStatus, or a
// status of the conversion of another program's PDF.
std::string_view StatusMessage(int16_t status);

}  // namespace scrivane

#include "util/Status.h"

namespace scrivane {

std::string_view StatusMessage(int16_t status) {
    switch (status) {
        case LoadStatusOfPdf(kPdfProducerRefused):
            return "this PDF was not written by PDF Jotter 1.4 (try --convert)";
        case kLoadNoFileName:
            return "no file name";
        case LoadStatusOfPdf(kPdfNoStream):
        case LoadStatusOfPdf(kPdfNoEndStream):
            return "a content stream of the PDF is damaged";
        case kLoadFileMissing:
        case LoadStatusOfPdf(kPdfFileMissing):
            return "no such file, or it cannot be read";
        case kLoadUnknownKind:
            return "only .pdf, .htm (.html, .xhtml), .xml and .svg files can be read";
        case LoadStatusOfPdf(kPdfTooShort):
        case kPdfTooShort:
            return "the file is too short to be a PDF";
        case LoadStatusOfPdf(kPdfNoHeader):
            return "the file is not a PDF (no %PDF- header)";
        case LoadStatusOfPdf(kPdfNoEof):
        case kPdfNoEof:
            return "the PDF has no end marker (%%EOF)";
        case kXmlUnreadable:
            return "the file is not well-formed XML";
        case kXmlWrongRoot:
        case kXmlNoProducer:
        case kXmlOtherProducer:
            return "the file was not written by PDF Jotter";
        default:
            return "the file is damaged or not one PDF Jotter can read";
    }
}

}  // namespace scrivane

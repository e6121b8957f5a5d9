#include "pdf/PdfWriter.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <new>

#include "format/OutputFormats.h"
#include "model/vorPDFCatalog.h"
#include "pdf/CidFonts.h"
#include "pdf/PageStreams.h"
#include "pdf/PdfObjects.h"
#include "util/FileIO.h"
#include "util/Numbers.h"

namespace scrivane {

namespace {

// One registered object, in file order.
struct PdfObject {
    enum Kind { kInfos, kCatalog, kPages, kFont, kPage, kContent, kImage, kAnnotation,
                kMetadata, kOutlineRoot, kOutline, kSource, kFontPart } kind;
    void* item;
    size_t part = 0;  // kFontPart: which object of the Unicode fonts
};

// Two placements share one image object when their names lead to the same file.
std::string ImageKey(const std::string& name) {
    std::error_code ec;
    auto canonical = std::filesystem::weakly_canonical(name, ec);
    return ec ? name : canonical.string();
}

class Registry {
public:
    std::vector<PdfObject> objects;

    int32_t Add(PdfObject::Kind kind, void* item) {
        objects.push_back({kind, item});
        return static_cast<int32_t>(objects.size());
    }
};

// Numbers the entries below a parent depth first: an entry, then its children.
void NumberOutlines(std::vector<vorOutline>& siblings, int32_t parentNumber,
                    const vorPages& pages, Registry& registry) {
    for (size_t i = 0; i < siblings.size(); ++i) {
        vorOutline& entry = siblings[i];
        int32_t page = IntOr(entry.dest, 1);
        if (page >= 1 && page <= static_cast<int32_t>(pages.KidsObjectNumber.size())) {
            entry.DestObjectNumber = pages.KidsObjectNumber[static_cast<size_t>(page - 1)];
        } else if (!pages.KidsObjectNumber.empty()) {
            entry.DestObjectNumber = pages.KidsObjectNumber.front();
        }
        entry.ParentObjectNumber = parentNumber;
        int32_t number = registry.Add(PdfObject::kOutline, &entry);
        entry.NextObjectNumber =
            i + 1 < siblings.size() ? number + 1 + entry.OutlinesCount() : 0;
        entry.PreviousObjectNumber =
            i > 0 ? number - 1 - siblings[i - 1].OutlinesCount() : 0;
        entry.FirstOutlineObjectNumber = entry.LastOutlineObjectNumber = 0;
        if (!entry.outlines.empty()) {
            entry.FirstOutlineObjectNumber = number + 1;
            NumberOutlines(entry.outlines, number, pages, registry);
            entry.LastOutlineObjectNumber =
                static_cast<int32_t>(registry.objects.size()) -
                entry.outlines.back().OutlinesCount();
        }
    }
}

void Trace(const PdfSource& source, const std::string& message) {
    if (source.trace) source.trace("\t" + message);
}

// Registers the pages, their blocks, images (one object per file) and annotations.
void NumberPages(vorPages& pages, int32_t pagesNumber, Registry& registry) {
    pages.KidsObjectNumber.clear();
    std::map<std::string, std::string> imageNumbers;  // file -> shared object number
    for (auto& kid : pages.Kids) {
        vorPage& page = *kid;
        page.ParentObjectNumber = pagesNumber;
        pages.KidsObjectNumber.push_back(registry.Add(PdfObject::kPage, &page));
        page.ContentsObjectNumber.clear();
        for (vorContent& content : page.Contents) {
            page.ContentsObjectNumber.push_back(registry.Add(PdfObject::kContent, &content));
            for (vorImage& image : content.Images) {
                std::string key = ImageKey(image.ImageFileName);
                auto known = imageNumbers.find(key);
                if (known != imageNumbers.end()) {
                    image.ImageNumber = known->second;
                } else {
                    std::string number;
                    AppendInt(number, registry.Add(PdfObject::kImage, &image));
                    image.ImageNumber = number;
                    imageNumbers.emplace(key, number);
                }
            }
        }
        for (vorPDFAnnotation& annotation : page.Annots) {
            annotation.ObjectNumber = registry.Add(PdfObject::kAnnotation, &annotation);
        }
    }
}

// Gives every object its number, in file order: information, catalog, page tree, fonts,
// pages, metadata, outline, source stream.
void NumberObjects(const PdfSource& source, vorPDFCatalog& catalog, const CidFonts* cidFonts,
                   Registry& registry) {
    vorPages& pages = *source.pages;
    registry.Add(PdfObject::kInfos, source.infos);
    registry.Add(PdfObject::kCatalog, &catalog);
    catalog.PagesObjectNumber = registry.Add(PdfObject::kPages, &pages);
    std::vector<vorFont>& fonts = *source.fonts;
    for (size_t i = 0; i < fonts.size(); ++i) {
        size_t first = 0;
        if (cidFonts && cidFonts->SharesFace(i, first)) {
            fonts[i].ObjectNumber = fonts[first].ObjectNumber;  // one Type 0 font a face
            continue;
        }
        std::string number;
        AppendInt(number, registry.Add(PdfObject::kFont, &fonts[i]));
        fonts[i].ObjectNumber = number;
    }

    Trace(source, std::to_string(pages.PagesCount()) + " pages");
    NumberPages(pages, catalog.PagesObjectNumber, registry);

    if (source.metadata) {
        catalog.MetadataObjectNumber = registry.Add(PdfObject::kMetadata, source.metadata);
    }

    Trace(source, "outlines");
    if (source.outlines && !source.outlines->outlines.empty()) {
        vorOutlines& root = *source.outlines;
        int32_t rootNumber = registry.Add(PdfObject::kOutlineRoot, &root);
        catalog.OutlinesObjectNumber = rootNumber;
        root.FirstOutlineObjectNumber = rootNumber + 1;
        NumberOutlines(root.outlines, rootNumber, pages, registry);
        root.LastOutlineObjectNumber = static_cast<int32_t>(registry.objects.size()) -
                                       root.outlines.back().OutlinesCount();
    }

    Trace(source, "Format Conditions");
    source.infos->FCObjectNumber.clear();
    if (!source.optimize && source.sourceLines) {
        int32_t number = registry.Add(PdfObject::kSource, nullptr);  // source.sourceLines
        source.infos->FCObjectNumber = std::to_string(number);
    }
}

// The objects of the Unicode fonts come last.
void NumberFontParts(CidFonts& cidFonts, Registry& registry) {
    cidFonts.SetFirstPartNumber(static_cast<int32_t>(registry.objects.size()) + 1);
    for (size_t part = 0; part < cidFonts.PartCount(); ++part) {
        registry.objects.push_back({PdfObject::kFontPart, &cidFonts, part});
    }
}

// The content streams of the page written last, taken from the threads that build them.
struct PageStreamCursor {
    explicit PageStreamCursor(PageStreams& pageStreams) : streams(pageStreams) {}
    PageStreams& streams;
    size_t nextPage = 0;
    std::vector<std::string> objects;
    size_t nextObject = 0;
};

// Appends one object's text (after its number); kPdfImageUnreadable when an image file
// cannot be read, kPdfOutOfMemory when a stream cannot be deflated.
int16_t AppendObject(std::string& bytes, PdfObject& object, const PdfSource& source,
                     PdfWriteState& state, PageStreamCursor& pageStreams,
                     std::string* failedFile) {
    switch (object.kind) {
        case PdfObject::kInfos:
            toFS(bytes, *static_cast<vorInfos*>(object.item), source.optimize, source.utf8Text);
            break;
        case PdfObject::kCatalog: toFS(bytes, *static_cast<vorPDFCatalog*>(object.item)); break;
        case PdfObject::kPages: toFS(bytes, *static_cast<vorPages*>(object.item)); break;
        case PdfObject::kFont: {
            auto& font = *static_cast<vorFont*>(object.item);
            if (state.cidFonts) {
                state.cidFonts->AppendType0(
                    bytes, static_cast<size_t>(&font - source.fonts->data()), font.FontID);
            } else {
                toFS(bytes, font);
            }
            break;
        }
        case PdfObject::kFontPart:
            if (!state.cidFonts->AppendPart(bytes, object.part, state.deflate)) {
                return kPdfOutOfMemory;
            }
            break;
        case PdfObject::kPage:
            toFS(bytes, *static_cast<vorPage*>(object.item), state);
            pageStreams.nextObject = 0;
            if (int16_t status = pageStreams.streams.Take(pageStreams.nextPage++,
                                                          pageStreams.objects, state);
                status != kPdfOk) {
                return status;
            }
            break;
        case PdfObject::kContent:
            // A page's blocks follow its page object, in the order the page lists them.
            bytes += pageStreams.objects[pageStreams.nextObject];
            std::string().swap(pageStreams.objects[pageStreams.nextObject++]);
            break;
        case PdfObject::kSource: {
            // The source lines are never shown: their bytes stay as they are.
            PdfWriteState plain = state;
            plain.cidFonts = nullptr;
            if (!AppendSourceStream(bytes, *source.sourceLines, plain)) return kPdfOutOfMemory;
            break;
        }
        case PdfObject::kImage: {
            auto& image = *static_cast<vorImage*>(object.item);
            const std::string& path = image.ImagePath.empty() ? image.ImageFileName : image.ImagePath;
            if (!ReadWholeFile(path, image.ImageStream)) {
                if (failedFile) *failedFile = image.ImageFileName;
                return kPdfImageUnreadable;
            }
            toFS(bytes, image);
            std::string().swap(image.ImageStream);  // the bytes are in the file now
            break;
        }
        case PdfObject::kAnnotation:
            toFS(bytes, *static_cast<vorPDFAnnotation*>(object.item), source.utf8Text);
            break;
        case PdfObject::kMetadata:
            bytes += static_cast<vorXMP*>(object.item)->toFS(kTargetPdf);
            break;
        case PdfObject::kOutlineRoot: toFS(bytes, *static_cast<vorOutlines*>(object.item)); break;
        case PdfObject::kOutline:
            toFS(bytes, *static_cast<vorOutline*>(object.item), source.utf8Text);
            break;
    }
    return kPdfOk;
}

// The cross-reference table (at offset xref) of the objects at these offsets, and the
// trailer.
void AppendXrefAndTrailer(std::string& bytes, size_t xref, const std::vector<size_t>& offsets,
                          const PdfSource& source) {
    Trace(source, "Build XRef");
    bytes += "xref\n0 ";
    AppendInt(bytes, static_cast<long long>(offsets.size() + 1));
    bytes += "\n0000000000 65535 f\r\n";
    char entry[21];
    for (size_t offset : offsets) {
        std::snprintf(entry, sizeof entry, "%010zu 00000 n\r\n", offset);
        bytes.append(entry, 20);
    }

    Trace(source, "Build trailer");
    bytes += "trailer\n<<\n/Size ";
    AppendInt(bytes, static_cast<long long>(offsets.size() + 1));
    bytes += "\n/Root 2 0 R\n/Info 1 0 R\n>>\nstartxref\n";
    AppendInt(bytes, static_cast<long long>(xref));
    bytes += "\n%%EOF\n";
}

// The file's bytes as they are made. With a sink they are handed over in pieces of about
// kPiece bytes, so that the whole file is never held at once; without one they gather in
// `bytes`.
class PdfOutput {
public:
    static constexpr size_t kPiece = size_t{256} << 10;

    PdfOutput(const ByteSink* sink, size_t expected) : sink_(sink) {
        bytes.reserve(sink ? kPiece + kPiece / 4 : expected);
    }

    std::string bytes;  // not handed over yet

    // Where the next byte lands in the file.
    size_t Offset() const { return handed_ + bytes.size(); }
    // Hands the bytes over once a piece is full (all of them when `last`); false when the
    // sink refused them.
    bool Flush(bool last) {
        if (!sink_ || (!last && bytes.size() < kPiece)) return true;
        handed_ += bytes.size();
        const bool taken = (*sink_)(bytes);
        bytes.clear();
        return taken;
    }

private:
    const ByteSink* sink_;
    size_t handed_ = 0;
};

int16_t WriteObjects(const PdfSource& source, Registry& registry, const CidFonts* cidFonts,
                     PdfOutput& output, std::string* failedFile) {
    const size_t count = registry.objects.size();
    Trace(source, std::to_string(count) + " objects");
    std::vector<size_t> offsets(count);
    PdfWriteState state;
    state.fonts = source.fonts;
    state.compress = source.compress;
    state.deflate = source.deflate;
    state.cidFonts = cidFonts;
    PageStreams streams(*source.pages, state, source.threads, source.finished);
    PageStreamCursor pageStreams(streams);
    output.bytes = "%PDF-1.4\n";
    for (size_t i = 0; i < count; ++i) {
        offsets[i] = output.Offset();
        AppendInt(output.bytes, static_cast<long long>(i + 1));
        if (int16_t status = AppendObject(output.bytes, registry.objects[i], source, state,
                                          pageStreams, failedFile);
            status != kPdfOk) {
            return status;
        }
        if (!output.Flush(false)) return kSaveWriteFailed;
    }
    AppendXrefAndTrailer(output.bytes, output.Offset(), offsets, source);
    return output.Flush(true) ? int16_t{kPdfOk} : int16_t{kSaveWriteFailed};
}

int16_t BuildPdf(const PdfSource& source, PdfOutput& output, std::string* failedFile) {
    vorPDFCatalog catalog;
    Registry registry;
    CidFonts cidFonts;
    if (source.utf8Text && !cidFonts.Prepare(*source.pages, *source.fonts)) {
        return kPdfNoUnicodeFont;
    }
    const CidFonts* unicodeFonts = source.utf8Text ? &cidFonts : nullptr;
    NumberObjects(source, catalog, unicodeFonts, registry);
    if (unicodeFonts) NumberFontParts(cidFonts, registry);
    Trace(source, "Build buffer");
    try {
        return WriteObjects(source, registry, unicodeFonts, output, failedFile);
    } catch (const std::bad_alloc&) {
        return kPdfOutOfMemory;
    }
}

}  // namespace

int16_t BuildPdfFile(const PdfSource& source, std::string& bytes, std::string* failedFile) {
    bytes.clear();
    PdfOutput output(nullptr, 4096 + static_cast<size_t>(source.pages->PagesCount()) * 2048);
    const int16_t status = BuildPdf(source, output, failedFile);
    if (status == kPdfOk) bytes.swap(output.bytes);
    return status;
}

int16_t WritePdfFile(const PdfSource& source, const ByteSink& sink, std::string* failedFile) {
    PdfOutput output(&sink, 0);
    return BuildPdf(source, output, failedFile);
}

}  // namespace scrivane

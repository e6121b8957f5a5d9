#include "pdf/PdfWriter.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <new>

#include "format/OutputFormats.h"
#include "model/vorPDFCatalog.h"
#include "pdf/PageStreams.h"
#include "pdf/PdfObjects.h"
#include "util/FileIO.h"
#include "util/Numbers.h"

namespace scrivane {

namespace {

// One registered object, in file order.
struct PdfObject {
    enum Kind { kInfos, kCatalog, kPages, kFont, kPage, kContent, kImage, kAnnotation,
                kMetadata, kOutlineRoot, kOutline, kSource } kind;
    void* item;
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
void NumberObjects(const PdfSource& source, vorPDFCatalog& catalog, vorContent& sourceStream,
                   Registry& registry) {
    vorPages& pages = *source.pages;
    registry.Add(PdfObject::kInfos, source.infos);
    registry.Add(PdfObject::kCatalog, &catalog);
    catalog.PagesObjectNumber = registry.Add(PdfObject::kPages, &pages);
    for (vorFont& font : *source.fonts) {
        std::string number;
        AppendInt(number, registry.Add(PdfObject::kFont, &font));
        font.ObjectNumber = number;
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
        for (const std::string& line : *source.sourceLines) {
            sourceStream.AddText(line, "", 0, 0, 0, "", 0, "");
        }
        int32_t number = registry.Add(PdfObject::kSource, &sourceStream);
        source.infos->FCObjectNumber = std::to_string(number);
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
            toFS(bytes, *static_cast<vorInfos*>(object.item), source.optimize);
            break;
        case PdfObject::kCatalog: toFS(bytes, *static_cast<vorPDFCatalog*>(object.item)); break;
        case PdfObject::kPages: toFS(bytes, *static_cast<vorPages*>(object.item)); break;
        case PdfObject::kFont: toFS(bytes, *static_cast<vorFont*>(object.item)); break;
        case PdfObject::kPage:
            toFS(bytes, *static_cast<vorPage*>(object.item), state);
            pageStreams.nextObject = 0;
            if (!pageStreams.streams.Take(pageStreams.nextPage++, pageStreams.objects, state)) {
                return kPdfOutOfMemory;
            }
            break;
        case PdfObject::kContent:
            // A page's blocks follow its page object, in the order the page lists them.
            bytes += pageStreams.objects[pageStreams.nextObject];
            std::string().swap(pageStreams.objects[pageStreams.nextObject++]);
            break;
        case PdfObject::kSource:
            if (!toFS(bytes, *static_cast<vorContent*>(object.item), state)) return kPdfOutOfMemory;
            break;
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
            toFS(bytes, *static_cast<vorPDFAnnotation*>(object.item));
            break;
        case PdfObject::kMetadata:
            bytes += static_cast<vorXMP*>(object.item)->toFS(kTargetPdf);
            break;
        case PdfObject::kOutlineRoot: toFS(bytes, *static_cast<vorOutlines*>(object.item)); break;
        case PdfObject::kOutline: toFS(bytes, *static_cast<vorOutline*>(object.item)); break;
    }
    return kPdfOk;
}

// The cross-reference table of the objects at these offsets, and the trailer.
void AppendXrefAndTrailer(std::string& bytes, const std::vector<size_t>& offsets,
                          const PdfSource& source) {
    Trace(source, "Build XRef");
    const size_t xref = bytes.size();
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

}  // namespace

int16_t BuildPdfFile(const PdfSource& source, std::string& bytes, std::string* failedFile) {
    bytes.clear();
    vorPDFCatalog catalog;
    Registry registry;
    vorContent sourceStream;
    NumberObjects(source, catalog, sourceStream, registry);

    Trace(source, "Build buffer");
    const size_t count = registry.objects.size();
    Trace(source, std::to_string(count) + " objects");
    std::vector<size_t> offsets(count);
    PdfWriteState state;
    state.fonts = source.fonts;
    state.compress = source.compress;
    state.deflate = source.deflate;
    try {
        PageStreams streams(*source.pages, state, source.threads);
        PageStreamCursor pageStreams(streams);
        bytes.reserve(4096 + static_cast<size_t>(source.pages->PagesCount()) * 2048);
        bytes = "%PDF-1.4\n";
        for (size_t i = 0; i < count; ++i) {
            offsets[i] = bytes.size();
            AppendInt(bytes, static_cast<long long>(i + 1));
            if (int16_t status = AppendObject(bytes, registry.objects[i], source, state,
                                              pageStreams, failedFile);
                status != kPdfOk) {
                bytes.clear();
                return status;
            }
        }
        AppendXrefAndTrailer(bytes, offsets, source);
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return kPdfOutOfMemory;
    }
    return kPdfOk;
}

}  // namespace scrivane

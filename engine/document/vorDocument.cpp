#include "document/vorDocument.h"

#include <algorithm>

#include "document/JpegProbe.h"
#include "import/ForeignPdf.h"
#include "import/PdfReader.h"
#include "import/SourceText.h"
#include "import/OwnFile.h"
#include "xml/XmlWriter.h"
#include "document/TextFlow.h"
#include "pdf/PdfWriter.h"
#include "util/AtomicFile.h"
#include "util/FileIO.h"
#include "util/Numbers.h"
#include "util/TextUtil.h"

namespace scrivane {

namespace {

// The format's name for the source record: the file name without its folder, less the
// length of the standard names' ending (".pdf.format.vantor.dorvex").
std::string FormatNameForRecord(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() > kRecordedFormatSuffixLength) {
        name.resize(name.size() - kRecordedFormatSuffixLength);
    }
    return name;
}

}  // namespace

vorDocument::vorDocument(EngineOptions options)
    : options_(std::move(options)), utf8Text_(options_.utf8Text) {
    Optimize = options_.optimize;
    Fonts.push_back({"Helvetica", "1", ""});
}

std::optional<int32_t> vorDocument::GetDocumentProperty(int16_t code) const {
    if (code == kPageCountProperty) return Pages.PagesCount();
    return std::nullopt;
}

int16_t vorDocument::AddBuffer(std::string_view buffer, const std::string& formatFile,
                               const std::string& customFormatFile, int32_t targetFormat) {
    vorFormat working;
    if (!formatFile.empty() && FileExists(formatFile)) working.ReadFormatFile(formatFile);
    if (!customFormatFile.empty() && FileExists(customFormatFile)) {
        working.ReadFormatFile(customFormatFile);
    }
    return AddBuffer(buffer, std::move(working), formatFile, targetFormat);
}

int16_t vorDocument::AddBuffer(std::string_view buffer, vorFormat working,
                               const std::string& formatFileName, int32_t targetFormat) {
    const FlowSettings settings = StartLayout(working, formatFileName, targetFormat);
    TextFlow flow(*this, working, settings);
    flow.Run(buffer);
    FinishLayout(working);
    return kOk;
}

int16_t vorDocument::AddBuffer(std::vector<std::string> pieces, vorFormat working,
                               const std::string& formatFileName, int32_t targetFormat) {
    const FlowSettings settings = StartLayout(working, formatFileName, targetFormat);
    TextFlow flow(*this, working, settings);
    flow.Run(pieces);
    FinishLayout(working);
    return kOk;
}

FlowSettings vorDocument::StartLayout(vorFormat& working, const std::string& formatFileName,
                                      int32_t targetFormat) {
    formatConditions_.clear();
    diagnostics_.clear();
    working.AppFolder = options_.appFolder;
    utf8Text_ = options_.utf8Text;
    if (utf8Text_) working.TextToUtf8();  // format files hold Windows-1252 values

    eInfos.emplace();  // the properties are UTF-8, as the information is
    eInfos->author = working.author;
    eInfos->subject = working.subject;
    eInfos->title = working.title;
    eInfos->keywords = working.keywords;

    if (!working.DefaultFont.empty()) {
        fontname = working.DefaultFont;
        SetDefaultFontName(working.DefaultFont);
    }
    if (working.DefaultFontSize >= 1 && working.DefaultFontSize <= 99) {
        fontsize = std::to_string(working.DefaultFontSize);
    }
    if (!formatFileName.empty()) {
        AddFormatCondition(0, "(cff='" + FormatNameForRecord(formatFileName) + "')");
    }

    StartBuildingAhead(working, targetFormat);
    FlowSettings settings;
    settings.target = targetFormat;
    settings.options = options_;
    settings.fontName = DefaultFontName();
    settings.fontSize = static_cast<int16_t>(IntOr(fontsize, 10));
    return settings;
}

void vorDocument::FinishLayout(const vorFormat& working) {
    StopBuildingAheadAtEnd();  // before any page is read or changed again
    // The page size in force at the end of the text applies to every page.
    auto height = ToInt16(working.DefaultPageHeight);
    auto width = ToInt16(working.DefaultPageWidth);
    for (auto& page : Pages.Kids) {
        if (height && *height > 0) page->PageHeight = *height;
        if (width && *width > 0) page->PageWidth = *width;
    }
    rightMargin_ = std::max<int16_t>(working.DefaultX, 0);
    FitImagesToPages();
    RecheckBuiltAhead();
}

void vorDocument::AddText(std::string_view text, int32_t page, int16_t size, double x, double y,
                          std::string_view font, std::string_view colour, double extraWidth,
                          std::string_view alignment, int32_t sourceLine) {
    const std::string defaultFont = font.empty() ? DefaultFontName() : std::string();
    if (font.empty()) font = defaultFont;
    if (!HasFont(font)) {
        fontIndex_.emplace(std::string(font), Fonts.size());
        Fonts.push_back({std::string(font), std::to_string(Fonts.size() + 1), ""});
    }
    vorContent& block = PageForLayout(page).AddText(text, font, size, x, y, colour,
                                                    extraWidth, alignment, false);
    block.Texts.back().sourceLine = sourceLine;
    if (y > largestY_) largestY_ = y;
}

int16_t vorDocument::ProbeImage(const std::string& path, JpegSize& size) {
    auto found = probed_.find(path);
    if (found == probed_.end()) {
        JpegSize probed;
        int16_t status = ProbeJpeg(path, probed);
        found = probed_.emplace(path, std::make_pair(status, probed)).first;
    }
    size = found->second.second;
    return found->second.first;
}

int16_t vorDocument::AddImage(const std::string& fileName, int32_t page, double x, double y,
                              double width, double height) {
    if (fileName.empty()) return kJpegOk;
    const std::string path = PathBeside(fileName, options_.textFolder);
    if (!FileExists(path)) return kJpegOk;
    JpegSize size;
    if (ProbeImage(path, size) != kJpegOk) return kJpegNotJpeg;
    auto pixelWidth = ToInt16(static_cast<double>(size.width));
    auto pixelHeight = ToInt16(static_cast<double>(size.height));
    if (!pixelWidth || !pixelHeight) return kJpegNotJpeg;  // larger than a page can hold

    vorImage image;
    image.ImageFileName = fileName;
    if (path != fileName) image.ImagePath = path;
    image.ColorComponents = static_cast<int16_t>(size.components);
    image.InvertedCmyk = size.components == 4 && size.adobeMarker;
    image.ImageWidth = image.OriginalImageWidth = *pixelWidth;
    image.ImageHeight = image.OriginalImageHeight = *pixelHeight;
    if (width > 0) image.ImageWidth = ToInt16(width).value_or(image.ImageWidth);
    if (height > 0) image.ImageHeight = ToInt16(height).value_or(image.ImageHeight);
    image.FitToPage = width <= 0 && height <= 0;
    image.x = x;
    image.y = y;
    PageForLayout(page).AddImage(std::move(image));
    return kJpegOk;
}

void vorDocument::FitImagesToPages() {
    for (auto& page : Pages.Kids) {
        for (vorContent& content : page->Contents) {
            for (vorImage& image : content.Images) {
                // Only a picture that runs off the page is narrowed; it then keeps a right
                // margin as wide as the left one.
                if (!image.FitToPage || image.x + image.ImageWidth <= page->PageWidth) continue;
                const double room = page->PageWidth - image.x - rightMargin_;
                if (image.ImageWidth <= room || room < 1) continue;
                const double scale = room / image.ImageWidth;
                image.ImageWidth = SaturateInt16(room);
                image.ImageHeight = std::max<int16_t>(1, SaturateInt16(image.ImageHeight * scale));
            }
        }
    }
}

void vorDocument::AddLine(double x, double y, double lx, double ly, double width,
                          int32_t page) {
    PageForLayout(page).AddLine({x, y, lx, ly, width});
}

void vorDocument::AddAnnotation(std::string subtype, std::string content, int16_t left,
                                int16_t top, int16_t width, int16_t height, int32_t page) {
    PageForLayout(page).AddAnnotation(std::move(content), std::move(subtype), left, top,
                                      width, height);
}

void vorDocument::AddOutline(vorOutline entry) {
    if (!outlines_) outlines_.emplace();
    InsertOutline(*outlines_, std::move(entry));
}

vorInfos& vorDocument::Infos() {
    if (!eInfos) eInfos.emplace();
    return *eInfos;
}

bool vorDocument::HasFont(std::string_view name) {
    // Runs mostly come in the font of the run before.
    if (lastFont_ < Fonts.size() && fontIndex_.size() == Fonts.size() &&
        Fonts[lastFont_].BaseFont == name) {
        return true;
    }
    const std::string font(name);
    // Fonts is a public list: rebuild the index when it was changed behind our back.
    auto found = fontIndex_.find(font);
    bool stale = fontIndex_.size() != Fonts.size() ||
                 (found != fontIndex_.end() && Fonts[found->second].BaseFont != font);
    if (stale) {
        fontIndex_.clear();
        for (size_t i = 0; i < Fonts.size(); ++i) fontIndex_.emplace(Fonts[i].BaseFont, i);
        found = fontIndex_.find(font);
    }
    if (found == fontIndex_.end()) return false;
    lastFont_ = found->second;
    return true;
}

std::string vorDocument::DefaultFontName() const {
    return Fonts.empty() ? std::string() : Fonts.front().BaseFont;
}

void vorDocument::SetDefaultFontName(const std::string& face) {
    if (Fonts.empty()) Fonts.push_back({"", "1", ""});
    Fonts.front().BaseFont = face;
    fontIndex_.clear();  // rebuilt on the next lookup
    // Pages built ahead named their fonts by the list as it was.
    fontIds_.reset();
    if (finished_ && handedOver_ > 0) StopBuildingAhead(true);
}

void vorDocument::AddFormatCondition(int32_t lineNumber, std::string_view text) {
    std::string entry;
    entry.reserve(12 + text.size());  // one allocation for the number, ':' and the text
    AppendInt(entry, lineNumber);
    entry.push_back(':');
    entry.append(text);
    formatConditions_.push_back(std::move(entry));
}

void vorDocument::StampPageFurniture() {
    if (furnitureStamped_) return;
    furnitureStamped_ = true;
    const int32_t count = Pages.PagesCount();
    const std::string pages = std::to_string(count);
    for (const PageHeader& header : headerTexts_) {
        std::string text = ReplaceAll(header.TextValue, "&pages", pages);
        for (int32_t n = 1; n <= count; ++n) {
            std::string stamped = ReplaceAll(text, "&p", std::to_string(n));
            stamped = ReplaceAll(stamped, "&&", "&");
            Pages[n].AddText(stamped, header.fontname, header.fontsize, header.x,
                             header.y, header.fontcolor, header.xdelta, "", true);
        }
    }
    for (const vorImage& image : headerImages_) {
        std::string name = ResolveAppPath(image.ImageFileName, options_.appFolder);
        for (int32_t n = 1; n <= count; ++n) AddImage(name, n, image.x, image.y, 0, 0);
    }
    FitImagesToPages();
}

int16_t vorDocument::Build(int32_t targetFormat, std::string& bytes) {
    switch (targetFormat) {
        case kTargetPdf:
            return BuildPdf(bytes);
        case kTargetXhtml:
        case kTargetXml:
        case kTargetSvg:
            StampPageFurniture();
            return BuildXmlFile(ToXmlSource(), targetFormat, bytes);
        default:
            return kSaveUnsupportedFormat;
    }
}

int16_t vorDocument::LoadFile(const std::string& rawPath) {
    converted_ = false;
    if (rawPath.empty()) return kLoadNoFileName;
    std::string path;
    for (char c : rawPath) {
        if (c != '\n' && c != '\r' && c != '\0') path.push_back(c);
    }
    if (!FileExists(path)) return kLoadFileMissing;
    const OutputFormat* kind = FormatOfFileName(path);
    if (!kind) return kLoadUnknownKind;
    std::string bytes;
    try {
        if (int16_t status = ReadOwnFileBytes(path, kind->code, bytes); status != kLoadOk) {
            ForgetBuiltAhead();
            Pages = vorPages();  // as after any file that could not be read
            eInfos.emplace();
            formatConditions_.clear();
            return status;
        }
    } catch (const std::bad_alloc&) {
        return kLoadOutOfMemory;
    }
    return LoadFromBytes(bytes, kind->code);
}

int16_t vorDocument::LoadFromBytes(std::string_view bytes, int32_t format) {
    converted_ = false;
    if (!FormatByCode(format)) return kLoadUnknownKind;
    PdfContents contents;
    int16_t status;
    try {
        status = ReadOwnFile(bytes, format, contents);
    } catch (const std::bad_alloc&) {
        return kLoadOutOfMemory;  // the file asks for more memory than there is: not read
    }
    ForgetBuiltAhead();
    Pages = std::move(contents.pages);
    eInfos = std::move(contents.infos);
    formatConditions_ = std::move(contents.sourceLines);
    utf8Text_ = contents.utf8Text;
    return status;
}

int16_t vorDocument::ImportFile(const std::string& path) {
    return Convert([&](vorPages& pages, vorInfos& infos) {
        return ConvertForeignPdf(path, pages, infos);
    });
}

int16_t vorDocument::ImportFromBytes(std::string_view bytes) {
    return Convert([&](vorPages& pages, vorInfos& infos) {
        int16_t status = CheckPdfBytes(bytes);
        return status == kPdfReadOk ? ConvertForeignPdfData(bytes, pages, infos) : status;
    });
}

int16_t vorDocument::Convert(
    const std::function<int16_t(vorPages&, vorInfos&)>& conversion) {
    vorPages pages;
    vorInfos infos;
    int16_t status;
    try {
        status = conversion(pages, infos);
    } catch (const std::bad_alloc&) {
        status = kLoadOutOfMemory;
    }
    ForgetBuiltAhead();
    Pages = std::move(pages);
    eInfos = std::move(infos);
    formatConditions_.clear();
    utf8Text_ = false;  // the conversion keeps Windows-1252
    converted_ = status == kPdfReadOk;
    return status;
}

int16_t vorDocument::GetText(std::string& text) const {
    if (converted_) return GetTextImport(text);
    text = RebuildSourceText(Pages, formatConditions_);
    return kOk;
}

int16_t vorDocument::GetTextImport(std::string& text) const {
    text = PositionedText(Pages, eInfos ? *eInfos : vorInfos{});
    return kOk;
}

XmlSource vorDocument::ToXmlSource() const {
    XmlSource source;
    source.pages = &Pages;
    source.infos = eInfos ? &*eInfos : nullptr;
    source.sourceLines = &formatConditions_;
    source.fontName = fontname;
    source.fontSize = fontsize;
    source.animateSvg = options_.animateSvg;
    source.utf8Text = utf8Text_;
    return source;
}

PdfSource vorDocument::PreparePdf() {
    StampPageFurniture();
    if (!eInfos) eInfos.emplace();
    if (UseXMP) {
        eXMP.emplace();
        eXMP->AddMetadata("title", eInfos->title);
        eXMP->title = eInfos->title;
    }
    PdfSource source;
    source.pages = &Pages;
    source.infos = &*eInfos;
    source.fonts = &Fonts;
    source.outlines = outlines_ ? &*outlines_ : nullptr;
    source.metadata = UseXMP ? &*eXMP : nullptr;
    source.sourceLines = &formatConditions_;
    source.optimize = Optimize;
    source.utf8Text = utf8Text_;
    source.trace = options_.trace;
    source.finished = finished_.get();
    return source;
}

int16_t vorDocument::BuildPdf(std::string& bytes) { return BuildPdfFile(PreparePdf(), bytes); }

int16_t vorDocument::Write(int32_t targetFormat, const ByteSink& sink) {
    if (targetFormat == kTargetPdf) return WritePdfFile(PreparePdf(), sink);
    std::string bytes;
    if (int16_t status = Build(targetFormat, bytes); status != kSaveOk) return status;
    return sink(bytes) ? kSaveOk : kSaveWriteFailed;
}

int16_t vorDocument::SaveAs(const std::string& fileName, int32_t targetFormat,
                            std::string* error) {
    if (options_.trace) options_.trace("\tsave file");
    AtomicFile file;
    int16_t status = file.Open(fileName) ? kSaveOk : kSaveWriteFailed;
    if (status == kSaveOk) {
        status = Write(targetFormat, [&file](std::string_view piece) { return file.Write(piece); });
    }
    if (status == kSaveOk && !file.Commit()) status = kSaveWriteFailed;
    if (status == kSaveWriteFailed && error) *error = file.Error();
    return status;  // an uncommitted file is removed with `file`
}

}  // namespace scrivane

#pragma once
// One document while it is built for export (AddBuffer, then SaveAs) or read back.
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/EngineOptions.h"
#include "document/FlowContext.h"
#include "document/JpegProbe.h"
#include "format/vorFormat.h"
#include "model/LayoutTarget.h"
#include "model/vorInfos.h"
#include "model/vorOutline.h"
#include "model/vorPages.h"
#include "model/vorFont.h"
#include "pdf/FinishedPageStreams.h"
#include "pdf/PdfWriter.h"
#include "pdf/vorXMP.h"
#include "xml/XmlWriter.h"
#include "util/Status.h"

namespace scrivane {

class vorDocument : public LayoutTarget {
public:
    explicit vorDocument(EngineOptions options = {});

    vorPages Pages;
    std::optional<vorInfos> eInfos;  // created by AddBuffer
    std::optional<vorXMP> eXMP;
    std::string fontname = "Arial";
    std::string fontsize = "10";
    std::vector<vorFont> Fonts;  // the first font is resource F1
    bool UseXMP = false;
    // Leaves the source lines out of a PDF; starts from the options, commands change it.
    bool Optimize = false;

    // The properties GetDocumentProperty knows.
    static constexpr int16_t kPageCountProperty = 1;
    // kPageCountProperty: the page count. Any other code: no value.
    std::optional<int32_t> GetDocumentProperty(int16_t code) const;

    // Lays the whole text out into Pages. The format file and then the custom (line
    // options) file are read into one working format when they exist. Always 0.
    int16_t AddBuffer(std::string_view buffer, const std::string& formatFile,
                      const std::string& customFormatFile, int32_t targetFormat);
    // The same with a working format already in hand; formatFileName only names the
    // format in the source record ("" for none).
    int16_t AddBuffer(std::string_view buffer, vorFormat working,
                      const std::string& formatFileName, int32_t targetFormat);
    // The same for a text in pieces (EngineText::pieces), each let go once laid out, so
    // that the text and its runs are not all held at once.
    int16_t AddBuffer(std::vector<std::string> pieces, vorFormat working,
                      const std::string& formatFileName, int32_t targetFormat);

    // Reads a file this program wrote (.pdf, .xml, .htm/.html/.xhtml, .svg) into the page
    // model and the list of source lines. A LoadStatus (util/Status.h): kLoadOk, or
    // kLoadNoFileName, kLoadFileMissing, kLoadUnknownKind, an XML reader's status, the PDF
    // reader's status less 1000.
    int16_t LoadFile(const std::string& path);
    // The same for a file's bytes; format is a TargetFormat (FormatOfFileName or
    // FormatOfContent tell it).
    int16_t LoadFromBytes(std::string_view bytes, int32_t format);
    // The experimental conversion of a PDF another program wrote; PdfReader.h's codes.
    int16_t ImportFile(const std::string& path);
    // The same for a file's bytes (standard input).
    int16_t ImportFromBytes(std::string_view bytes);
    // The editable text of a loaded document (GetTextImport after ImportFile).
    int16_t GetText(std::string& text) const;
    int16_t GetTextImport(std::string& text) const;

    // Writes the document; 0 on success. A failed write leaves an existing file as it was
    // and *error (when given) says why. A PDF goes to the file as it is built.
    int16_t SaveAs(const std::string& fileName, int32_t targetFormat,
                   std::string* error = nullptr);
    // The bytes SaveAs would write, handed to sink in pieces as they are made (a PDF is
    // never held whole); kSaveWriteFailed when the sink refuses a piece.
    int16_t Write(int32_t targetFormat, const ByteSink& sink);
    // The bytes SaveAs would write (for tests and pipes).
    int16_t Build(int32_t targetFormat, std::string& bytes);
    int16_t BuildPdf(std::string& bytes);
    // What the XHTML, XML and SVG writers read from the document.
    XmlSource ToXmlSource() const;

    // What the layout writes into (model/LayoutTarget.h).
    void AddText(std::string_view text, int32_t page, int16_t size, double x, double y,
                 std::string_view font, std::string_view colour, double extraWidth,
                 std::string_view alignment, int32_t sourceLine = 0) override;
    int16_t AddImage(const std::string& fileName, int32_t page, double x, double y,
                     double width, double height) override;
    void AddLine(double x, double y, double lx, double ly, double width,
                 int32_t page) override;
    void AddAnnotation(std::string subtype, std::string content, int16_t left, int16_t top,
                       int16_t width, int16_t height, int32_t page) override;
    void AddHeaderText(PageHeader header) override { headerTexts_.push_back(std::move(header)); }
    void AddHeaderImage(vorImage image) override { headerImages_.push_back(std::move(image)); }
    void AddOutline(vorOutline entry) override;
    void AddFormatCondition(int32_t lineNumber, std::string_view text) override;
    vorInfos& Infos() override;
    void UseXmp() override { UseXMP = true; }
    void SetOptimize(bool optimize) override { Optimize = optimize; }
    void Report(Diagnostic diagnostic) override { diagnostics_.push_back(std::move(diagnostic)); }

    // What the last AddBuffer found to tell about the text's lines, in line order:
    // refused commands, images it could not place.
    const Diagnostics& GetDiagnostics() const { return diagnostics_; }

    std::string DefaultFontName() const;
    void SetDefaultFontName(const std::string& face);

    // What the readers need to rebuild the source text: "N:" + line for every command
    // line, hidden line, stripped marker, header line, image tag and inserted break.
    const std::vector<std::string>& FormatConditions() const { return formatConditions_; }

    const std::vector<PageHeader>& HeaderTexts() const { return headerTexts_; }
    const std::vector<vorImage>& HeaderImages() const { return headerImages_; }

    const std::optional<vorOutlines>& Outlines() const { return outlines_; }
    std::optional<vorOutlines>& Outlines() { return outlines_; }

    double LargestY() const { return largestY_; }
    const EngineOptions& options() const { return options_; }
    // The document's text is UTF-8 with characters beyond Windows-1252: laid out from such
    // a text (EngineOptions::utf8Text) or read back from a file written from one.
    bool TextIsUtf8() const { return utf8Text_; }
    // The last AddBuffer let the runs of finished pages go (EngineOptions::kLetRunsGo),
    // and a page changed after that (a page size set late in the text, a header image):
    // the document cannot be written; lay the text out again with the runs kept.
    bool LayoutMustBeRedone() const;
    // Says how the next AddBuffer's text is encoded.
    void SetTextIsUtf8(bool utf8) { utf8Text_ = options_.utf8Text = utf8; }

private:
    // What AddBuffer does before and after the line loop.
    FlowSettings StartLayout(vorFormat& working, const std::string& formatFileName,
                             int32_t targetFormat);
    void FinishLayout(const vorFormat& working);
    // Stamps the page furniture and gathers what the PDF writer reads.
    PdfSource PreparePdf();
    // Runs a conversion of another program's PDF into fresh pages and takes them.
    int16_t Convert(const std::function<int16_t(vorPages&, vorInfos&)>& conversion);
    bool HasFont(std::string_view font);
    // The JPEG's header, read once per file.
    int16_t ProbeImage(const std::string& path, JpegSize& size);
    // Narrows the pictures placed without a size that are wider than their page.
    void FitImagesToPages();
    // Repeats the page headers on every page, with "&pages", "&p" and "&&" filled in.
    void StampPageFurniture();
    // The page the layout writes into next; the pages before it are finished and are
    // handed over to be built ahead.
    vorPage& PageForLayout(int32_t page);
    void HandOverPagesBefore(int32_t page);
    // Starts building the finished pages of a PDF ahead on other threads when the
    // options and the machine allow.
    void StartBuildingAhead(const vorFormat& working, int32_t targetFormat);
    // At the end of the layout: waits for the pages under way, and drops them all when
    // header pictures will be drawn into them.
    void StopBuildingAheadAtEnd();
    // Once the pages have their final size: drops those built with another height.
    void RecheckBuiltAhead();
    // Stops building pages ahead, waiting for those under way; forgetAll: drops them.
    void StopBuildingAhead(bool forgetAll);
    // Before the pages are replaced: what was built for the old ones is dropped.
    void ForgetBuiltAhead();
    // The height FinishLayout will give the page, as its stream turns y values with it.
    int32_t HeightAtEnd(const vorPage& page) const;
    std::shared_ptr<const FinishedPageStreams::FontIds> FontIdsNow();

    EngineOptions options_;
    double largestY_ = 0;
    std::vector<std::string> formatConditions_;
    Diagnostics diagnostics_;
    std::unordered_map<std::string, std::pair<int16_t, JpegSize>> probed_;
    int16_t rightMargin_ = 0;
    std::vector<PageHeader> headerTexts_;
    std::vector<vorImage> headerImages_;
    std::optional<vorOutlines> outlines_;
    bool furnitureStamped_ = false;
    // Position of each font name in Fonts, so that a run's font is found at once.
    std::unordered_map<std::string, size_t> fontIndex_;
    size_t lastFont_ = SIZE_MAX;  // the font HasFont found last
    bool converted_ = false;  // the pages come from ImportFile
    bool utf8Text_ = false;
    // Page streams built during the layout (EngineOptions::streamsDuringLayout).
    std::unique_ptr<FinishedPageStreams> finished_;
    bool handingOver_ = false;  // pages are still handed to finished_
    size_t handedOver_ = 0;     // pages before this one were looked at
    const vorFormat* layoutFormat_ = nullptr;  // the working format while laying out
    std::shared_ptr<const FinishedPageStreams::FontIds> fontIds_;
    size_t fontIdsOf_ = 0;      // Fonts.size() when fontIds_ was made
};

}  // namespace scrivane

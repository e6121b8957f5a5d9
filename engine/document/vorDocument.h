#pragma once
// One document while it is built for export (AddBuffer, then SaveAs) or read back.
#include <cstdint>
#include <map>
#include <unordered_map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/EngineOptions.h"
#include "document/vorFormatSet.h"
#include "format/vorFormat.h"
#include "model/vorInfos.h"
#include "model/vorOutline.h"
#include "model/vorPages.h"
#include "model/vorFont.h"
#include "pdf/vorXMP.h"

namespace scrivane {

// Statuses of SaveAs besides those of the writers.
enum SaveStatus : int16_t {
    kSaveWriteFailed = -40,        // the file could not be written; an old one is intact
    kSaveUnsupportedFormat = -90,  // this version cannot write that format yet
};

class vorDocument {
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

    // Code 1: the page count. Any other code: no value.
    std::optional<int32_t> GetDocumentProperty(int16_t code) const;

    // Lays the whole text out into Pages. The format file and then the custom (line
    // options) file are read into one working format when they exist. Always 0.
    int16_t AddBuffer(std::string_view buffer, const std::string& formatFile,
                      const std::string& customFormatFile, int32_t targetFormat);
    // The same with a working format already in hand; formatFileName only names the
    // format in the source record ("" for none).
    int16_t AddBuffer(std::string_view buffer, vorFormat working,
                      const std::string& formatFileName, int32_t targetFormat);

    // Reads a file this program wrote (.pdf, .xml, .htm/.html/.xhtml, .svg) into the page
    // model and the list of source lines. 0, or: -5 empty name, -10 no such file, -20 a
    // kind it does not read, -21 to -24 an XML file it cannot read (XmlReader.h), the PDF
    // reader's code less 1000 (PdfReader.h).
    int16_t LoadFile(const std::string& path);
    // The experimental conversion of a PDF another program wrote; PdfReader.h's codes.
    int16_t ImportFile(const std::string& path);
    // The editable text of a loaded document (GetTextImport after ImportFile).
    int16_t GetText(std::string& text) const;
    int16_t GetTextImport(std::string& text) const;

    // Writes the document; 0 on success. A failed write leaves an existing file as it was.
    int16_t SaveAs(const std::string& fileName, int32_t targetFormat);
    // The bytes SaveAs would write (for tests and pipes).
    int16_t Build(int32_t targetFormat, std::string& bytes);
    int16_t BuildPdf(std::string& bytes);

    // Adders used by the layout; page numbers are 1-based.
    void AddText(std::string text, int32_t page, int16_t size, double x, double y,
                 std::string font, std::string colour, double extraWidth,
                 std::string_view alignment);
    // 0 placed (or nothing to place: empty name, missing file), -20 not a JPEG.
    int16_t AddImage(const std::string& fileName, int32_t page, double x, double y,
                     double width, double height);
    void AddLine(double x, double y, double lx, double ly, double width, int32_t page);
    void AddAnnotation(std::string subtype, std::string content, int16_t left, int16_t top,
                       int16_t width, int16_t height, int32_t page);

    void SaveFormatSet(const std::string& name, const vorFormatSet& set);
    int16_t LoadFormatSet(const std::string& name, vorFormatSet& set) const;
    void SaveY(const std::string& name, const std::string& y);
    int16_t LoadY(const std::string& name, std::string& y) const;

    std::string DefaultFontName() const;
    void SetDefaultFontName(const std::string& face);

    // What the readers need to rebuild the source text: "N:" + line for every command
    // line, hidden line, stripped marker, header line, image tag and inserted break.
    const std::vector<std::string>& FormatConditions() const { return formatConditions_; }
    void AddFormatCondition(int32_t lineNumber, std::string_view text);

    const std::vector<vorText>& HeaderTexts() const { return headerTexts_; }
    const std::vector<vorImage>& HeaderImages() const { return headerImages_; }
    void AddHeaderText(vorText text) { headerTexts_.push_back(std::move(text)); }
    void AddHeaderImage(vorImage image) { headerImages_.push_back(std::move(image)); }

    const std::optional<vorOutlines>& Outlines() const { return outlines_; }
    std::optional<vorOutlines>& Outlines() { return outlines_; }

    double LargestY() const { return largestY_; }
    const EngineOptions& options() const { return options_; }

private:
    bool HasFont(const std::string& font);
    // Repeats the page headers on every page, with "&pages", "&p" and "&&" filled in.
    void StampPageFurniture();

    EngineOptions options_;
    std::map<std::string, vorFormatSet> formatSets_;
    std::map<std::string, std::string> positions_;
    double largestY_ = 0;
    std::vector<std::string> formatConditions_;
    std::vector<vorText> headerTexts_;
    std::vector<vorImage> headerImages_;
    std::optional<vorOutlines> outlines_;
    bool furnitureStamped_ = false;
    // Position of each font name in Fonts, so that a run's font is found at once.
    std::unordered_map<std::string, size_t> fontIndex_;
    bool converted_ = false;  // the pages come from ImportFile
};

}  // namespace scrivane

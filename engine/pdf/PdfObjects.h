#pragma once
// The text of each PDF object after its number (" 0 obj" LF ... "endobj" LF), appended
// to the file buffer. One function per kind of object.
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <string_view>
#include <vector>

#include "model/vorContent.h"
#include "model/vorFont.h"
#include "model/vorInfos.h"
#include "model/vorOutline.h"
#include "model/vorPDFAnnotation.h"
#include "model/vorPDFCatalog.h"
#include "model/vorPage.h"
#include "model/vorPages.h"

namespace scrivane {

class CidFonts;

// What the object texts share while one file is written.
struct PdfWriteState {
    const std::vector<vorFont>* fonts = nullptr;
    // Height of the page written last; content streams turn y into PDF y with it.
    int32_t currentPageHeight = kDefaultPageHeight;
    // Deflate content streams (off only for inspection).
    bool compress = true;
    // What deflates them: null = Compress. Called from several threads at once.
    std::function<int(std::string&)> deflate;
    // Word and character spacing a justified run left set on the current page: they
    // last beyond BT/ET, so the next run that wants none resets them.
    bool wordSpacingSet = false;
    bool charSpacingSet = false;
    // FontID of each face, the first font of a name winning; built on first use.
    std::unordered_map<std::string, std::string> fontIds;
    // The Type 0 fonts of a document whose text is UTF-8 (beyond Windows-1252); null:
    // the text is Windows-1252, shown in the standard fonts.
    const CidFonts* cidFonts = nullptr;
};

// The Info entry that marks a file whose text (runs, source lines) is UTF-8.
inline constexpr std::string_view kUtf8TextMark = "/TextEncoding(UTF-8)";

// utf8: the document's text is UTF-8; its strings are written as UTF-16 text strings.
// The information's own values (UTF-8) are text strings also in a Windows-1252 document
// when Windows-1252 cannot hold them.
void toFS(std::string& out, const vorInfos& infos, bool optimize, bool utf8 = false);
void toFS(std::string& out, const vorPDFCatalog& catalog);
void toFS(std::string& out, const vorPages& pages);
void toFS(std::string& out, const vorFont& font);
// Makes the page's height the current one for its content streams, and starts the
// page with no word or character spacing set.
void StartPage(const vorPage& page, PdfWriteState& state);
// Also starts the page (StartPage).
void toFS(std::string& out, const vorPage& page, PdfWriteState& state);
// False when the stream could not be deflated (out of memory); out is then unchanged.
bool toFS(std::string& out, const vorContent& content, PdfWriteState& state);
// The stream of the source record: one run a line, written as a block of runs without
// font, size, colour or position would be. False as above.
bool AppendSourceStream(std::string& out, const std::vector<std::string>& lines,
                        PdfWriteState& state);
// The image's bytes must be in ImageStream.
void toFS(std::string& out, const vorImage& image);
void toFS(std::string& out, const vorPDFAnnotation& annotation, bool utf8 = false);
void toFS(std::string& out, const vorOutlines& root);
void toFS(std::string& out, const vorOutline& entry, bool utf8 = false);

// The uncompressed operators of a content block: images, rules, then text runs.
std::string ContentStreamText(const vorContent& content, PdfWriteState& state);

}  // namespace scrivane

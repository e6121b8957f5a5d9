#pragma once
// The commands between the editor and the engine: export the editor text as PDF, XHTML,
// XML or SVG, read a published file back into text for the editor, print the plain text.
#include <QString>
#include <functional>
#include <vector>

#include "shell/FormatFilePlaces.h"
#include "util/Diagnostic.h"

class QPlainTextEdit;

namespace scrivane::app {

struct AppContext;

// What an import copies for the export options of the next export.
struct DocumentProperties {
    bool UseDocumentProperties = false;
    QString sAuthor, sTitle, sSubject, sKeywords, sCFF;
};

// What reading a published file back gave: its source text, or why there is none.
struct ImportResult {
    enum class Outcome {
        Read,       // text holds the source text
        Cancelled,  // no file was chosen, or the conversion offered was declined
        Failed,     // the reader could not rebuild the text (readerStatus says why)
    };
    Outcome outcome = Outcome::Cancelled;
    int readerStatus = 0;  // the engine reader's status: 0 when read
    QString text;
    // The text was converted from another program's PDF: it is not what the file was
    // made from, so the file's name must not become the document's.
    bool converted = false;

    bool read() const { return outcome == Outcome::Read; }
};

// One printed line: position in twips from the page's top-left corner.
struct PrintedLine {
    int x = 0;
    int y = 0;
    QString text;
};

// What saveExport returns. The numbers are the editor's own: keep them.
enum ExportOutcome : int {
    kExportDone = 0,
    kExportNoFileChosen = 2,
    kExportNotOverwritten = 3,
    kExportOptionsCancelled = -1,
    kExportUnknownFormat = 23,
};

// Export format names ("PDF", "XHTML", "XML", "SVG", any case) and their codes; 0 for
// other names.
int FormatCode(const QString& formatName);
// The export format a file name asks for by its extension (.pdf, .htm/.html/.xhtml,
// .xml, .svg, any case), or empty.
QString ExportFormatOf(const QString& path);
// A path without the line feeds, carriage returns and NULs a pasted name may carry.
QString WithoutLineBreaks(QString path);

// The format files an export of a format code reads: the format's default format file
// and, when its line options are on (never for XML), the chosen line options file (empty
// otherwise), as the settings choose them.
ExportFormatFiles FormatFilesFor(const AppContext& context, int code);
// Whether image tags become images in an export of the format code, or print as text.
bool ImageTagsPlaced(const AppContext& context, int code);

class ExportCommands {
public:
    ExportCommands(AppContext& context, const QPlainTextEdit* editor);

    // Where the open document's file is (empty while untitled): relative picture names
    // in its text are found beside it.
    void setDocumentFile(std::function<QString()> documentFile) {
        documentFile_ = std::move(documentFile);
    }
    QString documentFile() const { return documentFile_ ? documentFile_() : QString(); }

    // An ExportOutcome; kExportDone also after a reported export error. What the engine
    // reports about the text's lines is shown as one warning after a written export.
    int saveExport(const QString& formatName, QString path);
    // The last export's reports, by line (empty when it stopped before the engine ran).
    const Diagnostics& lastProblems() const { return problems_; }
    // Read a PDF, or an XHTML ("HTM" or "XHTML"), XML or SVG file that this program wrote,
    // and give back the text it was made from; the caller puts it into the editor. An
    // empty path asks for the file. For another program's PDF the experimental
    // conversion is offered; a PDF that cannot be read is reported here; a PDF read also
    // keeps its document properties for the next export.
    ImportResult LoadPDFFile(QString path);
    ImportResult LoadImport(const QString& formatName, QString path);
    void Print();

    // The export options of a format (before its exports, and the Format menu's
    // command); false when the user cancelled them.
    bool ShowExportOptions(int code);

    DocumentProperties& properties() { return properties_; }
    void ClearDocumentState() { properties_ = {}; }
    // Whether the last export or import ran (for the status line and tests): the engine's
    // status, or kEngineNotRun when an export stopped before the engine wrote anything.
    int lastEngineStatus() const { return lastEngineStatus_; }
    static constexpr int kEngineNotRun = -1;

    // The lines of the text as printed: 110 characters at most, continuations indented.
    static std::vector<PrintedLine> PrintLayout(const QString& text);

private:
    // Shows why a PDF could not be read.
    void ReportPdfFailure(int readerStatus);

    AppContext& context_;
    const QPlainTextEdit* editor_;  // read for exports and printing; never filled here
    DocumentProperties properties_;
    int lastEngineStatus_ = 0;
    std::function<QString()> documentFile_;
    Diagnostics problems_;
};

}  // namespace scrivane::app

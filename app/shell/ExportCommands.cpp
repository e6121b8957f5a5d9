#include "shell/ExportCommands.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>

#include "dialogs/frmFormat.h"
#include "document/vorDocument.h"
#include "format/OutputFormats.h"
#include "shell/AppContext.h"
#include "shell/FormatFilePlaces.h"
#include "shell/DesktopOpen.h"
#include "shell/ExportJob.h"
#include "shell/ExportReport.h"
#include "shell/TextFileCodec.h"
#include "util/Status.h"

namespace scrivane::app {

namespace {

const OutputFormat* FormatNamed(const QString& name) {
    return FormatByName(name.toStdString());
}

// The file dialog's filter of a format read back: "HTM Files (*.htm)".
QString ImportFilter(const OutputFormat& format) {
    const QString extension = QString(format.extension).mid(1);
    return QStringLiteral("%1 Files (*.%2)").arg(extension.toUpper(), extension);
}

// A PDF's read or conversion status less this is the error number the editor shows.
constexpr int kShownPdfStatusOffset = 100;

// The text rebuilt from a document read back (or converted from another program's PDF).
QString SourceText(const vorDocument& document) {
    std::string text;
    document.GetText(text);
    return FromEngineText(text, document.TextIsUtf8());
}

// A wait cursor while the engine works.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

int FormatCode(const QString& formatName) {
    const OutputFormat* format = FormatNamed(formatName);
    return format ? format->code : 0;
}

QString ExportFormatOf(const QString& path) {
    const OutputFormat* format = FormatOfFileName(path.toStdString());
    return format ? QString(format->name) : QString();
}

QString WithoutLineBreaks(QString path) {
    path.remove(QChar('\n'));
    path.remove(QChar('\r'));
    path.remove(QChar('\0'));
    return path;
}

ExportFormatFiles FormatFilesFor(const AppContext& context, int code) {
    const AppSettings& settings = context.settings;
    return FormatFilePlaces(context.paths)
        .ForExport(code, settings.useLineOptions(code).isOn(), settings.lineOptionsSet(code));
}

bool ImageTagsPlaced(const AppContext& context, int code) {
    // Only PDF places them, and only while the PDF format's line options are on.
    return code == kTargetPdf && context.settings.useLineOptions(kTargetPdf).isOn();
}

ExportCommands::ExportCommands(AppContext& context, const QPlainTextEdit* editor)
    : context_(context), editor_(editor) {}

int ExportCommands::saveExport(const QString& formatName, QString path) {
    const OutputFormat* row = FormatNamed(formatName);
    if (!row) return kExportUnknownFormat;
    clsCaption& c = context_.captions;
    lastEngineStatus_ = kEngineNotRun;
    problems_.clear();

    if (path.isEmpty()) {
        QStringList filters{QString("%1 (*%2)").arg(row->description, row->extension),
                            "All Files (*.*)"};
        int index = 1;
        path = context_.prompts.SaveFileName(c.m("Export"), filters, index).trimmed();
        if (path.isEmpty()) return kExportNoFileChosen;
        if (path.right(4).toUpper() != QString(row->extension).toUpper()) path += row->extension;
        if (QFileInfo::exists(path)) {
            QString question = c.e("File %filename% already exists. Do you want to overwrite it ?");
            if (!context_.prompts.AskYesNo(c.m("Export"), question.replace("%filename%", path))) {
                return kExportNotOverwritten;
            }
        }
    }
    const AppSettings& settings = context_.settings;
    if (settings.showExportOptions(row->code).isOn() && !ShowExportOptions(row->code)) {
        return kExportOptionsCancelled;
    }

    ExportJob job = TakeExportJob(context_, row->code, editor_->document()->toRawText(), documentFile());
    job.options.trace = [this](const std::string& message) {
        context_.DebugTrace(QString::fromStdString(message));
    };

    size_t replaced = 0;
    int status;
    QString reason;  // why the file could not be written
    {
        WaitCursor wait;
        LaidOutText laidOut = LayOut(job);
        replaced = laidOut.replaced;
        problems_ = std::move(laidOut.problems);
        // Written as it is built; a failed write gives its reason (a full disk, a denied
        // permission), which the status alone does not.
        std::string error;
        status = laidOut.document->SaveAs(EnginePath(WithoutLineBreaks(path)), row->code, &error);
        reason = QString::fromStdString(error);
    }
    lastEngineStatus_ = status;
    if (status == kSaveWriteFailed) {
        QString message = c.e("Cannot open file %filename% - Please check if this file is in use");
        message.replace("%filename%", path);
        if (!reason.isEmpty()) message += "\n\n" + reason;
        context_.prompts.Inform(c.m("error"), message);
    } else if (status != kSaveOk) {
        context_.prompts.Inform(c.m("Error"), c.e("Error") + " " + QString::number(status));
    } else {
        const QString warning = ExportWarningText(problems_, replaced, c);
        if (!warning.isEmpty()) context_.prompts.Warn(c.m("Export"), warning);
        if (settings.openAfterExport(row->code).isOn()) OpenWithDesktop(context_, path);
    }
    return kExportDone;
}

bool ExportCommands::ShowExportOptions(int code) {
    frmFormat dialog(context_, code, properties_, editor_ ? editor_->window() : nullptr);
    context_.prompts.ShowModal(dialog);
    return dialog.confirmed();
}

ImportResult ExportCommands::LoadPDFFile(QString path) {
    clsCaption& c = context_.captions;
    if (path.isEmpty()) {
        int index = 1;
        path = context_.prompts.OpenFileName(c.m("Import"), {ImportFilter(*FormatByCode(kTargetPdf))},
                                             index);
        if (path.isEmpty()) return {};
    }
    WaitCursor wait;
    vorDocument document;
    int status = document.LoadFile(path.toStdString());
    // Another program's PDF: its text can only be converted, and only if the user wants
    // that; declined, nothing is read (and the question said why).
    const bool converting = status == LoadStatusOfPdf(kPdfProducerRefused);
    if (converting) {
        QString question =
            c.e("PDF import works only for pdf files generated with vantor jotter 1.4.0 or higher") +
            "\r\n" +
            c.e("Do you want to try to convert this PDF file for modifying it with Vantor Jotter ?") +
            "\r\n\r\n" + c.e("WARNING: this is an experimental function");
        if (!context_.prompts.AskYesNo(c.m("Error"), question)) {
            lastEngineStatus_ = status;
            return {ImportResult::Outcome::Cancelled, status, QString()};
        }
        status = document.ImportFile(path.toStdString());
    }
    lastEngineStatus_ = status;
    if (status != kLoadOk) {
        ReportPdfFailure(status);
        return {ImportResult::Outcome::Failed, status, QString()};
    }
    const vorInfos& infos = *document.eInfos;
    properties_.sAuthor = QString::fromStdString(infos.author);
    properties_.sTitle = QString::fromStdString(infos.title);
    properties_.sSubject = QString::fromStdString(infos.subject);
    properties_.sKeywords = QString::fromStdString(infos.keywords);
    properties_.sCFF = QString::fromStdString(infos.cff);
    properties_.UseDocumentProperties = true;
    return {ImportResult::Outcome::Read, kLoadOk, SourceText(document), converting};
}

void ExportCommands::ReportPdfFailure(int readerStatus) {
    clsCaption& c = context_.captions;
    // The number shown is the one this program has always shown: the status less 100.
    const QString number = QString::number(readerStatus - kShownPdfStatusOffset);
    QString message;
    if (readerStatus == LoadStatusOfPdf(kPdfNoEof)) {
        message = c.e("PDF EOF error") + " " + number;
    } else if (readerStatus == LoadStatusOfPdf(kPdfNoHeader)) {
        message = c.e("PDF Header error") + " " + number;
    } else if (readerStatus == LoadStatusOfPdf(kPdfProducerRefused)) {
        message = c.e("PDF import works only for pdf files generated with vantor jotter 1.4.0 or higher");
    } else {
        message = c.e("Error") + " " + number;
    }
    context_.prompts.Inform(c.m("Error"), message);
}

ImportResult ExportCommands::LoadImport(const QString& formatName, QString path) {
    if (path.isEmpty()) {
        const OutputFormat* format = FormatNamed(formatName);
        const QString lower = formatName.toLower();
        const QString filter = format ? ImportFilter(*format)
                                      : QStringLiteral("%1 Files (*.%2)").arg(lower.toUpper(), lower);
        int index = 1;
        path = context_.prompts.OpenFileName(context_.captions.m("Import"), {filter}, index);
        if (path.isEmpty()) return {};
    }
    WaitCursor wait;
    vorDocument document;
    const int status = document.LoadFile(path.toStdString());
    lastEngineStatus_ = status;
    if (status != kLoadOk) return {ImportResult::Outcome::Failed, status, QString()};
    return {ImportResult::Outcome::Read, kLoadOk, SourceText(document)};
}

std::vector<PrintedLine> ExportCommands::PrintLayout(const QString& text) {
    std::vector<PrintedLine> printed;
    int y = 500;
    for (QString line : text.split('\n')) {
        y += 15;
        int x = 100;
        while (line.size() >= 111) {
            printed.push_back({x, y, line.left(110)});
            line.remove(0, 110);
            x = 500;
            y += 15;
        }
        printed.push_back({x, y, line});
    }
    return printed;
}

void ExportCommands::Print() {
    QPrinter printer;
    if (!context_.prompts.ChoosePrinter(printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) return;
    QFont font("Arial", 10);
    painter.setFont(font);
    // Each printed line moves down by the font's height plus 15 twips, as the text's
    // layout says; a full page goes on to the next one.
    const double dotsPerTwip = printer.resolution() / 1440.0;
    const double advance = painter.fontMetrics().lineSpacing() + 15 * dotsPerTwip;
    const double top = 500 * dotsPerTwip;
    const int pageBottom = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    double y = top;
    for (const PrintedLine& line : PrintLayout(EditorText(editor_))) {
        y += advance;
        if (y > pageBottom) {
            printer.newPage();
            y = top + advance;
        }
        painter.drawText(QPointF(line.x * dotsPerTwip, y), line.text);
    }
    painter.end();
}

}  // namespace scrivane::app

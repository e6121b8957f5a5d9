#include "shell/DocumentManager.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "format/OutputFormats.h"
#include "shell/AppContext.h"
#include "shell/ExportCommands.h"
#include "shell/FileInfoStore.h"
#include "shell/SafeWrite.h"
#include "util/ProgramInfo.h"
#include "util/Status.h"

namespace scrivane::app {

namespace {

constexpr int kPathLimit = 40;

// The file dialogs' filters: text files first, then the formats in code order, then all.
constexpr int kTextFilter = 1;
constexpr int kFirstFormatFilter = 2;
int FilterCount() { return kFirstFormatFilter + static_cast<int>(OutputFormats().size()); }

// The format of a 1-based filter of FileFilters(); null for text files and all files.
const OutputFormat* FormatOfFilter(int index) {
    const int row = index - kFirstFormatFilter;
    if (row < 0 || row >= static_cast<int>(OutputFormats().size())) return nullptr;
    return &OutputFormats()[static_cast<size_t>(row)];
}

// A filter index out of range (or unset) is the text files'.
int ValidFilter(int index) { return index < 1 || index > FilterCount() ? kTextFilter : index; }

QString WithProgramName(const QString& title) {
    return title + QStringLiteral(" - ") + QString::fromUtf8(kProgramName);
}

}  // namespace

DocumentManager::DocumentManager(AppContext& context, QPlainTextEdit* editor,
                                 ExportCommands& exports, QObject* parent)
    : QObject(parent), context_(context), editor_(editor), exports_(exports) {
    exports_.setDocumentFile([this] { return fileName_; });
}

bool DocumentManager::isDirty() const { return editor_->document()->isModified(); }

void DocumentManager::setClean() { editor_->document()->setModified(false); }

QStringList DocumentManager::FileFilters() {
    QStringList filters{QStringLiteral("Text Files (*.txt)")};
    for (const OutputFormat& format : OutputFormats()) {
        filters << QStringLiteral("%1 Files (*%2)").arg(format.name, format.extension);
    }
    filters << QStringLiteral("All Files (*.*)");
    return filters;
}

OpenOutcome DocumentManager::OpenFile(QString path) {
    if (path.isEmpty()) {
        int index = ValidFilter(context_.settings.openFilterIndex());
        path = context_.prompts.OpenFileName(context_.captions.m("Open"), FileFilters(), index)
                   .trimmed();
        if (path.isEmpty()) return OpenOutcome::NotOpened;
        context_.settings.setOpenFilterIndex(index);
    }
    if (!QFileInfo(path).isFile()) return OpenOutcome::NotOpened;
    path = QFileInfo(WithoutLineBreaks(path)).absoluteFilePath();  // recent files outlive the folder
    const QString format = ExportFormatOf(path);
    if (!format.isEmpty()) return OpenPublished(path, format);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return OpenOutcome::NotOpened;
    exports_.ClearDocumentState();
    editor_->setPlainText(DecodeTextFile(file.readAll(), encoding_, lineEndMode_));
    TakeName(path, QString());
    return OpenOutcome::Opened;
}

// A published file is read back as the text it was made from. One that cannot be
// (another program's, a damaged one) never takes the open document's place under the
// file's name, where a Save would write over one of the two: the open document stays
// exactly as it was, or the file's text comes as a new, untitled document.
OpenOutcome DocumentManager::OpenPublished(const QString& path, const QString& format) {
    const DocumentProperties kept = exports_.properties();
    exports_.ClearDocumentState();
    const ImportResult imported =
        format == "PDF" ? exports_.LoadPDFFile(path) : exports_.LoadImport(format, path);
    if (imported.read() && !imported.converted) {
        editor_->setPlainText(imported.text);
        TakeName(path, format);
        return OpenOutcome::Opened;
    }
    if (imported.read()) {  // another program's PDF, converted
        encoding_ = TextFileEncoding::kUtf8;
        ShowUntitled(imported.text);
        return OpenOutcome::OpenedUntitled;
    }
    // A PDF that was not read has been reported (or its conversion declined): its bytes
    // are never shown. Another program's XHTML, XML or SVG file is text, and shown so.
    if (imported.outcome == ImportResult::Outcome::Failed && format != "PDF" &&
        ShowForeignText(path)) {
        return OpenOutcome::OpenedUntitled;
    }
    exports_.properties() = kept;
    return OpenOutcome::NotOpened;
}

bool DocumentManager::ShowForeignText(const QString& path) {
    const clsCaption& c = context_.captions;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    auto tell = [&](const QString& title, QString message) {
        message.replace("%filename%", path).replace("%program%", QString::fromUtf8(kProgramName));
        context_.prompts.Inform(title, message);
    };
    // Binary: not text under a misleading name. UTF-16 text is text, NULs and all.
    const std::string_view view(bytes.constData(), size_t(bytes.size()));
    if (ClassifyTextInput(view) == TextInputKind::kBinary) {
        tell(c.m("Error"), c.e("%filename% holds no text that %program% can show."));
        return false;
    }
    ShowUntitled(DecodeTextFile(bytes, encoding_, lineEndMode_));
    tell(c.m("Open"),
         c.e("%filename% was not written by %program%: it is shown as text in a new document."));
    return true;
}

void DocumentManager::TakeName(const QString& path, const QString& publishedFormat) {
    fileName_ = path;
    publishedFormat_ = publishedFormat;
    if (auto info = FileInfoStore(context_.paths.caretFile())
                        .GetFileInfo(path, editor_->document()->characterCount() - 1)) {
        QTextCursor cursor = editor_->textCursor();
        int start = info->fileSelStart.toInt();
        int length = info->fileSelLength.toInt();
        int end = qMin(start + length, editor_->document()->characterCount() - 1);
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        editor_->setTextCursor(cursor);
    }
    editor_->setFocus();
    setClean();
    emit documentStateChanged();
}

void DocumentManager::ShowUntitled(const QString& text) {
    editor_->setPlainText(text);
    fileName_.clear();
    publishedFormat_.clear();
    editor_->document()->setModified(true);  // nothing of it is saved anywhere yet
    emit titleChanged();
    emit documentStateChanged();
}

bool DocumentManager::WriteTextFile(const QString& path) {
    context_.DebugTrace("Get buffer");
    if (lineEndMode_ == LineEndMode::Unix) context_.DebugTrace("Replace for Unix");
    QString text = EditorText(editor_);
    if (encoding_ == TextFileEncoding::kWindows1252) {
        if (ToEngineText(text).replaced > 0) {
            // Characters Windows-1252 cannot hold would be lost: keep them in UTF-8.
            encoding_ = TextFileEncoding::kUtf8;
            context_.prompts.Inform(
                context_.captions.m("Save"),
                context_.captions.e("This text holds characters that Windows-1252 cannot "
                                    "store: it is saved as UTF-8."));
        }
    }
    QByteArray bytes = EncodeTextFile(text, encoding_, lineEndMode_);
    context_.DebugTrace("Set string to file");
    QString reason;
    if (!WriteFileSafely(path, bytes, &reason)) {
        context_.prompts.Inform(context_.captions.m("Error"),
                                context_.captions.e("Error writing file ...") + "\n\n" + path +
                                    "\n" + reason);
        return false;
    }
    return true;
}

int DocumentManager::saveFile(QString path) {
    int index = 0;
    if (path.isEmpty()) {
        index = ValidFilter(context_.settings.saveFilterIndex());
        path = context_.prompts.SaveFileName(context_.captions.m("Save As"), FileFilters(), index)
                   .trimmed();
        context_.settings.setSaveFilterIndex(index);
        if (path.isEmpty()) return 1;
        if (index == kTextFilter) {
            if (!QFileInfo(path).fileName().contains('.')) path += ".txt";
        } else if (const OutputFormat* chosen = FormatOfFilter(index)) {
            if (!path.endsWith(QLatin1String(chosen->extension), Qt::CaseInsensitive)) {
                path += chosen->extension;
            }
        }
        if (QFileInfo::exists(path) &&
            !context_.prompts.AskYesNo(
                context_.captions.m("Save As"),
                "File " + path + " already exists. Do you want to overwrite it ?")) {
            return 3;
        }
    }
    const bool ownName = path == fileName_;
    path = WithoutLineBreaks(path);
    // Whether it is published or written as text: the type chosen in the dialog decides
    // (the text type writes text under any name, which may be somebody's configuration
    // file; "All Files" goes by the name's ending). Saved under its own name, the
    // document is written as it was read or last saved, so one read back from a
    // published file is published again; any other name goes by its ending.
    QString format;
    if (const OutputFormat* chosen = FormatOfFilter(index)) {
        format = chosen->name;
    } else if (index == 0 && ownName) {
        format = publishedFormat_;
    } else if (index != kTextFilter) {
        format = ExportFormatOf(path);
    }
    if (!format.isEmpty()) {
        // A cancelled or failed export saves nothing.
        if (exports_.saveExport(format, path) != kExportDone ||
            exports_.lastEngineStatus() != kSaveOk) {
            return 1;
        }
    } else if (!WriteTextFile(path)) {
        return 1;  // the document stays unsaved under its old name
    }
    setClean();
    fileName_ = path;
    publishedFormat_ = format;
    emit titleChanged();
    AddToRecentFiles();
    emit documentStateChanged();
    RememberCaret();
    return 0;
}

void DocumentManager::RememberCaret() const {
    QTextCursor cursor = editor_->textCursor();
    FileInfoStore(context_.paths.caretFile())
        .SaveFileInfo(fileName_, cursor.selectionStart(),
                      cursor.selectionEnd() - cursor.selectionStart());
}

bool DocumentManager::checkSaveCancel() {
    if (isDirty()) {
        QString question = fileName_.isEmpty()
                               ? context_.captions.e("Do you want to save the changes ?")
                               : context_.captions.e("Do you want to save the changes to") +
                                     " " + fileName_ + " ?";
        switch (context_.prompts.AskYesNoCancel(QString(), question)) {
            case Prompts::Answer::Yes:
                if (saveFile(fileName_) != 0) return true;
                break;
            case Prompts::Answer::No:
                break;
            case Prompts::Answer::Cancel:
                return true;
        }
    } else if (!fileName_.isEmpty()) {
        RememberCaret();
    }
    return false;
}

bool DocumentManager::New() {
    if (checkSaveCancel()) return false;
    editor_->clear();
    fileName_.clear();
    publishedFormat_.clear();
    encoding_ = TextFileEncoding::kUtf8;  // new documents are UTF-8; the line-end mode stays
    setClean();
    editor_->setFocus();
    emit titleChanged();
    exports_.ClearDocumentState();
    emit documentStateChanged();
    return true;
}

void DocumentManager::Open() {
    if (checkSaveCancel()) return;
    OpenFile(QString());
    emit titleChanged();
    AddToRecentFiles();
}

void DocumentManager::OpenDropped(const QString& path) {
    if (!QFileInfo::exists(path) || checkSaveCancel()) return;
    OpenFile(path);
    emit titleChanged();
    AddToRecentFiles();
}

void DocumentManager::OpenRecent(int n) {
    QString path = context_.settings.recentFile(n);
    if (path.isEmpty()) return;
    if (!QFileInfo::exists(path)) {
        context_.prompts.Inform(QString(), "File not found");
        return;
    }
    if (checkSaveCancel()) return;
    OpenFile(path);
    emit titleChanged();
    AddToRecentFiles();
}

// The import replaces the editor's text; when the question about unsaved changes was
// cancelled (or their save failed) it does not run, so that nothing typed is lost.
void DocumentManager::ImportPdf() {
    if (!New()) return;
    ShowImported(exports_.LoadPDFFile(QString()));
}

void DocumentManager::Import(const QString& formatName) {
    if (!New()) return;
    ShowImported(exports_.LoadImport(formatName, QString()));
}

void DocumentManager::ShowImported(const ImportResult& imported) {
    if (!imported.read()) return;
    editor_->setPlainText(imported.text);
    // The editor's text was replaced: it is a change the user has not saved yet.
    editor_->document()->setModified(true);
    emit documentStateChanged();
}

void DocumentManager::AddToRecentFiles() {
    if (fileName_.isEmpty()) return;
    AppSettings& s = context_.settings;
    QString r1 = s.recentFile(1);
    if (r1 != fileName_) {
        QString r2 = s.recentFile(2);
        s.setRecentFile(1, fileName_);
        s.setRecentFile(2, r1);
        if (r2 != fileName_) {
            QString r3 = s.recentFile(3);
            s.setRecentFile(3, r2);
            if (r3 != fileName_) s.setRecentFile(4, r3);
        }
    }
    emit recentFilesChanged();
}

QStringList DocumentManager::RecentFiles() const {
    QStringList files;
    for (int n = 1; n <= 4; ++n) files << context_.settings.recentFile(n);
    return files;
}

QString DocumentManager::WindowTitle() const {
    QString document = fileName_.isEmpty() ? "[" + context_.captions.m("Untitled") + "]"
                                           : CompactPath(fileName_, false);
    // "[*]" is where the window shows its unsaved-changes mark; one in a name is doubled
    // so that it shows as written.
    document.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return WithProgramName(document + QStringLiteral("[*]"));
}

QString DocumentManager::CompactPath(const QString& path, bool shortenName) {
    const QChar separator('/');
    QString result = path;
    int last = path.lastIndexOf(separator);  // 0-based
    if (path.size() > kPathLimit && last >= 2) {
        QString name = path.mid(last + 1);
        int p1 = path.indexOf(separator) + 1;              // 1-based, 0 = none
        int p2 = path.indexOf(separator, p1) + 1;          // the next one after p1
        if (name.size() + p2 < kPathLimit) {
            result = path.left(p2) + "..." + separator + name;
        } else if (name.size() + p1 < kPathLimit) {
            result = path.left(p1) + "..." + separator + name;
        } else {
            result = name;
        }
    }
    if (shortenName && result.size() > kPathLimit + 3) result = result.left(kPathLimit) + "...";
    return result;
}

}  // namespace scrivane::app

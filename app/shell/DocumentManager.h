#pragma once
// The editor's one document: where it came from, whether it has unsaved changes, how it
// is opened, saved and closed, the recent files and the window title.
#include <QObject>
#include <QString>
#include <QStringList>

#include "shell/TextFileCodec.h"

class QPlainTextEdit;

namespace scrivane::app {

struct AppContext;
class ExportCommands;
struct ImportResult;

// How opening a file ended.
enum class OpenOutcome {
    Opened,          // the document is now the file, without unsaved changes
    NotOpened,       // cancelled, missing or unreadable: the document is as it was
    OpenedUntitled,  // what the file holds is not its source text (another program's
                     // PDF converted, or its XHTML, XML or SVG shown as text): it is a
                     // new, untitled document with unsaved changes
};

class DocumentManager : public QObject {
    Q_OBJECT
public:
    DocumentManager(AppContext& context, QPlainTextEdit* editor, ExportCommands& exports,
                    QObject* parent = nullptr);

    QString fileName() const { return fileName_; }
    bool isDirty() const;
    void setClean();
    LineEndMode lineEndMode() const { return lineEndMode_; }
    TextFileEncoding fileEncoding() const { return encoding_; }

    // Opens a text file, or a PDF, XHTML, XML or SVG file as the text it was made from;
    // an empty path asks for the file.
    OpenOutcome OpenFile(QString path);
    // 0 saved; 1 not saved (cancelled or failed); 3 overwrite declined.
    int saveFile(QString path);
    // Asks whether to save unsaved changes; true when the caller must stop.
    bool checkSaveCancel();

    // The commands of the File menu.
    // False when the user kept the current document (Cancel, or its save failed).
    bool New();
    void Open();
    void Save() { saveFile(fileName_); }
    void SaveAs() { saveFile(QString()); }
    void OpenRecent(int n);
    void OpenDropped(const QString& path);
    // The import commands: New (even when cancelled), then the import.
    void ImportPdf();
    void Import(const QString& formatName);

    void AddToRecentFiles();
    QStringList RecentFiles() const;  // settings recent/1..4, empty entries left out
    // "notes.txt[*] - Vantor Jotter": the window shows "*" for "[*]" while there are
    // unsaved changes.
    QString WindowTitle() const;

    // Shortens a path for the title and the recent menu (40 characters).
    static QString CompactPath(const QString& path, bool shortenName);
    // The file types of the open and save dialogs, in order (index 1-based).
    static QStringList FileFilters();

signals:
    void titleChanged();
    void recentFilesChanged();
    void documentStateChanged();  // saved, opened, new: refresh the toolbar and status

private:
    OpenOutcome OpenPublished(const QString& path, const QString& format);
    // Another program's XHTML, XML or SVG file as an untitled text; false for binary bytes.
    bool ShowForeignText(const QString& path);
    // The document is now the file: its name, caret, no unsaved changes.
    void TakeName(const QString& path, const QString& publishedFormat);
    void ShowUntitled(const QString& text);
    bool WriteTextFile(const QString& path);
    // The import menu commands' end: the text read replaces the editor's, unsaved.
    void ShowImported(const ImportResult& imported);
    void RememberCaret() const;

    AppContext& context_;
    QPlainTextEdit* editor_;
    ExportCommands& exports_;
    QString fileName_;
    // The format the document is published in when saved under its name ("PDF", ...);
    // empty when it is written as text.
    QString publishedFormat_;
    TextFileEncoding encoding_ = TextFileEncoding::kUtf8;
    LineEndMode lineEndMode_ = LineEndMode::Dos;
};

}  // namespace scrivane::app

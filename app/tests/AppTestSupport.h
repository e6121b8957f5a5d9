#pragma once
// Shared helpers of the editor's tests: scripted answers for every prompt, and a fresh
// data and user folder for each test.
#include <QComboBox>
#include <QDir>
#include <QFont>
#include <QStringList>
#include <QWidget>
#include <QTemporaryDir>
#include <deque>
#include <functional>

#include "shell/AppContext.h"
#include "shell/Prompts.h"

namespace scrivane::app::test {

// A dialog's control by its object name; the test program stops when there is none.
template <typename Widget>
Widget* Control(QWidget& dialog, const char* name) {
    Widget* widget = dialog.findChild<Widget*>(name);
    if (!widget) qFatal("no control %s in %s", name, qPrintable(dialog.objectName()));
    return widget;
}

// The text of a dialog's list, set as if typed or chosen, and as shown.
inline void Set(QWidget& dialog, const char* combo, const QString& text) {
    Control<QComboBox>(dialog, combo)->setCurrentText(text);
}
inline QString Shown(QWidget& dialog, const char* combo) {
    return Control<QComboBox>(dialog, combo)->currentText();
}

// A whole file's bytes (empty when it cannot be read), and a file written with bytes.
QByteArray FileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& bytes);

// Answers prompts from queues filled by the test; records every question asked. A
// prompt with nothing queued answers Cancel / No / an empty file name.
class ScriptedPrompts : public Prompts {
public:
    std::deque<Answer> answers;         // AskYesNoCancel
    std::deque<bool> yesNo;             // AskYesNo
    std::deque<QString> openNames;      // OpenFileName
    std::deque<QString> saveNames;      // SaveFileName
    std::deque<int> filterIndexes;      // chosen index for the next file dialog (optional)
    QStringList asked;                  // every title + ": " + text shown, in order
    QStringList opened;                 // files handed to OpenExternally
    int lastFilterIndexShown = 0;
    QStringList lastFiltersShown;
    QString lastFolderShown;
    std::deque<QString> texts;          // AskText; empty = cancelled
    // ShowModal: each entry plays one dialog (sets its controls, presses OK or Cancel)
    // and may open further dialogs, which take the next entries. A dialog with nothing
    // queued is confirmed as it stands (accept()).
    std::deque<std::function<void(QDialog&)>> dialogs;
    QStringList dialogsShown;           // object names, in the order they were shown

    Answer AskYesNoCancel(const QString& title, const QString& text) override;
    bool AskYesNo(const QString& title, const QString& text) override;
    void Inform(const QString& title, const QString& text) override;
    QString OpenFileName(const QString& title, const QStringList& filters, int& filterIndex,
                         const QString& folder = QString()) override;
    QString SaveFileName(const QString& title, const QStringList& filters, int& filterIndex,
                         const QString& folder = QString()) override;
    bool AskText(const QString& title, const QString& label, QString& text) override;
    int ShowModal(QDialog& dialog) override;
    bool ChooseFont(QFont& font) override;
    std::deque<QColor> colours;        // ChooseColour; empty = cancelled
    QList<QColor> customColoursShown;
    bool ChooseColour(QColor& colour, const QList<QColor>& customColours) override;
    bool ChoosePrinter(QPrinter& printer) override;
    bool openFails = false;             // OpenExternally: no application opens the file
    void OpenExternally(const QString& path, std::function<void()> whenFailed = {}) override;
};

// A temporary folder pair (data, user) pointed to by SCRIVANE_DATA_DIR and
// SCRIVANE_USER_DIR while the object lives; the data folder starts as a copy of the
// source tree's data folder unless emptyData is set.
class TestFolders {
public:
    explicit TestFolders(bool emptyData = false);
    ~TestFolders();
    QString data() const { return root_.path() + "/data"; }
    QString user() const { return root_.path() + "/user"; }
    QString file(const QString& name) const { return root_.path() + "/" + name; }

private:
    QTemporaryDir root_;
    QByteArray oldData_, oldUser_;
};

// Everything the editor's parts share, on fresh folders with their folders created, and
// prompts answered from a script.
struct TestContext {
    TestFolders folders;
    AppPaths paths = AppPaths::FromEnvironment();
    AppSettings settings{paths.settingsStore()};
    clsCaption captions{paths.dataFolder()};
    ScriptedPrompts prompts;
    AppContext context;

    explicit TestContext(const QString& commandLine = QString())
        : context{paths, settings, captions, prompts, ParseCommandLine(commandLine), commandLine} {
        paths.CreateFolders();
    }
};

}  // namespace scrivane::app::test

#pragma once
// Shared helpers of the editor's tests: scripted answers for every prompt, and a fresh
// data and user folder for each test.
#include <QDir>
#include <QFont>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>

#include "shell/AppContext.h"
#include "shell/Prompts.h"

namespace scrivane::app::test {

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

    Answer AskYesNoCancel(const QString& title, const QString& text) override;
    bool AskYesNo(const QString& title, const QString& text) override;
    void Inform(const QString& title, const QString& text) override;
    QString OpenFileName(const QString& title, const QStringList& filters,
                         int& filterIndex) override;
    QString SaveFileName(const QString& title, const QStringList& filters,
                         int& filterIndex) override;
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

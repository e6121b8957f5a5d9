// editor_bench: what the editor adds to the engine's time for a large text. Opens a
// generated text file of about 10 MB in the editor's document, exports it to PDF from
// the editor, and times the engine alone on the same text for comparison. Runs
// offscreen, on temporary folders.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchText.h"
#include "document/vorDocument.h"
#include "shell/AppContext.h"
#include "shell/DocumentManager.h"
#include "shell/ExportCommands.h"

using namespace scrivane::app;

namespace {

// Answers nothing and opens nothing: a benchmark never waits for a person.
class SilentPrompts : public Prompts {
public:
    Answer AskYesNoCancel(const QString&, const QString&) override { return Answer::No; }
    bool AskYesNo(const QString&, const QString&) override { return true; }
    void Inform(const QString&, const QString& text) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    QString OpenFileName(const QString&, const QStringList&, int&) override { return {}; }
    QString SaveFileName(const QString&, const QStringList&, int&) override { return {}; }
    bool ChooseFont(QFont&) override { return false; }
    bool ChooseColour(QColor&, const QList<QColor>&) override { return false; }
    bool ChoosePrinter(QPrinter&) override { return false; }
    void OpenExternally(const QString&, std::function<void()>) override {}
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    qputenv("SCRIVANE_USER_DIR", (folder.path() + "/user").toUtf8());
    int lines = argc > 1 ? std::atoi(argv[1]) : 130000;

    std::string text = bench::MakeProse(lines, 7);
    QString path = folder.path() + "/big.txt";
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    std::printf("text file: %d lines, %.1f MB\n", lines, static_cast<double>(text.size()) / 1e6);

    AppPaths paths = AppPaths::FromEnvironment();
    paths.CreateFolders();
    AppSettings settings(paths.settingsStore());
    settings.setShowExportOptions(10, false);
    settings.setOpenAfterExport(10, false);
    clsCaption captions(paths.dataFolder());
    SilentPrompts prompts;
    AppContext context{paths, settings, captions, prompts, {}, {}};
    QPlainTextEdit editor;
    ExportCommands exports(context, &editor);
    DocumentManager documents(context, &editor, exports);

    QElapsedTimer timer;
    timer.start();
    documents.OpenFile(path);
    double open = timer.elapsed() / 1000.0;

    timer.restart();
    exports.saveExport("PDF", folder.path() + "/big.pdf");
    double exportTotal = timer.elapsed() / 1000.0;

    // The engine alone on the same text and format files.
    timer.restart();
    {
        scrivane::vorDocument document;
        document.AddBuffer(text, paths.defaultFormatFile(10).toStdString(),
                           paths.lineOptionsFile(10, "[Default]").toStdString(), 10);
        document.SaveAs((folder.path() + "/engine.pdf").toStdString(), 10);
    }
    double engine = timer.elapsed() / 1000.0;

    std::printf("open in the editor:           %.3f s\n", open);
    std::printf("export to PDF from the editor: %.3f s\n", exportTotal);
    std::printf("  of which the engine alone:   %.3f s\n", engine);
    std::printf("  the editor's own share:      %.3f s\n", exportTotal - engine);
    return 0;
}

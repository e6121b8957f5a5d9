// editor_bench: what the editor adds to the engine's time for a large text. Opens a
// generated text file of about 10 MB in the editor, with the highlighting off and on
// (plain prose, and the same with markup on every eighth line) and types into it; then
// exports it to PDF from the editor, and times the engine alone on the same text for
// comparison. Runs offscreen, on temporary folders.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <cstdio>
#include <ctime>

#include "BenchText.h"
#include "document/vorDocument.h"
#include "SilentPrompts.h"
#include "shell/AppContext.h"
#include "shell/DocumentManager.h"
#include "shell/EditorHighlighting.h"
#include "shell/ExportCommands.h"

using namespace scrivane::app;

namespace {

// Every eighth line made a command, a heading, a hidden line or a title, as a text
// written for the format's conditions would be.
std::string WithMarkup(const std::string& text) {
    static const char* kMarks[] = {"<set>fontsize=14\r\n", "#1 ", "%% ", "<h2>", "<set>size=3\r\n"};
    std::string marked;
    marked.reserve(text.size() + text.size() / 20);
    size_t line = 0, start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        end = end == std::string::npos ? text.size() : end + 2;
        if (line++ % 8 == 0) marked += kMarks[(line / 8) % 5];
        marked.append(text, start, end - start);
        start = end;
    }
    return marked;
}

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

struct EditorTimes {
    double open = 0, openCpu = 0;  // seconds
    double keyMs = 0, returnMs = 0;  // a character typed mid-text, a line break
    int coloured = 0;  // lines the highlighting has looked at
};

// Opens the file in a fresh editor, with or without the highlighting, and types into it.
EditorTimes TimeEditor(AppContext& context, const QString& path, bool highlight) {
    context.settings.setHighlighting(highlight);
    QPlainTextEdit editor;
    editor.resize(900, 700);
    editor.show();  // the highlighting colours the lines on screen
    EditorHighlighting highlighting(context, &editor, nullptr);
    ExportCommands exports(context, &editor);
    DocumentManager documents(context, &editor, exports);
    QCoreApplication::processEvents();
    EditorTimes times;
    QElapsedTimer timer;
    timer.start();
    double cpu = CpuSeconds();
    documents.OpenFile(path);
    QCoreApplication::processEvents();
    times.open = timer.elapsed() / 1000.0;
    times.openCpu = CpuSeconds() - cpu;

    QTextCursor cursor(editor.document()->findBlockByNumber(editor.document()->blockCount() / 2));
    cursor.movePosition(QTextCursor::EndOfWord);
    editor.setTextCursor(cursor);  // typed where the user looks
    QCoreApplication::processEvents();
    timer.start();
    for (const char* typed : {"<", "s", "e", "t", ">", "x", "=", "5"}) {
        cursor.insertText(typed);
        QCoreApplication::processEvents();
    }
    times.keyMs = timer.nsecsElapsed() / 8e6;
    timer.start();
    cursor.insertText("\n");
    QCoreApplication::processEvents();
    times.returnMs = timer.nsecsElapsed() / 1e6;
    for (QTextBlock b = editor.document()->begin(); b.isValid(); b = b.next()) {
        times.coloured += b.userState() >= 0;
    }
    return times;
}

void PrintEditorTimes(const char* label, const EditorTimes& off, const EditorTimes& on) {
    std::printf("%-14s open %.3f s (cpu %.3f) -> highlighted %.3f s (cpu %.3f), %+.1f %% cpu\n",
                label, off.open, off.openCpu, on.open, on.openCpu,
                100.0 * (on.openCpu - off.openCpu) / off.openCpu);
    std::printf("%-14s a key %.3f ms -> %.3f ms, a line break %.3f ms -> %.3f ms\n", "",
                off.keyMs, on.keyMs, off.returnMs, on.returnMs);
    std::printf("%-14s lines looked at by the highlighting: %d\n", "", on.coloured);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    qputenv("SCRIVANE_USER_DIR", (folder.path() + "/user").toUtf8());
    int lines = argc > 1 ? std::atoi(argv[1]) : 130000;

    std::string text = bench::MakeProse(lines, 7);
    QString path = folder.path() + "/big.txt";
    QString markedPath = folder.path() + "/marked.txt";
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text.data(), static_cast<qint64>(text.size()));
        QFile marked(markedPath);
        marked.open(QIODevice::WriteOnly);
        marked.write(QByteArray::fromStdString(WithMarkup(text)));
    }
    std::printf("text file: %d lines, %.1f MB\n", lines, static_cast<double>(text.size()) / 1e6);

    AppPaths paths = AppPaths::FromEnvironment();
    paths.CreateFolders();
    AppSettings settings(paths.settingsStore());
    settings.setShowExportOptions(10, false);
    settings.setOpenAfterExport(10, false);
    clsCaption captions(paths.dataFolder());
    bench::SilentPrompts prompts;
    AppContext context{paths, settings, captions, prompts, {}, {}};

    // Highlighting off and on, in turn, best of five each.
    for (const auto& [label, file] : {std::pair{"prose", path}, std::pair{"with markup", markedPath}}) {
        EditorTimes best[2];
        for (int run = 0; run < 5; ++run) {
            for (int on = 0; on < 2; ++on) {
                EditorTimes t = TimeEditor(context, file, on == 1);
                if (run == 0 || t.openCpu < best[on].openCpu) best[on] = t;
            }
        }
        PrintEditorTimes(label, best[0], best[1]);
    }
    settings.setHighlighting(true);

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

// The editor's document: opening, saving, the unsaved-changes question, recent files,
// line ends and encodings, and the export and import commands behind them.
#include <QDialog>
#include <QFile>
#include <QPlainTextEdit>
#include <QStringEncoder>
#include <QtTest>

#include "AppTestSupport.h"
#include <QLineEdit>

#include "format/OutputFormats.h"
#include "shell/AppContext.h"
#include "shell/CommonChoices.h"
#include "shell/DocumentManager.h"
#include "shell/ExportCommands.h"
#include "util/Status.h"

using namespace scrivane::app;
using scrivane::kLoadFileMissing, scrivane::kPdfProducerRefused, scrivane::kXmlOtherProducer;
using scrivane::kTargetPdf, scrivane::kTargetXhtml, scrivane::kTargetXml, scrivane::kTargetSvg;
using scrivane::LoadStatusOfPdf;
using scrivane::app::test::ScriptedPrompts;
using scrivane::app::test::TestFolders;

namespace {

// One editor with its document and commands, on fresh folders.
struct Editor : scrivane::app::test::TestContext {
    QPlainTextEdit editor;
    ExportCommands exports{context, &editor};
    DocumentManager documents{context, &editor, exports};

    Editor() {
        // Nothing opens exported files and no options dialog shows during tests.
        for (int code : {kTargetPdf, kTargetXhtml, kTargetXml, kTargetSvg}) settings.setOpenAfterExport(code, false);
    }
    void Type(const QString& text) { editor.insertPlainText(text); }
};

}  // namespace

class DocumentTest : public QObject {
    Q_OBJECT
private slots:
    void unsavedChangesAskAndFollowTheAnswer();
    void aFailingSaveKeepsTheDocumentUnsaved();
    void saveAsCompletesTheExtensionFromTheFileType();
    void recentFilesMoveTheCurrentFileToTheTop();
    void compactPathShortensLongPaths();
    void filesKeepTheirBytesAndLineEnds();
    void caretPositionsAreRememberedPerFile();
    void exportStatusesAndMessages();
    void importStatusesFallBackToTextForForeignFiles();
    void printSplitsLongLines();
    void publishedFilesOpenAsTheirSourceText();
    void sharedChoices();
    void cancelledExportsAndImportsLoseNothing();
};

void DocumentTest::cancelledExportsAndImportsLoseNothing() {
    Editor e;
    e.Type("precious");
    e.prompts.dialogs = {[](QDialog& options) { options.reject(); }};
    e.prompts.saveNames = {e.folders.file("b")};
    e.prompts.filterIndexes = {2};
    QCOMPARE(e.documents.saveFile(QString()), 1);  // options cancelled: nothing saved
    QVERIFY(!QFile::exists(e.folders.file("b.pdf")));
    QVERIFY(e.documents.isDirty());
    e.prompts.answers = {Prompts::Answer::Cancel};
    e.documents.ImportPdf();  // the question cancelled: no import replaces the text
    QCOMPARE(e.editor.toPlainText(), QString("precious"));
}

void DocumentTest::sharedChoices() {
    ScriptedPrompts prompts;
    int r = 1, g = 2, b = 3;
    ChooseColour(prompts, r, g, b);  // cancelled: unchanged
    QCOMPARE(QList<int>({r, g, b}), QList<int>({1, 2, 3}));
    QCOMPARE(prompts.customColoursShown.size(), 16);
    QCOMPARE(prompts.customColoursShown.first(), QColor(15, 15, 15));
    QCOMPARE(prompts.customColoursShown.last(), QColor(240, 240, 240));
    prompts.colours = {QColor(200, 100, 50)};
    ChooseColour(prompts, r, g, b);
    QCOMPARE(QList<int>({r, g, b}), QList<int>({200, 100, 50}));
    SplitRgb(0x0A0B0C, r, g, b);
    QCOMPARE(QList<int>({r, g, b}), QList<int>({0x0C, 0x0B, 0x0A}));
    QCOMPARE(FontNamesFor(kTargetPdf).size(), 13);
    QCOMPARE(FontNamesFor(kTargetXhtml), QStringList({"Arial", "Courier", "Helvetica", "Verdana"}));
    QLineEdit box("some text");
    box.setCursorPosition(4);
    SelectAllText(&box);
    QCOMPARE(box.selectedText(), QString("some text"));
}

void DocumentTest::unsavedChangesAskAndFollowTheAnswer() {
    Editor e;
    e.Type("draft");
    e.prompts.answers = {Prompts::Answer::Cancel};
    QVERIFY(e.documents.checkSaveCancel());  // Cancel: the caller stops
    QCOMPARE(e.prompts.asked.last(), QString(": Do you want to save the changes ?"));
    QVERIFY(e.documents.isDirty());

    e.prompts.answers = {Prompts::Answer::No};
    e.documents.New();  // No: the text goes
    QCOMPARE(e.editor.toPlainText(), QString());
    QVERIFY(!e.documents.isDirty());

    e.Type("keep me");
    QString path = e.folders.file("kept.txt");
    e.prompts.answers = {Prompts::Answer::Yes};
    e.prompts.saveNames = {path};
    e.prompts.filterIndexes = {1};
    QVERIFY(!e.documents.checkSaveCancel());  // Yes: saved through the dialog, goes on
    QCOMPARE(scrivane::app::test::FileBytes(path), QByteArray("keep me"));
    QCOMPARE(e.documents.fileName(), path);

    e.Type(" more");
    e.prompts.answers = {Prompts::Answer::Yes};
    QVERIFY(!e.documents.checkSaveCancel());
    QVERIFY(e.prompts.asked.last().endsWith("Do you want to save the changes to " + path + " ?"));
}

void DocumentTest::aFailingSaveKeepsTheDocumentUnsaved() {
    Editor e;
    e.Type("precious");
    QString bad = e.folders.file("no/such/folder/x.txt");
    QCOMPARE(e.documents.saveFile(bad), 1);
    QVERIFY(e.prompts.asked.last().contains("Error writing file ..."));
    QVERIFY(e.documents.isDirty());
    QCOMPARE(e.documents.fileName(), QString());
    // And the question about changes then stops whatever wanted to close the document.
    e.prompts.answers = {Prompts::Answer::Yes};
    e.prompts.saveNames = {bad};
    QVERIFY(e.documents.checkSaveCancel());
    // A failed export under a PDF name saves nothing either.
    QCOMPARE(e.documents.saveFile(e.folders.file("no/such/folder/x.pdf")), 1);
    QVERIFY(e.documents.isDirty());
}

void DocumentTest::saveAsCompletesTheExtensionFromTheFileType() {
    Editor e;
    e.Type("text");
    const struct {
        QString typed;
        int index;
        QString written;
    } cases[] = {{"notes", 1, "notes.txt"},     {"notes.old", 1, "notes.old"},
                 {"letter", 2, "letter.pdf"},   {"LETTER.PDF", 2, "LETTER.PDF"},
                 {"page", 3, "page.htm"},       {"data", 4, "data.xml"},
                 {"picture", 5, "picture.svg"}, {"raw", 6, "raw"}};
    for (const auto& c : cases) {
        e.prompts.saveNames = {e.folders.file(c.typed)};
        e.prompts.filterIndexes = {c.index};
        QCOMPARE(e.documents.saveFile(QString()), 0);
        QVERIFY2(QFile::exists(e.folders.file(c.written)), qPrintable(c.written));
        QCOMPARE(e.settings.saveFilterIndex(), c.index);
    }
    QVERIFY(scrivane::app::test::FileBytes(e.folders.file("letter.pdf")).startsWith("%PDF-1.4"));
    // An existing file: overwrite only on Yes.
    e.prompts.saveNames = {e.folders.file("notes.txt")};
    e.prompts.filterIndexes = {1};
    e.prompts.yesNo = {false};
    QCOMPARE(e.documents.saveFile(QString()), 3);
}

void DocumentTest::recentFilesMoveTheCurrentFileToTheTop() {
    Editor e;
    auto save = [&](const QString& name) {
        QString path = e.folders.file(name);
        e.Type("x");
        QCOMPARE(e.documents.saveFile(path), 0);
    };
    for (const char* name : {"d.txt", "c.txt", "b.txt", "a.txt"}) save(name);
    auto names = [&] {
        QStringList list;
        for (const QString& path : e.documents.RecentFiles()) list << QFileInfo(path).fileName();
        return list;
    };
    QCOMPARE(names(), QStringList({"a.txt", "b.txt", "c.txt", "d.txt"}));
    save("c.txt");
    QCOMPARE(names(), QStringList({"c.txt", "a.txt", "b.txt", "d.txt"}));
    save("e.txt");
    QCOMPARE(names(), QStringList({"e.txt", "c.txt", "a.txt", "b.txt"}));
}

void DocumentTest::compactPathShortensLongPaths() {
    QCOMPARE(DocumentManager::CompactPath("/home/user/My Documents/letters/2026/letter.txt", false),
             QString("/home/.../letter.txt"));
    QCOMPARE(DocumentManager::CompactPath("/short/path.txt", false), QString("/short/path.txt"));
    QString longName = QString(45, 'n') + ".txt";
    QCOMPARE(DocumentManager::CompactPath("/home/user/" + longName, true),
             longName.left(40) + "...");
    QCOMPARE(DocumentManager::CompactPath("/home/user/" + longName, false), longName);
}

void DocumentTest::filesKeepTheirBytesAndLineEnds() {
    Editor e;
    const QByteArray cp1252("caf\xE9\xA0\x80 \x81\x8D\x8F\x90\x9D end\r\nline two\r\n");
    const QByteArray unix("one\ntwo\n");
    const QByteArray bom("\xEF\xBB\xBFhello\xC2\xA0\xE2\x82\xAC\xE2\x80\xA8\r\n");
    for (const QByteArray& bytes : {cp1252, unix, bom}) {
        QString path = e.folders.file("file.txt");
        scrivane::app::test::WriteFileBytes(path, bytes);
        QCOMPARE(e.documents.OpenFile(path), OpenOutcome::Opened);
        QCOMPARE(e.documents.saveFile(path), 0);
        QCOMPARE(scrivane::app::test::FileBytes(path), bytes);
    }
    // UTF-16 files, either byte order: the editor holds what Windows-1252 cannot, an
    // unchanged file is written back byte for byte, an edited one stays UTF-16.
    const QString utf16Text = QString::fromUtf16(u"Ω snow ☃ é\nline two\n");
    const QByteArray le = QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE)(
                                                      QString(utf16Text).replace("\n", "\r\n"));
    const QByteArray be = QByteArray("\xFE\xFF") + QStringEncoder(QStringEncoder::Utf16BE)(
                                                      QString(utf16Text).replace("\n", "\r\n"));
    for (const QByteArray& bytes : {le, be}) {
        const QString path = e.folders.file("utf16.txt");
        scrivane::app::test::WriteFileBytes(path, bytes);
        QCOMPARE(e.documents.OpenFile(path), OpenOutcome::Opened);
        QCOMPARE(e.editor.toPlainText(), utf16Text);
        QCOMPARE(e.documents.saveFile(path), 0);
        QCOMPARE(scrivane::app::test::FileBytes(path), bytes);
        e.editor.moveCursor(QTextCursor::End);
        e.Type(QString::fromUtf16(u"€"));
        QCOMPARE(e.documents.saveFile(path), 0);
        const QByteArray euro = bytes == le ? QByteArray("\xAC\x20") : QByteArray("\x20\xAC");
        QCOMPARE(scrivane::app::test::FileBytes(path), bytes + euro);
    }
    // A Windows-1252 file that gets characters it cannot hold is kept whole in UTF-8.
    scrivane::app::test::WriteFileBytes(e.folders.file("w.txt"), cp1252);
    e.documents.OpenFile(e.folders.file("w.txt"));
    e.Type("\xCE\xA9");
    QCOMPARE(e.documents.saveFile(e.folders.file("w.txt")), 0);
    QVERIFY(e.prompts.asked.last().contains("saved as UTF-8"));
    QVERIFY(scrivane::app::test::FileBytes(e.folders.file("w.txt")).startsWith("\xCE\xA9" "caf\xC3\xA9"));
    // The UNIX mode stays for a new document.
    scrivane::app::test::WriteFileBytes(e.folders.file("u.txt"), unix);
    e.documents.OpenFile(e.folders.file("u.txt"));
    QCOMPARE(e.documents.lineEndMode(), LineEndMode::Unix);
    e.documents.New();
    e.Type("a\nb");
    QCOMPARE(e.documents.saveFile(e.folders.file("new.txt")), 0);
    QCOMPARE(scrivane::app::test::FileBytes(e.folders.file("new.txt")), QByteArray("a\nb"));
}

void DocumentTest::caretPositionsAreRememberedPerFile() {
    Editor e;
    QString first = e.folders.file("first.txt"), second = e.folders.file("second.txt");
    scrivane::app::test::WriteFileBytes(first, "0123456789");
    scrivane::app::test::WriteFileBytes(second, "abc");
    e.documents.OpenFile(first);
    QTextCursor cursor = e.editor.textCursor();
    cursor.setPosition(4);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    e.editor.setTextCursor(cursor);
    QVERIFY(!e.documents.checkSaveCancel());  // clean: remembers the caret
    e.documents.OpenFile(second);
    e.documents.OpenFile(first);
    QCOMPARE(e.editor.textCursor().selectionStart(), 4);
    QCOMPARE(e.editor.textCursor().selectionEnd(), 7);
}

void DocumentTest::exportStatusesAndMessages() {
    Editor e;
    e.Type("Hello\n<set>fontsize=14\nworld \xCE\xB1 \xCD\xB8");  // alpha, an unassigned one
    QCOMPARE(e.exports.saveExport("DOC", QString()), kExportUnknownFormat);
    QCOMPARE(e.exports.saveExport("pdf", QString()), kExportNoFileChosen);  // no name chosen
    e.prompts.saveNames = {e.folders.file("out")};
    QCOMPARE(e.exports.saveExport("pdf", QString()), kExportDone);
    QVERIFY(scrivane::app::test::FileBytes(e.folders.file("out.pdf")).startsWith("%PDF-1.4"));
    // The alpha is kept; the character no font shows became "?".
    QVERIFY(e.prompts.asked.last().contains("1 character(s)"));
    e.prompts.saveNames = {e.folders.file("out.pdf")};
    e.prompts.yesNo = {false};
    QCOMPARE(e.exports.saveExport("PDF", QString()), kExportNotOverwritten);
    QVERIFY(e.prompts.asked.last().contains("File " + e.folders.file("out.pdf") + " already exists"));

    // The options dialog's answer, and the setting that skips it.
    const qsizetype shownBefore = e.prompts.dialogsShown.size();
    e.prompts.dialogs = {[](QDialog& options) { options.reject(); }};
    QCOMPARE(e.exports.saveExport("SVG", e.folders.file("x.svg")), kExportOptionsCancelled);
    e.settings.setShowExportOptions(kTargetSvg, false);
    QCOMPARE(e.exports.saveExport("SVG", e.folders.file("x.svg")), kExportDone);
    QCOMPARE(e.prompts.dialogsShown.size(), shownBefore + 1);

    // Opening the written file follows the setting; a write failure names the file.
    e.settings.setOpenAfterExport(kTargetXml, true);
    e.settings.setShowExportOptions(kTargetXml, false);
    QCOMPARE(e.exports.saveExport("XML", e.folders.file("x.xml")), kExportDone);
    QCOMPARE(e.prompts.opened.last(), e.folders.file("x.xml"));
    QCOMPARE(e.exports.saveExport("XML", e.folders.file("none/x.xml")), 0);
    QVERIFY(e.prompts.asked.last().contains("Cannot open file " + e.folders.file("none/x.xml")));
}

void DocumentTest::importStatusesFallBackToTextForForeignFiles() {
    Editor e;
    QString foreign = e.folders.file("foreign.pdf");
    QByteArray bytes = "%PDF-1.4\n1 0 obj\n<< /Producer (someone else) >>\nendobj\n" +
                       QByteArray(100, ' ') + "\n%%EOF\n";
    scrivane::app::test::WriteFileBytes(foreign, bytes);
    auto failedWith = [](const ImportResult& result, int status) {
        return result.outcome == ImportResult::Outcome::Failed && result.readerStatus == status &&
               result.text.isEmpty();
    };
    // Another program's PDF: the conversion is offered, saying why; declined, nothing is
    // read and nothing more is said.
    e.prompts.yesNo = {false};
    const ImportResult declined = e.exports.LoadPDFFile(foreign);
    QCOMPARE(declined.outcome, ImportResult::Outcome::Cancelled);
    QCOMPARE(declined.readerStatus, LoadStatusOfPdf(kPdfProducerRefused));
    QVERIFY(e.prompts.asked.last().contains(
        "PDF import works only for pdf files generated with vantor jotter 1.4.0 or higher"));
    QVERIFY(e.prompts.asked.last().endsWith("WARNING: this is an experimental function"));
    // A conversion that fails is reported with the number this program always showed.
    e.prompts.yesNo = {true};
    QCOMPARE(e.exports.LoadPDFFile(foreign).outcome, ImportResult::Outcome::Failed);
    QVERIFY(e.prompts.asked.last().startsWith("Error: Error -"));
    // Other failures show the number they always showed: the reader's status less 100.
    QVERIFY(failedWith(e.exports.LoadPDFFile(e.folders.file("missing.pdf")), kLoadFileMissing));
    QVERIFY(e.prompts.asked.last().endsWith("Error -110"));
    // Opened with Open and declined, nothing is opened: never its bytes.
    QCOMPARE(e.documents.OpenFile(foreign), OpenOutcome::NotOpened);
    QCOMPARE(e.editor.toPlainText(), QString());
    QVERIFY(failedWith(e.exports.LoadImport("XML", e.folders.file("missing.xml")), kLoadFileMissing));
    scrivane::app::test::WriteFileBytes(e.folders.file("other.svg"), "<svg producer=\"someone\"/>");
    QVERIFY(failedWith(e.exports.LoadImport("SVG", e.folders.file("other.svg")), kXmlOtherProducer));
    QCOMPARE(e.exports.LoadImport("SVG", QString()).outcome, ImportResult::Outcome::Cancelled);
}

void DocumentTest::printSplitsLongLines() {
    auto lines = ExportCommands::PrintLayout(QString(250, 'a') + "\nshort");
    QCOMPARE(lines.size(), size_t(4));
    QCOMPARE(lines[0].text.size(), 110);
    QCOMPARE(lines[0].x, 100);
    QCOMPARE(lines[1].text.size(), 110);
    QCOMPARE(lines[1].x, 500);
    QCOMPARE(lines[2].text.size(), 30);
    QCOMPARE(lines[2].x, 500);
    QCOMPARE(lines[3].text, QString("short"));
    QCOMPARE(lines[3].x, 100);
    QCOMPARE(lines[3].y - lines[2].y, 15);
}

void DocumentTest::publishedFilesOpenAsTheirSourceText() {
    Editor e;
    const QString source = QString::fromUtf8(
        "Title line\n<set>title=Ωμέγα → Ж\n<set>fontsize=14\n%% kept\nbody text Łódź ∑ Ελληνικά");
    e.Type(source);
    for (const char* name : {"doc.pdf", "doc.htm", "doc.svg"}) {
        QString path = e.folders.file(name);
        const QString format = ExportFormatOf(path);
        e.settings.setShowExportOptions(FormatCode(format), false);
        QCOMPARE(e.exports.saveExport(format, path), kExportDone);
        Editor reader;
        QCOMPARE(reader.documents.OpenFile(path), OpenOutcome::Opened);
        QCOMPARE(reader.editor.toPlainText(), source);
        QCOMPARE(reader.documents.fileName(), path);
        QVERIFY(!reader.documents.isDirty());

        // The import commands hand the text back; only the document puts it in the editor,
        // and through the Import menu it is an unsaved change of an untitled document.
        Editor importer;
        const bool pdf = format == "PDF";
        const ImportResult read =
            pdf ? importer.exports.LoadPDFFile(path) : importer.exports.LoadImport(format, path);
        QVERIFY(read.read());
        QCOMPARE(read.text, source);
        QCOMPARE(importer.editor.toPlainText(), QString());
        importer.prompts.openNames = {path};
        pdf ? importer.documents.ImportPdf() : importer.documents.Import(format);
        QCOMPARE(importer.editor.toPlainText(), source);
        QVERIFY(importer.documents.isDirty());
        QCOMPARE(importer.documents.fileName(), QString());
    }
}

QTEST_MAIN(DocumentTest)
#include "DocumentTest.moc"

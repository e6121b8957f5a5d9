// Opening and saving never hide or destroy what the user has: another program's PDF is
// converted or left alone (never shown as bytes), a file that cannot be read back never
// takes the place of the open document's name, the text-file type saves text whatever
// the name, and failures say why.
#include <QFile>
#include <QPlainTextEdit>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

#include "AppTestSupport.h"
#include "format/OutputFormats.h"
#include "shell/AppContext.h"
#include "shell/DocumentManager.h"
#include "shell/ExportCommands.h"
#include "shell/frmScrivane.h"

using namespace scrivane::app;
using scrivane::kTargetPdf, scrivane::kTargetXhtml, scrivane::kTargetXml, scrivane::kTargetSvg;

namespace {

// The last message shown; empty when there was none.
QString LastShown(const scrivane::app::test::ScriptedPrompts& prompts) {
    return prompts.asked.isEmpty() ? QString() : prompts.asked.last();
}

// A PDF another program wrote (enscript and ps2pdf): compressed, binary streams.
QString ForeignPdf() { return QStringLiteral(SCRIVANE_TESTDATA "/foreign/enscript-ps2pdf.pdf"); }

struct Editor : scrivane::app::test::TestContext {
    QPlainTextEdit editor;
    ExportCommands exports{context, &editor};
    DocumentManager documents{context, &editor, exports};

    Editor() {
        for (int code : {kTargetPdf, kTargetXhtml, kTargetXml, kTargetSvg}) {
            settings.setOpenAfterExport(code, false);
            settings.setShowExportOptions(code, false);
        }
    }
    // A text file of the user's, open and unchanged.
    QString OpenOwnText(const QByteArray& bytes = "my own text\n") {
        const QString path = folders.file("mine.txt");
        test::WriteFileBytes(path, bytes);
        documents.OpenFile(path);
        return path;
    }
    // The document is still the user's file, exactly as it was.
    void ExpectUntouched(const QString& path, const QString& text) {
        QCOMPARE(editor.toPlainText(), text);
        QCOMPARE(documents.fileName(), path);
        QVERIFY(!documents.isDirty());
    }
};

}  // namespace

class OpenSaveSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void foreignPdfIsConvertedOrLeftAlone();
    void unreadablePdfOpensNothing();
    void foreignXmlOpensAsUntitledText();
    void htmlAndXhtmlNamesAreReadBack();
    void textTypeSavesTextUnderAnyName();
    void failedWritesSayWhy();
    void openingWithTheDesktopSaysWhenItCannot();
    void launcherFailureIsReported();
};

void OpenSaveSafetyTest::foreignPdfIsConvertedOrLeftAlone() {
    Editor e;
    const QString mine = e.OpenOwnText();
    const QByteArray foreignBytes = test::FileBytes(ForeignPdf());

    // Declined: the open document stays as it was, and saving it writes the user's text.
    e.prompts.openNames = {ForeignPdf()};
    e.prompts.yesNo = {false};
    e.documents.Open();
    QVERIFY(e.prompts.asked.join('\n').contains("convert"));
    e.ExpectUntouched(mine, "my own text\n");
    QCOMPARE(e.documents.saveFile(e.documents.fileName()), 0);
    QCOMPARE(test::FileBytes(mine), QByteArray("my own text\n"));

    // Accepted: the converted text, in a new untitled document that is not saved yet, so
    // that Save cannot write over the other program's file.
    e.prompts.openNames = {ForeignPdf()};
    e.prompts.yesNo = {true};
    e.documents.Open();
    QVERIFY(e.editor.toPlainText().contains("The ferry left the harbour at seven"));
    QVERIFY(!e.editor.toPlainText().contains("%PDF"));
    QCOMPARE(e.documents.fileName(), QString());
    QVERIFY(e.documents.isDirty());
    QCOMPARE(test::FileBytes(ForeignPdf()), foreignBytes);

    // The PDF import command offers the same conversion.
    Editor importer;
    importer.prompts.answers = {Prompts::Answer::No};
    importer.prompts.openNames = {ForeignPdf()};
    importer.prompts.yesNo = {true};
    importer.documents.ImportPdf();
    QVERIFY(importer.editor.toPlainText().contains("The ferry left the harbour at seven"));
}

void OpenSaveSafetyTest::unreadablePdfOpensNothing() {
    Editor e;
    const QString mine = e.OpenOwnText();
    // One of ours, cut short: its compressed streams are binary.
    const QString broken = e.folders.file("broken.pdf");
    QPlainTextEdit text;
    text.setPlainText("cut short");
    ExportCommands(e.context, &text).saveExport("PDF", broken);
    const QByteArray whole = test::FileBytes(broken);
    QVERIFY(whole.endsWith("%%EOF\n"));
    test::WriteFileBytes(broken, whole.left(whole.size() - 7));
    QCOMPARE(e.documents.OpenFile(broken), OpenOutcome::NotOpened);
    QVERIFY2(LastShown(e.prompts).contains("PDF EOF error"), qPrintable(LastShown(e.prompts)));
    e.ExpectUntouched(mine, "my own text\n");
    QVERIFY(!e.editor.toPlainText().contains("%PDF"));
}

void OpenSaveSafetyTest::foreignXmlOpensAsUntitledText() {
    Editor e;
    const QString mine = e.OpenOwnText();
    const QString config = e.folders.file("config.xml");
    const QByteArray settings = "<config>\n  <port>80</port>\n</config>\n";
    test::WriteFileBytes(config, settings);
    e.documents.OpenFile(config);
    QCOMPARE(e.editor.toPlainText(), QString::fromUtf8(settings));
    QCOMPARE(e.documents.fileName(), QString());  // not the old name, nor the config's
    QVERIFY(e.documents.isDirty());
    QVERIFY(LastShown(e.prompts).contains(config));
    QCOMPARE(e.documents.saveFile(e.documents.fileName()), 1);  // asks for a name: cancelled
    QCOMPARE(test::FileBytes(mine), QByteArray("my own text\n"));
    QCOMPARE(test::FileBytes(config), settings);
    // Another program's XML in UTF-16 is text too, whatever its NUL bytes.
    const QString wide = e.folders.file("wide.xml");
    test::WriteFileBytes(wide, QByteArray("\xFF\xFE<\0a\0/\0>\0", 10));
    QCOMPARE(e.documents.OpenFile(wide), OpenOutcome::OpenedUntitled);
    QCOMPARE(e.editor.toPlainText(), QString("<a/>"));

    // Binary bytes behind a published name are never shown as text.
    Editor other;
    const QString own = other.OpenOwnText();
    const QString picture = other.folders.file("picture.svg");
    test::WriteFileBytes(picture, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    QCOMPARE(other.documents.OpenFile(picture), OpenOutcome::NotOpened);
    other.ExpectUntouched(own, "my own text\n");
}

void OpenSaveSafetyTest::htmlAndXhtmlNamesAreReadBack() {
    Editor e;
    const QString source = "Heading\n<set>fontsize=14\nbody";
    e.editor.setPlainText(source);
    for (const char* name : {"page.html", "page.xhtml", "PAGE.HTM"}) {
        const QString path = e.folders.file(name);
        QCOMPARE(e.exports.saveExport("XHTML", path), kExportDone);
        Editor reader;
        QCOMPARE(reader.documents.OpenFile(path), OpenOutcome::Opened);
        QCOMPARE(reader.editor.toPlainText(), source);
        QCOMPARE(reader.documents.fileName(), path);
    }
}

void OpenSaveSafetyTest::textTypeSavesTextUnderAnyName() {
    Editor e;
    e.editor.setPlainText("port=80");
    for (const char* name : {"app.xml", "icon.svg", "index.htm", "notes.pdf"}) {
        e.prompts.saveNames = {e.folders.file(name)};
        e.prompts.filterIndexes = {1};  // Text Files
        QCOMPARE(e.documents.saveFile(QString()), 0);
        QCOMPARE(test::FileBytes(e.folders.file(name)), QByteArray("port=80"));
    }
    // Saved again, it stays a text file.
    e.editor.setPlainText("port=81");
    QCOMPARE(e.documents.saveFile(e.documents.fileName()), 0);
    QCOMPARE(test::FileBytes(e.folders.file("notes.pdf")), QByteArray("port=81"));

    // A document named after a file it was read back from is published again in place;
    // so is one saved with a format's type, or with "All Files" and a format's name.
    const QString page = e.folders.file("page.svg");
    QCOMPARE(e.exports.saveExport("SVG", page), kExportDone);
    Editor reader;
    QCOMPARE(reader.documents.OpenFile(page), OpenOutcome::Opened);
    reader.editor.appendPlainText("more");
    QCOMPARE(reader.documents.saveFile(reader.documents.fileName()), 0);
    QVERIFY(test::FileBytes(page).contains("<svg"));
    reader.prompts.saveNames = {reader.folders.file("all.xml")};
    reader.prompts.filterIndexes = {6};
    QCOMPARE(reader.documents.saveFile(QString()), 0);
    QVERIFY(test::FileBytes(reader.folders.file("all.xml")).startsWith("<?xml"));
}

void OpenSaveSafetyTest::failedWritesSayWhy() {
    Editor e;
    e.editor.insertPlainText("precious");
    const QString notAFolder = e.folders.file("plain");
    test::WriteFileBytes(notAFolder, "x");
    QCOMPARE(e.documents.saveFile(notAFolder + "/a.txt"), 1);
    QVERIFY(LastShown(e.prompts).contains("Error writing file"));
    QVERIFY2(LastShown(e.prompts).contains("Not a directory"), qPrintable(LastShown(e.prompts)));
    QVERIFY(e.documents.isDirty());

    QCOMPARE(e.exports.saveExport("XML", e.folders.file("none/x.xml")), kExportDone);
    QVERIFY(LastShown(e.prompts).contains("Cannot open file " + e.folders.file("none/x.xml")));
    QVERIFY2(LastShown(e.prompts).contains("No such file or directory"),
             qPrintable(LastShown(e.prompts)));

    // A write that stops half-way (here at the process's file size limit, as on a full
    // disk) says why, and leaves the file it would have replaced whole.
    const QString kept = e.folders.file("kept.xml");
    test::WriteFileBytes(kept, "old");
    QString text;
    for (int line = 0; line < 4000; ++line) text += "A line of a text too long for the limit\n";
    e.editor.setPlainText(text);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 32 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    e.exports.saveExport("XML", kept);
    const QString exportMessage = LastShown(e.prompts);
    e.documents.saveFile(kept);
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY2(exportMessage.contains("File too large"), qPrintable(exportMessage));
    QVERIFY2(LastShown(e.prompts).contains("File too large"), qPrintable(LastShown(e.prompts)));
    QCOMPARE(test::FileBytes(kept), QByteArray("old"));
}

void OpenSaveSafetyTest::openingWithTheDesktopSaysWhenItCannot() {
    // After an export, with no program for the file's type.
    Editor e;
    e.editor.setPlainText("text");
    e.settings.setOpenAfterExport(kTargetPdf, true);
    e.prompts.openFails = true;
    const QString pdf = e.folders.file("out.pdf");
    QCOMPARE(e.exports.saveExport("PDF", pdf), kExportDone);
    QCOMPARE(e.prompts.opened, QStringList({pdf}));
    QVERIFY2(LastShown(e.prompts).contains("No program could open " + pdf),
             qPrintable(e.prompts.asked.join('\n')));

    // Help without its manual, then with one but no viewer.
    scrivane::app::test::TestContext t;
    frmScrivane window(t.context);
    window.Load();
    window.action("mnuHelp")->trigger();
    QVERIFY(t.prompts.opened.isEmpty());
    QVERIFY(LastShown(t.prompts).contains(t.paths.manual(false)));
    test::WriteFileBytes(t.paths.manual(false), "%PDF-1.4");
    t.prompts.openFails = true;
    window.action("mnuHelp")->trigger();
    QCOMPARE(t.prompts.opened, QStringList({t.paths.manual(false)}));
    QVERIFY(LastShown(t.prompts).contains("No program could open"));
}

// The real launcher: a desktop without a viewer makes xdg-open end with status 3.
void OpenSaveSafetyTest::launcherFailureIsReported() {
    QTemporaryDir bin;
    const QString launcher = bin.filePath("xdg-open");
    test::WriteFileBytes(launcher, "#!/bin/sh\n[ \"$1\" = \"$0\" ] && exit 0\nexit 3\n");
    QFile::setPermissions(launcher, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8() + ":" + oldPath);
    QtPrompts prompts(nullptr);
    int failures = 0;
    prompts.OpenExternally(bin.filePath("document.pdf"), [&] { ++failures; });
    QTRY_COMPARE(failures, 1);
    prompts.OpenExternally(launcher, [&] { ++failures; });  // this one "opens"
    QTest::qWait(300);
    QCOMPARE(failures, 1);
    qputenv("PATH", oldPath);
}

QTEST_MAIN(OpenSaveSafetyTest)
#include "OpenSaveSafetyTest.moc"

// Opening and saving never hide or destroy what the user has: another program's PDF is
// converted or left alone (never shown as bytes), a file that cannot be read back never
// takes the place of the open document's name, and the text-file type saves text
// whatever the name.
#include <QFile>
#include <QPlainTextEdit>
#include <QtTest>

#include "AppTestSupport.h"
#include "format/OutputFormats.h"
#include "shell/AppContext.h"
#include "shell/DocumentManager.h"
#include "shell/ExportCommands.h"

using namespace scrivane::app;
using scrivane::kTargetPdf, scrivane::kTargetXhtml, scrivane::kTargetXml, scrivane::kTargetSvg;

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// The last message shown; empty when there was none.
QString LastShown(const scrivane::app::test::ScriptedPrompts& prompts) {
    return prompts.asked.isEmpty() ? QString() : prompts.asked.last();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
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
        WriteBytes(path, bytes);
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
};

void OpenSaveSafetyTest::foreignPdfIsConvertedOrLeftAlone() {
    Editor e;
    const QString mine = e.OpenOwnText();
    const QByteArray foreignBytes = ReadBytes(ForeignPdf());

    // Declined: the open document stays as it was, and saving it writes the user's text.
    e.prompts.openNames = {ForeignPdf()};
    e.prompts.yesNo = {false};
    e.documents.Open();
    QVERIFY(e.prompts.asked.join('\n').contains("convert"));
    e.ExpectUntouched(mine, "my own text\n");
    QCOMPARE(e.documents.saveFile(e.documents.fileName()), 0);
    QCOMPARE(ReadBytes(mine), QByteArray("my own text\n"));

    // Accepted: the converted text, in a new untitled document that is not saved yet, so
    // that Save cannot write over the other program's file.
    e.prompts.openNames = {ForeignPdf()};
    e.prompts.yesNo = {true};
    e.documents.Open();
    QVERIFY(e.editor.toPlainText().contains("The ferry left the harbour at seven"));
    QVERIFY(!e.editor.toPlainText().contains("%PDF"));
    QCOMPARE(e.documents.fileName(), QString());
    QVERIFY(e.documents.isDirty());
    QCOMPARE(ReadBytes(ForeignPdf()), foreignBytes);

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
    const QByteArray whole = ReadBytes(broken);
    QVERIFY(whole.endsWith("%%EOF\n"));
    WriteBytes(broken, whole.left(whole.size() - 7));
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
    WriteBytes(config, settings);
    e.documents.OpenFile(config);
    QCOMPARE(e.editor.toPlainText(), QString::fromUtf8(settings));
    QCOMPARE(e.documents.fileName(), QString());  // not the old name, nor the config's
    QVERIFY(e.documents.isDirty());
    QVERIFY(LastShown(e.prompts).contains(config));
    QCOMPARE(e.documents.saveFile(e.documents.fileName()), 1);  // asks for a name: cancelled
    QCOMPARE(ReadBytes(mine), QByteArray("my own text\n"));
    QCOMPARE(ReadBytes(config), settings);

    // Binary bytes behind a published name are never shown as text.
    Editor other;
    const QString own = other.OpenOwnText();
    const QString picture = other.folders.file("picture.svg");
    WriteBytes(picture, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
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
        QCOMPARE(ReadBytes(e.folders.file(name)), QByteArray("port=80"));
    }
    // Saved again, it stays a text file.
    e.editor.setPlainText("port=81");
    QCOMPARE(e.documents.saveFile(e.documents.fileName()), 0);
    QCOMPARE(ReadBytes(e.folders.file("notes.pdf")), QByteArray("port=81"));

    // A document named after a file it was read back from is published again in place;
    // so is one saved with a format's type, or with "All Files" and a format's name.
    const QString page = e.folders.file("page.svg");
    QCOMPARE(e.exports.saveExport("SVG", page), kExportDone);
    Editor reader;
    QCOMPARE(reader.documents.OpenFile(page), OpenOutcome::Opened);
    reader.editor.appendPlainText("more");
    QCOMPARE(reader.documents.saveFile(reader.documents.fileName()), 0);
    QVERIFY(ReadBytes(page).contains("<svg"));
    reader.prompts.saveNames = {reader.folders.file("all.xml")};
    reader.prompts.filterIndexes = {6};
    QCOMPARE(reader.documents.saveFile(QString()), 0);
    QVERIFY(ReadBytes(reader.folders.file("all.xml")).startsWith("<?xml"));
}

QTEST_MAIN(OpenSaveSafetyTest)
#include "OpenSaveSafetyTest.moc"

// What the editor tells after an export: the lines the engine refused or could not place
// (one warning, with line numbers, capped), the characters it replaced, the first problem
// on the status line; and pictures named relative to the text found beside its file.
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QtTest>

#include "AppTestSupport.h"
#include "format/OutputFormats.h"
#include "shell/DocumentManager.h"
#include "shell/ExportCommands.h"
#include "shell/ExportReport.h"
#include "shell/frmScrivane.h"

using namespace scrivane::app;
using namespace scrivane::app::test;
using scrivane::Diagnostic;
using scrivane::DiagnosticKind;
using scrivane::Diagnostics;

namespace {

const QString kPicture = QStringLiteral(SCRIVANE_TESTDATA "/logo.jpg");

// The images pdfimages lists in a PDF (its table's rows), or -1 when it does not run.
int ImagesIn(const QString& pdf) {
    QProcess process;
    process.start("pdfimages", {"-list", pdf});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return -1;
    const QStringList rows = QString::fromUtf8(process.readAllStandardOutput())
                                 .split('\n', Qt::SkipEmptyParts);
    return int(rows.size()) - 2;  // less the heading and the rule under it
}

// The warnings shown after the exports, without the other messages.
QStringList Warnings(const ScriptedPrompts& prompts, const clsCaption& captions) {
    return prompts.asked.filter(captions.m("Export") + ": ");
}

void TurnOffOpenAfterExport(AppSettings& settings) {
    for (int code : {scrivane::kTargetPdf, scrivane::kTargetXhtml, scrivane::kTargetXml,
                     scrivane::kTargetSvg}) {
        settings.setOpenAfterExport(code, false);
    }
}

}  // namespace

class ExportReportTest : public QObject {
    Q_OBJECT
private slots:
    void problemsAreListedByLineAndPicturesFoundBesideTheText();
    void untitledTextsFindNoPictureBesideThemselves();
    void longListsAreCappedAndTranslated();
    void aSampleExportedAgainFindsItsPictures();
    void warningBoxShowsTheLinesAsWritten();
};

void ExportReportTest::problemsAreListedByLineAndPicturesFoundBesideTheText() {
    TestContext t;
    TurnOffOpenAfterExport(t.settings);
    frmScrivane window(t.context);
    window.Load();
    const QString folder = t.folders.file("texts");
    QDir().mkpath(folder);
    QVERIFY(QFile::copy(kPicture, folder + "/beside.jpg"));
    const QString text = folder + "/notes.txt";
    WriteFileBytes(text, "Title\n<img src='gone.jpg' width='40' height='40'>\n<set>sizzle=3\n"
                         "<img src='beside.jpg' width='40' height='40'>\nsnow \xE2\x98\x83 end\n");
    t.prompts.openNames = {text};
    window.action("mnuOpen")->trigger();
    QCOMPARE(window.documents().fileName(), text);

    const QString pdf = t.folders.file("notes.pdf");
    t.prompts.saveNames = {pdf};
    t.prompts.asked.clear();
    window.action("mnuPDFExport")->trigger();
    QCOMPARE(window.exports().lastEngineStatus(), 0);
    const QStringList warnings = Warnings(t.prompts, t.captions);
    QCOMPARE(warnings.size(), 1);  // one box, the replaced characters in it
    const QStringList lines = warnings.first().split('\n');
    QVERIFY2(lines.size() >= 4, qPrintable(warnings.first()));
    QVERIFY2(lines[1].startsWith("Line 2: image not placed: gone.jpg ("), qPrintable(lines[1]));
    QVERIFY2(lines[1].contains(folder + "/gone.jpg"), qPrintable(lines[1]));
    QVERIFY2(lines[2].startsWith("Line 3: unknown command: <set>sizzle=3"), qPrintable(lines[2]));
    QVERIFY2(lines[3].startsWith(QString::fromUtf8("Line 5: character replaced: ☃")),
             qPrintable(lines[3]));
    QVERIFY(!warnings.first().contains("beside.jpg"));
    QVERIFY(warnings.first().endsWith("1 character(s) cannot be written in this format and "
                                      "were replaced by \"?\""));
    QCOMPARE(ImagesIn(pdf), 1);  // the picture beside the text, the missing one left out
    // The status line shows the first problem until the caret moves.
    QCOMPARE(window.findChild<QLabel*>("lblLineReport")->text(), lines[1]);
    window.editor()->moveCursor(QTextCursor::End);
    QVERIFY(window.findChild<QLabel*>("lblLineReport")->text() != lines[1]);

    // A text without problems shows no warning.
    window.editor()->setPlainText("<img src='beside.jpg' width='40' height='40'>\nplain\n");
    const QString plain = t.folders.file("plain.pdf");
    t.prompts.saveNames = {plain};
    t.prompts.asked.clear();
    window.action("mnuPDFExport")->trigger();
    QCOMPARE(window.exports().lastEngineStatus(), 0);
    QVERIFY2(Warnings(t.prompts, t.captions).isEmpty(), qPrintable(t.prompts.asked.join('|')));
    QVERIFY(window.exports().lastProblems().empty());
    QCOMPARE(ImagesIn(plain), 1);
}

// Untitled, a relative name is taken as it always was: from the program's own folder.
void ExportReportTest::untitledTextsFindNoPictureBesideThemselves() {
    TestContext t;
    TurnOffOpenAfterExport(t.settings);
    QPlainTextEdit editor;
    ExportCommands exports(t.context, &editor);
    DocumentManager documents(t.context, &editor, exports);
    editor.setPlainText("<img src='edmatch-nowhere.jpg' width='40' height='40'>\n");
    QCOMPARE(exports.saveExport("PDF", t.folders.file("untitled.pdf")), int(kExportDone));
    QCOMPARE(exports.lastProblems().size(), size_t(1));
    const std::string& why = exports.lastProblems()[0].message;
    QVERIFY2(why.ends_with(": edmatch-nowhere.jpg"), why.c_str());
}

void ExportReportTest::longListsAreCappedAndTranslated() {
    TestContext t;
    QCOMPARE(ExportWarningText({}, 0, t.captions), QString());
    Diagnostics many;
    for (int line = 1; line <= kListedExportProblems + 5; ++line) {
        many.push_back({line, DiagnosticKind::kBadValue, "<set>x=" + std::to_string(line), ""});
    }
    QStringList lines = ExportWarningText(many, 0, t.captions).split('\n');
    QCOMPARE(lines.size(), 1 + kListedExportProblems + 1);
    QCOMPARE(lines[kListedExportProblems], QString("Line 20: bad value: <set>x=20"));
    QCOMPARE(lines.last(), QString("... and 5 more"));
    many.resize(kListedExportProblems);
    lines = ExportWarningText(many, 0, t.captions).split('\n');
    QCOMPARE(lines.size(), 1 + kListedExportProblems);  // exactly the cap: no "more"

    t.captions.setLangue("Francais");
    const Diagnostic image{7, DiagnosticKind::kImageNotPlaced, "a.jpg", "why"};
    QCOMPARE(DescribeProblem(image, t.captions),
             QString::fromUtf8("Ligne 7: image non placée: a.jpg (why)"));
    const QString french = ExportWarningText({image}, 3, t.captions);
    QVERIFY2(french.startsWith(QString::fromUtf8("Le fichier a été écrit")), qPrintable(french));
    QVERIFY2(french.endsWith(QString::fromUtf8("3 caractère(s) ne peuvent pas être écrits dans ce "
                                               "format et ont été remplacés par \"?\"")),
             qPrintable(french));
    many.resize(kListedExportProblems + 2);
    QVERIFY(ExportWarningText(many, 0, t.captions).endsWith("... et 2 de plus"));
}

// The samples name their pictures from the program's folder; opened from the samples
// folder and exported again, they come out with them.
void ExportReportTest::aSampleExportedAgainFindsItsPictures() {
    const QString published = QStringLiteral(SCRIVANE_BUILD_DATA "/samples");
    if (!QFile::exists(published + "/letter.pdf")) QSKIP("the samples are not published yet");
    TestContext t;
    TurnOffOpenAfterExport(t.settings);
    QDir().mkpath(t.paths.samplesFolder());
    for (const QString& name : QDir(published).entryList(QDir::Files)) {
        QFile::copy(published + "/" + name, t.paths.samplesFolder() + "/" + name);
    }
    QPlainTextEdit editor;
    ExportCommands exports(t.context, &editor);
    DocumentManager documents(t.context, &editor, exports);
    QCOMPARE(documents.OpenFile(t.paths.samplesFolder() + "/letter.pdf"), OpenOutcome::Opened);
    const QString pdf = t.folders.file("letter-again.pdf");
    QCOMPARE(exports.saveExport("PDF", pdf), int(kExportDone));
    QCOMPARE(exports.lastEngineStatus(), 0);
    QVERIFY(exports.lastProblems().empty());
    QCOMPARE(ImagesIn(pdf), ImagesIn(published + "/letter.pdf"));
    QVERIFY(ImagesIn(pdf) > 0);
}

// The box as QtPrompts shows it, in English and French; with SCRIVANE_SHOTS set to a
// folder, its pictures are saved there.
void ExportReportTest::warningBoxShowsTheLinesAsWritten() {
    TestContext t;
    const Diagnostics problems{
        {2, DiagnosticKind::kImageNotPlaced, "gone.jpg", "image file not found: /home/ada/gone.jpg"},
        {3, DiagnosticKind::kUnknownCommand, "<set>sizzle=3", "no command is called \"sizzle\""},
        {5, DiagnosticKind::kCharacterReplaced, "\xE2\x98\x83",
         "1 character Windows-1252 cannot hold, written as \"?\""}};
    for (const QString language : {"English", "Francais"}) {
        t.captions.setLangue(language);
        const QString text = ExportWarningText(problems, 1, t.captions);
        QtPrompts prompts(nullptr);
        auto box = prompts.BuildWarningBox(t.captions.m("Export"), text);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        bool shown = false;  // "<set>sizzle=3" as written, not taken for markup
        for (QLabel* label : box->findChildren<QLabel*>()) {
            shown = shown || (label->text() == text && label->textFormat() == Qt::PlainText);
        }
        QVERIFY(shown);
        const QString folder = qEnvironmentVariable("SCRIVANE_SHOTS");
        if (!folder.isEmpty()) box->grab().save(folder + "/export-warning-" + language + ".png");
    }
}

QTEST_MAIN(ExportReportTest)
#include "ExportReportTest.moc"

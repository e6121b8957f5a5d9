// End to end through the editor's window: a text opened, exported as PDF after the export
// options (title, author, Courier 10, Letter pages in page setup) were set; then a set of
// line options saved under settings/, chosen, and applied by the next export. A title in
// Greek typed in the window reaches the PDF, the format file and, through the import, the
// window again.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "AppTestSupport.h"
#include "format/OutputFormats.h"
#include "shell/DocumentManager.h"
#include "shell/frmScrivane.h"

using namespace scrivane::app;
using namespace scrivane::app::test;

namespace {

// What a checker prints about a file; the test fails when it does not run cleanly.
QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return QString("failed");
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class ExportThroughOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void exportCarriesTheOptionsChosenInTheWindows();
    void propertiesInAnyScriptReachThePdfAndComeBack();
};

void ExportThroughOptionsTest::exportCarriesTheOptionsChosenInTheWindows() {
    test::TestContext t;
    frmScrivane window(t.context);
    window.Load();
    const QString text = t.folders.file("letter.txt");
    WriteFileBytes(text, "Chapter One\nDear reader,\nthis is the letter.\n");
    t.prompts.openNames = {text};
    window.action("mnuOpen")->trigger();
    QCOMPARE(window.documents().fileName(), text);

    const QString pdf = t.folders.file("letter.pdf");
    t.prompts.saveNames = {pdf};
    t.prompts.dialogs = {[](QDialog& options) {
                             Control<QLineEdit>(options, "txtTitle")->setText("Spring letter");
                             Control<QLineEdit>(options, "txtAuthor")->setText("Ada Writer");
                             Control<QComboBox>(options, "cmbFontName")->setCurrentText("Courier");
                             Control<QComboBox>(options, "cmbFontSize")->setCurrentText("10");
                             Control<QPushButton>(options, "cmdPageSetup")->click();
                             Control<QPushButton>(options, "cmdOK")->click();
                         },
                         [](QDialog& pageSetup) {
                             auto* types = Control<QComboBox>(pageSetup, "cmbTypePage");
                             types->setCurrentText("Letter");
                             emit types->textActivated("Letter");
                             Control<QPushButton>(pageSetup, "cmdOK")->click();
                         }};
    window.action("mnuPDFExport")->trigger();
    QCOMPARE(t.prompts.dialogsShown, QStringList({"frmFormat", "frmPageSetup"}));
    QCOMPARE(Run("qpdf", {"--check", pdf}).contains("No syntax or stream encoding errors"), true);
    const QString info = Run("pdfinfo", {pdf});
    QVERIFY2(info.contains(QRegularExpression("Title:\\s+Spring letter")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Author:\\s+Ada Writer")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Page size:\\s+612 x 792 pts")), qPrintable(info));
    const QString fonts = Run("pdffonts", {pdf});
    QVERIFY2(fonts.contains("Courier ") && !fonts.contains("Helvetica"), qPrintable(fonts));

    // A set saved from the line format editor under settings/, then chosen.
    const QString standard = t.paths.userFolder() + "/ashtm.pdf.format.vantor.dorvex";
    QVERIFY(!QFile::exists(standard));  // the exports read the shipped template
    t.prompts.dialogsShown.clear();
    t.prompts.texts = {"Chapter"};
    t.prompts.saveNames = {t.paths.settingsFolder() + "/Chapters"};
    t.prompts.dialogs = {
        [](QDialog& options) {
            Control<QPushButton>(options, "cmdFormatLine")->click();
            auto* sets = Control<QComboBox>(options, "cmbAshtmFile");
            QVERIFY(sets->findText("Chapters") > 0);
            sets->setCurrentText("Chapters");
            Control<QPushButton>(options, "cmdOK")->click();
        },
        [](QDialog& editor) {
            Control<QPushButton>(editor, "cmdAdd")->click();
            Control<QComboBox>(editor, "cmbShow")->setCurrentText("yes");
            Control<QComboBox>(editor, "cmbFontName")->setCurrentText("Courier-Bold");
            Control<QPushButton>(editor, "cmdSaveAs")->click();
            Control<QPushButton>(editor, "cmdCancel")->click();
        }};
    window.action("mnuFormatPDF")->trigger();
    QCOMPARE(t.prompts.dialogsShown, QStringList({"frmFormat", "frmFormatLine"}));
    QCOMPARE(t.settings.lineOptionsSet(scrivane::kTargetPdf), QString("Chapters"));
    QVERIFY(QFile::exists(t.paths.settingsFolder() + "/Chapters.pdf.format.vantor.dorvex"));
    QVERIFY(!QFile::exists(standard));  // the editor was cancelled: nothing written

    const QString second = t.folders.file("chapters.pdf");
    t.prompts.saveNames = {second};
    window.action("mnuPDFExport")->trigger();  // the options confirmed as they stand
    const QString secondFonts = Run("pdffonts", {second});
    QVERIFY2(secondFonts.contains("Courier-Bold") && secondFonts.contains("Courier "),
             qPrintable(secondFonts));
    QVERIFY(Run("pdftotext", {second, "-"}).contains("Chapter One"));
    QVERIFY(Run("pdfinfo", {second}).contains("612 x 792"));
}

void ExportThroughOptionsTest::propertiesInAnyScriptReachThePdfAndComeBack() {
    const QString greek = QString::fromUtf8("Ελληνικά · Ωμέγα");
    const QString french = QString::fromUtf8("Café crème");  // Windows-1252 holds it
    test::TestContext t;
    frmScrivane window(t.context);
    window.Load();
    const QString text = t.folders.file("plain.txt");
    WriteFileBytes(text, "Caf\xC3\xA9 au lait\n");
    const QString pdf = t.folders.file("greek.pdf");
    t.prompts.openNames = {text};
    t.prompts.saveNames = {pdf};
    t.prompts.dialogs = {[&](QDialog& options) {
        Control<QLineEdit>(options, "txtTitle")->setText(greek);
        Control<QLineEdit>(options, "txtSubject")->setText(french);
        Control<QPushButton>(options, "cmdOK")->click();
    }};
    window.action("mnuOpen")->trigger();
    window.action("mnuPDFExport")->trigger();
    QCOMPARE(Run("qpdf", {"--check", pdf}).contains("No syntax or stream encoding errors"), true);
    const QString info = Run("pdfinfo", {"-enc", "UTF-8", pdf});
    QVERIFY2(info.contains(QRegularExpression("Title:\\s+" + greek + "\n")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Subject:\\s+" + french + "\n")), qPrintable(info));
    QVERIFY2(!Run("pdffonts", {pdf}).contains("DejaVu"), "the text keeps the standard fonts");

    // Opened again, the PDF's information fills the window (the default file says nothing).
    WriteFileBytes(t.paths.userFolder() + "/default.pdf.format.vantor.dorvex", "<dorvex/>");
    t.prompts.openNames = {pdf};
    window.action("mnuOpen")->trigger();
    QCOMPARE(window.editor()->toPlainText(), QString::fromUtf8("Café au lait\n"));
    QString shown;
    t.prompts.dialogs = {[&](QDialog& options) {
        shown = Control<QLineEdit>(options, "txtTitle")->text() + "|" +
                Control<QLineEdit>(options, "txtSubject")->text();
        Control<QPushButton>(options, "cmdCancel")->click();
    }};
    window.action("mnuFormatPDF")->trigger();
    QCOMPARE(shown, greek + "|" + french);
}

QTEST_MAIN(ExportThroughOptionsTest)
#include "ExportThroughOptionsTest.moc"

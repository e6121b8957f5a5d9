// The export options window: what it shows for each format, what OK writes and what
// Cancel leaves alone, the set list, settings files under chosen names, and how an export
// goes on or stops with it.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "AppTestSupport.h"
#include "dialogs/frmFormat.h"
#include "format/OutputFormats.h"
#include "format/vorFormat.h"
#include "shell/ExportCommands.h"
#include "shell/FormatFilePlaces.h"

using namespace scrivane::app;
using namespace scrivane::app::test;
using scrivane::kTargetPdf;
using scrivane::kTargetSvg;
using scrivane::kTargetXhtml;
using scrivane::kTargetXml;
using scrivane::vorFormat;

namespace {

struct Options : test::TestContext {
    DocumentProperties properties;
    FormatFilePlaces places{paths};

    explicit Options(bool emptyData = false) : TestContext() {
        if (emptyData) {
            // No templates: the format files exist nowhere.
            for (const QString& name : QDir(paths.dataFolder()).entryList({"*.dorvex"})) {
                QFile::remove(paths.dataFolder() + "/" + name);
            }
        }
    }
    QString settingsFile(const QString& set, const char* key = "pdf") const {
        return paths.settingsFolder() + "/" + set + "." + key + ".format.vantor.dorvex";
    }
};

QStringList Items(QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
}

vorFormat Read(const QString& path) {
    vorFormat format;
    format.ReadFormatFile(EnginePath(path));
    return format;
}

// A default file with a title, Courier 10 and one condition.
const QByteArray kDefaultFile =
    "<dorvex version=\"1.0\"><vantor><format><documentproperties><title>Old title</title>"
    "<keywords>k1</keywords></documentproperties><default><fontname>Courier</fontname>"
    "<fontsize>10</fontsize><x>60</x></default><line><name>Mark</name><condition>linevalue"
    "</condition><value>*</value></line></format></vantor></dorvex>";

}  // namespace

class ExportOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void eachFormatShowsItsOwnChoices();
    void opensOnTheDefaultFileOrWhatAnImportFound();
    void okWritesTheValuesAndTheFourSettings();
    void propertiesInAnyScriptSurviveOkAndSettingsFiles();
    void cancelAndTheCloseBoxChangeNothingAndStopTheExport();
    void setListShowsTheNamedSetsOfTheFormat();
    void settingsFilesAreSavedUnderAllowedNamesOnly();
    void loadSettingsShowsTheFilesValues();
    void keyboardConfirmsAndCancels();
    void placeIsRememberedOnEveryClose();
    void aRemovedSetIsNeitherCreatedNorLeftOutOnExport();
};

void ExportOptionsTest::eachFormatShowsItsOwnChoices() {
    Options t;
    const struct {
        int code;
        const char* title;
        bool lineOptions, keywords;
        int fonts;
    } kCases[] = {{kTargetPdf, "PDF Export", true, true, 13},
                  {kTargetXhtml, "XHTML Export", true, false, 4},
                  {kTargetXml, "XML Export", false, false, 4},
                  {kTargetSvg, "SVG Export", true, false, 4}};
    for (const auto& c : kCases) {
        frmFormat dialog(t.context, c.code, t.properties);
        QCOMPARE(dialog.windowTitle(), QString(c.title));
        const QString name = QString(c.title).section(' ', 0, 0);
        QCOMPARE(Control<QCheckBox>(dialog, "chkShow")->text(),
                 "Show this window for each " + name + " export");
        QCOMPARE(Control<QCheckBox>(dialog, "chkUseAsHTM")->isEnabled(), c.lineOptions);
        QCOMPARE(Control<QComboBox>(dialog, "cmbAshtmFile")->isEnabled(), c.lineOptions);
        QCOMPARE(Control<QPushButton>(dialog, "cmdFormatLine")->isEnabled(), c.lineOptions);
        QCOMPARE(Control<QLineEdit>(dialog, "txtKeywords")->isEnabled(), c.keywords);
        QCOMPARE(Control<QComboBox>(dialog, "cmbFontName")->count(), c.fonts);
    }
}

void ExportOptionsTest::opensOnTheDefaultFileOrWhatAnImportFound() {
    Options bare(true);
    const QString defaultFile = bare.places.defaultFile(kTargetPdf);
    {
        frmFormat dialog(bare.context, kTargetPdf, bare.properties);
        QCOMPARE(Control<QComboBox>(dialog, "cmbFontName")->currentText(), QString("Helvetica"));
        QCOMPARE(Control<QComboBox>(dialog, "cmbFontSize")->currentText(), QString("12"));
        QCOMPARE(dialog.focusWidget(), Control<QLineEdit>(dialog, "txtTitle"));
        QVERIFY(!QFile::exists(defaultFile));  // opening writes nothing
        dialog.accept();
    }
    const vorFormat created = Read(defaultFile);  // OK creates the file, with the defaults
    QCOMPARE(created.DefaultFont, std::string("Helvetica"));
    QCOMPARE(created.DefaultX, int16_t(40));

    Options t;
    WriteFileBytes(t.places.defaultFile(kTargetPdf), kDefaultFile);
    frmFormat fromFile(t.context, kTargetPdf, t.properties);
    QCOMPARE(Control<QLineEdit>(fromFile, "txtTitle")->text(), QString("Old title"));
    QCOMPARE(Control<QLineEdit>(fromFile, "txtKeywords")->text(), QString("k1"));
    QCOMPARE(Control<QComboBox>(fromFile, "cmbFontName")->currentText(), QString("Courier"));
    QCOMPARE(Control<QComboBox>(fromFile, "cmbFontSize")->currentText(), QString("10"));

    t.properties = {true, "Ann", "Imported", "Subj", "", ""};
    frmFormat imported(t.context, kTargetPdf, t.properties);
    QCOMPARE(Control<QLineEdit>(imported, "txtTitle")->text(), QString("Imported"));
    QCOMPARE(Control<QLineEdit>(imported, "txtAuthor")->text(), QString("Ann"));
    QCOMPARE(Control<QLineEdit>(imported, "txtKeywords")->text(), QString());
    QCOMPARE(Control<QComboBox>(imported, "cmbFontName")->currentText(), QString("Courier"));
}

void ExportOptionsTest::okWritesTheValuesAndTheFourSettings() {
    Options t;
    const QString defaultFile = t.places.defaultFile(kTargetPdf);
    WriteFileBytes(defaultFile, kDefaultFile);
    WriteFileBytes(t.settingsFile("Letters"), "<dorvex/>");
    frmFormat dialog(t.context, kTargetPdf, t.properties);
    Control<QLineEdit>(dialog, "txtTitle")->setText("New title \xE2\x82\xAC");
    Control<QLineEdit>(dialog, "txtAuthor")->setText("Me");
    Control<QComboBox>(dialog, "cmbFontName")->setCurrentText("Arial,Bold");
    Control<QComboBox>(dialog, "cmbFontSize")->setCurrentText("abc");  // not a size
    Control<QCheckBox>(dialog, "chkOpenFile")->setChecked(false);
    Control<QCheckBox>(dialog, "chkUseAsHTM")->setChecked(false);
    Control<QComboBox>(dialog, "cmbAshtmFile")->setCurrentText("Letters");
    dialog.accept();
    QVERIFY(dialog.confirmed());

    vorFormat saved = Read(defaultFile);
    QCOMPARE(saved.title, std::string("New title \xE2\x82\xAC"));  // kept as UTF-8
    QCOMPARE(saved.author, std::string("Me"));
    QCOMPARE(saved.DefaultFont, std::string("Arial,Bold"));
    QCOMPARE(saved.DefaultFontSize, int16_t(10));  // "abc" left the size as it was
    QCOMPARE(saved.DefaultX, int16_t(60));         // the rest of the file is kept
    QCOMPARE(saved.ListeFormats.size(), size_t(1));
    QVERIFY(t.settings.showExportOptions(kTargetPdf).isOn());
    QVERIFY(t.settings.openAfterExport(kTargetPdf).isOff());
    QVERIFY(t.settings.useLineOptions(kTargetPdf).isOff());
    QCOMPARE(t.settings.lineOptionsSet(kTargetPdf), QString("Letters"));

    // XML: the line options controls are off, and their settings are saved as they stand.
    t.settings.setLineOptionsSet(kTargetXml, "Letters");
    frmFormat xml(t.context, kTargetXml, t.properties);
    Control<QComboBox>(xml, "cmbFontSize")->setCurrentText("14.5");
    xml.accept();
    QVERIFY(t.settings.useLineOptions(kTargetXml).isOn());
    QCOMPARE(t.settings.lineOptionsSet(kTargetXml), QString("[Default]"));  // no XML set
    QCOMPARE(Read(t.places.defaultFile(kTargetXml)).DefaultFontSize, int16_t(14));
}

void ExportOptionsTest::propertiesInAnyScriptSurviveOkAndSettingsFiles() {
    Options t;
    const QString defaultFile = t.places.defaultFile(kTargetPdf);
    const QByteArray greek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1";  // Ελλάδα
    WriteFileBytes(defaultFile, QByteArray(kDefaultFile).replace("Old title", greek));
    frmFormat dialog(t.context, kTargetPdf, t.properties);
    QCOMPARE(Control<QLineEdit>(dialog, "txtTitle")->text(), QString::fromUtf8(greek));
    t.prompts.saveNames = {t.settingsFile("Greek")};
    dialog.SaveSettingsAs();
    dialog.accept();  // the title untouched: written back as it was read
    QCOMPARE(Read(defaultFile).title, greek.toStdString());
    QCOMPARE(Read(t.settingsFile("Greek")).title, greek.toStdString());
}

void ExportOptionsTest::cancelAndTheCloseBoxChangeNothingAndStopTheExport() {
    Options t;
    const QString defaultFile = t.places.defaultFile(kTargetPdf);
    WriteFileBytes(defaultFile, kDefaultFile);
    t.settings.setOpenAfterExport(kTargetPdf, true);
    for (bool closeBox : {false, true}) {
        frmFormat dialog(t.context, kTargetPdf, t.properties);
        Control<QLineEdit>(dialog, "txtTitle")->setText("Changed");
        Control<QCheckBox>(dialog, "chkOpenFile")->setChecked(false);
        if (closeBox) {
            dialog.show();
            QVERIFY(dialog.close());
        } else {
            Control<QPushButton>(dialog, "cmdCancel")->click();
        }
        QVERIFY(!dialog.confirmed());
        QCOMPARE(FileBytes(defaultFile), kDefaultFile);
        QVERIFY(t.settings.openAfterExport(kTargetPdf).isOn());
    }

    // Run as the program runs it, and closed by its close box.
    QtPrompts real(nullptr);
    frmFormat shown(t.context, kTargetPdf, t.properties);
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    QCOMPARE(real.ShowModal(shown), int(QDialog::Rejected));
    QVERIFY(!shown.confirmed());

    QPlainTextEdit editor("some text");
    ExportCommands exports(t.context, &editor);
    const QString target = t.folders.file("out.pdf");
    t.prompts.dialogs = {[](QDialog& options) {
        options.show();
        options.close();
    }};
    QCOMPARE(exports.saveExport("PDF", target), int(kExportOptionsCancelled));
    QVERIFY(!QFile::exists(target));
    QCOMPARE(FileBytes(defaultFile), kDefaultFile);
    // Nothing queued: the window is confirmed as it stands and the export goes on.
    QCOMPARE(exports.saveExport("PDF", target), int(kExportDone));
    QVERIFY(QFile::exists(target));
}

void ExportOptionsTest::setListShowsTheNamedSetsOfTheFormat() {
    Options t;
    for (const char* set : {"Letters", "bills"}) WriteFileBytes(t.settingsFile(set), "<dorvex/>");
    WriteFileBytes(t.settingsFile("web", "htm"), "<dorvex/>");
    t.settings.setLineOptionsSet(kTargetPdf, "Letters");
    {
        frmFormat dialog(t.context, kTargetPdf, t.properties);
        auto* sets = Control<QComboBox>(dialog, "cmbAshtmFile");
        QCOMPARE(Items(sets), QStringList({"[Default]", "bills", "Letters"}));
        QCOMPARE(sets->currentText(), QString("Letters"));
        sets->setCurrentIndex(1);
        emit sets->activated(1);
        QCOMPARE(t.properties.sCFF, QString("bills"));  // a pick is told at once
    }
    frmFormat xhtml(t.context, kTargetXhtml, t.properties);
    QCOMPARE(Items(Control<QComboBox>(xhtml, "cmbAshtmFile")), QStringList({"[Default]", "web"}));
    t.settings.setLineOptionsSet(kTargetPdf, "Removed");  // chosen once, gone since
    frmFormat stale(t.context, kTargetPdf, t.properties);
    QCOMPARE(Control<QComboBox>(stale, "cmbAshtmFile")->currentText(), QString("[Default]"));

    // After an import, the set the file names, when it exists.
    t.properties.UseDocumentProperties = true;
    t.properties.sCFF = "Letters";
    frmFormat named(t.context, kTargetPdf, t.properties);
    QCOMPARE(Control<QComboBox>(named, "cmbAshtmFile")->currentText(), QString("Letters"));
    t.properties.sCFF = "default";
    frmFormat unknown(t.context, kTargetPdf, t.properties);
    QCOMPARE(Control<QComboBox>(unknown, "cmbAshtmFile")->currentText(), QString("[Default]"));
}

void ExportOptionsTest::settingsFilesAreSavedUnderAllowedNamesOnly() {
    Options t;
    const QString defaultFile = t.places.defaultFile(kTargetPdf);
    WriteFileBytes(defaultFile, kDefaultFile);
    frmFormat dialog(t.context, kTargetPdf, t.properties);
    Control<QLineEdit>(dialog, "txtTitle")->setText("Report title");

    t.prompts.saveNames = {t.paths.settingsFolder() + "/Report"};
    dialog.SaveSettingsAs();
    QCOMPARE(t.prompts.lastFolderShown, t.paths.settingsFolder());
    QCOMPARE(t.prompts.lastFiltersShown,
             QStringList({"Settings Files (*.pdf.format.vantor.dorvex)"}));
    QCOMPARE(Read(t.settingsFile("Report")).title, std::string("Report title"));
    QVERIFY(Items(Control<QComboBox>(dialog, "cmbAshtmFile")).contains("Report"));
    QCOMPARE(FileBytes(defaultFile), kDefaultFile);  // only OK writes the default file

    // The program's own files keep their contents (the rules: FormatSetsTest).
    t.prompts.saveNames = {defaultFile};
    dialog.SaveSettingsAs();
    QCOMPARE(t.prompts.asked.last(), QString("Error: You cannot use this filename"));
    QCOMPARE(FileBytes(defaultFile), kDefaultFile);
    frmFormat xhtml(t.context, kTargetXhtml, t.properties);
    t.prompts.saveNames = {t.paths.userFolder() + "/ASHTM"};  // the XHTML standard file
    xhtml.SaveSettingsAs();
    QCOMPARE(t.prompts.asked.last(), QString("Error: You cannot use this filename"));
    QVERIFY(!QFile::exists(t.paths.userFolder() + "/ASHTM.htm.format.vantor.dorvex"));

    // An existing set is replaced only when the user says so.
    const QByteArray report = FileBytes(t.settingsFile("Report"));
    Control<QLineEdit>(dialog, "txtTitle")->setText("Other");
    t.prompts.saveNames = {t.settingsFile("Report")};
    t.prompts.yesNo = {false};
    dialog.SaveSettingsAs();
    QVERIFY(t.prompts.asked.last().contains("already exists"));
    QCOMPARE(FileBytes(t.settingsFile("Report")), report);
}

void ExportOptionsTest::loadSettingsShowsTheFilesValues() {
    Options t;
    WriteFileBytes(t.settingsFile("Loaded"), kDefaultFile);
    t.properties = {true, "Imported author", "Imported", "", "", ""};
    frmFormat dialog(t.context, kTargetPdf, t.properties);
    t.prompts.openNames = {t.settingsFile("Loaded")};
    dialog.LoadSettings();
    QCOMPARE(Control<QLineEdit>(dialog, "txtTitle")->text(),
             QString("Old title"));  // not "Imported"
    dialog.accept();
    QCOMPARE(Read(t.places.defaultFile(kTargetPdf)).DefaultX, int16_t(60));
}

void ExportOptionsTest::keyboardConfirmsAndCancels() {
    Options t;
    for (const char* box : {"txtTitle", "txtSubject", "txtAuthor", "txtKeywords"}) {
        frmFormat dialog(t.context, kTargetPdf, t.properties);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QLineEdit* field = Control<QLineEdit>(dialog, box);
        field->setText("typed");
        field->setFocus();
        QTRY_COMPARE(field->selectedText(), QString("typed"));  // entering selects all
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY2(dialog.confirmed(), box);
        QVERIFY(!dialog.isVisible());
    }
    frmFormat dialog(t.context, kTargetPdf, t.properties);
    dialog.show();
    QTest::keyClick(Control<QLineEdit>(dialog, "txtTitle"), Qt::Key_Escape);
    QVERIFY(!dialog.confirmed());
    QVERIFY(!dialog.isVisible());
}

void ExportOptionsTest::placeIsRememberedOnEveryClose() {
    Options t;
    QWidget owner;
    owner.setGeometry(100, 100, 600, 500);
    {
        frmFormat first(t.context, kTargetPdf, t.properties, &owner);
        // Nothing stored: centred over the window that opened it.
        QCOMPARE(first.frameGeometry().center().x() / 10, owner.frameGeometry().center().x() / 10);
        first.move(30, 45);
        first.reject();
    }
    QCOMPARE(t.settings.dialogLeft(DialogPlace::Format).value_or(-1), 450);  // twips
    QCOMPARE(t.settings.dialogTop(DialogPlace::Format).value_or(-1), 675);
    frmFormat second(t.context, kTargetPdf, t.properties, &owner);
    QCOMPARE(second.pos(), QPoint(30, 45));
}

void ExportOptionsTest::aRemovedSetIsNeitherCreatedNorLeftOutOnExport() {
    Options t;
    t.settings.setShowExportOptions(kTargetPdf, false);
    t.settings.setOpenAfterExport(kTargetPdf, false);
    t.settings.setLineOptionsSet(kTargetPdf, "Gone");
    QPlainTextEdit editor("#1 Chapter one\nbody");
    ExportCommands exports(t.context, &editor);
    const QString target = t.folders.file("out.pdf");
    QCOMPARE(exports.saveExport("PDF", target), int(kExportDone));
    QVERIFY(!QFile::exists(t.settingsFile("Gone")));
    QVERIFY(t.places.ForExport(kTargetXml, true, "[Default]").lineOptions.isEmpty());
    QVERIFY(QDir(t.paths.settingsFolder()).entryList(QDir::Files).isEmpty());
    // The standard line options applied: the heading's mark is not printed.
    QProcess text;
    text.start("pdftotext", {target, "-"});
    QVERIFY(text.waitForFinished(20000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(printed.contains("Chapter one") && !printed.contains("#1"), qPrintable(printed));
}

QTEST_MAIN(ExportOptionsTest)
#include "ExportOptionsTest.moc"

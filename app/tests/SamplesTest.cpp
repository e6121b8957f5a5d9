// The Help menu: the sample files, the about box and the manual, and where the editor
// finds the published samples and manuals.
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "AppTestSupport.h"
#include "dialogs/frmAbout.h"
#include "format/OutputFormats.h"
#include "samples/HelpCommands.h"
#include "samples/frmSamples.h"
#include "shell/DocumentManager.h"
#include "shell/ExportCommands.h"
#include "shell/frmScrivane.h"
#include "util/ProgramInfo.h"

using namespace scrivane::app;
using scrivane::app::test::TestContext;
using scrivane::app::test::TestFolders;

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class SamplesTest : public QObject {
    Q_OBJECT
private slots:
    void publishedFilesOfTheBuildTree();
    void samplesListedWithTheirDescriptions();
    void okChoosesAndCancelClears();
    void sampleFilesCommand();
    void aboutBoxNamesTheProgramAndVersion();
    void helpOpensTheManualThatExists();
    void newTextsHaveTheirFrenchTranslation();
};

// Run from the build tree (the data folder is the source tree's), samples and manuals
// come from the build's data folder; any other data folder holds its own.
void SamplesTest::publishedFilesOfTheBuildTree() {
    TestFolders folders;
    qputenv("SCRIVANE_DATA_DIR", SCRIVANE_SOURCE_DATA);
    const AppPaths fromSource = AppPaths::FromEnvironment();
    const QString build = QDir::cleanPath(SCRIVANE_BUILD_DATA);
    QCOMPARE(fromSource.dataFolder(), QDir::cleanPath(SCRIVANE_SOURCE_DATA));
    QCOMPARE(fromSource.samplesFolder(), build + "/samples");
    QCOMPARE(fromSource.manual(true), build + "/scrivane-fr.pdf");
    QCOMPARE(fromSource.readme(), QDir::cleanPath(SCRIVANE_SOURCE_DATA) + "/readme.txt");

    qputenv("SCRIVANE_DATA_DIR", folders.data().toUtf8());
    const AppPaths installed = AppPaths::FromEnvironment();
    QCOMPARE(installed.samplesFolder(), folders.data() + "/samples");
    QCOMPARE(installed.manual(false), folders.data() + "/scrivane.pdf");
}

void SamplesTest::samplesListedWithTheirDescriptions() {
    TestContext t;
    const QString folder = t.paths.samplesFolder();
    WriteFile(folder + "/letter.pdf", "%PDF");
    WriteFile(folder + "/letter.pdf.desc", "A letter, \xe9" "crite en Windows-1252.\r\n");
    WriteFile(folder + "/poster.svg", "<svg/>");
    WriteFile(folder + "/Memo.PDF", "%PDF");
    WriteFile(folder + "/Memo.PDF.desc", "Un m\xc3\xa9mo en UTF-8.");
    WriteFile(folder + "/letter.txt", "not a sample");
    frmSamples window(t.context);
    QCOMPARE(window.sampleNames(), QStringList({"letter.pdf", "Memo.PDF", "poster.svg"}));
    auto* ok = window.findChild<QPushButton*>("cmdOK");
    QVERIFY(!ok->isEnabled());
    window.selectSample("letter.pdf");
    QCOMPARE(window.description(), QString("A letter, \u00e9crite en Windows-1252.\n"));
    QVERIFY(ok->isEnabled());
    window.selectSample("Memo.PDF");
    QCOMPARE(window.description(), QString("Un m\u00e9mo en UTF-8."));
    // Descriptions are read as the editor reads text files: UTF-16 too.
    WriteFile(folder + "/Memo.PDF.desc", QByteArray("\xFE\xFF\0m\x03\xA9\0\r\0\n", 10));
    window.selectSample("letter.pdf");
    window.selectSample("Memo.PDF");
    QCOMPARE(window.description(), QString::fromUtf16(u"m\u03A9\n"));
    window.selectSample("poster.svg");  // no description: an empty box, still choosable
    QCOMPARE(window.description(), QString());
    QVERIFY(ok->isEnabled());

    QDir(folder).removeRecursively();  // no samples folder: an empty list
    frmSamples empty(t.context);
    QVERIFY(empty.sampleNames().isEmpty());
    QVERIFY(!empty.findChild<QPushButton*>("cmdOK")->isEnabled());
}

void SamplesTest::okChoosesAndCancelClears() {
    TestContext t;
    WriteFile(t.paths.samplesFolder() + "/poster.svg", "<svg/>");
    frmSamples window(t.context);
    auto* open = window.findChild<QCheckBox*>("chkOpenFile");
    QVERIFY(open->isChecked());  // OpenSampleFile is "1" unless stored otherwise
    open->setChecked(false);
    QVERIFY(t.settings.openSampleFile().isOff());  // saved at once
    window.cmdOK_Click();
    QCOMPARE(window.chosenSample(), QString());  // nothing selected: nothing chosen
    window.selectSample("poster.svg");
    window.cmdOK_Click();
    QCOMPARE(window.chosenSample(), t.paths.samplesFolder() + "/poster.svg");
    window.cmdCancel_Click();
    QCOMPARE(window.chosenSample(), QString());
    frmSamples again(t.context);
    QVERIFY(!again.findChild<QCheckBox*>("chkOpenFile")->isChecked());
}

// The chosen sample's source text comes into the editor; with OpenSampleFile "1" the
// published file also opens with its usual program. Declining the question about
// unsaved changes, or cancelling the window, opens nothing.
void SamplesTest::sampleFilesCommand() {
    TestContext t;
    frmScrivane main(t.context);
    main.Load();
    const QString source = "Sample text\n<set>fontsize=18\nbig";
    main.editor()->setPlainText(source);
    t.settings.setShowExportOptions(scrivane::kTargetPdf, false);
    t.settings.setOpenAfterExport(scrivane::kTargetPdf, false);
    const QString sample = t.paths.samplesFolder() + "/sample.pdf";
    QDir().mkpath(t.paths.samplesFolder());
    QCOMPARE(main.exports().saveExport("PDF", sample), int(kExportDone));

    main.action("mnuNew")->trigger();
    QTest::keyClicks(main.editor(), "typed, unsaved");
    main.help().chooseSample = [&] { return sample; };
    t.prompts.answers = {Prompts::Answer::Cancel};
    main.action("mnuSampleFiles")->trigger();
    QCOMPARE(main.editor()->toPlainText(), QString("typed, unsaved"));
    QVERIFY(t.prompts.opened.isEmpty());

    t.prompts.answers = {Prompts::Answer::No};
    main.action("mnuSampleFiles")->trigger();
    QCOMPARE(main.editor()->toPlainText(), source);
    QCOMPARE(t.prompts.opened, QStringList({sample}));
    QVERIFY(main.windowTitle().startsWith(DocumentManager::CompactPath(sample, false)));

    t.settings.setOpenSampleFile(false);
    main.action("mnuNew")->trigger();
    main.action("mnuSampleFiles")->trigger();
    QCOMPARE(main.editor()->toPlainText(), source);
    QCOMPARE(t.prompts.opened.size(), 1);

    main.help().chooseSample = [&] {  // the window cancelled after a selection
        frmSamples window(t.context);
        window.selectSample("sample.pdf");
        window.cmdCancel_Click();
        return window.chosenSample();
    };
    main.action("mnuNew")->trigger();
    main.action("mnuSampleFiles")->trigger();
    QCOMPARE(main.editor()->toPlainText(), QString());
}

void SamplesTest::aboutBoxNamesTheProgramAndVersion() {
    TestContext t;
    t.captions.setLangue("Francais");
    frmAbout about(t.captions);
    QCOMPARE(about.windowTitle(), QString(scrivane::kProgramName));
    QCOMPARE(about.findChild<QLabel*>("lblMain")->text(),
             "Dorvex " + QString(scrivane::kProgramName));
    QCOMPARE(about.findChild<QLabel*>("lblVersion")->text(),
             "Version " + QString(scrivane::kProgramVersion));
    QCOMPARE(QString(scrivane::kProgramVersion).count('.'), 2);  // major.minor.revision
    frmScrivane main(t.context);
    bool shown = false;
    main.help().showAbout = [&] { shown = true; };
    main.action("mnuAbout")->trigger();
    QVERIFY(shown);
}

// The manual of the language, else the other one; when neither exists the message names
// the missing file.
void SamplesTest::helpOpensTheManualThatExists() {
    TestContext t;
    frmScrivane main(t.context);
    main.action("mnuHelp")->trigger();
    QCOMPARE(t.prompts.asked.last(), "Error: File " + t.paths.manual(false) + " not found");
    QVERIFY(t.prompts.opened.isEmpty());

    WriteFile(t.paths.manual(false), "%PDF");
    t.settings.setLanguage("Francais");
    main.action("mnuHelp")->trigger();
    QCOMPARE(t.prompts.opened, QStringList({t.paths.manual(false)}));
    WriteFile(t.paths.manual(true), "%PDF");
    main.action("mnuHelp")->trigger();
    QCOMPARE(t.prompts.opened.last(), t.paths.manual(true));
    t.settings.setLanguage("English");
    main.action("mnuHelp")->trigger();
    QCOMPARE(t.prompts.opened.last(), t.paths.manual(false));
}

// The captions and messages of the favorites, the preferences and the Help menu.
void SamplesTest::newTextsHaveTheirFrenchTranslation() {
    clsCaption captions(SCRIVANE_SOURCE_DATA);
    captions.setLangue("Francais");
    const QStringList shownCaptions = {
        "Add a favorite", "Favorite name", "Open favorite in a new window", "Cancel", "Number",
        "Properties", "Delete", "Close", "Favorite", "Favorite number", "Favorites",
        "Add to a favorite", "Preferences", "General", "Others", "Select the language to use",
        "Show toolbar", "Show status bar", "Show recent files list", "Show favorites menu",
        "Adjust Text Box Height", "Optimize PDF file size", "Animate SVG files",
        "Open favorites in a new window", "Sample Files", "Open File"};
    for (const QString& caption : shownCaptions) {
        QVERIFY2(captions.m(caption) != caption, qPrintable(caption));
    }
    for (const QString& message : {"Max favorites", "No file open", "Error",
                                   "This favorite number already exists"}) {
        QVERIFY2(captions.e(message) != message, qPrintable(message));
    }
    const QString named = captions.e("File %filename% not found");
    QVERIFY(named != "File %filename% not found" && named.contains("%filename%"));
}

QTEST_MAIN(SamplesTest)
#include "SamplesTest.moc"

// The preferences window, and the main window following them at once.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include "AppTestSupport.h"
#include "dialogs/frmPreferences.h"
#include "format/OutputFormats.h"
#include "shell/ExportCommands.h"
#include "shell/MenuMnemonics.h"
#include "shell/frmScrivane.h"
#include "util/ProgramInfo.h"

using namespace scrivane::app;
using scrivane::app::test::TestContext;

namespace {

// The window's controls by name.
struct Controls {
    explicit Controls(frmPreferences& window) : w(window) {}
    QCheckBox* check(const char* name) const { return w.findChild<QCheckBox*>(name); }
    QComboBox* language() const { return w.findChild<QComboBox*>("cmbLanguage"); }
    QLineEdit* height() const { return w.findChild<QLineEdit*>("txtAdjustTextBoxHeight"); }
    // The ticked boxes, in the order of the window.
    QStringList ticked() const {
        QStringList names;
        for (const char* name : kChecks) {
            if (check(name)->isChecked()) names << name;
        }
        return names;
    }
    static constexpr const char* kChecks[] = {
        "chkShowToolbar",         "chkShowStatusBar", "chkShowRecentFiles",
        "chkShowFavorites",       "chkOptimizePDFFileSize", "chkAnimateSVG",
        "chkOpenFavoritesNewWindow"};
    frmPreferences& w;
};

// Values as a hand edit or an older version may have left them in the store.
void StoreRaw(TestContext& t, const QList<QPair<QString, QString>>& values) {
    {
        QSettings raw(t.paths.settingsStore(), QSettings::IniFormat);
        for (const auto& [key, value] : values) raw.setValue("settings/" + key.toLower(), value);
    }
    t.settings.sync();
}

QString Raw(TestContext& t, const QString& key) {
    t.settings.sync();
    return QSettings(t.paths.settingsStore(), QSettings::IniFormat)
        .value("settings/" + key.toLower())
        .toString();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class PreferencesTest : public QObject {
    Q_OBJECT
private slots:
    void defaultsShown();
    void oddStoredValuesShown();
    void okStoresEveryValue();
    void cancelStoresNothing();
    void mainWindowFollowsAtOnce();
    void nextExportUsesOptimisationAndAnimation();
};

// With nothing stored: toolbar, recent files and Favorites menu ticked, the rest not,
// height 0, English.
void PreferencesTest::defaultsShown() {
    TestContext t;
    frmPreferences window(t.context);
    Controls c(window);
    QCOMPARE(c.ticked(),
             QStringList({"chkShowToolbar", "chkShowRecentFiles", "chkShowFavorites"}));
    QCOMPARE(c.height()->text(), QString("0"));
    QCOMPARE(c.language()->currentText(), QString("English"));
    QCOMPARE(c.language()->itemText(0), QString("English"));
    QVERIFY(c.language()->findText("Fran\u00e7ais") > 0);
}

// Only "0" unticks most boxes (so a word, or the Favorites menu's default letter "O",
// ticks them); only "1" ticks SVG animation and the favorites' new window.
void PreferencesTest::oddStoredValuesShown() {
    TestContext t;
    StoreRaw(t, {{"ShowToolbar", "always"}, {"ShowStatusBar", "yes"}, {"ShowRecentFiles", "0"},
                 {"ShowFavorites", "O"}, {"OptimizePDFFileSize", "2"}, {"AnimateSVGFiles", "yes"},
                 {"OpenFavoritesMode", ""}, {"AdjustTextBoxHeight", "-45"},
                 {"language", "francais"}});
    frmPreferences window(t.context);
    Controls c(window);
    QCOMPARE(c.ticked(), QStringList({"chkShowToolbar", "chkShowStatusBar", "chkShowFavorites",
                                      "chkOptimizePDFFileSize"}));
    QCOMPARE(c.height()->text(), QString("-45"));
    QCOMPARE(c.language()->currentText(), QString("Fran\u00e7ais"));

    StoreRaw(t, {{"language", "Klingon"}, {"OpenFavoritesMode", "1"}});  // no Klingon.lng
    frmPreferences again(t.context);
    QCOMPARE(Controls(again).language()->currentText(), QString("English"));
    QVERIFY(Controls(again).check("chkOpenFavoritesNewWindow")->isChecked());
}

void PreferencesTest::okStoresEveryValue() {
    TestContext t;
    t.settings.setAdjustTextBoxHeight("120");
    {
        frmPreferences window(t.context);
        Controls c(window);
        for (const char* name : Controls::kChecks) c.check(name)->toggle();
        c.language()->setCurrentIndex(c.language()->findText("Fran\u00e7ais"));
        c.height()->setText("abc");  // not a number: the stored height stays
        window.move(150, 300);
        window.cmdOK_Click();
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }
    QCOMPARE(Raw(t, "language"), QString("Francais"));
    const QList<QPair<const char*, const char*>> stored = {
        {"ShowToolbar", "0"},         {"ShowStatusBar", "1"},   {"ShowRecentFiles", "0"},
        {"ShowFavorites", "0"},       {"OptimizePDFFileSize", "1"}, {"AnimateSVGFiles", "1"},
        {"OpenFavoritesMode", "1"},   {"AdjustTextBoxHeight", "120"}};
    for (const auto& [key, value] : stored) QCOMPARE(Raw(t, key), QString(value));
    QCOMPARE(t.settings.dialogLeft(DialogPlace::Preferences), std::optional<int>(150 * 15));
    QCOMPARE(t.settings.dialogTop(DialogPlace::Preferences), std::optional<int>(300 * 15));

    // The next opening shows French again, and the window where it was left.
    frmPreferences again(t.context);
    QCOMPARE(Controls(again).language()->currentText(), QString("Fran\u00e7ais"));
    QCOMPARE(again.pos(), QPoint(150, 300));
    Controls(again).height()->setText(" 75 ");
    again.cmdOK_Click();
    QCOMPARE(Raw(t, "AdjustTextBoxHeight"), QString("75"));
    QCOMPARE(frmPreferences::StoredLanguage("FRAN\u00c7AIS"), QString("Francais"));
    QCOMPARE(frmPreferences::StoredLanguage("English"), QString("English"));
}

void PreferencesTest::cancelStoresNothing() {
    TestContext t;
    frmPreferences window(t.context);
    Controls c(window);
    for (const char* name : Controls::kChecks) c.check(name)->toggle();
    c.language()->setCurrentIndex(c.language()->findText("Fran\u00e7ais"));
    window.cmdCancel_Click();
    QCOMPARE(Raw(t, "language"), QString());
    QCOMPARE(Raw(t, "ShowToolbar"), QString());
    QVERIFY(t.settings.dialogLeft(DialogPlace::Preferences).has_value());  // the place is kept
}

// After OK: captions in the new language, the title, the toolbar, the status line, the
// recent files and the Favorites menu as chosen, without a restart.
void PreferencesTest::mainWindowFollowsAtOnce() {
    TestContext t;
    t.settings.setRecentFile(1, "/tmp/earlier.txt");
    frmScrivane main(t.context);
    main.Load();
    QVERIFY(main.action("mnuRecent1")->isVisible());
    auto* toolbar = main.findChild<QToolBar*>("Toolbar1");
    QVERIFY(!toolbar->isHidden());
    QVERIFY(main.statusBar()->isHidden());

    frmPreferences window(t.context, &main);
    Controls c(window);
    c.language()->setCurrentIndex(c.language()->findText("Fran\u00e7ais"));
    for (const char* name : {"chkShowToolbar", "chkShowStatusBar", "chkShowRecentFiles",
                             "chkShowFavorites"}) {
        c.check(name)->toggle();
    }
    window.cmdOK_Click();
    main.ApplyPreferences();

    QCOMPARE(PlainCaption(main.menuBar()->actions().first()->text()), QString("Fichier"));
    QCOMPARE(PlainCaption(main.action("mnuPreferences")->text()), QString("Pr\u00e9f\u00e9rences..."));
    QVERIFY(main.windowTitle().startsWith("[Sans titre]"));
    QVERIFY(toolbar->isHidden());
    QVERIFY(!main.statusBar()->isHidden());
    QCOMPARE(main.statusText(), QString("Ligne 1 / 1, Col 1"));
    QVERIFY(!main.action("mnuRecent1")->isVisible());
    QVERIFY(!main.action("mnuFavorites")->isVisible());
}

// The export after OK reads the new values: a PDF without its source text, an animated
// SVG.
void PreferencesTest::nextExportUsesOptimisationAndAnimation() {
    TestContext t;
    frmScrivane main(t.context);
    main.Load();
    main.editor()->setPlainText("A line\n<set>fontsize=14\nAnother line");
    for (int code : {scrivane::kTargetPdf, scrivane::kTargetSvg}) {
        t.settings.setShowExportOptions(code, false);
        t.settings.setOpenAfterExport(code, false);
    }
    const QByteArray plain = QByteArray(scrivane::kPdfMarkerPrefix) + scrivane::kProgramVersion;
    const QString before = t.folders.file("before.pdf");
    QCOMPARE(main.exports().saveExport("PDF", before), int(kExportDone));
    QVERIFY(ReadFile(before).contains(plain + "-noc)"));

    frmPreferences window(t.context, &main);
    Controls(window).check("chkOptimizePDFFileSize")->setChecked(true);
    Controls(window).check("chkAnimateSVG")->setChecked(true);
    window.cmdOK_Click();
    main.ApplyPreferences();
    const QString after = t.folders.file("after.pdf");
    QCOMPARE(main.exports().saveExport("PDF", after), int(kExportDone));
    QVERIFY(ReadFile(after).contains(plain + ")"));
    QVERIFY(!ReadFile(after).contains(plain + "-noc)"));
    const QString svg = t.folders.file("after.svg");
    QCOMPARE(main.exports().saveExport("SVG", svg), int(kExportDone));
    QVERIFY(ReadFile(svg).contains("<animate"));
}

QTEST_MAIN(PreferencesTest)
#include "PreferencesTest.moc"

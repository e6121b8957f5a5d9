// The line format editor: how a condition shows and is stored (ranges, "yes", colours),
// adding and deleting conditions, and what OK, Cancel and Save As write.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "AppTestSupport.h"
#include "dialogs/ColourButton.h"
#include "dialogs/frmFormatLine.h"
#include "format/OutputFormats.h"
#include "format/vorFormat.h"
#include "shell/FormatFilePlaces.h"

using namespace scrivane::app;
using namespace scrivane::app::test;
using scrivane::kTargetPdf;
using scrivane::kTargetXhtml;
using scrivane::vorFormat;

namespace {

vorFormat Read(const QString& path) {
    vorFormat format;
    format.ReadFormatFile(EnginePath(path));
    return format;
}

// The colour painted on a button: the middle of its swatch.
QColor Painted(ColourButton* button) {
    const QImage swatch = button->icon().pixmap(button->iconSize()).toImage();
    return swatch.pixelColor(swatch.width() / 2, swatch.height() / 2);
}

struct Editor : test::TestContext {
    QString file = paths.userFolder() + "/ashtm.pdf.format.vantor.dorvex";
    QString shipped = paths.dataFolder() + "/ashtm.pdf.format.vantor.dorvex";
};

}  // namespace

class FormatLineTest : public QObject {
    Q_OBJECT
private slots:
    void conditionsShowInTheirTabs();
    void storingKeepsNumbersOnlyWithinTheirRanges();
    void addAndDeleteConditions();
    void okWritesTheFileCancelWritesNothing();
    void saveAsWritesANamedSetUnderSettings();
};

void FormatLineTest::conditionsShowInTheirTabs() {
    Editor t;
    frmFormatLine editor(t.context, kTargetPdf, t.shipped, t.file);
    QCOMPARE(Control<QTabWidget>(editor, "TabStrip1")->currentIndex(), 0);
    auto* list = Control<QListWidget>(editor, "ListTags");
    QCOMPARE(list->count(), 7);
    QCOMPARE(list->item(0)->text(), QString("Heading 1"));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(Control<QLineEdit>(editor, "txtConditionName")->text(), QString("Heading 1"));
    QCOMPARE(Shown(editor, "cmbConditionType"), QString("leftlinevalue"));
    QCOMPARE(Control<QLineEdit>(editor, "txtConditionValue")->text(), QString("#1 "));
    QCOMPARE(Shown(editor, "cmbShow"), QString("right"));  // held upper-case, shown lower
    QCOMPARE(Shown(editor, "cmbFontSize"), QString("18"));
    QCOMPARE(Shown(editor, "cmbLineLength"), QString());  // 0: not set
    QVERIFY(Control<QPushButton>(editor, "cmdDelete")->isEnabled());

    list->setCurrentRow(5);  // Link: blue text, a link
    QCOMPARE(Control<ColourButton>(editor, "cmdColor")->colourText(), QString("0 0 200"));
    QCOMPARE(Painted(Control<ColourButton>(editor, "cmdColor")), QColor(0, 0, 200));
    QVERIFY(Control<QCheckBox>(editor, "chkIsLink")->isChecked());
    list->setCurrentRow(3);  // Hidden line
    QCOMPARE(Shown(editor, "cmbShow"), QString("no"));
    QVERIFY(!Control<QCheckBox>(editor, "chkIsLink")->isChecked());

    // An empty show value is shown as "yes".
    t.prompts.texts = {"Plain"};
    editor.Add();
    Set(editor, "cmbShow", "yes");
    list->setCurrentRow(0);
    list->setCurrentRow(7);
    QCOMPARE(Shown(editor, "cmbShow"), QString("yes"));
    QVERIFY(editor.format().ListeFormats[7].show.empty());
}

void FormatLineTest::storingKeepsNumbersOnlyWithinTheirRanges() {
    Editor t;
    frmFormatLine editor(t.context, kTargetPdf, t.shipped, t.file);
    Set(editor, "cmbLineLength", "20");  // 21 or more
    Set(editor, "cmbDefaultLineLength", "21");
    Set(editor, "cmbMaxLenLine", "5");  // 6 or more
    Set(editor, "cmbDefaultMaxLenLine", "6");
    Set(editor, "cmbBK", "4");              // 1 to 3
    Set(editor, "cmbLeftMargin", "-12.5");  // any number, to the nearest even
    Set(editor, "cmbDefaultLeftMargin", "ten");
    Control<QLineEdit>(editor, "cmbY")->setText("300");
    Set(editor, "cmbDefaultDeltaY", "99999");  // beyond what a format file holds
    Set(editor, "cmbDefaultFontSize", "9");
    Set(editor, "cmbFontSize", "14.5");  // kept as typed while numeric
    Set(editor, "cmbDeltaY", "wide");    // not numeric: emptied
    Set(editor, "cmbShow", "no");
    Set(editor, "cmbTextAlign", "Justify");
    Control<QCheckBox>(editor, "chkIsHeader")->setChecked(true);
    Control<QLineEdit>(editor, "txtImageFile")->setText("%apppath%/logo.jpg");
    t.prompts.colours = {QColor(10, 20, 30)};
    Control<ColourButton>(editor, "cmdDefaultFontColor")->click();
    QCOMPARE(Painted(Control<ColourButton>(editor, "cmdDefaultFontColor")), QColor(10, 20, 30));
    Control<ColourButton>(editor, "cmdColor")->click();  // cancelled: no colour is set
    QCOMPARE(Control<ColourButton>(editor, "cmdColor")->colourText(), QString());

    Control<QListWidget>(editor, "ListTags")->setCurrentRow(1);  // storing happens here
    const vorFormat& c = editor.format().ListeFormats[0];
    QCOMPARE(c.linelength, int16_t(0));
    QCOMPARE(c.DefaultLineLength, int16_t(21));
    QCOMPARE(c.MaxLenLine, int16_t(0));
    QCOMPARE(c.DefaultMaxLenLine, int16_t(6));
    QCOMPARE(c.bk, int16_t(0));
    QCOMPARE(c.x, int16_t(-12));
    QCOMPARE(c.DefaultX, int16_t(0));
    QCOMPARE(c.SetY, int16_t(300));
    QCOMPARE(c.DefaultDY, int16_t(0));
    QCOMPARE(c.DefaultFontSize, int16_t(9));
    QCOMPARE(c.fontsize, std::string("14.5"));
    QCOMPARE(c.dy, std::string());
    QCOMPARE(c.show, std::string("no"));
    QCOMPARE(c.FontAlign, std::string("Justify"));
    QVERIFY(c.isHeader);
    QCOMPARE(c.ImageFile, std::string("%apppath%/logo.jpg"));
    QCOMPARE(c.DefaultFontColor, std::string("10 20 30"));
    QCOMPARE(c.fontcolor, std::string());

    int red, green, blue;  // a colour written by hand
    ColourButton::Parts("1 x 300", red, green, blue);
    QCOMPARE(QList<int>({red, green, blue}), QList<int>({1, 0, 255}));
}

void FormatLineTest::addAndDeleteConditions() {
    Editor t;
    frmFormatLine editor(t.context, kTargetPdf, t.shipped, t.file);
    auto* list = Control<QListWidget>(editor, "ListTags");
    t.prompts.texts = {""};
    editor.Add();  // no name: nothing added
    QCOMPARE(list->count(), 7);
    t.prompts.texts = {"Chapter"};
    editor.Add();
    QCOMPARE(list->count(), 8);
    QCOMPARE(list->currentRow(), 7);
    const vorFormat& added = editor.format().ListeFormats.back();
    QCOMPARE(added.conditionName, std::string("Chapter"));
    QCOMPARE(added.conditionValue, std::string("Chapter"));
    QCOMPARE(added.conditionType, std::string("leftlinevalue"));
    QCOMPARE(added.show, std::string("right"));

    list->setCurrentRow(2);
    Set(editor, "cmbFontSize", "11");
    Control<QPushButton>(editor, "cmdDelete")->click();  // Heading 3 goes, unstored
    QCOMPARE(list->count(), 7);
    QCOMPARE(list->currentItem()->text(), QString("Hidden line"));
    QCOMPARE(editor.format().ListeFormats[2].conditionName, std::string("Hidden line"));
    QVERIFY(editor.format().ListeFormats[2].fontsize.empty());
    while (list->count() > 0) Control<QPushButton>(editor, "cmdDelete")->click();
    QVERIFY(!Control<QPushButton>(editor, "cmdDelete")->isEnabled());
    QVERIFY(!Control<QTabWidget>(editor, "TabStrip1")->isEnabled());
    editor.accept();
    QVERIFY(!FileBytes(t.file).contains("<line>"));  // every condition deleted
    QVERIFY(FileBytes(t.file).contains("<dorvex"));
}

void FormatLineTest::okWritesTheFileCancelWritesNothing() {
    Editor t;
    {
        frmFormatLine editor(t.context, kTargetPdf, t.shipped, t.file);
        Set(editor, "cmbFontSize", "20");
        editor.reject();
        QVERIFY(!QFile::exists(t.file));  // the template is read, the user's file written
    }
    frmFormatLine editor(t.context, kTargetPdf, t.shipped, t.file);
    Set(editor, "cmbFontSize", "20");
    Set(editor, "cmbShow", "yes");
    Set(editor, "cmbLineLength", "20");
    editor.accept();
    const QByteArray written = FileBytes(t.file);
    const vorFormat saved = Read(t.file);
    QCOMPARE(saved.ListeFormats.size(), size_t(7));
    QCOMPARE(saved.ListeFormats[0].fontsize, std::string("20"));
    QVERIFY(saved.ListeFormats[0].show.empty());
    QVERIFY(!written.contains("<linelength>"));
    // The file's defaults stay as they were: none of the fill-ins of reading.
    QVERIFY(!written.contains("<fontsize>12</fontsize>"));
    QVERIFY(written.contains("<fontname></fontname>") || written.contains("<fontname />"));
    QVERIFY(FileBytes(t.shipped).contains("<fontsize>18</fontsize>"));  // template untouched
}

void FormatLineTest::saveAsWritesANamedSetUnderSettings() {
    Editor t;
    frmFormatLine editor(t.context, kTargetXhtml,
                         t.paths.dataFolder() + "/ashtm.htm.format.vantor.dorvex",
                         t.paths.userFolder() + "/ashtm.htm.format.vantor.dorvex");
    Set(editor, "cmbFontName", "Verdana");
    t.prompts.saveNames = {t.paths.settingsFolder() + "/Web"};
    Control<QPushButton>(editor, "cmdSaveAs")->click();
    QCOMPARE(t.prompts.lastFolderShown, t.paths.settingsFolder());
    QCOMPARE(t.prompts.lastFiltersShown,
             QStringList({"Format Line Options Files (*.htm.format.vantor.dorvex)"}));
    const QString set = t.paths.settingsFolder() + "/Web.htm.format.vantor.dorvex";
    QCOMPARE(Read(set).ListeFormats[0].fontname, std::string("Verdana"));
    QCOMPARE(FormatFilePlaces(t.paths).namedSets(kTargetXhtml), QStringList({"Web"}));

    t.prompts.saveNames = {t.paths.userFolder() + "/ashtm.htm.format.vantor.dorvex"};
    editor.SaveAs();
    QCOMPARE(t.prompts.asked.last(), QString("Error: You cannot use this filename"));
    QVERIFY(!QFile::exists(t.paths.userFolder() + "/ashtm.htm.format.vantor.dorvex"));
}

QTEST_MAIN(FormatLineTest)
#include "FormatLineTest.moc"

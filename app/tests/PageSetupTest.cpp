// Page setup: what it shows of the export options' format object, the ranges OK
// accepts, the line spacing kept as a baseline distance, and the page types.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "AppTestSupport.h"
#include "dialogs/frmFormat.h"
#include "dialogs/frmPageSetup.h"
#include "format/OutputFormats.h"
#include "format/vorFormat.h"
#include "shell/ExportCommands.h"

using namespace scrivane::app;
using namespace scrivane::app::test;
using scrivane::kTargetPdf;
using scrivane::vorFormat;

namespace {

// A format object as the export options window holds it: read defaults, font size 12.
vorFormat Working() {
    vorFormat f;
    f.ApplyReadFallbacks();
    f.fontsize = "12";
    return f;
}

// Runs the window on the format with the given values typed, then OK.
vorFormat After(test::TestContext& t, vorFormat f, const std::function<void(frmPageSetup&)>& type) {
    frmPageSetup dialog(t.context, f);
    type(dialog);
    Control<QPushButton>(dialog, "cmdOK")->click();
    return f;
}

}  // namespace

class PageSetupTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheFormatsValues();
    void okTakesNumbersWithinTheirRanges();
    void lineSpacingIsTheSpaceBetweenLines();
    void pageTypesFillTheSize();
    void cancelChangesNothing();
    void exportOptionsHandTheirValuesToPageSetup();
};

void PageSetupTest::showsTheFormatsValues() {
    test::TestContext t;
    vorFormat f = Working();
    f.DefaultMaxLenLine = 80;
    f.DefaultLineLength = 400;
    f.DefaultFontAlign = "justify";
    f.DefaultPageWidth = "612";
    f.DefaultPageHeight = "1008";
    frmPageSetup dialog(t.context, f);
    QCOMPARE(dialog.windowTitle(), QString("Page Setup"));
    QCOMPARE(Shown(dialog, "cmbLeftMargin"), QString("40"));
    QCOMPARE(Shown(dialog, "cmbTopMargin"), QString("50"));
    QCOMPARE(Shown(dialog, "cmbDeltaY"), QString("4"));  // 16 - 12
    QCOMPARE(Shown(dialog, "cmbMaxLenLine"), QString("80"));
    QCOMPARE(Shown(dialog, "cmbLineLen"), QString("400"));
    QCOMPARE(Shown(dialog, "cmbTextAlignment"), QString("justify"));
    QCOMPARE(Shown(dialog, "cmbTypePage"), QString("Legal"));
    f.DefaultPageHeight = "1000";
    frmPageSetup other(t.context, f);
    QCOMPARE(Control<QComboBox>(other, "cmbTypePage")->currentIndex(), -1);  // no such type
}

void PageSetupTest::okTakesNumbersWithinTheirRanges() {
    test::TestContext t;
    vorFormat f = After(t, Working(), [](frmPageSetup& d) {
        Set(d, "cmbLeftMargin", "250");
        Set(d, "cmbTopMargin", "400");
        Set(d, "cmbMaxLenLine", "5");
        Set(d, "cmbLineLen", "20");
        Set(d, "cmbTextAlignment", "Right");
        Control<QLineEdit>(d, "txtPageWidth")->setText("-612");
        Control<QLineEdit>(d, "txtPageHeight")->setText("tall");
    });
    QCOMPARE(f.DefaultX, int16_t(40));
    QCOMPARE(f.DefaultY, int16_t(400));
    QCOMPARE(f.DefaultMaxLenLine, int16_t(100));
    QCOMPARE(f.DefaultLineLength, int16_t(0));
    QCOMPARE(f.DefaultFontAlign, std::string("Right"));
    QCOMPARE(f.DefaultPageWidth, std::string());
    QCOMPARE(f.DefaultPageHeight, std::string());

    f = After(t, Working(), [](frmPageSetup& d) {
        Set(d, "cmbLeftMargin", "200");
        Set(d, "cmbTopMargin", "401");
        Set(d, "cmbMaxLenLine", "6");
        Set(d, "cmbLineLen", "21");
        Control<QLineEdit>(d, "txtPageWidth")->setText("600.5");
        Control<QLineEdit>(d, "txtPageHeight")->setText("40000");  // more than a file holds
    });
    QCOMPARE(f.DefaultX, int16_t(200));
    QCOMPARE(f.DefaultY, int16_t(50));
    QCOMPARE(f.DefaultMaxLenLine, int16_t(6));
    QCOMPARE(f.MaxLenLine, int16_t(6));
    QCOMPARE(f.DefaultLineLength, int16_t(21));
    QCOMPARE(f.DefaultPageWidth, std::string("600"));
    QCOMPARE(f.DefaultPageHeight, std::string());
}

void PageSetupTest::lineSpacingIsTheSpaceBetweenLines() {
    test::TestContext t;
    vorFormat f = After(t, Working(), [](frmPageSetup& d) {
        QCOMPARE(Shown(d, "cmbDeltaY"), QString("4"));
        Set(d, "cmbDeltaY", "6");
    });
    QCOMPARE(f.DefaultDY, int16_t(18));
    f = After(t, Working(), [](frmPageSetup& d) { Set(d, "cmbDeltaY", "21"); });
    QCOMPARE(f.DefaultDY, int16_t(16));  // out of range

    // A size typed in the export options counts: 10 points with 6 between lines.
    vorFormat smaller = Working();
    smaller.fontsize = "10";
    QCOMPARE(After(t, smaller, [](frmPageSetup& d) { Set(d, "cmbDeltaY", "6"); }).DefaultDY,
             int16_t(16));
    // Without a font size to add to, the spacing stays.
    for (const char* size : {"", "big"}) {
        vorFormat unknown = Working();
        unknown.fontsize = size;
        QCOMPARE(After(t, unknown, [](frmPageSetup& d) { Set(d, "cmbDeltaY", "6"); }).DefaultDY,
                 int16_t(16));
    }
}

void PageSetupTest::pageTypesFillTheSize() {
    test::TestContext t;
    const vorFormat f = After(t, Working(), [](frmPageSetup& d) {
        auto* types = Control<QComboBox>(d, "cmbTypePage");
        for (const char* name : {"A4", "Legal", "Letter"}) {
            types->setCurrentText(name);
            emit types->textActivated(name);
        }
        QCOMPARE(Control<QLineEdit>(d, "txtPageWidth")->text(), QString("612"));
        QCOMPARE(Control<QLineEdit>(d, "txtPageHeight")->text(), QString("792"));
        Control<QLineEdit>(d, "txtPageWidth")->setText("600");
    });
    QCOMPARE(f.DefaultPageWidth, std::string("600"));
    QCOMPARE(f.DefaultPageHeight, std::string("792"));
}

void PageSetupTest::cancelChangesNothing() {
    test::TestContext t;
    vorFormat f = Working();
    frmPageSetup dialog(t.context, f);
    Set(dialog, "cmbLeftMargin", "90");
    Control<QPushButton>(dialog, "cmdCancel")->click();
    QCOMPARE(f.DefaultX, int16_t(40));
    QVERIFY(t.settings.dialogLeft(DialogPlace::PageSetup).has_value());  // place stored
}

void PageSetupTest::exportOptionsHandTheirValuesToPageSetup() {
    test::TestContext t;
    DocumentProperties properties;
    frmFormat options(t.context, kTargetPdf, properties);
    Control<QLineEdit>(options, "txtTitle")->setText("T");
    Control<QLineEdit>(options, "txtKeywords")->setText("not copied");
    Control<QComboBox>(options, "cmbFontName")->setCurrentText("Courier");
    Control<QComboBox>(options, "cmbFontSize")->setCurrentText("10");
    t.prompts.dialogs = {[](QDialog& pageSetup) {
        QCOMPARE(pageSetup.objectName(), QString("frmPageSetup"));
        Set(pageSetup, "cmbDeltaY", "2");
        Control<QPushButton>(pageSetup, "cmdOK")->click();
    }};
    Control<QPushButton>(options, "cmdPageSetup")->click();
    QCOMPARE(options.format().title, std::string("T"));
    QCOMPARE(options.format().keywords, std::string());
    QCOMPARE(options.format().fontname, std::string("Courier"));
    QCOMPARE(options.format().DefaultDY, int16_t(12));  // 2 over the 10 typed
    options.accept();
    vorFormat saved;
    saved.ReadFormatFile(t.paths.userFolder().toStdString() + "/default.pdf.format.vantor.dorvex");
    QCOMPARE(saved.DefaultDY, int16_t(12));
    QCOMPARE(saved.DefaultFont, std::string("Courier"));
}

QTEST_MAIN(PageSetupTest)
#include "PageSetupTest.moc"

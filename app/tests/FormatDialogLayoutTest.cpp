// The export options, line format and page setup windows hold their captions in English
// and in French: no text is cut off, no control covers another, every caption is
// translated. With SCRIVANE_SHOTS set to a folder, pictures of them are saved there.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

#include "AppTestSupport.h"
#include "dialogs/frmFormat.h"
#include "dialogs/frmFormatLine.h"
#include "dialogs/frmPageSetup.h"
#include "format/OutputFormats.h"
#include "shell/ExportCommands.h"

using namespace scrivane::app;
using scrivane::kTargetPdf;
using scrivane::vorFormat;

namespace {

// The text a widget shows, when it shows one.
QString ShownText(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    return {};
}

// Every visible control of a window or tab page is as wide as its text needs, and lies
// apart from the others.
void CheckFits(QWidget& window, const QString& what) {
    const QList<QWidget*> controls = window.findChildren<QWidget*>();
    QList<QWidget*> leaves;
    for (QWidget* control : controls) {
        if (!control->isVisible() || !control->findChildren<QWidget*>().isEmpty()) continue;
        if (qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control) ||
            qobject_cast<QLineEdit*>(control)) {
            leaves << control;
        }
        if (!ShownText(control).isEmpty()) {
            QVERIFY2(
                control->width() >= control->sizeHint().width(),
                qPrintable(what + ": " + control->objectName() + " cut: " + ShownText(control)));
        }
    }
    for (int i = 0; i < leaves.size(); ++i) {
        const QRect a(leaves[i]->mapTo(&window, QPoint()), leaves[i]->size());
        for (int j = i + 1; j < leaves.size(); ++j) {
            if (leaves[i]->parentWidget() != leaves[j]->parentWidget()) continue;
            const QRect b(leaves[j]->mapTo(&window, QPoint()), leaves[j]->size());
            QVERIFY2(!a.intersects(b), qPrintable(what + ": " + leaves[i]->objectName() +
                                                  " overlaps " + leaves[j]->objectName()));
        }
    }
}

// The controls Tab goes through, in order, from the first one of the window.
QStringList TabOrder(QWidget& window, QWidget* first) {
    QStringList names;
    QWidget* widget = first;
    do {
        // An editable list's own text box is part of the list.
        const bool inner = qobject_cast<QComboBox*>(widget->parentWidget()) != nullptr;
        if (!inner && widget->isVisible() && widget->isEnabled() &&
            (widget->focusPolicy() & Qt::TabFocus)) {
            names << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != first && widget != &window && names.size() < 100);
    return names;
}

void Shoot(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("SCRIVANE_SHOTS");
    if (!folder.isEmpty()) window.grab().save(folder + "/" + name + ".png");
}

// Shows the window as a person would see it, checks it and takes its picture.
void Look(QWidget& window, const QString& name) {
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CheckFits(window, name);
    Shoot(window, name);
}

}  // namespace

class FormatDialogLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void windowsHoldTheirCaptions_data();
    void windowsHoldTheirCaptions();
};

void FormatDialogLayoutTest::windowsHoldTheirCaptions_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QString();
    QTest::newRow("French") << QString("Francais");
}

void FormatDialogLayoutTest::windowsHoldTheirCaptions() {
    QFETCH(QString, language);
    test::TestContext t;
    t.captions.setLangue(language);
    const QString suffix = language.isEmpty() ? "-en" : "-fr";
    DocumentProperties properties;

    frmFormat options(t.context, kTargetPdf, properties);
    Look(options, "frmFormat" + suffix);
    if (!language.isEmpty()) {
        QVERIFY(options.windowTitle() != "PDF Export");
        QVERIFY(!options.findChild<QAbstractButton*>("chkShow")->text().contains("Show this"));
    }

    QCOMPARE(TabOrder(options, options.findChild<QWidget*>("txtTitle")),
             QStringList({"txtTitle", "txtSubject", "txtAuthor", "txtKeywords", "cmbFontName",
                          "cmbFontSize", "chkShow", "chkOpenFile", "chkUseAsHTM", "cmbAshtmFile",
                          "cmdFormatLine", "cmdPageSetup", "cmdOK", "cmdCancel"}));

    frmPageSetup pageSetup(t.context, options.format());
    Look(pageSetup, "frmPageSetup" + suffix);

    const QString lineOptions = t.paths.dataFolder() + "/ashtm.pdf.format.vantor.dorvex";
    frmFormatLine editor(t.context, kTargetPdf, lineOptions, QString());
    auto* tabs = editor.findChild<QTabWidget*>("TabStrip1");
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        Look(editor, QString("frmFormatLine%1-tab%2").arg(suffix).arg(tab + 1));
    }
    if (!language.isEmpty()) QVERIFY(tabs->tabText(3) != "Others");
}

QTEST_MAIN(FormatDialogLayoutTest)
#include "FormatDialogLayoutTest.moc"

// Language files: the INI reader and writer, caption lookup, the language list, the
// language window and the shipped French file.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "AppTestSupport.h"
#include "lang/IniFile.h"
#include "lang/clsCaption.h"
#include "lang/frmLanguage.h"

using namespace scrivane::app;
using scrivane::app::test::TestFolders;

namespace {

QString ShippedDataFolder() {
    // Earlier tests may leave the variable set but empty.
    const QString folder = qEnvironmentVariable("SCRIVANE_DATA_DIR");
    return folder.isEmpty() ? QStringLiteral(SCRIVANE_SOURCE_DATA) : folder;
}

}  // namespace

class LangTest : public QObject {
    Q_OBJECT
private slots:
    void iniReadRules_data();
    void iniReadRules();
    void iniReadsWindows1252AndUtf8();
    void iniWriteKeepsOtherLines();
    void lookupFallsBackToEnglish();
    void languageFileIsReadOncePerLanguage();
    void cachedLookupsAnswerAsTheFileDoes();
    void languageListNaming();
    void languageWindow();
    void closingTheWindowKeepsTheSelection();
    void shippedFrenchFile();
};

// One file, many lookups: each row is a rule of the reader.
void LangTest::iniReadRules_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no letter case") << "CAPTIONS" << "file" << "Fichier";
    QTest::newRow("first = ends the key") << "Captions" << "a" << "b=c";
    QTest::newRow("blanks dropped") << "Captions" << "Spaced Key" << "spaced value";
    QTest::newRow("quotes dropped") << "Captions" << "quoted" << " in quotes ";
    QTest::newRow("254 characters") << "Captions" << "long" << QString(254, 'v');
    QTest::newRow("first of two") << "Captions" << "twice" << "first";
    QTest::newRow("comment") << "Captions" << "hidden" << "default";
    QTest::newRow("empty value") << "Captions" << "empty" << "default";
    QTest::newRow("line without =") << "Captions" << "no equals here" << "default";
    QTest::newRow("other section") << "Errors" << "file" << "default";
    QTest::newRow("LF after CR LF") << "Errors" << "last" << "LF";
}

void LangTest::iniReadRules() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TestFolders folders(true);
    const QString path = folders.file("rules.ini");
    scrivane::app::test::WriteFileBytes(path, "[ Captions ]\r\nFile=Fichier\r\na=b=c\r\n  Spaced Key   =   spaced value  \r\n"
                     "quoted=\" in quotes \"\r\nlong=" + QByteArray(300, 'v') + "\r\n"
                     "twice=first\r\nTWICE=second\r\n;hidden=yes\r\nempty=\r\nno equals here\r\n"
                     "[Errors]\nlast=LF\n");
    QCOMPARE(IniFile::ReadValue(path, section, key, "default"), expected);
}

void LangTest::iniReadsWindows1252AndUtf8() {
    TestFolders folders(true);
    const QString ansi = folders.file("ansi.ini"), utf8 = folders.file("utf8.ini");
    scrivane::app::test::WriteFileBytes(ansi, "[S]\nk=\xE9t\xE9 \x80\x92\n");
    scrivane::app::test::WriteFileBytes(utf8, "\xEF\xBB\xBF[S]\nk=\xC3\xA9t\xC3\xA9\n");
    QCOMPARE(IniFile::ReadValue(ansi, "S", "k"), QString::fromUtf8("été €’"));
    QCOMPARE(IniFile::ReadValue(utf8, "S", "k"), QString::fromUtf8("été"));
    QCOMPARE(IniFile::ReadValue(folders.file("missing.ini"), "S", "k", "dflt"), "dflt");
}

void LangTest::iniWriteKeepsOtherLines() {
    TestFolders folders(true);
    const QString path = folders.file("keep.ini");
    scrivane::app::test::WriteFileBytes(path, "; note\r\n[Files]\r\n1FileName=a\r\n\r\n[Other]\r\nx = 1\r\n");
    QVERIFY(IniFile::WriteValue(path, "files", "1filename", "b"));  // replaced in place
    QVERIFY(IniFile::WriteValue(path, "Files", "2FileName", "c"));  // added to its section
    QVERIFY(IniFile::WriteValue(path, "New", "k", "v"));            // new section at the end
    QCOMPARE(scrivane::app::test::FileBytes(path), QByteArray("; note\r\n[Files]\r\n1filename=b\r\n2FileName=c\r\n\r\n"
                                         "[Other]\r\nx = 1\r\n\r\n[New]\r\nk=v\r\n"));
    // Values the reader would trim or unquote come back as written.
    for (const QString& value : {QString(" padded "), QString("\"quoted\"")}) {
        QVERIFY(IniFile::WriteValue(path, "S", "k", value));
        QCOMPARE(IniFile::ReadValue(path, "S", "k"), value);
    }
    QVERIFY(!IniFile::WriteValue(folders.file("no/folder/x.ini"), "S", "k", "v"));
}

void LangTest::lookupFallsBackToEnglish() {
    TestFolders folders(true);
    // A careless path join would make ".lng" the file of the empty language.
    scrivane::app::test::WriteFileBytes(folders.data() + "/.lng", "[Captions]\nFile=Fichier\n");
    clsCaption captions(folders.data());
    QCOMPARE(captions.m("File"), QString("File"));
    captions.setLangue("Francais");  // no such file yet
    QCOMPARE(captions.m("File"), QString("File"));

    scrivane::app::test::WriteFileBytes(folders.data() + "/FRANCAIS.LNG",
               "[Captions]\nFile=Fichier\nEdit=\nOpen=\"\"\n[Errors]\nMessage=Texte\n");
    // A missing file is remembered as missing: no lookup searches the folder again...
    QCOMPARE(captions.m("File"), QString("File"));
    captions.setLangue("Francais");  // ...until the language is set again
    QCOMPARE(captions.m("File"), QString("Fichier"));
    QCOMPARE(captions.e("File"), QString("File"));  // the sections are distinct
    QCOMPARE(captions.e("Message"), QString("Texte"));
    QCOMPARE(captions.m("Message"), QString("Message"));
    QCOMPARE(captions.m("Edit"), QString("Edit"));  // empty translations
    QCOMPARE(captions.m("Open"), QString("Open"));
}

void LangTest::languageFileIsReadOncePerLanguage() {
    TestFolders folders(true);
    const QString french = folders.data() + "/Francais.lng";
    scrivane::app::test::WriteFileBytes(french, "[Captions]\nFile=Fichier\n");
    scrivane::app::test::WriteFileBytes(folders.data() + "/Deutsch.lng", "[Captions]\nFile=Datei\n");
    clsCaption captions(folders.data());
    captions.setLangue("Francais");
    QCOMPARE(captions.m("File"), QString("Fichier"));
    // Read once: a later change of the file is not seen while the language stays...
    scrivane::app::test::WriteFileBytes(french, "[Captions]\nFile=Dossier\n");
    QCOMPARE(captions.m("File"), QString("Fichier"));
    captions.setLangue("Francais");  // setting the same language changes nothing
    QCOMPARE(captions.m("File"), QString("Fichier"));
    // ...and another language takes effect at once, its own file read anew.
    captions.setLangue("Deutsch");
    QCOMPARE(captions.m("File"), QString("Datei"));
    captions.setLangue("Francais");
    QCOMPARE(captions.m("File"), QString("Dossier"));
    captions.setLangue(QString());
    QCOMPARE(captions.m("File"), QString("File"));
    // A file that goes away keeps its texts until the language changes.
    captions.setLangue("Deutsch");
    QCOMPARE(captions.m("File"), QString("Datei"));
    QVERIFY(QFile::remove(folders.data() + "/Deutsch.lng"));
    QCOMPARE(captions.m("File"), QString("Datei"));
}

// Every lookup through the cache gives what reading the file for it gives.
void LangTest::cachedLookupsAnswerAsTheFileDoes() {
    const QString shipped = ShippedDataFolder() + "/Francais.lng";  // before the folders move
    TestFolders folders(true);
    const QString crafted = folders.data() + "/crafted.lng";
    scrivane::app::test::WriteFileBytes(crafted,
               "File=before any section\n[ Captions ]\r\nFile=Fichier\r\na=b=c\r\n"
               "  Spaced Key   =   spaced value  \r\nquoted=\" in quotes \"\r\nlong=" +
                   QByteArray(300, 'v') + "\r\ntwice=first\r\nTWICE=second\r\n;hidden=yes\r\n"
                   "empty=\r\nempty=later\r\nno equals here\r\n[Errors]\nlast=LF\n"
                   "[captions]\nFile=again\nlate=in a repeated section\n"
                   "\xC3\x89t\xC3\xA9=\xC3\xA9t\xC3\xA9\n[]\nnameless=x\n");
    const QStringList craftedKeys = {
        "File", "FILE", " file ", "a", "a=b", "Spaced Key", "spaced key", "quoted", "long",
        "twice", "Twice", "hidden", ";hidden", "empty", "no equals here", "last", "late",
        QString::fromUtf8("été"), QString::fromUtf8("ÉTÉ"), "nameless", "missing"};
    QStringList shippedKeys;
    for (const QString& line : QString::fromUtf8(scrivane::app::test::FileBytes(shipped)).split('\n')) {
        const QString key = line.section('=', 0, 0).trimmed();
        if (line.contains('=') && !key.startsWith(';')) shippedKeys << key << key.toUpper();
    }
    QVERIFY(shippedKeys.size() > 100);

    const QList<QPair<QString, QStringList>> files = {{crafted, craftedKeys},
                                                       {shipped, shippedKeys}};
    for (const auto& [file, keys] : files) {
        clsCaption captions(QFileInfo(file).absolutePath());
        captions.setLangue(QFileInfo(file).completeBaseName());
        for (const QString& key : keys) {
            QCOMPARE(captions.m(key), IniFile::ReadValue(file, "Captions", key, key));
            QCOMPARE(captions.e(key), IniFile::ReadValue(file, "Errors", key, key));
        }
    }
}

void LangTest::languageListNaming() {
    TestFolders folders(true);
    for (const char* name : {"deutsch.lng", "x.lng", "English.lng", "FRANCAIS.LNG", "espaNOL.lng",
                             ".lng", "notes.txt"}) {
        scrivane::app::test::WriteFileBytes(folders.data() + "/" + name, "[Captions]\n");
    }
    QStringList languages = clsCaption(folders.data()).AvailableLanguages();
    QCOMPARE(languages.value(0), QString("English"));
    languages.removeFirst();
    languages.sort();
    QCOMPARE(languages, QStringList({"Deutsch", "EspaNOL", QString::fromUtf8("Français"), "X"}));
}

void LangTest::languageWindow() {
    TestFolders folders(true);
    scrivane::app::test::WriteFileBytes(folders.data() + "/Francais.lng",
               "[Captions]\nSelect language=Langue\nSelect the language to use=Choisissez\n");
    scrivane::app::test::WriteFileBytes(folders.data() + "/deutsch.lng", "[Captions]\n");
    clsCaption captions(folders.data());
    const QList<QPair<QString, QString>> shownFor = {
        {"", "English"}, {"Klingon", "English"}, {"Francais", QString::fromUtf8("Français")},
        {"deutsch", "Deutsch"}};
    for (const auto& [setting, shown] : shownFor) {
        frmLanguage window(captions, setting);
        QCOMPARE(window.findChild<QComboBox*>("cmbLanguage")->currentText(), shown);
    }
    captions.setLangue("Francais");
    frmLanguage window(captions, "Francais");
    QCOMPARE(window.windowTitle(), QString("Langue"));
    QCOMPARE(window.findChild<QLabel*>("lblLanguage")->text(), QString("Choisissez"));
    QVERIFY(window.findChild<QPushButton*>("cmdOK"));
}

void LangTest::closingTheWindowKeepsTheSelection() {
    TestFolders folders(true);
    scrivane::app::test::WriteFileBytes(folders.data() + "/Francais.lng", "[Captions]\n");
    clsCaption captions(folders.data());
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<frmLanguage*>(QApplication::activeModalWidget());
        if (!window) return;
        seen = true;
        window->findChild<QComboBox*>("cmbLanguage")->setCurrentText(QString::fromUtf8("Français"));
        window->close();  // the close box, not OK
    });
    QTimer::singleShot(5000, [] {  // never hang on a window that stayed open
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    QCOMPARE(frmLanguage::Ask(captions, "English", nullptr), QString("Francais"));
    QVERIFY(seen);
}

void LangTest::shippedFrenchFile() {
    clsCaption captions(ShippedDataFolder());
    captions.setLangue("Francais");
    QCOMPARE(captions.m("File"), QString("Fichier"));
    QCOMPARE(captions.e("File not found"), QString("Fichier introuvable"));
    // Translations keep the placeholders the caller replaces.
    const QList<QPair<QString, QString>> messages = {
        {"File %filename% already exists. Do you want to overwrite it ?", "%filename%"},
        {"%count% character(s) cannot be written in this format and were replaced by \"?\"",
         "%count%"},
        {"No program could open %filename%", "%filename%"},
        {"... and %count% more", "%count%"},
        {"File %filename% not found", "%filename%"},
        {"%filename% holds no text that %program% can show.", "%program%"},
        {"%filename% was not written by %program%: it is shown as text in a new document.",
         "%program%"}};
    for (const auto& [message, placeholder] : messages) {
        const QString shown = captions.e(message);
        QVERIFY2(shown != message && shown.contains(placeholder), qPrintable(shown));
    }
}

QTEST_MAIN(LangTest)
#include "LangTest.moc"

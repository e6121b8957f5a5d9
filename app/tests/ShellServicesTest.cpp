// The shell's small services: command line, settings, format files, the remembered
// caret positions, and text-file encodings.
#include <QFile>
#include <QSettings>
#include <QtTest>

#include "AppTestSupport.h"
#include "format/OutputFormats.h"
#include "format/vorFormat.h"
#include "lang/IniFile.h"
#include "shell/AppPaths.h"
#include "shell/CommandLine.h"
#include "shell/FileInfoStore.h"
#include "shell/AppSettings.h"
#include "shell/TextFileCodec.h"
#include "util/Status.h"

using namespace scrivane::app;
using scrivane::kFormatOk;
using scrivane::kTargetPdf, scrivane::kTargetXhtml, scrivane::kTargetXml, scrivane::kTargetSvg;
using Args = CommandLineArgs;

Q_DECLARE_METATYPE(scrivane::app::CommandLineArgs)

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Entry(const QString& ini, int n) {
    return IniFile::ReadValue(ini, "Files", QString::number(n) + "FileName");
}

}  // namespace

class ShellServicesTest : public QObject {
    Q_OBJECT

private slots:
    void parsesCommandLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<Args>("expected");
        auto file = [](const QString& name) { return Args{{"filename", name}}; };
        QTest::newRow("quoted path") << R"("/home/a b/c.txt")" << file("/home/a b/c.txt");
        QTest::newRow("pairs then file") << "-x=100 -y=200 /tmp/a.txt"
                                         << Args{{"x", "100 "}, {"y", "200 "}, {"filename", "/tmp/a.txt"}};
        QTest::newRow("pair alone is the file") << "-x=100" << file("100");
        QTest::newRow("dash inside a name") << "/tmp/my-file.txt" << file("/tmp/my-file.txt");
        QTest::newRow("only names keep case")
            << "-W=Wide /Home/Notes.TXT" << Args{{"w", "wide "}, {"filename", "/Home/Notes.TXT"}};
        QTest::newRow("first value wins") << "-x=1 -x=2 a" << Args{{"x", "1 "}, {"filename", "a"}};
        QTest::newRow("new window") << "-F2 /tmp/a" << Args{{"", "f2 "}, {"filename", "/tmp/a"}};
    }
    void parsesCommandLine() {
        QFETCH(QString, line);
        QFETCH(Args, expected);
        QCOMPARE(ParseCommandLine(line), expected);
    }

    // Only present, numeric, not negative values are read; others leave the value alone.
    void readsWindowOptions() {
        const Args args = ParseCommandLine("-x=100 -y=-5 -w=abc -h=0 /tmp/a.txt");
        const std::pair<const char*, int> cases[] = {
            {"x", 100}, {"h", 0}, {"y", -1}, {"w", -1}, {"top", -1}};
        for (const auto& [key, expected] : cases) {
            int value = -1;
            QCOMPARE(WindowOption(args, key, value), expected >= 0);
            QCOMPARE(value, expected);
        }
        // Fractions go to the nearest whole twip, halves to the even one, as every number
        // the user writes; what rounds below 0 is refused.
        const Args fractions = ParseCommandLine("-x=100.5 -y=101.5 -w=7.6 -h=-0.4 a.txt");
        const std::pair<const char*, int> rounded[] = {{"x", 100}, {"y", 102}, {"w", 8}, {"h", 0}};
        for (const auto& [key, expected] : rounded) {
            int value = -1;
            QVERIFY(WindowOption(fractions, key, value));
            QCOMPARE(value, expected);
        }
        int value = -1;
        QVERIFY(!WindowOption(ParseCommandLine("-x=-0.6 a.txt"), "x", value));
        QVERIFY(!WindowOption(ParseCommandLine("-x=1e3 a.txt"), "x", value));  // not as typed
        QCOMPARE(value, -1);
    }

    // The names and texts in the store are those earlier versions wrote and read, so a
    // settings file carries over both ways.
    void settingsKeepTheirStoredNamesAndTexts() {
        test::TestFolders folders;
        const QString path = folders.file("scrivane.conf");
        {
            AppSettings settings(path);
            settings.setOpenSampleFile(false);
            settings.setShowExportOptions(kTargetXhtml, false);
            settings.setLineOptionsSet(kTargetPdf, "Letters");
            settings.setRecentFile(1, " /tmp/a, b.txt ");
            settings.setWindowLeft(1234);
            settings.setEditorFontBold(false);
            settings.setEditorFontSize(10.5);
            settings.setDialogPosition(DialogPlace::Modify, 300, 400);
            settings.setAdjustTextBoxHeight("");
            settings.sync();
        }
        QSettings raw(path, QSettings::IniFormat);
        const QList<QPair<QString, QString>> stored = {
            {"settings/opensamplefile", "0"}, {"settings/show20format", "0"},
            {"settings/ashtm10formatfile", "Letters"}, {"recent/1", " /tmp/a, b.txt "},
            {"form/left", "1234"}, {"text/fontbold", "False"}, {"text/fontsize", "10.5"},
            {"settings/frmmodifyleft", "300"}, {"settings/frmmodifytop", "400"}};
        for (const auto& [key, value] : stored) QCOMPARE(raw.value(key).toString(), value);

        AppSettings reopened(path);
        QVERIFY(reopened.openSampleFile().isOff());
        QVERIFY(reopened.showExportOptions(kTargetXhtml).isOff());
        QVERIFY(reopened.showExportOptions(kTargetPdf).isOn());
        QCOMPARE(reopened.lineOptionsSet(kTargetPdf), QString("Letters"));
        QCOMPARE(reopened.recentFile(1), QString(" /tmp/a, b.txt "));
        QCOMPARE(reopened.windowLeft(), 1234);
        QCOMPARE(reopened.editorFontSize(), 10.5);
        QVERIFY(!reopened.editorFontBold());
        QCOMPARE(reopened.dialogLeft(DialogPlace::Modify), std::optional<int>(300));
        QCOMPARE(reopened.adjustTextBoxHeight(), QString());  // stored empty, not missing

        // A file as hand edits leave it: an unquoted comma, a word for a switch, "true" in
        // any letter case for the font style.
        const QString edited = folders.file("edited.conf");
        QFile file(edited);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[settings]\nlanguage=Francais\nshowtoolbar=yes\nshowstatusbar=1\n"
                   "[text]\nfontitalic=TRUE\nfontsize=big\n[recent]\n2=/tmp/c, d.txt\n");
        file.close();
        const AppSettings hand(edited);
        QCOMPARE(hand.language(), QString("Francais"));
        QVERIFY(!hand.showToolbar().isOn() && !hand.showToolbar().isOff());
        QVERIFY(hand.showStatusBar().isOn());
        QVERIFY(hand.editorFontItalic());
        QCOMPARE(hand.editorFontSize(), 10.0);
        QCOMPARE(hand.recentFile(2), QString("/tmp/c, d.txt"));
    }

    void settingsDefaults() {
        test::TestFolders folders;
        const AppSettings settings(folders.file("empty.conf"));
        QCOMPARE(settings.language(), QString());
        QVERIFY(settings.showToolbar().isOn() && settings.showRecentFiles().isOn());
        QVERIFY(settings.showStatusBar().isOff() && settings.wordWrap().isOff());
        // The Favorites menu's default is the letter O: shown, yet not "on".
        QCOMPARE(settings.showFavorites().stored(), QString("O"));
        QVERIFY(settings.optimizePdfFileSize().isOff() && settings.animateSvgFiles().isOff());
        QVERIFY(settings.openFavoritesInNewWindow().isOff());
        QCOMPARE(settings.adjustTextBoxHeight(), QString("0"));
        QCOMPARE(settings.openFilterIndex(), 1);
        QCOMPARE(settings.saveFilterIndex(), 1);
        QVERIFY(settings.openSampleFile().isOn());
        for (int code : {kTargetPdf, kTargetXhtml, kTargetXml, kTargetSvg}) {
            QVERIFY(settings.showExportOptions(code).isOn() && settings.openAfterExport(code).isOn());
            QVERIFY(settings.useLineOptions(code).isOn());
            QCOMPARE(settings.lineOptionsSet(code), QString("[Default]"));
        }
        const std::pair<DialogPlace, std::optional<int>> dialogs[] = {
            {DialogPlace::Preferences, std::nullopt}, {DialogPlace::Modify, 1000},
            {DialogPlace::PageSetup, std::nullopt},   {DialogPlace::Format, 0},
            {DialogPlace::InsertImage, 500},          {DialogPlace::FormatLine, 0}};
        for (const auto& [dialog, place] : dialogs) {
            QCOMPARE(settings.dialogLeft(dialog), place);
            QCOMPARE(settings.dialogTop(dialog), place);
        }
        QCOMPARE(QList<int>({settings.windowLeft(), settings.windowTop(), settings.windowWidth(),
                             settings.windowHeight()}),
                 QList<int>({500, 500, 8000, 5000}));
        QCOMPARE(settings.editorFontName(), QString("MS Sans Serif"));
        QCOMPARE(settings.editorFontSize(), 10.0);
        QVERIFY(!settings.editorFontBold() && !settings.editorFontItalic());
        QCOMPARE(settings.recentFile(1), QString());
    }

    void namesFormatFilesPerCode() {
        test::TestFolders folders;
        const AppPaths paths = AppPaths::FromEnvironment();
        const QString u = folders.user() + "/", end = ".format.vantor.dorvex";
        const std::tuple<int, QString, QString> cases[] = {
            {kTargetPdf, "pdf", "pdf"}, {kTargetXhtml, "xhtml", "htm"},
            {kTargetXml, "xml", "xml"}, {kTargetSvg, "svg", "svg"}};
        for (const auto& [code, defaults, lines] : cases) {
            QCOMPARE(paths.defaultFormatFile(code), u + "default." + defaults + end);
            QCOMPARE(paths.lineOptionsFile(code, "[Default]"), u + "ashtm." + lines + end);
            QCOMPARE(paths.lineOptionsFile(code, "Letters"), u + "settings/Letters." + lines + end);
        }
        QCOMPARE(paths.defaultFormatFile(50), QString());
        QCOMPARE(paths.lineOptionsFile(0, "[Default]"), QString());
    }

    // Every shipped template is copied unchanged and reads as a format; an existing file
    // stays as it is.
    void createsFormatFilesFromTemplates() {
        test::TestFolders folders;
        const AppPaths paths = AppPaths::FromEnvironment();
        for (int code : {kTargetPdf, kTargetXhtml, kTargetXml, kTargetSvg}) {
            for (const QString& file :
                 {paths.defaultFormatFile(code), paths.lineOptionsFile(code, "[Default]")}) {
                QVERIFY2(paths.EnsureFormatFile(file), qPrintable(file));
                const QByteArray copied = ReadAll(file);
                QVERIFY(!copied.isEmpty());
                QCOMPARE(copied, ReadAll(folders.data() + "/" + QFileInfo(file).fileName()));
                QCOMPARE(scrivane::vorFormat().ReadFormatFile(QFile::encodeName(file).toStdString()), kFormatOk);
            }
        }
        const QString pdf = paths.defaultFormatFile(kTargetPdf);
        QVERIFY(QFile(pdf).open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(paths.EnsureFormatFile(pdf));
        QCOMPARE(QFileInfo(pdf).size(), 0);
    }

    // Without templates the values themselves are written out; a named set, created with
    // its folder, changes nothing read on top.
    void createsFormatFilesWithoutTemplates() {
        test::TestFolders folders(true);
        const AppPaths paths = AppPaths::FromEnvironment();
        QVERIFY(paths.EnsureFormatFile(paths.defaultFormatFile(kTargetSvg)));
        QVERIFY(ReadAll(paths.defaultFormatFile(kTargetSvg)).contains("<x>40</x>"));
        const QString set = paths.lineOptionsFile(kTargetPdf, "Letters");
        QVERIFY(paths.EnsureFormatFile(set));
        scrivane::vorFormat format;
        format.DefaultX = 70;
        QCOMPARE(format.ReadFormatFile(QFile::encodeName(set).toStdString()), kFormatOk);
        QCOMPARE(format.DefaultX, 70);
    }

    // Most recent first, ten at most; a caret at 0 with nothing selected drops the file
    // out, and nothing lingers past the end of the list to bring it back. A caret beyond
    // the text reads as 0.
    void remembersCarets() {
        test::TestFolders folders;
        QDir().mkpath(folders.user());
        const QString ini = folders.user() + "/scrivane.ini";
        const FileInfoStore store(ini);
        QVERIFY(!store.GetFileInfo("/tmp/a.txt", 100));  // no file yet
        store.SaveFileInfo("/tmp/A.txt", 5, 2);
        store.SaveFileInfo("/tmp/b.txt", 7, 0);
        store.SaveFileInfo("/tmp/c.txt", 0, 3);  // a selection alone is kept
        store.SaveFileInfo("/tmp/b.txt", 9, 1);  // moves to the top
        QCOMPARE(QStringList({Entry(ini, 1), Entry(ini, 2), Entry(ini, 3), Entry(ini, 4)}),
                 QStringList({"/tmp/b.txt", "/tmp/c.txt", "/tmp/a.txt", ""}));
        auto a = store.GetFileInfo("/TMP/a.TXT", 100);  // names compare without case
        QVERIFY(a);
        QCOMPARE(a->fileSelStart, QString("5"));
        QCOMPARE(a->fileSelLength, QString("2"));

        store.SaveFileInfo("/tmp/a.txt", 0, 0);  // the last entry
        store.SaveFileInfo("/tmp/b.txt", 0, 0);  // the first
        store.SaveFileInfo("/tmp/c.txt", 4, 0);
        QVERIFY(!store.GetFileInfo("/tmp/a.txt", 100));
        QVERIFY(!store.GetFileInfo("/tmp/b.txt", 100));
        QCOMPARE(store.GetFileInfo("/tmp/c.txt", 100)->fileSelStart, QString("4"));

        for (int n = 1; n <= 11; ++n) store.SaveFileInfo(QString("/tmp/f%1").arg(n), n, 1);
        QVERIFY(!store.GetFileInfo("/tmp/f1", 100));
        QCOMPARE(store.GetFileInfo("/tmp/f2", 100)->fileSelStart, QString("2"));

        QCOMPARE(store.GetFileInfo("/tmp/f11", 11)->fileSelStart, QString("11"));
        auto shorter = store.GetFileInfo("/tmp/f11", 10);
        QCOMPARE(shorter->fileSelStart, QString("0"));
        QCOMPARE(shorter->fileSelLength, QString("1"));
    }

    // Opening and saving an unchanged file gives back its bytes.
    void roundTripsTextFiles() {
        using E = scrivane::TextFileEncoding;
        const auto dos = LineEndMode::Dos, lf = LineEndMode::Unix;
        QByteArray high;  // 0x80-0x9F, the five undefined bytes included
        for (int byte = 0x80; byte <= 0x9F; ++byte) high.append(char(byte));
        auto bytes = [](const char* data, size_t size) { return QByteArray(data, qsizetype(size)); };
        struct Case { QByteArray bytes; E encoding; LineEndMode mode; QString text; };
        const Case cases[] = {
            {QByteArray("caf\xE9\r\n") + high + "\r\n\xFF", E::kWindows1252, dos,
             QString::fromUtf16(u"café\n€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F"
                                u"\u0090‘’“”•–—˜™š›œ\u009DžŸ\nÿ")},
            {"\xC3\x28 \xED\xA0\x80\n", E::kWindows1252, lf, QString::fromUtf16(u"Ã( í\u00A0€\n")},
            {"\xEF\xBB\xBFna\xC3\xAFve \xE2\x98\x83\r\n", E::kUtf8Bom, dos,
             QString::fromUtf8("naïve ☃\n")},
            {"one\ntwo\rx\n", E::kUtf8, lf, "one\ntwo\rx\n"},    // a stray CR stays
            {"a\r\r\nb\rc\r\n", E::kUtf8, dos, "a\r\nb\rc\n"},
            // UTF-16 by its byte order mark, whatever follows: a snowman, a character
            // beyond U+FFFF, a U+FEFF that is text, an unpaired surrogate; NULs are text.
            {bytes("\xFF\xFE\x03\x26\r\0\n\0\x3D\xD8\x00\xDE\xFF\xFE\x00\xD8\0\0", 18),
             E::kUtf16Le, dos,
             QString::fromUtf16(u"☃\n\U0001F600\uFEFF") + QChar(0xD800) + QChar(0)},
            {bytes("\xFE\xFF\0a\0\n\x20\xAC", 8), E::kUtf16Be, lf, QString::fromUtf16(u"a\n€")},
            {bytes("\xFF\xFE", 2), E::kUtf16Le, dos, QString()}};
        for (const Case& c : cases) {
            E encoding = E::kUtf8;
            LineEndMode found = c.mode == dos ? lf : dos;
            const QString decoded = DecodeTextFile(c.bytes, encoding, found);
            QCOMPARE(encoding, c.encoding);
            QCOMPARE(found, c.mode);
            QCOMPARE(decoded, c.text);
            QCOMPARE(EncodeTextFile(decoded, encoding, found), c.bytes);
        }
        // An odd last byte is no character: it is read as U+FFFD, as the engine reads it.
        E encoding;
        LineEndMode mode;
        QCOMPARE(DecodeTextFile(QByteArray("\xFE\xFF\0a\0", 5), encoding, mode),
                 QString::fromUtf16(u"a\uFFFD"));
    }

    // A file with both CR LF and lone LFs is DOS: its lone LFs come back as CR LF. What
    // Windows-1252 cannot hold is saved, or handed to the engine, as "?".
    void replacesWhatCannotBeKept() {
        scrivane::TextFileEncoding encoding;
        LineEndMode mode = LineEndMode::Unix;
        const QString text = DecodeTextFile("a\r\nb\nc", encoding, mode);
        QCOMPARE(mode, LineEndMode::Dos);
        QCOMPARE(EncodeTextFile(text, encoding, mode), QByteArray("a\r\nb\r\nc"));
        QCOMPARE(EncodeTextFile(QString::fromUtf8("€☃"), scrivane::TextFileEncoding::kWindows1252,
                                mode),
                 QByteArray("\x80?"));
        const scrivane::EngineText engine = ToEngineText(QString::fromUtf8("café €\nsnow ☃\r\n"));
        QCOMPARE(engine.text, std::string("caf\xE9 \x80\r\nsnow ?\r\n"));
        QCOMPARE(engine.replaced, size_t(1));
        QCOMPARE(engine.replacements.size(), size_t(1));
        QCOMPARE(engine.replacements[0].line, 2);
        QCOMPARE(FromEngineText("caf\xE9 \x80\r\n\x81"), QString::fromUtf8("café €\n") + QChar(0x81));
    }
};

QTEST_MAIN(ShellServicesTest)
#include "ShellServicesTest.moc"

// The shell's small services: command line, settings, folders and format files, the
// remembered caret positions, and text-file encodings.
#include <QFile>
#include <QtTest>

#include "AppTestSupport.h"
#include "format/vorFormat.h"
#include "lang/IniFile.h"
#include "shell/AppPaths.h"
#include "shell/CommandLine.h"
#include "shell/FileInfoStore.h"
#include "shell/Settings.h"
#include "shell/TextFileCodec.h"

using namespace scrivane::app;
using scrivane::vorFormat;
using Args = CommandLineArgs;

Q_DECLARE_METATYPE(scrivane::app::CommandLineArgs)
Q_DECLARE_METATYPE(scrivane::app::TextEncoding)
Q_DECLARE_METATYPE(scrivane::app::LineEndMode)

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string Local(const QString& path) { return QFile::encodeName(path).toStdString(); }

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
        QTest::newRow("dash inside quotes") << R"("-a b.txt")" << file("-a b.txt");
        QTest::newRow("only names keep case")
            << "-W=Wide /Home/Notes.TXT" << Args{{"w", "wide "}, {"filename", "/Home/Notes.TXT"}};
        QTest::newRow("first value wins") << "-x=1 -x=2 a" << Args{{"x", "1 "}, {"filename", "a"}};
        QTest::newRow("stray word") << "-x=1 stray a" << Args{{"x", "1 "}, {"filename", "a"}};
        QTest::newRow("new window") << "-F2 /tmp/a" << Args{{"", "f2 "}, {"filename", "/tmp/a"}};
        QTest::newRow("outer blanks, empty") << "   " << file("");
    }
    void parsesCommandLine() {
        QFETCH(QString, line);
        QFETCH(Args, expected);
        QCOMPARE(ParseCommandLine(line), expected);
    }

    void readsWindowOptions() {
        const Args args = ParseCommandLine("-x=100 -y=-5 -w=abc -h=0 /tmp/a.txt");
        int value = -1;
        QVERIFY(WindowOption(args, "x", value));
        QCOMPARE(value, 100);
        QVERIFY(WindowOption(args, "h", value));
        QCOMPARE(value, 0);
        value = 7;
        QVERIFY(!WindowOption(args, "y", value));  // "-5 ": negative
        QVERIFY(!WindowOption(args, "w", value));
        QVERIFY(!WindowOption(args, "top", value));
        QCOMPARE(value, 7);
    }

    void settingsIgnoreCaseAndFallBackToDefaults() {
        test::TestFolders folders;
        const QString path = folders.file("scrivane.conf");
        {
            Settings settings(path);
            QCOMPARE(settings.value("settings", "ShowFavorites", "O"), QString("O"));
            settings.setValue("Settings", "OpenSampleFile", "0");
            settings.setValue("recent", "1", " /tmp/a, b.txt ");
            settings.setValue("settings", "Empty", "");
            settings.sync();
        }
        Settings reopened(path);
        QCOMPARE(reopened.value("SETTINGS", "opensamplefile", "1"), QString("0"));
        QCOMPARE(reopened.value("recent", "1"), QString(" /tmp/a, b.txt "));
        QCOMPARE(reopened.value("settings", "empty", "x"), QString(""));  // stored, not missing
        QCOMPARE(reopened.value("form", "left", "500"), QString("500"));
    }

    void namesFoldersAndFormatFiles() {
        test::TestFolders folders;
        const AppPaths paths = AppPaths::FromEnvironment();
        QCOMPARE(paths.dataFolder(), folders.data());
        QCOMPARE(paths.caretFile(), folders.user() + "/scrivane.ini");
        QVERIFY(paths.userFolderOverridden());
        paths.CreateFolders();
        QVERIFY(QFileInfo(paths.settingsFolder()).isDir());
        QVERIFY(QFileInfo(paths.favoritesFolder()).isDir());

        const QString u = folders.user() + "/", suffix = ".format.vantor.dorvex";
        const QStringList defaults{"pdf", "xhtml", "xml", "svg"}, lines{"pdf", "htm", "xml", "svg"};
        for (int i = 0; i < 4; ++i) {
            const int code = 10 * (i + 1);
            QCOMPARE(paths.defaultFormatFile(code), u + "default." + defaults[i] + suffix);
            QCOMPARE(paths.lineOptionsFile(code, "[Default]"), u + "ashtm." + lines[i] + suffix);
            QCOMPARE(paths.lineOptionsFile(code, "Letters"),
                     u + "settings/Letters." + lines[i] + suffix);
        }
        QCOMPARE(paths.defaultFormatFile(50), QString());
        QCOMPARE(paths.lineOptionsFile(0, "[Default]"), QString());
    }

    // Every shipped template is copied unchanged and reads as a sensible format.
    void createsFormatFilesFromTemplates() {
        test::TestFolders folders;
        const AppPaths paths = AppPaths::FromEnvironment();
        for (int code : {10, 20, 30, 40}) {
            const QString defaults = paths.defaultFormatFile(code);
            const QString lines = paths.lineOptionsFile(code, "[Default]");
            for (const QString& file : {defaults, lines}) {
                QVERIFY2(paths.EnsureFormatFile(file), qPrintable(file));
                const QByteArray copied = ReadAll(file);
                QVERIFY(!copied.isEmpty());
                QCOMPARE(copied, ReadAll(folders.data() + "/" + QFileInfo(file).fileName()));
            }
            vorFormat format;
            QCOMPARE(format.ReadFormatFile(Local(defaults)), 0);
            QCOMPARE(format.ReadFormatFile(Local(lines)), 0);
            QCOMPARE(format.DefaultFont, std::string("Helvetica"));
            QCOMPARE(format.DefaultFontSize, 12);
            QCOMPARE(format.DefaultX, 40);
            QCOMPARE(format.DefaultMaxLenLine, 100);
            QCOMPARE(format.ListeFormats.size(), size_t(7));
            format.GetFormat(1, "#2 Intro");
            QCOMPARE(format.bk, 2);
            QCOMPARE(format.show, std::string("RIGHT"));
            format.GetFormat(2, "%% hidden");
            QCOMPARE(format.show, std::string("NO"));
            format.GetFormat(3, "@link https://vantor.example/jotter");
            QVERIFY(format.isLink);
        }

        const QString pdf = paths.defaultFormatFile(10);  // an existing file stays
        QVERIFY(QFile(pdf).open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(paths.EnsureFormatFile(pdf));
        QCOMPARE(QFileInfo(pdf).size(), 0);
    }

    void createsFormatFilesWithoutTemplates() {
        test::TestFolders folders(true);
        const AppPaths paths = AppPaths::FromEnvironment();
        const QString defaults = paths.defaultFormatFile(40);
        QVERIFY(paths.EnsureFormatFile(defaults));
        QVERIFY(ReadAll(defaults).contains("<x>40</x>"));  // the values are in the file

        // A named set is created with its folder and changes nothing read on top.
        const QString set = paths.lineOptionsFile(10, "Letters");
        QVERIFY(paths.EnsureFormatFile(set));
        vorFormat format;
        format.DefaultX = 70;
        format.DefaultFontSize = 9;
        QCOMPARE(format.ReadFormatFile(Local(set)), 0);
        QCOMPARE(format.DefaultX, 70);
        QCOMPARE(format.DefaultFontSize, 9);
        QVERIFY(!paths.EnsureFormatFile(QString()));
    }

    void remembersCaretsMostRecentFirst() {
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
        QCOMPARE(a->Filename, QString("/tmp/a.txt"));
        QCOMPARE(a->fileSelStart, QString("5"));
        QCOMPARE(a->fileSelLength, QString("2"));
        QCOMPARE(store.GetFileInfo("/tmp/b.txt", 100)->fileSelStart, QString("9"));
    }

    void dropsFileWithCaretAtStart() {
        test::TestFolders folders;
        QDir().mkpath(folders.user());
        const FileInfoStore store(folders.user() + "/scrivane.ini");
        for (const char* name : {"/tmp/c", "/tmp/b", "/tmp/a"}) store.SaveFileInfo(name, 3, 0);
        store.SaveFileInfo("/tmp/c", 0, 0);  // the last entry: the list shrinks
        QVERIFY(!store.GetFileInfo("/tmp/c", 100));
        store.SaveFileInfo("/tmp/a", 0, 0);
        QVERIFY(!store.GetFileInfo("/tmp/a", 100));
        // Nothing lingers past the end of the list to bring a dropped file back.
        store.SaveFileInfo("/tmp/b", 4, 0);
        QVERIFY(!store.GetFileInfo("/tmp/a", 100));
        QVERIFY(!store.GetFileInfo("/tmp/c", 100));
        QVERIFY(store.GetFileInfo("/tmp/b", 100));
    }

    void writesEleventhEntryNoReaderSees() {
        test::TestFolders folders;
        QDir().mkpath(folders.user());
        const QString ini = folders.user() + "/scrivane.ini";
        const FileInfoStore store(ini);
        for (int n = 1; n <= 11; ++n) store.SaveFileInfo(QString("/tmp/f%1").arg(n), n, 0);
        QCOMPARE(Entry(ini, 1), QString("/tmp/f11"));
        QCOMPARE(Entry(ini, 11), QString("/tmp/f1"));
        QVERIFY(!store.GetFileInfo("/tmp/f1", 100));
        QCOMPARE(store.GetFileInfo("/tmp/f2", 100)->fileSelStart, QString("2"));
        store.SaveFileInfo("/tmp/f12", 12, 0);  // built from the ten a reader sees
        QCOMPARE(Entry(ini, 11), QString("/tmp/f2"));
    }

    void ignoresCaretBeyondText() {
        test::TestFolders folders;
        QDir().mkpath(folders.user());
        const QString ini = folders.user() + "/scrivane.ini";
        const FileInfoStore store(ini);
        store.SaveFileInfo("/tmp/a", 50, 4);
        QCOMPARE(store.GetFileInfo("/tmp/a", 50)->fileSelStart, QString("50"));
        auto shorter = store.GetFileInfo("/tmp/a", 49);
        QCOMPARE(shorter->fileSelStart, QString("0"));
        QCOMPARE(shorter->fileSelLength, QString("4"));
        IniFile::WriteValue(ini, "Files", "1FileSelLength", "-3");  // edited by hand
        QCOMPARE(store.GetFileInfo("/tmp/a", 50)->fileSelLength, QString("0"));
    }

    // Opening and saving an unchanged file gives back its bytes.
    void roundTripsTextFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<bool>("bom");
        QTest::addColumn<LineEndMode>("mode");
        QTest::addColumn<QString>("text");
        const auto utf8 = TextEncoding::Utf8, cp1252 = TextEncoding::Windows1252;
        const auto dos = LineEndMode::Dos, lf = LineEndMode::Unix;

        QByteArray high;
        for (int byte = 0x80; byte <= 0x9F; ++byte) high.append(char(byte));
        QTest::newRow("windows-1252, 0x80-0x9F")
            << QByteArray("caf\xE9\r\n") + high + "\r\n\xFF" << cp1252 << false << dos
            << QString::fromUtf16(u"café\n€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F"
                                  u"\u0090‘’“”•–—˜™š›œ\u009DžŸ\nÿ");
        QTest::newRow("invalid utf-8") << QByteArray("\xC3\x28 \xED\xA0\x80\n") << cp1252
                                       << false << lf << QString::fromUtf16(u"Ã( í\u00A0€\n");
        QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBFna\xC3\xAFve \xE2\x98\x83\r\n")
                                        << utf8 << true << dos << QString::fromUtf8("naïve ☃\n");
        QTest::newRow("unix, stray cr") << QByteArray("one\ntwo\rx\n") << utf8 << false << lf
                                        << QString("one\ntwo\rx\n");
        QTest::newRow("dos, stray cr") << QByteArray("a\r\r\nb\rc\r\n") << utf8 << false << dos
                                       << QString("a\r\nb\rc\n");
        QTest::newRow("no line end, nul") << QByteArray("x\0y", 3) << utf8 << false << dos
                                          << QString("x") + QChar(0) + "y";
    }
    void roundTripsTextFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, encoding);
        QFETCH(bool, bom);
        QFETCH(LineEndMode, mode);
        QFETCH(QString, text);
        TextFileFormat format;
        LineEndMode found = mode == LineEndMode::Dos ? LineEndMode::Unix : LineEndMode::Dos;
        const QString decoded = DecodeTextFile(bytes, format, found);
        QCOMPARE(format.encoding, encoding);
        QCOMPARE(format.byteOrderMark, bom);
        QCOMPARE(found, mode);
        QCOMPARE(decoded, text);
        QCOMPARE(EncodeTextFile(decoded, format, found), bytes);
    }

    // A file with both CR LF and lone LFs is DOS: its lone LFs come back as CR LF.
    void writesMixedLineEndsAsDos() {
        TextFileFormat format;
        LineEndMode mode = LineEndMode::Unix;
        const QString text = DecodeTextFile("a\r\nb\nc", format, mode);
        QCOMPARE(mode, LineEndMode::Dos);
        QCOMPARE(EncodeTextFile(text, format, mode), QByteArray("a\r\nb\r\nc"));
        // What Windows-1252 cannot hold is saved as "?".
        QCOMPARE(EncodeTextFile(QString::fromUtf8("€☃"), {TextEncoding::Windows1252, false}, mode),
                 QByteArray("\x80?"));
    }

    void convertsEngineText() {
        size_t replaced = 99;
        QCOMPARE(ToEngineText(QString::fromUtf8("café €\nsnow ☃\r\n"), &replaced),
                 std::string("caf\xE9 \x80\r\nsnow ?\r\n"));
        QCOMPARE(replaced, size_t(1));
        QCOMPARE(FromEngineText("caf\xE9 \x80\r\n\x81"), QString::fromUtf8("café €\n") + QChar(0x81));
    }
};

QTEST_MAIN(ShellServicesTest)
#include "ShellServicesTest.moc"

// With SCRIVANE_USER_DIR set (tests, a portable install), nothing the program or Qt on
// its behalf writes may land in the home folder. This program points HOME and the XDG
// folders at an empty folder of its own before Qt starts, then looks into it.
#include <QColorDialog>
#include <QDirIterator>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestSupport.h"
#include "shell/StartUp.h"
#include "shell/frmScrivane.h"

using namespace scrivane::app;

namespace {

QTemporaryDir* home = nullptr;

QStringList FilesUnder(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(folder).relativeFilePath(it.next());
    return files;
}

}  // namespace

class HomeFolderTest : public QObject {
    Q_OBJECT
private slots:
    void dialogsKeepTheirStateInTheUserFolder() {
        scrivane::app::test::TestContext t;
        KeepQtSettingsInUserFolder(t.paths);
        {
            frmScrivane window(t.context);
            window.Load();
            QFileDialog files(&window, "Open");
            files.setFileMode(QFileDialog::ExistingFile);
            files.setDirectory(t.folders.user());
            QVERIFY(files.testOption(QFileDialog::DontUseNativeDialog) ||
                    QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
            QColorDialog::setCustomColor(0, QColor(15, 15, 15));
            QColorDialog colours(&window);
            QTest::keyClicks(window.editor(), "typed");
            t.prompts.answers = {Prompts::Answer::No};
            QVERIFY(window.Quit());
        }
        QCOMPARE(FilesUnder(home->path()), QStringList());
        // The file dialog's history went to the user folder instead.
        QVERIFY(QFile::exists(t.folders.user() + "/QtProject.conf"));
    }
};

int main(int argc, char** argv) {
    QTemporaryDir folder;
    home = &folder;
    qputenv("HOME", folder.path().toUtf8());
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                             "XDG_STATE_HOME"}) {
        qunsetenv(name);
    }
    QApplication application(argc, argv);
    SetProgramNames();
    HomeFolderTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "HomeFolderTest.moc"

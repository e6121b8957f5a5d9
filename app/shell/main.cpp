// PDF Jotter: start-up. Reads the settings, creates the user folders, parses the command
// line, asks for a language on first use and opens the main window.
#include <QApplication>
#include <QTimer>
#include <QWindow>

#include "lang/clsCaption.h"
#include "lang/frmLanguage.h"
#include "shell/AppContext.h"
#include "shell/StartUp.h"
#include "shell/frmScrivane.h"

using namespace scrivane::app;

namespace {

// For timing the start-up (bench/startup.py): with SCRIVANE_QUIT_WHEN_SHOWN set, the
// program ends as soon as its window has been exposed and painted the first time.
class QuitWhenShown : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    SetProgramNames();

    AppPaths paths = AppPaths::FromEnvironment();
    KeepQtSettingsInUserFolder(paths);
    AppSettings settings(paths.userFolderOverridden() ? paths.settingsStore() : QString());
    clsCaption captions(paths.dataFolder());
    QtPrompts prompts(nullptr);
    QStringList arguments = QApplication::arguments().mid(1);
    // Arguments with blanks come back quoted, as the command line held them.
    for (QString& argument : arguments) {
        if (argument.contains(' ')) argument = '"' + argument + '"';
    }
    QString commandLine = arguments.join(' ').trimmed();
    AppContext context{paths, settings, captions, prompts, ParseCommandLine(commandLine),
                       commandLine};

    context.DebugTrace("initVar");
    context.DebugTrace("Run Scrivane");
    paths.CreateFolders();

    QString language = settings.language();
    if (language.isEmpty()) {
        language = frmLanguage::Ask(captions, language, nullptr);
        settings.setLanguage(language);
    }
    captions.setLangue(language);

    frmScrivane window(context);
    prompts.setOwner(&window);  // dialogs from here on belong to the window
    window.Load();
    QuitWhenShown quitWhenShown;
    if (qEnvironmentVariableIsSet("SCRIVANE_QUIT_WHEN_SHOWN")) {
        window.winId();  // the native window exists from here on
        window.windowHandle()->installEventFilter(&quitWhenShown);
    }
    window.show();
    return application.exec();
}

#include "shell/StartUp.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

#include "shell/AppPaths.h"
#include "util/ProgramInfo.h"

// The program's resources (its icon) live in the app library; a static library's
// resources are linked only when something asks for them, from outside any namespace.
static void LinkResources() { Q_INIT_RESOURCE(resources); }

namespace scrivane::app {

void SetProgramNames() {
    LinkResources();
    QApplication::setApplicationName(QStringLiteral("Scrivane"));
    QApplication::setOrganizationName(QStringLiteral("Scrivane"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(kProgramName));
    QApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
    QApplication::setDesktopFileName(QStringLiteral("scrivane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/scrivane.svg")));
}

void KeepQtSettingsInUserFolder(const AppPaths& paths) {
    if (!paths.userFolderOverridden()) return;
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, paths.userFolder());
    }
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

}  // namespace scrivane::app

#include "shell/StartUp.h"

#include <QApplication>
#include <QIcon>

#include "util/ProgramInfo.h"

namespace scrivane::app {

void SetProgramNames() {
    QApplication::setApplicationName(QStringLiteral("Scrivane"));
    QApplication::setOrganizationName(QStringLiteral("Scrivane"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(kProgramName));
    QApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
    QApplication::setDesktopFileName(QStringLiteral("scrivane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/scrivane.svg")));
}

}  // namespace scrivane::app

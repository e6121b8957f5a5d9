#include "favorites/WindowLauncher.h"

#include <QCoreApplication>
#include <QProcess>

namespace scrivane::app {

// The new process cascades from this window's last saved place and opens the file.
void ProcessWindowLauncher::OpenInNewWindow(const QString& file) {
    QProcess::startDetached(QCoreApplication::applicationFilePath(), {QStringLiteral("-F2"), file});
}

}  // namespace scrivane::app

#include "shell/AppContext.h"

#include <QFileInfo>

namespace scrivane::app {

void AppContext::DebugTrace(const QString& message) const {
    if (QFileInfo::exists(paths.debugMarker())) prompts.Inform(QString(), message);
}

}  // namespace scrivane::app

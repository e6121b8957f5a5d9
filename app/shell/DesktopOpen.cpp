#include "shell/DesktopOpen.h"

#include <QFileInfo>

#include "shell/AppContext.h"

namespace scrivane::app {

void OpenWithDesktop(const AppContext& context, const QString& path) {
    const clsCaption& c = context.captions;
    Prompts& prompts = context.prompts;
    if (!QFileInfo(path).isFile()) {
        QString message = c.e("File %filename% not found");
        prompts.Inform(c.m("Error"), message.replace("%filename%", path));
        return;
    }
    // The context outlives every launch: it lives as long as the program.
    prompts.OpenExternally(path, [&c, &prompts, path] {
        QString message = c.e("No program could open %filename%");
        prompts.Inform(c.m("Error"), message.replace("%filename%", path));
    });
}

}  // namespace scrivane::app

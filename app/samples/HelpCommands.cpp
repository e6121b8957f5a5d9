#include "samples/HelpCommands.h"

#include "dialogs/frmAbout.h"
#include "samples/frmSamples.h"
#include "shell/AppContext.h"
#include "shell/DesktopOpen.h"
#include "shell/DocumentManager.h"

namespace scrivane::app {

HelpCommands::HelpCommands(AppContext& context, DocumentManager& documents, QWidget* owner)
    : context_(context), documents_(documents) {
    chooseSample = [&context, owner] { return frmSamples::Choose(context, owner); };
    showAbout = [&context, owner] { frmAbout::Show(context.captions, owner); };
}

void HelpCommands::ShowManual() {
    const bool french = context_.settings.language() == QLatin1String("Francais");
    const QString manual = context_.paths.existingManual(french);
    if (manual.isEmpty()) {
        context_.prompts.Inform(context_.captions.e("Error"),
                                context_.captions.e("File %filename% not found")
                                    .replace("%filename%", context_.paths.manual(french)));
        return;
    }
    OpenWithDesktop(context_, manual);
}

void HelpCommands::SampleFiles() {
    const QString sample = chooseSample();
    if (sample.isEmpty()) return;
    if (documents_.checkSaveCancel()) return;
    documents_.OpenFile(sample);  // a published file: its source text is shown
    emit documents_.titleChanged();
    documents_.AddToRecentFiles();
    if (context_.settings.openSampleFile().isOn()) OpenWithDesktop(context_, sample);
}

void HelpCommands::About() { showAbout(); }

}  // namespace scrivane::app

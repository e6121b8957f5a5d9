#pragma once
// The Help menu's commands: the manual, the sample files and the about box.
#include <QString>
#include <functional>

class QWidget;

namespace scrivane::app {

struct AppContext;
class DocumentManager;

class HelpCommands {
public:
    HelpCommands(AppContext& context, DocumentManager& documents, QWidget* owner);

    // Opens the manual of the language (French for "Francais"), or the other one when
    // that is missing; says which file is missing when neither is there.
    void ShowManual();
    // Opens the chosen sample in the editor (its source text) and, when the settings say
    // so, with its usual program beside it.
    void SampleFiles();
    void About();

    // The windows, replaced by tests: the chosen sample's path (empty for none), and the
    // about box.
    std::function<QString()> chooseSample;
    std::function<void()> showAbout;

private:
    AppContext& context_;
    DocumentManager& documents_;
};

}  // namespace scrivane::app

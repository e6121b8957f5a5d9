#pragma once
// What every part of the editor shares: folders, settings, captions, prompts and the
// command line. One per process, made by main().
#include <QString>

#include "lang/clsCaption.h"
#include "shell/AppPaths.h"
#include "shell/AppSettings.h"
#include "shell/CommandLine.h"
#include "shell/Prompts.h"

namespace scrivane::app {

struct AppContext {
    AppPaths paths;
    AppSettings& settings;
    clsCaption& captions;
    Prompts& prompts;
    CommandLineArgs args;
    QString commandLine;  // as given, trimmed
    // Progress shown in a message box, only when the marker file exists.
    void DebugTrace(const QString& message) const;
};

}  // namespace scrivane::app

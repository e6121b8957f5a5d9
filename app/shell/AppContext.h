#pragma once
// What every part of the editor shares: folders, settings, captions, prompts and the
// command line. One per process, made by main().
#include <QString>

#include "lang/clsCaption.h"
#include "shell/AppPaths.h"
#include "shell/CommandLine.h"
#include "shell/Prompts.h"
#include "shell/Settings.h"

namespace scrivane::app {

struct AppContext {
    AppPaths paths;
    Settings& settings;
    clsCaption& captions;
    Prompts& prompts;
    CommandLineArgs args;
    QString commandLine;  // as given, trimmed

    // The setting "settings"/key with its default.
    QString Setting(const QString& key, const QString& defaultValue) const {
        return settings.value("settings", key, defaultValue);
    }
    // Progress shown in a message box, only when the marker file exists.
    void DebugTrace(const QString& message) const;
};

}  // namespace scrivane::app

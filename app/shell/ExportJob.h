#pragma once
// One export of the editor text, taken apart from the window: what the export and the
// page preview hand to the engine. The job is taken on the user-interface thread (the
// text, the format files and the options the settings choose); laying it out touches
// no widget and no setting, so the preview can do that on a worker thread.
#include <QString>
#include <memory>

#include "document/EngineOptions.h"
#include "shell/FormatFilePlaces.h"
#include "util/Diagnostic.h"

namespace scrivane {
class vorDocument;
}

namespace scrivane::app {

struct AppContext;

struct ExportJob {
    // The editor's text, "\n" line ends, or its raw text: paragraph separators are made
    // "\n" when it is laid out.
    QString text;
    int code = 0;  // the export format (OutputFormats.h)
    ExportFormatFiles files;
    EngineOptions options;  // without a trace: the caller adds one where it may show it
};

// The job of exporting `text` in the format `code`, as the settings are now. Pictures
// named relative to the text are looked for beside `textFile` (none while untitled).
ExportJob TakeExportJob(const AppContext& context, int code, const QString& text,
                        const QString& textFile = QString());

// A laid-out document, ready for Build, and what the engine had to say about the text.
struct LaidOutText {
    std::unique_ptr<vorDocument> document;
    size_t replaced = 0;  // characters Windows-1252 cannot hold, now "?"
    // Refused commands, images not placed, lines that lost characters: by line.
    Diagnostics problems;
};

// Converts the text to the engine's and runs AddBuffer with the job's format files.
LaidOutText LayOut(const ExportJob& job);

}  // namespace scrivane::app

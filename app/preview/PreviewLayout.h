#pragma once
// The preview's work on its worker thread: the PDF export of the editor text laid out
// and built in memory, with the map from pages to lines and what the engine had to say
// about the text. Touches no widget and no setting: the job carries all it reads.
#include <QtGlobal>
#include <memory>

#include "preview/PreviewLineMap.h"
#include "util/Diagnostic.h"

namespace scrivane::app {

struct ExportJob;
class PreviewPdf;

struct PreviewResult {
    quint64 generation = 0;  // the edit it shows: older results are dropped
    int status = 0;          // the engine's build status; no pdf unless 0
    std::shared_ptr<PreviewPdf> pdf;  // opened, and handed to the application's thread
    // Refused commands, images not placed, characters replaced by "?", by line.
    scrivane::Diagnostics problems;
    // Shared: the pane keeps it while its pages show, without a copy of 100,000 runs.
    std::shared_ptr<const PreviewLineMap> lines;
    qint64 layoutMs = 0;  // AddBuffer
    qint64 buildMs = 0;   // the PDF bytes
    qint64 readMs = 0;    // opening them
};

// Lays the job's text out, builds its PDF in memory and opens it; nothing is written
// to disk.
PreviewResult LayOutPreview(const ExportJob& job, quint64 generation);

}  // namespace scrivane::app

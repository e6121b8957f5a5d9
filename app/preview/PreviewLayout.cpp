#include "preview/PreviewLayout.h"

#include <QElapsedTimer>

#include "document/vorDocument.h"
#include "format/OutputFormats.h"
#include "shell/ExportJob.h"

namespace scrivane::app {

PreviewResult LayOutPreview(const ExportJob& job, quint64 generation) {
    PreviewResult result;
    result.generation = generation;
    QElapsedTimer clock;
    clock.start();
    LaidOutText laidOut = LayOut(job);
    result.layoutMs = clock.restart();

    std::string bytes;
    result.status = laidOut.document->Build(kTargetPdf, bytes);
    if (result.status == 0) result.pdf = QByteArray(bytes.data(), qsizetype(bytes.size()));
    result.buildMs = clock.elapsed();

    result.problems = MergeDiagnostics(laidOut.document->GetDiagnostics(), laidOut.replacements);
    result.lines = PreviewLineMap::FromDocument(*laidOut.document);
    return result;
}

}  // namespace scrivane::app

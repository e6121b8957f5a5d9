#include "preview/PreviewLayout.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include "document/vorDocument.h"
#include "format/OutputFormats.h"
#include "preview/PreviewPdf.h"
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
    result.buildMs = clock.restart();
    if (result.status == 0) {
        result.pdf = std::make_shared<PreviewPdf>(QByteArray(bytes.data(), qsizetype(bytes.size())));
        result.pdf->MoveToThread(QCoreApplication::instance()->thread());
    }
    result.readMs = clock.elapsed();

    result.problems = std::move(laidOut.problems);
    result.lines =
        std::make_shared<const PreviewLineMap>(PreviewLineMap::FromDocument(*laidOut.document));
    return result;
}

}  // namespace scrivane::app

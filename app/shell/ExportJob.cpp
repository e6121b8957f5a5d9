#include "shell/ExportJob.h"

#include <QFileInfo>

#include "document/vorDocument.h"
#include "format/OutputFormats.h"
#include "shell/AppContext.h"
#include "shell/ExportCommands.h"
#include "shell/TextFileCodec.h"

namespace scrivane::app {

ExportJob TakeExportJob(const AppContext& context, int code, const QString& text,
                        const QString& textFile) {
    const AppSettings& settings = context.settings;
    ExportJob job;
    job.text = text;
    job.code = code;
    job.files = FormatFilesFor(context, code);
    job.options.optimize = settings.optimizePdfFileSize().isOn();
    job.options.appFolder = context.paths.dataFolder().toStdString();
    job.options.imageTags = ImageTagsPlaced(context, code);
    job.options.animateSvg = settings.animateSvgFiles().isOn();
    if (!textFile.isEmpty()) job.options.textFolder = QFileInfo(textFile).absolutePath().toStdString();
    return job;
}

LaidOutText LayOut(const ExportJob& job) {
    const EngineText converted = ToExportText(WithLineFeeds(job.text));
    LaidOutText laidOut;
    laidOut.replaced = converted.replaced;
    EngineOptions options = job.options;
    options.utf8Text = converted.utf8;  // characters beyond Windows-1252 that a font shows
    laidOut.document = std::make_unique<vorDocument>(options);
    laidOut.document->AddBuffer(converted.text, EnginePath(job.files.formatFile),
                                EnginePath(job.files.lineOptions), job.code);
    laidOut.problems = MergeDiagnostics(converted.replacements, laidOut.document->GetDiagnostics());
    return laidOut;
}

}  // namespace scrivane::app

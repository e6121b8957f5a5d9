#include "shell/ExportReport.h"

#include "lang/clsCaption.h"

namespace scrivane::app {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString DescribeProblem(const Diagnostic& problem, const clsCaption& captions) {
    const std::string_view kind = DiagnosticKindName(problem.kind);
    QString text = captions.m("Line") + " " + QString::number(problem.line) + ": " +
                   captions.m(QString::fromLatin1(kind.data(), qsizetype(kind.size()))) + ": " +
                   FromUtf8(problem.text);
    if (!problem.message.empty()) text += " (" + FromUtf8(problem.message) + ")";
    return text;
}

QString ExportWarningText(const Diagnostics& problems, size_t replaced, const clsCaption& captions) {
    if (problems.empty() && replaced == 0) return {};
    QStringList paragraphs;
    if (!problems.empty()) {
        QStringList lines{captions.e("The file was written, but some lines did not come out as written:")};
        const int count = static_cast<int>(problems.size());
        for (int i = 0; i < count && i < kListedExportProblems; ++i) {
            lines << DescribeProblem(problems[size_t(i)], captions);
        }
        if (count > kListedExportProblems) {
            lines << captions.e("... and %count% more")
                         .replace("%count%", QString::number(count - kListedExportProblems));
        }
        paragraphs << lines.join('\n');
    }
    if (replaced > 0) {
        paragraphs << captions
                          .e("%count% character(s) cannot be written in this format and were "
                             "replaced by \"?\"")
                          .replace("%count%", QString::number(replaced));
    }
    return paragraphs.join("\n\n");
}

}  // namespace scrivane::app

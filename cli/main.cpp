// scrivane-cli: export, import and layout dump over the engine, for scripts and tests.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "InputChecks.h"
#include "LayoutJson.h"
#include "WorkingFormat.h"
#include "document/vorDocument.h"
#include "font/UnicodeFonts.h"
#include "util/FileIO.h"
#include "util/ProgramInfo.h"
#include "util/Status.h"
#include "util/TextInput.h"

namespace {

using namespace scrivane;
using namespace scrivane::cli;

constexpr size_t kTextPieceSize = size_t{256} << 10;

int Fail(const std::string& message) {
    std::cerr << "scrivane-cli: " << message << '\n';
    return 1;
}

bool ReadInput(const std::string& name, std::string& bytes) {
    if (name == "-") {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return !std::cin.bad();
    }
    return ReadWholeFile(name, bytes);
}

bool WriteOutput(const std::string& name, const std::string& bytes, std::string& error) {
    if (name == "-") {
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        if (std::fflush(stdout) != 0) {
            error = "cannot write to standard output";
            return false;
        }
        return true;
    }
    return WriteFileAtomically(name, bytes, &error);
}

// What the text's lines could not have as written, line by line, and the count of
// replaced characters.
void Warn(const EngineText& text, const Diagnostics& layout) {
    for (const Diagnostic& diagnostic : MergeDiagnostics(text.replacements, layout)) {
        std::cerr << "scrivane-cli: warning: " << DescribeDiagnostic(diagnostic) << '\n';
    }
    if (text.replaced > 0) {
        std::cerr << "scrivane-cli: warning: " << text.replaced
                  << (text.utf8 ? " character(s) that no installed font can show"
                                : " character(s) outside the Windows-1252 set")
                  << " were replaced by \"?\"\n";
    }
}

// Reads the input and lays it out; false (with a message printed) on failure.
bool LayOut(const CliOptions& options, vorDocument& document) {
    std::string bytes;
    if (!ReadInput(options.input, bytes)) {
        Fail("cannot read " + options.input);
        return false;
    }
    for (const std::string& refusal : {RefuseAsText(options, bytes), RefuseOutput(options)}) {
        if (!refusal.empty()) {
            Fail(refusal);
            return false;
        }
    }
    // In pieces, each let go once laid out: the text and all its runs are never held at
    // once.
    EngineText text = ToEngineText(
        bytes, [](char32_t c) { return UnicodeFonts::Shared().CanShow(c); }, kTextPieceSize);
    std::string().swap(bytes);
    // Without the font libraries no character beyond Windows-1252 has a font: the export
    // is refused rather than every such character made "?".
    if (text.replaced > 0) {
        if (const std::string why = UnicodeFonts::Shared().Unavailable(); !why.empty()) {
            Fail("no Unicode font for the text beyond Windows-1252: the font libraries cannot "
                 "be loaded (" + why + ") (status " + std::to_string(kPdfNoUnicodeFont) + ")");
            return false;
        }
    }
    document.SetTextIsUtf8(text.utf8);
    vorFormat working;
    std::string formatFileName, error;
    if (!ReadWorkingFormat(options, working, formatFileName, error)) {
        Fail(error);
        return false;
    }
    document.AddBuffer(std::move(text.pieces), std::move(working), formatFileName,
                       FormatCode(options.format));
    if (!options.quiet) Warn(text, document.GetDiagnostics());
    return true;
}

EngineOptions OptionsFor(const CliOptions& options) {
    EngineOptions engine;
    engine.optimize = options.optimize;
    engine.animateSvg = options.animateSvg;
    engine.appFolder = CliFolders().data;
    // Pictures named relative to the text are found beside it, as the editor finds them.
    if (options.input != "-") {
        engine.textFolder = std::filesystem::path(options.input).parent_path().string();
    }
    return engine;
}

// Writes the laid-out document to the output: a file as it is built (never held whole),
// standard output piece by piece.
int WriteExport(const CliOptions& options, vorDocument& document) {
    const int32_t format = FormatCode(options.format);
    std::string error;
    int16_t status;
    if (options.output == "-") {
        status = document.Write(format, [](std::string_view piece) {
            return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
        });
        if (std::fflush(stdout) != 0 || status == kSaveWriteFailed) {
            status = kSaveWriteFailed;
            error = "cannot write to standard output";
        }
    } else {
        status = document.SaveAs(options.output, format, &error);
    }
    if (status == kSaveWriteFailed) {
        return Fail(error + " (status " + std::to_string(kSaveWriteFailed) + ")");
    }
    if (status != kSaveOk) {
        return Fail("cannot build the " + options.format + " file (status " +
                    std::to_string(status) + ")");
    }
    return 0;
}

int Export(const CliOptions& options) {
    using Streams = EngineOptions::StreamsDuringLayout;
    EngineOptions engine = OptionsFor(options);
    // The document is written once and dropped: the runs of a page can go once its
    // stream is built, as long as the text can be read again should that not work out.
    if (options.input != "-") engine.streamsDuringLayout = Streams::kLetRunsGo;
    auto document = std::make_unique<vorDocument>(engine);
    if (!LayOut(options, *document)) return 1;
    if (document->LayoutMustBeRedone()) {
        // A page changed after its runs were let go (a page size set late in the text,
        // a header picture): the text is laid out again with every run kept.
        engine.streamsDuringLayout = Streams::kKeepRuns;
        document = std::make_unique<vorDocument>(engine);
        CliOptions again = options;
        again.quiet = true;  // its warnings were given the first time
        if (!LayOut(again, *document)) return 1;
    }
    const int result = WriteExport(options, *document);
    // The process ends next and its memory goes back to the system at once: freeing the
    // runs of a large document one by one would only delay the exit.
    if (result == 0) static_cast<void>(document.release());
    return result;
}

// Reads the input back into the document: a file by its name, standard input by what it
// holds.
int16_t ReadBack(const CliOptions& options, vorDocument& document) {
    if (options.input != "-") {
        return options.convert ? document.ImportFile(options.input)
                               : document.LoadFile(options.input);
    }
    std::string bytes;
    ReadInput("-", bytes);
    return options.convert ? document.ImportFromBytes(bytes)
                           : document.LoadFromBytes(bytes, FormatOfContent(bytes).code);
}

int Import(const CliOptions& options) {
    if (std::string refusal = RefuseOutput(options); !refusal.empty()) return Fail(refusal);
    vorDocument document(OptionsFor(options));
    int16_t status = ReadBack(options, document);
    if (status == kPdfNoHeader && options.convert) {
        return Fail("cannot read " + options.input + ": the file is not a PDF (status " +
                    std::to_string(status) + ")");
    }
    if (status != kLoadOk) {
        return Fail("cannot read " + options.input + ": " + std::string(StatusMessage(status)) +
                    " (status " + std::to_string(status) + ")");
    }
    std::string text;
    document.GetText(text);
    std::string error;
    if (!WriteOutput(options.output, ToUtf8Lines(text, document.TextIsUtf8()), error)) {
        return Fail(error);
    }
    return 0;
}

int Layout(const CliOptions& options) {
    vorDocument document(OptionsFor(options));
    if (!LayOut(options, document)) return 1;
    std::string json = LayoutJson(document);
    std::fwrite(json.data(), 1, json.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : Fail("cannot write to standard output");
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    CliOptions options;
    std::string error;
    if (!ParseCliOptions(args, options, error)) {
        std::cerr << "scrivane-cli: " << error << '\n';
        return 2;
    }
    if (options.command == "help") {
        std::cout << kUsage << '\n' << FormatFilesHelp();
        return 0;
    }
    if (options.command == "version") {
        std::cout << "scrivane-cli " << kProgramVersion << " (PDF Jotter)\n";
        return 0;
    }
    if (options.command == "export") return Export(options);
    if (options.command == "layout") return Layout(options);
    return Import(options);
}

// scrivane-cli: export, import and layout dump over the engine, for scripts and tests.
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "LayoutJson.h"
#include "TextInput.h"
#include "document/vorDocument.h"
#include "util/FileIO.h"

namespace {

using namespace scrivane;
using namespace scrivane::cli;

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

std::string DataFolder() {
    if (const char* folder = std::getenv("SCRIVANE_DATA_DIR"); folder && *folder) return folder;
    return SCRIVANE_DATA_FOLDER;
}

// Reads the input and lays it out; false (with a message printed) on failure.
bool LayOut(const CliOptions& options, vorDocument& document) {
    std::string bytes;
    if (!ReadInput(options.input, bytes)) {
        Fail("cannot read " + options.input);
        return false;
    }
    EngineText text = ToEngineText(bytes);
    if (text.replaced > 0) {
        std::cerr << "scrivane-cli: warning: " << text.replaced
                  << " character(s) outside the Windows-1252 set were replaced by \"?\"\n";
    }
    for (const std::string* file : {&options.formatFile, &options.lineOptions}) {
        if (!file->empty() && !FileExists(*file)) {
            Fail("format file not found: " + *file);
            return false;
        }
    }

    vorFormat working;
    if (!options.formatFile.empty()) {
        if (int16_t status = working.ReadFormatFile(options.formatFile); status != 0) {
            Fail("cannot read format file " + options.formatFile + " (status " +
                 std::to_string(status) + ")");
            return false;
        }
    } else {
        working.ApplyReadFallbacks();  // Helvetica 12, x 40, y 50, dy 16, 100 a line
    }
    if (!options.lineOptions.empty()) {
        if (int16_t status = working.ReadFormatFile(options.lineOptions); status != 0) {
            Fail("cannot read line options file " + options.lineOptions + " (status " +
                 std::to_string(status) + ")");
            return false;
        }
    }
    document.AddBuffer(text.text, std::move(working), options.formatFile,
                       FormatCode(options.format));
    return true;
}

EngineOptions OptionsFor(const CliOptions& options) {
    EngineOptions engine;
    engine.optimize = options.optimize;
    engine.animateSvg = options.animateSvg;
    engine.appFolder = DataFolder();
    return engine;
}

int Export(const CliOptions& options) {
    vorDocument document(OptionsFor(options));
    if (!LayOut(options, document)) return 1;

    std::string bytes;
    if (int16_t status = document.Build(FormatCode(options.format), bytes); status != 0) {
        return Fail("cannot build the " + options.format + " file (status " +
                    std::to_string(status) + ")");
    }
    std::string error;
    if (!WriteOutput(options.output, bytes, error)) {
        return Fail(error + " (status " + std::to_string(kSaveWriteFailed) + ")");
    }
    return 0;
}

// Why a file could not be read back, in words.
std::string ImportProblem(int16_t status) {
    switch (status) {
        case -1002:
            return "this PDF was not written by PDF Jotter 1.4 (try --convert)";
        case -5:
            return "no file name";
        case -1004:
        case -1005:
            return "a content stream of the PDF is damaged";
        case -10:
        case -1010:
            return "no such file, or it cannot be read";
        case -20:
            return "only .pdf, .htm (.html, .xhtml), .xml and .svg files can be read";
        case -1018:
        case -18:
            return "the file is too short to be a PDF";
        case -1020:
            return "the file is not a PDF (no %PDF- header)";
        case -1025:
        case -25:
            return "the PDF has no end marker (%%EOF)";
        case -21:
            return "the file is not well-formed XML";
        case -22:
        case -23:
        case -24:
            return "the file was not written by PDF Jotter";
        default:
            return "the file is damaged or not one PDF Jotter can read";
    }
}

// Standard input goes to a temporary file named after what it holds, since the readers
// tell the kind of a file by its name.
std::string InputFile(const CliOptions& options, std::string& temporary) {
    if (options.input != "-") return options.input;
    std::string bytes;
    ReadInput("-", bytes);
    std::string head = bytes.substr(0, 4096);
    const char* extension = head.rfind("%PDF", 0) == 0           ? ".pdf"
                            : head.find("<svg") != std::string::npos  ? ".svg"
                            : head.find("<html") != std::string::npos ? ".htm"
                                                                      : ".xml";
    char name[] = "/tmp/scrivane-import-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0) return options.input;
    close(fd);
    temporary = std::string(name) + extension;
    std::rename(name, temporary.c_str());
    WriteFileAtomically(temporary, bytes);
    return temporary;
}

int Import(const CliOptions& options) {
    vorDocument document(OptionsFor(options));
    std::string temporary;
    std::string input = InputFile(options, temporary);
    int16_t status = options.convert ? document.ImportFile(input) : document.LoadFile(input);
    if (!temporary.empty()) std::remove(temporary.c_str());
    if (status == -20 && options.convert) {
        return Fail("cannot read " + options.input + ": the file is not a PDF (status -20)");
    }
    if (status != 0) {
        return Fail("cannot read " + options.input + ": " + ImportProblem(status) +
                    " (status " + std::to_string(status) + ")");
    }
    std::string text;
    document.GetText(text);
    std::string error;
    if (!WriteOutput(options.output, ToUtf8Lines(text), error)) {
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
        std::cout << kUsage;
        return 0;
    }
    if (options.command == "version") {
        std::cout << "scrivane-cli " << SCRIVANE_VERSION << " (PDF Jotter)\n";
        return 0;
    }
    if (options.command == "export") return Export(options);
    if (options.command == "layout") return Layout(options);
    return Import(options);
}

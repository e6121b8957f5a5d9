// import_bench: how long reading a published file back into text takes.
//
// Exports the generated prose (100,000 lines by default) as PDF, XHTML and SVG, then, in
// a child process each so that the peak resident size belongs to that import alone,
// reads every file back (LoadFile + GetText) and checks the text is the one exported.
// pdftotext on the same PDF is timed alongside for scale.
//
//   import_bench            100,000 lines
//   import_bench 10000      another size
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchText.h"
#include "document/vorDocument.h"
#include "format/vorFormat.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Measure {
    double seconds = -1;
    double peakMb = 0;
    bool same = false;
};

// Reads the file back in a child and reports time, peak memory and whether the text
// came back whole.
Measure ImportInChild(const std::string& file, const std::string& expected) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        Measure m;
        auto start = Clock::now();
        scrivane::vorDocument document;
        std::string text;
        if (document.LoadFile(file) == 0 && document.GetText(text) == 0) {
            m.seconds = SecondsSince(start);
            m.same = text == expected;
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        m.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
        ssize_t written = write(pipeEnds[1], &m, sizeof m);
        _exit(written == sizeof m ? 0 : 1);
    }
    close(pipeEnds[1]);
    Measure m;
    if (read(pipeEnds[0], &m, sizeof m) != sizeof m) m = {};
    close(pipeEnds[0]);
    waitpid(child, nullptr, 0);
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    int lines = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (lines <= 0) {
        std::fprintf(stderr, "usage: import_bench [LINES]\n");
        return 2;
    }
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("scrivane-import-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);

    std::string text = bench::MakeProse(lines, 42);
    text.resize(text.size() - 2);  // the last line end would come back as an empty line
    std::printf("%d lines, %.2f MB of text\n\n", lines, static_cast<double>(text.size()) / 1e6);
    std::printf("format     file MB   import s   peak MB   text back\n");
    std::printf("------     -------   --------   -------   ---------\n");

    const struct {
        const char* name;
        const char* extension;
        int target;
    } kinds[] = {{"PDF", "pdf", 10}, {"XHTML", "htm", 20}, {"SVG", "svg", 40}};
    std::string pdf;
    for (const auto& kind : kinds) {
        scrivane::vorFormat format;
        format.ApplyReadFallbacks();
        format.DefaultMaxLenLine = 200;  // one run a line: the text is what is measured
        scrivane::vorDocument writer;
        writer.AddBuffer(text, format, "", kind.target);
        std::string file = (folder / (std::string("bench.") + kind.extension)).string();
        if (writer.SaveAs(file, kind.target) != 0) {
            std::fprintf(stderr, "cannot write %s\n", file.c_str());
            return 1;
        }
        if (kind.target == 10) pdf = file;
        Measure m = ImportInChild(file, text);
        std::printf("%-8s %9.2f %10.3f %9.1f   %s\n", kind.name,
                    static_cast<double>(std::filesystem::file_size(file)) / 1e6, m.seconds,
                    m.peakMb, m.same ? "yes" : "NO");
    }

    auto start = Clock::now();
    std::string command = "pdftotext '" + pdf + "' /dev/null 2>/dev/null";
    int status = std::system(command.c_str());
    double seconds = SecondsSince(start);
    if (status == 0) {
        std::printf("\npdftotext on the same PDF: %.3f s\n", seconds);
    } else {
        std::printf("\npdftotext not available (poppler-utils)\n");
    }
    std::filesystem::remove_all(folder);
    return 0;
}

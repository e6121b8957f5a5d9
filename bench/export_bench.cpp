// export_bench: how long a plain-text export takes, and how much of it is zlib.
//
// For each size (lines of generated prose) it lays the text out (AddBuffer), builds the
// PDF (BuildPdf), writes it the way SaveAs does, and then times compress2 alone over the
// same content streams. Each size runs in its own child process so that the peak
// resident size reported belongs to that size only.
//
// The wrapped case lays out texts of long lines (600 or 6,000 characters) at a line
// length of 400 points, so the engine cuts every line by measured glyph widths. Pairs of
// cases hold the same number of characters in lines ten times longer or shorter, so the
// figure to watch is nanoseconds a character, which should not grow with the line.
//
//   export_bench                  1,000, 10,000 and 100,000 lines, then the wrapped case
//   export_bench 1000 10000       chosen sizes only (no wrapped case)
//   export_bench --wrapped        the wrapped case only
//   export_bench 600x1000         wrapped: 1,000 lines of 600 characters (implies --wrapped)
//   export_bench --runs 5 20000   5 runs a size (the best run is shown)
//   export_bench --keep 1000      leave the temporary folder and its PDFs in place
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <zlib.h>

#include "BenchText.h"
#include "document/EngineOptions.h"
#include "document/vorDocument.h"
#include "format/vorFormat.h"
#include "pdf/PdfObjects.h"
#include "util/FileIO.h"

namespace {

using bench::MakeLongLines;
using bench::MakeProse;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// ---------------------------------------------------------------------------------------
// One size, measured in a child process.

// A wrapped case: `lines` lines of `length` characters. length 0 = the line-count case
// (the short lines of MakeProse, no line length set).
struct Case {
    int32_t lines = 0;
    int32_t length = 0;
};

// The line length, in points, of the wrapped case.
constexpr int16_t kWrapPoints = 400;

// Sent back through the pipe as raw bytes: plain data only.
struct Result {
    int32_t lines = 0;
    int32_t length = 0;     // characters a line in the wrapped case, 0 otherwise
    int32_t runs = 0;
    int32_t pieces = 0;     // text runs placed by AddBuffer (vorText on every page)
    int32_t pages = 0;
    int32_t contentBlocks = 0;
    uint64_t textBytes = 0;
    uint64_t pdfBytes = 0;
    uint64_t streamBytes = 0;      // uncompressed content streams, all blocks
    uint64_t compressedBytes = 0;  // the same after compress2 level 9
    double addBuffer = 0;   // seconds, best run
    double buildPdf = 0;
    double write = 0;
    double total = 0;
    double first = 0;       // total of the first run (cold heap and caches)
    double streamText = 0;  // ContentStreamText over every block (inside BuildPdf too)
    double zlib = 0;        // compress2 over every block, best of `runs`
    long baseRssKb = 0;     // ru_maxrss when the child starts (inherited from the parent)
    long peakRssKb = 0;     // ru_maxrss after the export runs
    int32_t status = 0;     // 0 = fine; otherwise see message
    char message[160] = {};
};

void Fail(Result& result, int32_t status, const std::string& what) {
    result.status = status;
    std::snprintf(result.message, sizeof result.message, "%s", what.c_str());
}

long MaxRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // kilobytes on Linux
}

// The content streams of a laid-out document, uncompressed, one string a block, built
// the way the writer builds them. Call after BuildPdf, which stamps the page furniture.
std::vector<std::string> ContentStreams(const scrivane::vorDocument& doc) {
    std::vector<std::string> streams;
    scrivane::PdfWriteState state;
    state.fonts = &doc.Fonts;
    for (const auto& page : doc.Pages.Kids) {
        state.currentPageHeight = page->PageHeight;
        for (const scrivane::vorContent& content : page->Contents) {
            streams.push_back(scrivane::ContentStreamText(content, state));
        }
    }
    return streams;
}

// The working format of a case: the read fallbacks, and for the wrapped case the line
// length that makes the engine cut lines by width.
scrivane::vorFormat FormatFor(const Case& c) {
    scrivane::vorFormat format;
    format.ApplyReadFallbacks();
    if (c.length > 0) format.DefaultLineLength = kWrapPoints;
    return format;
}

// Text runs on every page of a laid-out document.
int32_t CountPieces(const scrivane::vorDocument& doc) {
    size_t pieces = 0;
    for (const auto& page : doc.Pages.Kids) {
        for (const scrivane::vorContent& content : page->Contents) pieces += content.Texts.size();
    }
    return static_cast<int32_t>(pieces);
}

// The export itself, as SaveAs does it but with each step timed; false after a failure,
// which result records.
bool TimeExports(const Case& c, const std::string& text, int runs, const std::string& pdfPath,
                 Result& result) {
    for (int run = 0; run < runs; ++run) {
        scrivane::vorDocument doc;
        const scrivane::vorFormat format = FormatFor(c);

        auto t0 = Clock::now();
        doc.AddBuffer(text, format, "", scrivane::kTargetPdf);
        const double addBuffer = SecondsSince(t0);
        result.pieces = CountPieces(doc);

        std::string pdf;
        auto t1 = Clock::now();
        const int16_t built = doc.BuildPdf(pdf);
        const double buildPdf = SecondsSince(t1);
        if (built != scrivane::kPdfOk) {
            Fail(result, built, "BuildPdf returned " + std::to_string(built));
            return false;
        }

        std::string error;
        auto t2 = Clock::now();
        const bool written = scrivane::WriteFileAtomically(pdfPath, pdf, &error);
        const double write = SecondsSince(t2);
        if (!written) {
            Fail(result, -1, "write failed: " + error);
            return false;
        }

        const double total = addBuffer + buildPdf + write;
        if (run == 0) result.first = total;
        if (total < result.total) {
            result.addBuffer = addBuffer;
            result.buildPdf = buildPdf;
            result.write = write;
            result.total = total;
        }
        result.pdfBytes = pdf.size();
        result.pages =
            doc.GetDocumentProperty(scrivane::vorDocument::kPageCountProperty).value_or(-1);
    }
    return true;
}

// zlib alone, over the content streams the writer compressed (the source record, a
// stream of its own, is left out).
void TimeZlib(const Case& c, const std::string& text, int runs, Result& result) {
    scrivane::vorDocument doc;
    doc.AddBuffer(text, FormatFor(c), "", scrivane::kTargetPdf);
    {
        std::string pdf;
        doc.BuildPdf(pdf);
    }
    auto t3 = Clock::now();
    const std::vector<std::string> streams = ContentStreams(doc);
    result.streamText = SecondsSince(t3);
    result.contentBlocks = static_cast<int32_t>(streams.size());
    size_t largest = 0;
    for (const std::string& s : streams) {
        result.streamBytes += s.size();
        largest = std::max(largest, s.size());
    }
    std::vector<Bytef> out(compressBound(static_cast<uLong>(largest)));
    // Every compress2 call mallocs its deflate state (about 270 KB at level 9) and frees
    // it again. When that block sits at the top of the heap glibc hands it back to the
    // kernel on every free and faults it in again on the next call, which nearly doubles
    // the time. This column is meant to be zlib's own work, so keep the heap from
    // shrinking while it is timed.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    result.zlib = 1e300;
    for (int z = 0; z < runs; ++z) {
        uint64_t compressed = 0;
        auto t4 = Clock::now();
        for (const std::string& s : streams) {
            uLongf length = static_cast<uLongf>(out.size());
            int code = compress2(out.data(), &length, reinterpret_cast<const Bytef*>(s.data()),
                                 static_cast<uLong>(s.size()), 9);
            if (code != Z_OK) {
                Fail(result, code, "compress2 failed with " + std::to_string(code));
                return;
            }
            compressed += length;
        }
        result.zlib = std::min(result.zlib, SecondsSince(t4));
        result.compressedBytes = compressed;
    }
}

Result MeasureSize(const Case& c, int runs, const std::filesystem::path& folder) {
    Result result;
    result.lines = c.lines;
    result.length = c.length;
    result.runs = runs;
    result.baseRssKb = MaxRssKb();

    const uint64_t seed = bench::ProseSeed(c.lines, c.length);
    const std::string text =
        c.length > 0 ? MakeLongLines(c.lines, c.length, seed) : MakeProse(c.lines, seed);
    result.textBytes = text.size();

    const std::string name = c.length > 0 ? "wrapped_" + std::to_string(c.length) + "x" +
                                                std::to_string(c.lines)
                                          : "export_" + std::to_string(c.lines);
    const std::string pdfPath = (folder / (name + ".pdf")).string();
    result.total = 1e300;

    if (!TimeExports(c, text, runs, pdfPath, result)) return result;
    // Before the zlib part, which holds every stream at once and would add to it.
    result.peakRssKb = MaxRssKb();
    // The wrapped case compares lengths of line with each other, not with zlib.
    if (c.length > 0) return result;

    TimeZlib(c, text, runs, result);
    return result;
}

// Forks, measures one size in the child and returns what it sent back.
Result MeasureInChild(const Case& c, int runs, const std::filesystem::path& folder) {
    Result result;
    result.lines = c.lines;
    result.length = c.length;
    int fds[2];
    if (pipe(fds) != 0) {
        Fail(result, -1, std::string("pipe: ") + std::strerror(errno));
        return result;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    pid_t child = fork();
    if (child < 0) {
        Fail(result, -1, std::string("fork: ") + std::strerror(errno));
        close(fds[0]);
        close(fds[1]);
        return result;
    }
    if (child == 0) {
        close(fds[0]);
        Result measured = MeasureSize(c, runs, folder);
        const char* p = reinterpret_cast<const char*>(&measured);
        size_t left = sizeof measured;
        while (left > 0) {
            ssize_t n = ::write(fds[1], p, left);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) _exit(2);
            p += n;
            left -= static_cast<size_t>(n);
        }
        close(fds[1]);
        _exit(0);
    }
    close(fds[1]);
    char* p = reinterpret_cast<char*>(&result);
    size_t got = 0;
    while (got < sizeof result) {
        ssize_t n = ::read(fds[0], p + got, sizeof result - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    close(fds[0]);
    int wstatus = 0;
    while (waitpid(child, &wstatus, 0) < 0 && errno == EINTR) {
    }
    if (got != sizeof result) {
        result = Result{};
        result.lines = c.lines;
        result.length = c.length;
        if (WIFSIGNALED(wstatus)) {
            Fail(result, -1, "child killed by signal " + std::to_string(WTERMSIG(wstatus)));
        } else {
            Fail(result, -1, "child ended without a result");
        }
    }
    return result;
}

// ---------------------------------------------------------------------------------------

void PrintTable(const std::vector<Result>& results) {
    constexpr double MB = 1024.0 * 1024.0;
    std::printf("\n%8s %7s %6s %10s %10s %8s %9s %8s %8s %8s %9s %8s\n", "lines", "text MB",
                "pages", "AddBuffer", "BuildPdf", "write", "total s", "us/line", "cs MB",
                "zlib s", "exp/zlib", "peak MB");
    std::printf("%8s %7s %6s %10s %10s %8s %9s %8s %8s %8s %9s %8s\n", "--------", "-------",
                "------", "----------", "----------", "--------", "---------", "--------",
                "--------", "--------", "---------", "--------");
    for (const Result& r : results) {
        if (r.status != 0) {
            std::printf("%8d  failed: %s\n", r.lines, r.message);
            continue;
        }
        std::printf("%8d %7.2f %6d %10.4f %10.4f %8.4f %9.4f %8.2f %8.2f %8.4f %9.2f %8.1f\n",
                    r.lines, r.textBytes / MB, r.pages, r.addBuffer, r.buildPdf, r.write,
                    r.total, r.total * 1e6 / r.lines, r.streamBytes / MB, r.zlib,
                    r.zlib > 0 ? r.total / r.zlib : 0.0, r.peakRssKb / 1024.0);
    }

    std::printf("\n%8s %5s %7s %8s %9s %9s %10s %9s %10s %8s %8s\n", "lines", "runs",
                "blocks", "PDF MB", "cs->zlib", "first s", "cs text s", "zlib s",
                "BuildPdf/", "MB/s", "base MB");
    std::printf("%8s %5s %7s %8s %9s %9s %10s %9s %10s %8s %8s\n", "", "", "", "", "ratio",
                "", "", "", "zlib", "export", "");
    for (const Result& r : results) {
        if (r.status != 0) continue;
        std::printf("%8d %5d %7d %8.2f %9.3f %9.4f %10.4f %9.4f %10.4f %8.2f %8.1f\n",
                    r.lines, r.runs, r.contentBlocks, r.pdfBytes / MB,
                    r.streamBytes ? static_cast<double>(r.compressedBytes) / r.streamBytes : 0.0,
                    r.first, r.streamText, r.zlib, r.zlib > 0 ? r.buildPdf / r.zlib : 0.0,
                    r.total > 0 ? r.textBytes / MB / r.total : 0.0, r.baseRssKb / 1024.0);
    }
    std::printf(
        "\ncs = content streams (the uncompressed operators of every block, as the writer\n"
        "builds them); zlib s = compress2 level 9 over each block separately; exp/zlib =\n"
        "total s / zlib s. Times are those of the best run (lowest total); first s = total of\n"
        "the first run. BuildPdf/zlib = BuildPdf (streams built and deflated on every core)\n"
        "against zlib alone. peak MB = ru_maxrss of the child that ran the size (text,\n"
        "document and PDF); base MB = its value when the child started.\n");
}

void PrintWrappedTable(const std::vector<Result>& results) {
    constexpr double MB = 1024.0 * 1024.0;
    std::printf("\nWrapped at %d points: lines cut by measured glyph widths\n", kWrapPoints);
    std::printf("\n%7s %7s %7s %6s %8s %10s %9s %9s %9s %8s\n", "chars/", "lines", "text MB",
                "pages", "pieces", "AddBuffer", "ns/char", "total s", "ns/char", "peak MB");
    std::printf("%7s %7s %7s %6s %8s %10s %9s %9s %9s %8s\n", "line", "", "", "", "", "s",
                "AddBuffer", "", "total", "");
    std::printf("%7s %7s %7s %6s %8s %10s %9s %9s %9s %8s\n", "-------", "-------", "-------",
                "------", "--------", "----------", "---------", "---------", "---------",
                "--------");
    for (const Result& r : results) {
        if (r.status != 0) {
            std::printf("%7d %7d  failed: %s\n", r.length, r.lines, r.message);
            continue;
        }
        const double chars = static_cast<double>(r.lines) * r.length;
        std::printf("%7d %7d %7.2f %6d %8d %10.4f %9.1f %9.4f %9.1f %8.1f\n", r.length,
                    r.lines, r.textBytes / MB, r.pages, r.pieces, r.addBuffer,
                    r.addBuffer * 1e9 / chars, r.total, r.total * 1e9 / chars,
                    r.peakRssKb / 1024.0);
    }
    std::printf(
        "\nchars/line x lines = the characters of the text (line ends not counted), which the\n"
        "ns/char columns divide by; text MB counts the CR LF line ends too. pieces = text\n"
        "runs AddBuffer placed. total s = AddBuffer + BuildPdf + write, of the best run; peak\n"
        "MB = ru_maxrss of the child that ran the case. Rows of the same size should show the\n"
        "same ns/char whatever the length of line.\n");
}

int Usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [--runs N] [--keep] [--wrapped] [lines ...] [CHARSxLINES ...]\n"
                 "  lines        sizes to run (default 1000 10000 100000)\n"
                 "  --wrapped    lines of 600 and 6000 characters laid out at %d points\n"
                 "               (default 600x1000 6000x100 600x10000 6000x1000)\n"
                 "  CHARSxLINES  a wrapped case of your own, such as 600x1000\n"
                 "  --runs       runs a case, best shown (default 3; 1 above 100000 lines\n"
                 "               or 20 million wrapped characters)\n"
                 "  --keep       keep the temporary folder with the PDFs\n"
                 "With no lines and no wrapped case both tables run with their defaults;\n"
                 "lines alone run only the first table, --wrapped alone only the second.\n",
                 program, kWrapPoints);
    return 2;
}

// A whole number in [low, high], or 0 when `text` is not one.
long ParseCount(std::string_view text, long low, long high) {
    const std::string s(text);
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(s.c_str(), &end, 10);
    if (end == s.c_str() || *end != '\0' || errno != 0 || value < low || value > high) return 0;
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    std::vector<Case> wrapped;
    bool wantWrapped = false;
    int runs = 0;  // 0 = by size
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
            if (runs < 1) return Usage(argv[0]);
        } else if (arg == "--keep") {
            keep = true;
        } else if (arg == "--wrapped") {
            wantWrapped = true;
        } else if (arg == "-h" || arg == "--help") {
            return Usage(argv[0]);
        } else if (size_t x = arg.find('x'); x != std::string_view::npos) {
            const long length = ParseCount(arg.substr(0, x), 1, 10'000'000);
            const long lines = ParseCount(arg.substr(x + 1), 1, 50'000'000);
            if (length == 0 || lines == 0 || static_cast<double>(length) * lines > 2e9) {
                return Usage(argv[0]);
            }
            wrapped.push_back({static_cast<int32_t>(lines), static_cast<int32_t>(length)});
        } else {
            const long lines = ParseCount(arg, 1, 50'000'000);
            if (lines == 0) return Usage(argv[0]);
            sizes.push_back(static_cast<int>(lines));
        }
    }
    // Nothing chosen: both tables. Sizes alone: the first table only, as it always was.
    const bool nothingChosen = sizes.empty() && wrapped.empty() && !wantWrapped;
    if (nothingChosen) sizes = {1'000, 10'000, 100'000};
    if ((nothingChosen || wantWrapped) && wrapped.empty()) {
        // Pairs of the same number of characters, one with lines ten times longer.
        wrapped = {{1'000, 600}, {100, 6'000}, {10'000, 600}, {1'000, 6'000}};
    }

    std::string pattern =
        (std::filesystem::temp_directory_path() / "scrivane-export-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::fprintf(stderr, "cannot make a temporary folder: %s\n", std::strerror(errno));
        return 1;
    }
    const std::filesystem::path folder = pattern;
    std::printf("export_bench: PDFs go to %s\n", folder.c_str());

    std::vector<Result> results;
    for (int lines : sizes) {
        const int n = runs ? runs : (lines > 100'000 ? 1 : 3);
        std::printf("  %d lines, %d run%s ...\n", lines, n, n == 1 ? "" : "s");
        std::fflush(stdout);
        results.push_back(MeasureInChild({lines, 0}, n, folder));
    }
    if (!results.empty()) PrintTable(results);

    std::vector<Result> wrappedResults;
    if (!wrapped.empty()) std::printf("\n");
    for (const Case& c : wrapped) {
        const double chars = static_cast<double>(c.lines) * c.length;
        const int n = runs ? runs : (chars > 20e6 ? 1 : 3);
        std::printf("  wrapped: %d lines of %d characters, %d run%s ...\n", c.lines, c.length,
                    n, n == 1 ? "" : "s");
        std::fflush(stdout);
        wrappedResults.push_back(MeasureInChild(c, n, folder));
    }
    if (!wrappedResults.empty()) PrintWrappedTable(wrappedResults);

    if (!keep) {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    bool failed = false;
    for (const Result& r : results) failed = failed || r.status != 0;
    for (const Result& r : wrappedResults) failed = failed || r.status != 0;
    return failed ? 1 : 0;
}

// bench_text: writes the generated prose of export_bench to a file, so that a script can
// time the command-line tool on the very text the benchmark lays out.
//
//   bench_text LINES OUTPUT          LINES lines of prose, CR LF line ends, to OUTPUT
//   bench_text LINES OUTPUT greek    the same with every tenth line in Greek (UTF-8)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchText.h"
#include "util/FileIO.h"

int main(int argc, char** argv) {
    const bool greek = argc == 4 && std::string(argv[3]) == "greek";
    const long lines = argc == 3 || greek ? std::strtol(argv[1], nullptr, 10) : 0;
    if (lines < 1 || lines > 50'000'000) {
        std::fprintf(stderr, "usage: %s LINES OUTPUT [greek]\n", argv[0]);
        return 2;
    }
    const auto seed = bench::ProseSeed(lines);
    const std::string text = greek ? bench::MakeGreekTenth(static_cast<int>(lines), seed)
                                   : bench::MakeProse(static_cast<int>(lines), seed);
    std::string error;
    if (!scrivane::WriteFileAtomically(argv[2], text, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}

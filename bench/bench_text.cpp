// bench_text: writes the generated prose of export_bench to a file, so that a script can
// time the command-line tool on the very text the benchmark lays out.
//
//   bench_text LINES OUTPUT      LINES lines of prose, CR LF line ends, to OUTPUT
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchText.h"
#include "util/FileIO.h"

int main(int argc, char** argv) {
    const long lines = argc == 3 ? std::strtol(argv[1], nullptr, 10) : 0;
    if (lines < 1 || lines > 50'000'000) {
        std::fprintf(stderr, "usage: %s LINES OUTPUT\n", argv[0]);
        return 2;
    }
    const std::string text = bench::MakeProse(static_cast<int>(lines), bench::ProseSeed(lines));
    std::string error;
    if (!scrivane::WriteFileAtomically(argv[2], text, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}

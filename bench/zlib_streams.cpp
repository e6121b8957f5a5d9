// zlib_streams: what zlib alone takes over the deflated streams of a PDF we wrote.
//
//   zlib_streams FILE.pdf [RUNS]
//
// Finds every /FlateDecode stream, inflates it, and times compress2 at level 9 over each
// stream separately on one thread, as a writer that used zlib would (best of RUNS,
// default 1). Prints one line of key=value pairs for bench/cold_export.py:
//   streams=N inflated=BYTES deflated=BYTES zlib9=BYTES zlib9_s=SECONDS
// deflated is what the file holds, zlib9 what zlib's level 9 gives for the same streams.
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <zlib.h>

#include "pdf/Compression.h"
#include "util/FileIO.h"

namespace {

// The inflated /FlateDecode streams of a file of ours, and their deflated size in it.
bool InflatedStreams(const std::string& pdf, std::vector<std::string>& streams,
                     size_t& deflated) {
    for (size_t at = pdf.find("stream\n"); at != std::string::npos;
         at = pdf.find("stream\n", at)) {
        const size_t start = at + 7;
        const size_t end = pdf.find("\nendstream", start);
        if (end == std::string::npos) return false;
        const size_t object = pdf.rfind(" obj\n", at);
        const size_t filter = pdf.rfind("/FlateDecode", at);
        if (filter != std::string::npos && object != std::string::npos && filter > object) {
            std::string data = pdf.substr(start, end - start);
            deflated += data.size();
            if (scrivane::Decompress(data) != 0) return false;
            streams.push_back(std::move(data));
        }
        at = end + 10;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc == 3 ? std::atoi(argv[2]) : 1;
    if ((argc != 2 && argc != 3) || runs < 1) {
        std::fprintf(stderr, "usage: %s FILE.pdf [RUNS]\n", argv[0]);
        return 2;
    }
    std::string pdf;
    if (!scrivane::ReadWholeFile(argv[1], pdf)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<std::string> streams;
    size_t deflated = 0;
    if (!InflatedStreams(pdf, streams, deflated)) {
        std::fprintf(stderr, "%s: a stream does not inflate\n", argv[1]);
        return 1;
    }
    size_t inflated = 0, largest = 0;
    for (const std::string& s : streams) {
        inflated += s.size();
        largest = std::max(largest, s.size());
    }
    std::vector<Bytef> out(compressBound(static_cast<uLong>(largest)));
    // compress2 takes and frees its ~270 KB of state on every call; keep glibc from handing
    // it back to the kernel each time, so that the time is zlib's own work.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    double best = 1e300;
    size_t zlib9 = 0;
    for (int run = 0; run < runs; ++run) {
        zlib9 = 0;
        const auto start = std::chrono::steady_clock::now();
        for (const std::string& s : streams) {
            uLongf length = static_cast<uLongf>(out.size());
            if (compress2(out.data(), &length, reinterpret_cast<const Bytef*>(s.data()),
                          static_cast<uLong>(s.size()), 9) != Z_OK) {
                std::fprintf(stderr, "compress2 failed\n");
                return 1;
            }
            zlib9 += length;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    std::printf("streams=%zu inflated=%zu deflated=%zu zlib9=%zu zlib9_s=%.6f\n", streams.size(),
                inflated, deflated, zlib9, best);
    return 0;
}

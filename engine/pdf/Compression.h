#pragma once
// Deflate for /FlateDecode streams and the matching inflate, in zlib's format. Deflate is
// libdeflate's (several times faster than zlib for files no larger); inflate is zlib's.
#include <cstddef>
#include <cstdint>
#include <string>

namespace scrivane {

// Sizes of the most recent call, for progress reports and tests.
struct CompressionSizes {
    size_t before = 0;  // uncompressed
    size_t after = 0;   // compressed
};
CompressionSizes LastCompressionSizes();

// The level content streams are written at. On our page streams libdeflate's level 1
// gives within 4 % of zlib level 9's size (the 100,000-line bench text: 0.1 % smaller)
// in little more than half the time of its level 3, whose streams are at most 2 % smaller.
constexpr int kStreamLevel = 1;
// Text beyond Windows-1252 is written as two-byte glyph ids, on which level 1 falls 7 to
// 10 % behind zlib level 9 (Greek prose, all or a tenth of its lines); level 3 keeps
// within 3 % and costs about a third more time on such a text.
constexpr int kGlyphIdStreamLevel = 3;

// Replaces data by its zlib stream (header, deflate data, Adler-32) at the given level,
// 1 (fastest) to 12 (smallest). Safe to call from several threads at once. Non-zero when
// the library fails (out of memory); the data is then unchanged.
int Compress(std::string& data, int level = kStreamLevel);

// Largest inflated size Decompress accepts before it gives up.
constexpr size_t kMaxInflatedSize = size_t{256} << 20;

// What Decompress does with a stream that is damaged or cut short.
enum class DamagedStream {
    kFail,        // report it and leave the data alone
    kKeepPrefix,  // keep what inflated before the damage: a reader takes what it can
};

// The one inflate of the engine: replaces data by its inflated form. The output grows
// until the stream is complete, so nothing is cut whatever sizeHint says; past maxSize it
// fails, whatever the stream holds. Returns zlib's code: 0 (Z_OK) on success,
// Z_DATA_ERROR for a damaged stream, Z_BUF_ERROR for a truncated one or one that
// inflates past maxSize, Z_MEM_ERROR when memory runs out. On failure the data is
// unchanged. With DamagedStream::kKeepPrefix a damaged or truncated stream is no failure:
// the data becomes what inflated before the damage and the result is 0.
int Decompress(std::string& data, size_t sizeHint = 0, size_t maxSize = kMaxInflatedSize,
               DamagedStream damaged = DamagedStream::kFail);

}  // namespace scrivane

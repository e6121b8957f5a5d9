#include "pdf/Compression.h"

#include <algorithm>
#include <cmath>

#include <zlib.h>

namespace scrivane {

namespace {
thread_local CompressionSizes lastSizes;
}

CompressionSizes LastCompressionSizes() { return lastSizes; }

int Compress(std::string& data, int level) {
    lastSizes.before = data.size();
    uLongf bound = compressBound(static_cast<uLong>(data.size()));
    std::string out(bound, '\0');
    int code = compress2(reinterpret_cast<Bytef*>(out.data()), &bound,
                         reinterpret_cast<const Bytef*>(data.data()),
                         static_cast<uLong>(data.size()), level);
    if (code != Z_OK) return code;
    out.resize(bound);
    lastSizes.after = out.size();
    data.swap(out);
    return Z_OK;
}

int Decompress(std::string& data, size_t sizeHint, size_t maxSize) {
    lastSizes.after = data.size();
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) return Z_MEM_ERROR;

    size_t capacity = std::clamp<size_t>(std::max(sizeHint, data.size() * 4), 1024, maxSize);
    std::string out;
    int code = Z_OK;
    try {
        out.resize(capacity);
        stream.next_in = reinterpret_cast<Bytef*>(data.data());
        stream.avail_in = static_cast<uInt>(data.size());
        size_t produced = 0;
        for (;;) {
            stream.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
            stream.avail_out = static_cast<uInt>(std::min<size_t>(out.size() - produced, UINT32_MAX));
            code = inflate(&stream, Z_NO_FLUSH);
            produced = static_cast<size_t>(reinterpret_cast<char*>(stream.next_out) - out.data());
            if (code == Z_STREAM_END) {
                code = Z_OK;
                out.resize(produced);
                break;
            }
            if (code == Z_NEED_DICT) code = Z_DATA_ERROR;
            if (code != Z_OK && code != Z_BUF_ERROR) break;
            if (produced < out.size()) {
                // Room was left, so the input ran out before the stream ended.
                code = Z_BUF_ERROR;
                break;
            }
            if (out.size() >= maxSize) {  // would inflate past the bound
                code = Z_BUF_ERROR;
                break;
            }
            out.resize(std::min(out.size() * 2, maxSize));
        }
    } catch (const std::bad_alloc&) {
        code = Z_MEM_ERROR;
    }
    inflateEnd(&stream);
    if (code != Z_OK) return code;
    lastSizes.before = out.size();
    data.swap(out);
    return Z_OK;
}

}  // namespace scrivane

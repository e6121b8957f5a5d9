#include "pdf/Compression.h"

#include <algorithm>
#include <cmath>
#include <new>

#include <libdeflate.h>
#include <zlib.h>

namespace scrivane {

namespace {
thread_local CompressionSizes lastSizes;
}

CompressionSizes LastCompressionSizes() { return lastSizes; }

namespace {

// One compressor kept per thread and level: making one costs an allocation of several
// hundred kilobytes, which would dominate small streams and fault in fresh pages each
// time. The scratch buffer, sized for the worst case, is kept for the same reason.
class Deflater {
public:
    ~Deflater() {
        if (compressor_) libdeflate_free_compressor(compressor_);
    }

    int Compress(std::string& data, int level) {
        if (data.empty()) {  // libdeflate stores it in 11 bytes; this is zlib's 8
            data.assign("\x78\x9C\x03\x00\x00\x00\x00\x01", 8);
            return Z_OK;
        }
        if (!compressor_ || level != level_) {
            if (compressor_) libdeflate_free_compressor(compressor_);
            compressor_ = libdeflate_alloc_compressor(level);
            level_ = level;
            if (!compressor_) return Z_MEM_ERROR;  // no memory, or a level out of range
        }
        const size_t bound = libdeflate_zlib_compress_bound(compressor_, data.size());
        if (scratch_.size() < bound) scratch_.resize(bound);
        const size_t written = libdeflate_zlib_compress(compressor_, data.data(), data.size(),
                                                        scratch_.data(), scratch_.size());
        if (written == 0) return Z_BUF_ERROR;  // cannot happen with a buffer of the bound
        data.assign(scratch_.data(), written);
        return Z_OK;
    }

private:
    libdeflate_compressor* compressor_ = nullptr;
    int level_ = 0;
    std::string scratch_;
};

}  // namespace

int Compress(std::string& data, int level) {
    thread_local Deflater deflater;
    const size_t before = data.size();
    int code;
    try {
        code = deflater.Compress(data, level);
    } catch (const std::bad_alloc&) {
        code = Z_MEM_ERROR;
    }
    if (code != Z_OK) return code;
    lastSizes.before = before;
    lastSizes.after = data.size();
    return Z_OK;
}

int Decompress(std::string& data, size_t sizeHint, size_t maxSize) {
    lastSizes.after = data.size();
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) return Z_MEM_ERROR;

    size_t capacity = std::min(std::max<size_t>({sizeHint, data.size() * 4, 1024}), maxSize);
    if (capacity == 0) capacity = 1;
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

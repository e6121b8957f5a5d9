#include "pdf/Compression.h"

#include <algorithm>
#include <cmath>

#include <zlib.h>

namespace scrivane {

namespace {
thread_local CompressionSizes lastSizes;
}

CompressionSizes LastCompressionSizes() { return lastSizes; }

namespace {

// One deflate state kept per thread and reset for each stream: a new state per stream
// costs an allocation of some 270 KB, which dominated small exports.
class Deflater {
public:
    ~Deflater() {
        if (ready_) deflateEnd(&stream_);
    }

    int Compress(std::string& data, int level) {
        if (ready_ && level != level_) {
            deflateEnd(&stream_);
            ready_ = false;
        }
        if (!ready_) {
            stream_ = z_stream{};
            int code = deflateInit(&stream_, level);
            if (code != Z_OK) return code;
            ready_ = true;
            level_ = level;
        } else if (int code = deflateReset(&stream_); code != Z_OK) {
            return code;
        }
        if (data.size() > UINT32_MAX / 2) return Z_BUF_ERROR;
        scratch_.resize(deflateBound(&stream_, static_cast<uLong>(data.size())));
        stream_.next_in = reinterpret_cast<Bytef*>(data.data());
        stream_.avail_in = static_cast<uInt>(data.size());
        stream_.next_out = reinterpret_cast<Bytef*>(scratch_.data());
        stream_.avail_out = static_cast<uInt>(scratch_.size());
        int code = deflate(&stream_, Z_FINISH);
        if (code != Z_STREAM_END) return code == Z_OK ? Z_BUF_ERROR : code;
        data.assign(scratch_.data(), stream_.total_out);
        return Z_OK;
    }

private:
    z_stream stream_{};
    bool ready_ = false;
    int level_ = 0;
    std::string scratch_;
};

}  // namespace

int Compress(std::string& data, int level) {
    thread_local Deflater deflater;
    const size_t before = data.size();
    int code = deflater.Compress(data, level);
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

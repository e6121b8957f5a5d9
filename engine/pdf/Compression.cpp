#include "pdf/Compression.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <string_view>

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

namespace {

enum class Inflated { kComplete, kDamaged, kTruncated, kTooLarge, kNoMemory };

// Feeds the input to zlib in pieces it can take (its counters are 32 bits).
void Refill(z_stream& stream, std::string_view& input) {
    if (stream.avail_in > 0 || input.empty()) return;
    size_t piece = std::min<size_t>(input.size(), UINT32_MAX);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
    stream.avail_in = static_cast<uInt>(piece);
    input.remove_prefix(piece);
}

Inflated Classify(int code) {
    if (code == Z_STREAM_END) return Inflated::kComplete;
    if (code == Z_MEM_ERROR) return Inflated::kNoMemory;
    return Inflated::kDamaged;  // Z_DATA_ERROR, Z_NEED_DICT, Z_STREAM_ERROR
}

// The output is full at the bound: whether the stream ends there or would give more.
// Every round either writes the probe byte, ends, fails or uses up input.
Inflated ProbePastBound(z_stream& stream, std::string_view& input) {
    for (;;) {
        Refill(stream, input);
        unsigned char probe;
        stream.next_out = &probe;
        stream.avail_out = 1;
        int code = inflate(&stream, Z_NO_FLUSH);
        if (stream.avail_out == 0) return Inflated::kTooLarge;
        if (code == Z_BUF_ERROR) return Inflated::kTruncated;  // no input left
        if (code != Z_OK) return Classify(code);
    }
}

// Inflates input into out (resized to the produced length), at most maxSize bytes.
Inflated InflateAll(z_stream& stream, std::string_view input, std::string& out,
                    size_t sizeHint, size_t maxSize) {
    out.resize(std::min(std::max<size_t>({sizeHint, input.size() * 4, 1024}), maxSize));
    size_t produced = 0;
    for (;;) {
        Refill(stream, input);
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
        stream.avail_out = static_cast<uInt>(std::min<size_t>(out.size() - produced, UINT32_MAX));
        int code = inflate(&stream, Z_NO_FLUSH);
        produced = static_cast<size_t>(reinterpret_cast<char*>(stream.next_out) - out.data());
        if (code != Z_OK && code != Z_BUF_ERROR) {
            out.resize(produced);
            return Classify(code);
        }
        if (produced < out.size()) {
            if (stream.avail_in > 0 || !input.empty()) continue;
            out.resize(produced);  // room was left, so the input ran out before the end
            return Inflated::kTruncated;
        }
        if (out.size() >= maxSize) return ProbePastBound(stream, input);
        out.resize(std::min(out.size() * 2, maxSize));
    }
}

// libdeflate inflates a whole stream in one call, about twice as fast as zlib, but only
// into room for all of it and without the part before any damage: a stream it cannot
// take goes through zlib's loop, which tells what is wrong with it. True when done.
bool InflateWhole(std::string& data, size_t sizeHint, size_t maxSize) {
    struct Decompressor {
        libdeflate_decompressor* d = libdeflate_alloc_decompressor();
        ~Decompressor() {
            if (d) libdeflate_free_decompressor(d);
        }
    };
    thread_local Decompressor decompressor;
    if (!decompressor.d) return false;
    size_t room = std::min(std::max<size_t>({sizeHint, data.size() * 4, 1024}), maxSize);
    for (;;) {
        std::unique_ptr<char[]> out(new (std::nothrow) char[room]);
        if (!out) return false;
        size_t produced = 0;
        const libdeflate_result result = libdeflate_zlib_decompress(
            decompressor.d, data.data(), data.size(), out.get(), room, &produced);
        if (result == LIBDEFLATE_SUCCESS) {
            data.assign(out.get(), produced);
            return true;
        }
        if (result != LIBDEFLATE_INSUFFICIENT_SPACE || room >= maxSize) return false;
        room = std::min(room * 2, maxSize);
    }
}

}  // namespace

int Decompress(std::string& data, size_t sizeHint, size_t maxSize, DamagedStream damaged) {
    lastSizes.after = data.size();
    try {
        if (InflateWhole(data, sizeHint, maxSize)) {
            lastSizes.before = data.size();
            return Z_OK;
        }
    } catch (const std::bad_alloc&) {
        // zlib's loop below reports it
    }
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) return Z_MEM_ERROR;
    std::string out;
    Inflated result;
    try {
        result = InflateAll(stream, data, out, sizeHint, maxSize);
    } catch (const std::bad_alloc&) {
        result = Inflated::kNoMemory;
    }
    inflateEnd(&stream);
    bool keep = damaged == DamagedStream::kKeepPrefix &&
                (result == Inflated::kDamaged || result == Inflated::kTruncated);
    if (result != Inflated::kComplete && !keep) {
        if (result == Inflated::kDamaged) return Z_DATA_ERROR;
        return result == Inflated::kNoMemory ? Z_MEM_ERROR : Z_BUF_ERROR;
    }
    lastSizes.before = out.size();
    data.swap(out);
    return Z_OK;
}

}  // namespace scrivane

#include "import/foreign/StreamDecoding.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <set>

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDFXRefEntry.hh>

#include "pdf/Compression.h"

namespace scrivane::foreign {

namespace {

struct SinkFull {};

// Collects decoded stream data up to a size, then stops the decoder.
class CappedSink : public Pipeline {
public:
    CappedSink(std::string& out, size_t cap)
        : Pipeline("capped sink", nullptr), out_(out), cap_(cap) {}
    void write(unsigned char const* data, size_t len) override {
        if (full_) throw SinkFull{};
        size_t room = cap_ - out_.size();
        if (len > room) {
            out_.append(reinterpret_cast<const char*>(data), room);
            full_ = true;
            throw SinkFull{};
        }
        out_.append(reinterpret_cast<const char*>(data), len);
    }
    void finish() override {}
    bool full() const { return full_; }

private:
    std::string& out_;
    size_t cap_;
    bool full_ = false;
};

// How much the filters of a stream dictionary can grow its data: Flate filters are
// counted (they are undone to measure), the others grow data by a bounded factor.
double FilterGrowth(std::string_view dict, int& flates) {
    constexpr auto npos = std::string_view::npos;
    double growth = 1;
    flates = 0;
    for (size_t f = dict.find('/'); f != npos; f = dict.find('/', f + 1)) {
        std::string_view name = dict.substr(f, dict.find_first_of(" /[]<>\r\n\t", f + 1) - f);
        if (name == "/FlateDecode" || name == "/Fl") ++flates;
        if (name == "/LZWDecode" || name == "/LZW") growth *= 4096;
        if (name == "/RunLengthDecode" || name == "/RL") growth *= 128;
        if (name == "/ASCII85Decode" || name == "/A85") growth *= 5;
    }
    return growth;
}

// The decoded size of the stream whose dictionary holds the "/XRef" at `at`: 0 when that
// is no cross-reference stream's, infinity when it passes cap.
double CrossReferenceSize(std::string_view file, size_t at, size_t cap) {
    constexpr auto npos = std::string_view::npos;
    constexpr double kTooLarge = std::numeric_limits<double>::infinity();
    if (at + 5 < file.size() && std::isalnum(static_cast<unsigned char>(file[at + 5]))) {
        return 0;  // /XRefStm of a trailer
    }
    size_t objStart = file.rfind(" obj", at);
    size_t streamAt = file.find("stream", at);
    if (objStart == npos || streamAt == npos) return 0;
    std::string_view dict = file.substr(objStart, streamAt - objStart);
    if (dict.find("endobj") != npos) return 0;
    size_t dataStart = streamAt + 6;
    if (dataStart < file.size() && file[dataStart] == '\r') ++dataStart;
    if (dataStart < file.size() && file[dataStart] == '\n') ++dataStart;
    size_t dataEnd = std::min(file.find("endstream", dataStart), file.size());
    std::string data(file.substr(dataStart, dataEnd - dataStart));
    int flates;
    double growth = FilterGrowth(dict, flates);
    if (flates > 4) return kTooLarge;
    for (int i = 0; i < flates; ++i) {
        if (Decompress(data, 0, cap, DamagedStream::kKeepPrefix) != 0) return kTooLarge;
    }
    return static_cast<double>(data.size()) * growth;
}

}  // namespace

std::string DecodeStream(QPDFObjectHandle stream, size_t cap, ConversionBudget& budget,
                         bool* full) {
    std::string out;
    if (!stream.isStream()) return out;
    if (budget.streamsLeft == 0) {
        if (full) *full = true;
        return out;
    }
    --budget.streamsLeft;
    CappedSink sink(out, std::min(cap, budget.decodedLeft));
    try {
        stream.pipeStreamData(&sink, 0, qpdf_dl_generalized, true, false);
    } catch (const SinkFull&) {
    }
    budget.decodedLeft -= out.size();
    if (full) *full = sink.full();
    return out;
}

bool CrossReferenceStreamsFit(std::string_view file, size_t cap, size_t totalCap) {
    constexpr auto npos = std::string_view::npos;
    size_t spent = 0;
    for (size_t at = file.find("/XRef"); at != npos; at = file.find("/XRef", at + 5)) {
        double size = CrossReferenceSize(file, at, cap);
        if (size > static_cast<double>(cap)) return false;
        spent += static_cast<size_t>(size);
        if (spent > totalCap) return false;
    }
    return true;
}

bool ObjectStreamsFit(QPDF& pdf, ConversionBudget& budget) {
    std::set<int> objectStreams;
    for (const auto& [objGen, entry] : pdf.getXRefTable()) {
        if (entry.getType() == 2) objectStreams.insert(entry.getObjStreamNumber());
    }
    for (int number : objectStreams) {
        bool full = false;
        DecodeStream(pdf.getObjectByID(number, 0), budget.limits.maxStreamBytes, budget, &full);
        if (full) return false;
    }
    return true;
}

}  // namespace scrivane::foreign

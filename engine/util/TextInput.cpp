#include "util/TextInput.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "util/Encoding.h"
#include "util/ProgramInfo.h"

namespace scrivane {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr char32_t kNotACharacter = 0xFFFD;

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

// Whether any of the eight bytes at `at` is 0x80 or more, CR or LF (word-at-a-time tests:
// a byte of the xor is zero exactly where the byte equals the one looked for).
bool HasSpecialByte(const char* at) {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    uint64_t word;
    std::memcpy(&word, at, sizeof word);
    auto hasZeroByte = [](uint64_t v) { return (v - kOnes) & ~v & kHighBits; };
    return ((word & kHighBits) | hasZeroByte(word ^ (kOnes * '\r')) |
            hasZeroByte(word ^ (kOnes * '\n'))) != 0;
}

// Where the first byte from `at` that is 0x80 or more, CR or LF lies; the end when none is.
// Everything before it is the same in ASCII, UTF-8 and Windows-1252.
size_t PlainStretchEnd(std::string_view bytes, size_t at) {
#if defined(__SSE2__)
    // Sixteen bytes at a time: the high bit of each byte, or of its CR or LF compare.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (at + 16 <= bytes.size()) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + at));
        const __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf));
        const int mask = _mm_movemask_epi8(_mm_or_si128(v, ends));
        if (mask != 0) return at + static_cast<size_t>(std::countr_zero(static_cast<unsigned>(mask)));
        at += 16;
    }
#endif
    while (at + 8 <= bytes.size() && !HasSpecialByte(bytes.data() + at)) at += 8;
    while (at < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[at]);
        if (c >= 0x80 || c == '\r' || c == '\n') break;
        ++at;
    }
    return at;
}

// Builds the engine text one code point at a time: line ends made CR LF, characters
// Windows-1252 cannot hold made "?" and reported per line. With `canShow`, the text is
// UTF-8 instead and only the characters no font can show are made "?".
class EngineTextBuilder {
public:
    EngineTextBuilder(EngineText& result, const CanShowCharacter* canShow, size_t pieceSize,
                      size_t expected)
        : result_(result), canShow_(canShow), pieceSize_(pieceSize) {
        result_.text.reserve(pieceSize > 0 ? std::min(expected, pieceSize + pieceSize / 8)
                                           : expected);
    }

    // Characters beyond Windows-1252 the UTF-8 text kept.
    size_t kept() const { return kept_; }
    // Building Windows-1252 text, stops at the first character beyond it that `canShow`
    // accepts.
    void StopAtShowable(const CanShowCharacter* canShow) { stopAtShowable_ = canShow; }
    bool stopped() const { return stopped_; }

    void Add(char32_t cp) {
        if (cp == '\n') {
            if (!afterCr_) EndLine();
            afterCr_ = false;
            return;
        }
        afterCr_ = cp == '\r';
        if (afterCr_) {
            EndLine();
            return;
        }
        int byte = Cp1252Byte(cp);
        if (stopAtShowable_ && byte < 0 && (*stopAtShowable_)(cp)) {
            stopped_ = true;  // the text will be kept as UTF-8: this pass is of no use
            return;
        }
        if (canShow_) {
            if (byte >= 0 || (*canShow_)(cp)) {
                AppendUtf8(result_.text, cp);
                kept_ += byte < 0;
                return;
            }
        } else if (byte >= 0) {
            result_.text.push_back(static_cast<char>(byte));
            return;
        }
        result_.text.push_back('?');
        ++result_.replaced;
        AppendUtf8(lost_, cp);
        ++lostCount_;
    }

    // Copies the bytes from `at` up to the next byte of 0x80 or more, CR or LF (they are
    // the same in Windows-1252) at once, and returns where it stopped.
    size_t AddPlainStretch(std::string_view bytes, size_t at) {
        const size_t end = PlainStretchEnd(bytes, at);
        if (end > at) {
            result_.text.append(bytes.substr(at, end - at));
            afterCr_ = false;
        }
        return end;
    }

    // Takes the line end at `at` (CR LF, LF or CR) as Add would take its bytes one by one;
    // returns where the next line starts. `at` must hold a CR or LF.
    size_t AddLineEnd(std::string_view bytes, size_t at) {
        if (bytes[at] == '\n') {
            if (!afterCr_) EndLine();
            afterCr_ = false;
            return at + 1;
        }
        EndLine();
        afterCr_ = !(at + 1 < bytes.size() && bytes[at + 1] == '\n');
        return afterCr_ ? at + 1 : at + 2;
    }

    void Finish() {
        Report();
        if (pieceSize_ > 0) result_.pieces.push_back(std::move(result_.text));
    }

private:
    void EndLine() {
        Report();
        result_.text += "\r\n";
        ++line_;
        if (pieceSize_ > 0 && result_.text.size() >= pieceSize_) {
            result_.pieces.push_back(std::move(result_.text));
            result_.text = std::string();
            result_.text.reserve(pieceSize_ + pieceSize_ / 8);
        }
    }

    void Report() {
        if (lostCount_ == 0) return;
        std::string message = std::to_string(lostCount_) +
                              (lostCount_ == 1 ? " character" : " characters") +
                              (canShow_ ? " no installed font can show"
                                        : " Windows-1252 cannot hold") +
                              ", written as \"?\"";
        result_.replacements.push_back(
            {line_, DiagnosticKind::kCharacterReplaced, std::move(lost_), std::move(message)});
        lost_.clear();
        lostCount_ = 0;
    }

    EngineText& result_;
    const CanShowCharacter* canShow_;
    const CanShowCharacter* stopAtShowable_ = nullptr;
    bool stopped_ = false;
    size_t kept_ = 0;
    const size_t pieceSize_;
    int32_t line_ = 1;
    bool afterCr_ = false;
    std::string lost_;
    size_t lostCount_ = 0;
};

void AddUtf16(std::string_view bytes, bool bigEndian, EngineTextBuilder& out) {
    auto unit = [&](size_t i) -> char32_t {
        auto a = static_cast<unsigned char>(bytes[i]);
        auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8) | b : (b << 8) | a;
    };
    size_t i = 0;
    for (; i + 1 < bytes.size() && !out.stopped(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) cp = kNotACharacter;  // an unpaired half
        out.Add(cp);
    }
    if (i < bytes.size()) out.Add(kNotACharacter);  // an odd last byte
}

}  // namespace

TextFileEncoding DetectTextFileEncoding(std::string_view fileBytes) {
    if (StartsWith(fileBytes, kUtf16LeBom)) return TextFileEncoding::kUtf16Le;
    if (StartsWith(fileBytes, kUtf16BeBom)) return TextFileEncoding::kUtf16Be;
    if (!IsValidUtf8(fileBytes)) return TextFileEncoding::kWindows1252;
    return StartsWith(fileBytes, kUtf8Bom) ? TextFileEncoding::kUtf8Bom : TextFileEncoding::kUtf8;
}

namespace {

// Plain stretches copied at once, line ends taken whole, and every other character read by
// decode(bytes, at, cp), which returns its length in bytes.
template <class Decode>
void AddBytes(std::string_view bytes, EngineTextBuilder& out, Decode decode) {
    char32_t cp = 0;
    for (size_t i = 0; i < bytes.size() && !out.stopped();) {
        i = out.AddPlainStretch(bytes, i);
        if (i >= bytes.size()) break;
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            i = out.AddLineEnd(bytes, i);
            continue;
        }
        i += decode(bytes, i, cp);
        out.Add(cp);
    }
}

void BuildEngineText(std::string_view fileBytes, TextFileEncoding encoding, EngineText& result,
                     EngineTextBuilder& out) {
    result.encoding = encoding;
    switch (result.encoding) {
        case TextFileEncoding::kUtf16Le:
        case TextFileEncoding::kUtf16Be:
            AddUtf16(fileBytes.substr(2), result.encoding == TextFileEncoding::kUtf16Be, out);
            break;
        case TextFileEncoding::kUtf8:
        case TextFileEncoding::kUtf8Bom: {
            const bool bom = result.encoding == TextFileEncoding::kUtf8Bom;
            std::string_view body = bom ? fileBytes.substr(kUtf8Bom.size()) : fileBytes;
            AddBytes(body, out, [](std::string_view bytes, size_t at, char32_t& cp) {
                return DecodeUtf8(bytes, at, cp);
            });
            break;
        }
        case TextFileEncoding::kWindows1252:
            AddBytes(fileBytes, out, [](std::string_view bytes, size_t at, char32_t& cp) {
                cp = Cp1252CodePoint(static_cast<unsigned char>(bytes[at]));
                return size_t{1};
            });
            break;
    }
    out.Finish();
}

}  // namespace

EngineText ToEngineText(std::string_view fileBytes, const CanShowCharacter& canShow,
                        size_t pieceSize) {
    const TextFileEncoding encoding = DetectTextFileEncoding(fileBytes);
    const size_t expected = fileBytes.size() + fileBytes.size() / 32;
    EngineText result;
    EngineTextBuilder out(result, nullptr, pieceSize, expected);
    if (canShow) out.StopAtShowable(&canShow);
    BuildEngineText(fileBytes, encoding, result, out);
    if (!out.stopped()) return result;
    // A character beyond Windows-1252 that a font shows: the text stays UTF-8.
    EngineText wide;
    EngineTextBuilder wideOut(wide, &canShow, pieceSize, expected);
    BuildEngineText(fileBytes, encoding, wide, wideOut);
    wide.utf8 = true;
    return wide;
}

std::string ToUtf8Lines(std::string_view engineText, bool utf8) {
    // The CR of every CR LF goes; the stretches between are copied at once.
    std::string lf;
    lf.reserve(engineText.size());
    size_t from = 0;
    for (size_t cr = engineText.find('\r'); cr != std::string_view::npos;
         cr = engineText.find('\r', cr + 1)) {
        if (cr + 1 < engineText.size() && engineText[cr + 1] == '\n') {
            lf.append(engineText.substr(from, cr - from));
            from = cr + 1;
        }
    }
    lf.append(engineText.substr(from));
    return utf8 ? lf : Cp1252ToUtf8(lf);
}

TextInputKind ClassifyTextInput(std::string_view fileBytes) {
    if (StartsWith(fileBytes, kUtf16LeBom) || StartsWith(fileBytes, kUtf16BeBom)) {
        return TextInputKind::kText;
    }
    std::string_view head = fileBytes.substr(0, 8192);
    if (StartsWith(fileBytes, "%PDF-")) {
        // Our PDFs carry their private Info key uncompressed, near the end.
        return fileBytes.find(kPdfMarkerKey) != std::string_view::npos
                   ? TextInputKind::kOwnPdf
                   : TextInputKind::kOtherPdf;
    }
    if (head.find('\0') != std::string_view::npos) return TextInputKind::kBinary;
    // The producer of an XHTML, XML or SVG file of ours stands in its first element.
    std::string_view start = fileBytes.substr(0, 4096);
    const bool markup = start.find("<html") != std::string_view::npos ||
                        start.find("<svg") != std::string_view::npos ||
                        start.find("<document") != std::string_view::npos;
    if (markup && start.find(kAcceptedXmlProducer) != std::string_view::npos) {
        return TextInputKind::kOwnXml;
    }
    return TextInputKind::kText;
}

}  // namespace scrivane

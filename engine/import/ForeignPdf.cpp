#include "import/ForeignPdf.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// qpdf: no PointerHolder in the interfaces used here.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Buffer.hh>
#include <qpdf/BufferInputSource.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFTokenizer.hh>
#include <qpdf/QPDFXRefEntry.hh>
#include <zlib.h>

#include "document/TextMeasurer.h"
#include "import/PdfReader.h"
#include "util/Encoding.h"

namespace scrivane {

namespace {

// ---------------------------------------------------------------------------------------
// Characters: glyph names, the simple fonts' standard encodings, Unicode -> Windows-1252.

// Glyph names of the Windows-1252 bytes 0x20..0xFF ("-": the byte has no character).
constexpr const char* kWinAnsiNames =
    "space exclam quotedbl numbersign dollar percent ampersand quotesingle parenleft "
    "parenright asterisk plus comma hyphen period slash zero one two three four five six "
    "seven eight nine colon semicolon less equal greater question at A B C D E F G H I J K "
    "L M N O P Q R S T U V W X Y Z bracketleft backslash bracketright asciicircum "
    "underscore grave a b c d e f g h i j k l m n o p q r s t u v w x y z braceleft bar "
    "braceright asciitilde - "
    "Euro - quotesinglbase florin quotedblbase ellipsis dagger daggerdbl circumflex "
    "perthousand Scaron guilsinglleft OE - Zcaron - - quoteleft quoteright quotedblleft "
    "quotedblright bullet endash emdash tilde trademark scaron guilsinglright oe - zcaron "
    "Ydieresis nbspace exclamdown cent sterling currency yen brokenbar section dieresis "
    "copyright ordfeminine guillemotleft logicalnot sfthyphen registered macron degree "
    "plusminus twosuperior threesuperior acute mu paragraph periodcentered cedilla "
    "onesuperior ordmasculine guillemotright onequarter onehalf threequarters questiondown "
    "Agrave Aacute Acircumflex Atilde Adieresis Aring AE Ccedilla Egrave Eacute Ecircumflex "
    "Edieresis Igrave Iacute Icircumflex Idieresis Eth Ntilde Ograve Oacute Ocircumflex "
    "Otilde Odieresis multiply Oslash Ugrave Uacute Ucircumflex Udieresis Yacute Thorn "
    "germandbls agrave aacute acircumflex atilde adieresis aring ae ccedilla egrave eacute "
    "ecircumflex edieresis igrave iacute icircumflex idieresis eth ntilde ograve oacute "
    "ocircumflex otilde odieresis divide oslash ugrave uacute ucircumflex udieresis yacute "
    "thorn ydieresis";

// StandardEncoding above 0x9F (below, it is ASCII but for quoteright and quoteleft).
constexpr const char* kStandardHighNames =
    "- exclamdown cent sterling fraction yen florin section currency quotesingle "
    "quotedblleft guillemotleft guilsinglleft guilsinglright fi fl - endash dagger "
    "daggerdbl periodcentered - paragraph bullet quotesinglbase quotedblbase quotedblright "
    "guillemotright ellipsis perthousand - questiondown - grave acute circumflex tilde "
    "macron breve dotaccent dieresis - ring cedilla - hungarumlaut ogonek caron emdash - - "
    "- - - - - - - - - - - - - - AE - ordfeminine - - - - Lslash Oslash OE ordmasculine - "
    "- - - - ae - - - dotlessi - - lslash oslash oe germandbls - - - -";

// MacRomanEncoding above 0x7F.
constexpr const char* kMacRomanHighNames =
    "Adieresis Aring Ccedilla Eacute Ntilde Odieresis Udieresis aacute agrave acircumflex "
    "adieresis atilde aring ccedilla eacute egrave ecircumflex edieresis iacute igrave "
    "icircumflex idieresis ntilde oacute ograve ocircumflex odieresis otilde uacute ugrave "
    "ucircumflex udieresis dagger degree cent sterling section bullet paragraph germandbls "
    "registered copyright trademark acute dieresis notequal AE Oslash infinity plusminus "
    "lessequal greaterequal yen mu partialdiff summation product pi integral ordfeminine "
    "ordmasculine Omega ae oslash questiondown exclamdown logicalnot radical florin "
    "approxequal Delta guillemotleft guillemotright ellipsis space Agrave Atilde Otilde OE "
    "oe endash emdash quotedblleft quotedblright quoteleft quoteright divide lozenge "
    "ydieresis Ydieresis fraction currency guilsinglleft guilsinglright fi fl daggerdbl "
    "periodcentered quotesinglbase quotedblbase perthousand Acircumflex Ecircumflex Aacute "
    "Edieresis Egrave Iacute Icircumflex Idieresis Igrave Oacute Ocircumflex apple Ograve "
    "Uacute Ucircumflex Ugrave dotlessi circumflex tilde macron breve dotaccent ring "
    "cedilla hungarumlaut ogonek caron";

// Glyphs the Latin fonts have that Windows-1252 lacks, with the nearest text.
constexpr std::pair<const char*, const char*> kExtraGlyphs[] = {
    {"minus", "-"}, {"nonbreakingspace", "\xA0"}, {"softhyphen", "\xAD"}, {"middot", "\xB7"},
    {"fi", "fi"}, {"fl", "fl"}, {"ff", "ff"}, {"ffi", "ffi"}, {"ffl", "ffl"},
    {"dotlessi", "i"}, {"Lslash", "L"}, {"lslash", "l"}, {"fraction", "/"},
    {"breve", "?"}, {"dotaccent", "?"}, {"ring", "?"}, {"hungarumlaut", "?"},
    {"ogonek", "?"}, {"caron", "?"}, {"notequal", "?"}, {"infinity", "?"},
    {"lessequal", "?"}, {"greaterequal", "?"}, {"partialdiff", "?"}, {"summation", "?"},
    {"product", "?"}, {"pi", "?"}, {"integral", "?"}, {"Omega", "?"}, {"radical", "?"},
    {"approxequal", "?"}, {"Delta", "?"}, {"lozenge", "?"}, {"apple", "?"}};

// Unicode characters outside Windows-1252 that have a plain equivalent in it.
constexpr std::pair<char32_t, const char*> kFoldings[] = {
    {0x0131, "i"},   {0x0141, "L"},   {0x0142, "l"},   {0x2010, "-"},   {0x2011, "-"},
    {0x2012, "-"},   {0x2043, "-"},   {0x2212, "-"},   {0x2002, " "},   {0x2003, " "},
    {0x2004, " "},   {0x2005, " "},   {0x2006, " "},   {0x2007, " "},   {0x2008, " "},
    {0x2009, " "},   {0x200A, " "},   {0x202F, " "},   {0x205F, " "},   {0x3000, " "},
    {0x200B, ""},    {0x200C, ""},    {0x200D, ""},    {0x2060, ""},    {0xFEFF, ""},
    {0x2024, "."},   {0x2032, "'"},   {0x2033, "\""},  {0x2044, "/"},   {0x2215, "/"},
    {0x2217, "*"},   {0x2219, "\xB7"}, {0xFB00, "ff"}, {0xFB01, "fi"},  {0xFB02, "fl"},
    {0xFB03, "ffi"}, {0xFB04, "ffl"}, {0xFB05, "st"},  {0xFB06, "st"}};

std::vector<std::string_view> SplitNames(std::string_view names) {
    std::vector<std::string_view> out;
    size_t at = 0;
    while (at < names.size()) {
        size_t end = names.find(' ', at);
        if (end == std::string_view::npos) end = names.size();
        if (end > at) out.push_back(names.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

using EncodingNames = std::array<std::string_view, 256>;  // empty: no glyph

const EncodingNames& WinAnsiEncoding() {
    static const EncodingNames table = [] {
        EncodingNames t{};
        auto names = SplitNames(kWinAnsiNames);
        for (size_t i = 0; i < names.size() && 0x20 + i < 256; ++i) {
            if (names[i] != "-") t[0x20 + i] = names[i];
        }
        return t;
    }();
    return table;
}

const EncodingNames& StandardEncoding() {
    static const EncodingNames table = [] {
        EncodingNames t{};
        for (int c = 0x20; c < 0x7F; ++c) t[c] = WinAnsiEncoding()[c];
        t[0x27] = "quoteright";
        t[0x60] = "quoteleft";
        auto names = SplitNames(kStandardHighNames);
        for (size_t i = 0; i < names.size() && 0xA0 + i < 256; ++i) {
            if (names[i] != "-") t[0xA0 + i] = names[i];
        }
        return t;
    }();
    return table;
}

const EncodingNames& MacRomanEncoding() {
    static const EncodingNames table = [] {
        EncodingNames t{};
        for (int c = 0x20; c < 0x7F; ++c) t[c] = WinAnsiEncoding()[c];
        auto names = SplitNames(kMacRomanHighNames);
        for (size_t i = 0; i < names.size() && 0x80 + i < 256; ++i) t[0x80 + i] = names[i];
        return t;
    }();
    return table;
}

// Appends the Windows-1252 form of one Unicode character: itself, a plain equivalent,
// or "?". Line breaks and tabs become spaces; other controls are dropped.
void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp == '\t' || cp == '\n' || cp == '\r') {
        out.push_back(' ');
        return;
    }
    if (cp < 0x20 || cp == 0x7F) return;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        out.push_back(static_cast<char>(cp));
        return;
    }
    for (const auto& [from, to] : kFoldings) {
        if (from == cp) {
            out += to;
            return;
        }
    }
    std::string utf8;
    if (cp < 0x800) {
        utf8.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    } else if (cp < 0x10000) {
        utf8.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        utf8.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    } else {
        out.push_back('?');
        return;
    }
    utf8.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    out += Utf8ToCp1252(utf8);
}

// UTF-16BE code units (a ToUnicode destination) to Windows-1252.
std::string Utf16ToCp1252(std::string_view bytes) {
    std::string out;
    if (bytes.size() == 1) {
        AppendCodePoint(out, static_cast<unsigned char>(bytes[0]));
        return out;
    }
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t unit = (static_cast<unsigned char>(bytes[i]) << 8) |
                        static_cast<unsigned char>(bytes[i + 1]);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            char32_t low = (static_cast<unsigned char>(bytes[i + 2]) << 8) |
                           static_cast<unsigned char>(bytes[i + 3]);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendCodePoint(out, unit);
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The characters of "uniXXXX[XXXX...]" or "uXXXX[XX]" names; false for other names.
bool UnicodeGlyphName(std::string_view name, std::string& text) {
    auto hexRun = [](std::string_view digits, char32_t& value) {
        value = 0;
        for (char c : digits) {
            int v = HexValue(c);
            if (v < 0) return false;
            value = value * 16 + static_cast<char32_t>(v);
        }
        return true;
    };
    char32_t cp;
    if (name.size() >= 7 && name.substr(0, 3) == "uni" && (name.size() - 3) % 4 == 0) {
        std::string out;
        for (size_t at = 3; at < name.size(); at += 4) {
            if (!hexRun(name.substr(at, 4), cp)) return false;
            AppendCodePoint(out, cp);
        }
        text = out;
        return true;
    }
    if (name.size() >= 5 && name.size() <= 7 && name[0] == 'u' && hexRun(name.substr(1), cp)) {
        text.clear();
        AppendCodePoint(text, cp);
        return true;
    }
    return false;
}

// The Windows-1252 text of a glyph name; false when the name is not known.
bool GlyphText(std::string_view name, std::string& text, int depth = 0) {
    static const std::unordered_map<std::string_view, std::string> table = [] {
        std::unordered_map<std::string_view, std::string> t;
        const EncodingNames& win = WinAnsiEncoding();
        for (int c = 0x20; c < 256; ++c) {
            if (!win[c].empty()) t.emplace(win[c], std::string(1, static_cast<char>(c)));
        }
        for (const auto& [glyph, chars] : kExtraGlyphs) t.emplace(glyph, chars);
        return t;
    }();
    if (auto found = table.find(name); found != table.end()) {
        text = found->second;
        return true;
    }
    if (UnicodeGlyphName(name, text)) return true;
    if (depth > 0 || name.empty()) return false;
    // "a.sc", "f_f_i": a variant, a ligature of known glyphs.
    if (size_t dot = name.find('.'); dot != std::string_view::npos && dot > 0) {
        return GlyphText(name.substr(0, dot), text, depth + 1);
    }
    if (name.find('_') != std::string_view::npos) {
        std::string spaced(name), joined, part;
        std::replace(spaced.begin(), spaced.end(), '_', ' ');
        for (std::string_view piece : SplitNames(spaced)) {
            if (!GlyphText(piece, part, depth + 1)) return false;
            joined += part;
        }
        text = joined;
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// Streams, decoded within a budget.

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

// Everything one conversion may still spend.
struct Budget {
    explicit Budget(const ForeignPdfLimits& l) : limits(l), decodedLeft(l.maxDecodedBytes),
        operatorsLeft(l.maxOperatorsPerFile), textLeft(l.maxTextBytes) {}
    const ForeignPdfLimits& limits;
    size_t decodedLeft;
    size_t operatorsLeft;
    size_t textLeft;
    bool textFull = false;
};

// The decoded data of a stream, at most cap bytes and what the budget still allows; data
// a damaged stream gives before its damage is kept. full: the data was cut.
std::string DecodeStream(QPDFObjectHandle stream, size_t cap, Budget& budget,
                         bool* full = nullptr) {
    std::string out;
    if (!stream.isStream()) return out;
    CappedSink sink(out, std::min(cap, budget.decodedLeft));
    try {
        stream.pipeStreamData(&sink, 0, qpdf_dl_generalized, true, false);
    } catch (const SinkFull&) {
    }
    budget.decodedLeft -= out.size();
    if (full) *full = sink.full();
    return out;
}

// Inflates data in place; false when it grows past cap. A damaged stream keeps what
// inflated before the damage.
bool InflateCapped(std::string& data, size_t cap) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    std::string out;
    std::array<unsigned char, 65536> chunk;
    z.next_in = reinterpret_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(std::min<size_t>(data.size(), UINT32_MAX));
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = chunk.data();
        z.avail_out = static_cast<uInt>(chunk.size());
        status = inflate(&z, Z_NO_FLUSH);
        out.append(reinterpret_cast<char*>(chunk.data()), chunk.size() - z.avail_out);
        if (out.size() > cap) break;
    }
    inflateEnd(&z);
    if (out.size() > cap) return false;
    data = std::move(out);
    return true;
}

// qpdf inflates a cross-reference stream whole when it opens a file, before any object
// can be asked for: a small file must not make it inflate gigabytes. Every stream whose
// dictionary is of /Type /XRef must fit in cap, and all of them in totalCap.
bool CrossReferenceStreamsFit(std::string_view file, size_t cap, size_t totalCap) {
    constexpr auto npos = std::string_view::npos;
    size_t spent = 0;
    for (size_t at = file.find("/XRef"); at != npos; at = file.find("/XRef", at + 5)) {
        if (at + 5 < file.size() && std::isalnum(static_cast<unsigned char>(file[at + 5]))) {
            continue;  // /XRefStm of a trailer
        }
        size_t objStart = file.rfind(" obj", at);
        size_t streamAt = file.find("stream", at);
        if (objStart == npos || streamAt == npos) continue;
        std::string_view dict = file.substr(objStart, streamAt - objStart);
        if (dict.find("endobj") != npos) continue;
        size_t dataStart = streamAt + 6;
        if (dataStart < file.size() && file[dataStart] == '\r') ++dataStart;
        if (dataStart < file.size() && file[dataStart] == '\n') ++dataStart;
        size_t dataEnd = std::min(file.find("endstream", dataStart), file.size());
        std::string data(file.substr(dataStart, dataEnd - dataStart));
        // Flate filters are undone; the others grow data by a bounded factor at most.
        double growth = 1;
        int flates = 0;
        for (size_t f = dict.find('/'); f != npos; f = dict.find('/', f + 1)) {
            std::string_view name = dict.substr(f, dict.find_first_of(" /[]<>\r\n\t", f + 1) - f);
            if (name == "/FlateDecode" || name == "/Fl") ++flates;
            if (name == "/LZWDecode" || name == "/LZW") growth *= 4096;
            if (name == "/RunLengthDecode" || name == "/RL") growth *= 128;
            if (name == "/ASCII85Decode" || name == "/A85") growth *= 5;
        }
        if (flates > 4) return false;
        for (int i = 0; i < flates; ++i) {
            if (!InflateCapped(data, cap)) return false;
        }
        double size = static_cast<double>(data.size()) * growth;
        if (size > static_cast<double>(cap)) return false;
        spent += static_cast<size_t>(size);
        if (spent > totalCap) return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Objects.

// A content stream's number, whatever the locale; 0 when it is none.
double ParseNumber(std::string_view text) {
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !std::isfinite(value)) return 0;
    return value;
}
double Number(QPDFObjectHandle h, double fallback = 0) {
    if (!h.isNumber()) return fallback;
    double v = h.getNumericValue();
    return std::isfinite(v) ? v : fallback;
}
QPDFObjectHandle Key(QPDFObjectHandle dict, const std::string& key) {
    if (!dict.isDictionary()) return QPDFObjectHandle::newNull();
    return dict.getKey(key);
}
QPDFObjectHandle Item(QPDFObjectHandle array, int n) {
    if (!array.isArray() || n < 0 || n >= array.getArrayNItems()) {
        return QPDFObjectHandle::newNull();
    }
    return array.getArrayItem(n);
}
std::string NameOf(QPDFObjectHandle h) { return h.isName() ? h.getName() : std::string(); }

// ---------------------------------------------------------------------------------------
// CMaps: ToUnicode maps and the code spaces of composite fonts.

struct CodeRange {
    size_t length = 0;
    std::array<unsigned char, 4> low{};
    std::array<unsigned char, 4> high{};
};

constexpr size_t kMaxMapEntries = size_t{1} << 17;
constexpr size_t kMaxCodeRanges = 256;

struct CMap {
    std::unordered_map<uint32_t, std::string> text;  // code -> Windows-1252
    std::vector<CodeRange> ranges;
};

// Tokens of a CMap program: hex strings, literal strings, names, words, [ and ].
class CMapLexer {
public:
    enum Kind { kEnd, kHex, kWord, kOpen, kClose, kOther };
    explicit CMapLexer(std::string_view data) : data_(data) {}

    Kind Next(std::string& value) {
        value.clear();
        while (at_ < data_.size()) {
            char c = data_[at_];
            if (c == '%') {
                while (at_ < data_.size() && data_[at_] != '\n' && data_[at_] != '\r') ++at_;
            } else if (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0') {
                ++at_;
            } else {
                break;
            }
        }
        if (at_ >= data_.size()) return kEnd;
        char c = data_[at_++];
        if (c == '[') return kOpen;
        if (c == ']') return kClose;
        if (c == '<') {
            if (at_ < data_.size() && data_[at_] == '<') {
                ++at_;
                return kOther;
            }
            int pending = -1;
            while (at_ < data_.size() && data_[at_] != '>') {
                int v = HexValue(data_[at_++]);
                if (v < 0) continue;
                if (pending < 0) {
                    pending = v;
                } else {
                    value.push_back(static_cast<char>(pending * 16 + v));
                    pending = -1;
                }
            }
            if (pending >= 0) value.push_back(static_cast<char>(pending * 16));
            ++at_;
            return kHex;
        }
        if (c == '(') {
            int depth = 1;
            while (at_ < data_.size()) {
                char d = data_[at_++];
                if (d == '\\' && at_ < data_.size()) {
                    value.push_back(data_[at_++]);
                    continue;
                }
                if (d == '(') ++depth;
                if (d == ')' && --depth == 0) break;
                value.push_back(d);
            }
            return kHex;  // a code given as bytes, like a hex string
        }
        if (c == '>' || c == '{' || c == '}' || c == ')') return kOther;
        size_t start = at_ - 1;
        while (at_ < data_.size() && !IsDelimiter(data_[at_])) ++at_;
        value.assign(data_.substr(start, at_ - start));
        return kWord;
    }

private:
    static bool IsDelimiter(char c) {
        return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0' ||
               c == '[' || c == ']' || c == '<' || c == '>' || c == '(' || c == ')' ||
               c == '/' || c == '%' || c == '{' || c == '}';
    }
    std::string_view data_;
    size_t at_ = 0;
};

uint32_t CodeValue(std::string_view bytes) {
    uint32_t v = 0;
    for (char c : bytes) v = (v << 8) | static_cast<unsigned char>(c);
    return v;
}

void ParseCMap(std::string_view data, CMap& map) {
    CMapLexer lexer(data);
    std::string token, a, b, c;
    auto add = [&](uint32_t code, std::string text) {
        if (map.text.size() < kMaxMapEntries) map.text[code] = std::move(text);
    };
    CMapLexer::Kind kind;
    while ((kind = lexer.Next(token)) != CMapLexer::kEnd) {
        if (kind != CMapLexer::kWord) continue;
        if (token == "begincodespacerange") {
            while (lexer.Next(a) == CMapLexer::kHex && lexer.Next(b) == CMapLexer::kHex) {
                if (a.size() != b.size() || a.empty() || a.size() > 4) continue;
                if (map.ranges.size() >= kMaxCodeRanges) continue;
                CodeRange range;
                range.length = a.size();
                for (size_t i = 0; i < a.size(); ++i) {
                    range.low[i] = static_cast<unsigned char>(a[i]);
                    range.high[i] = static_cast<unsigned char>(b[i]);
                }
                map.ranges.push_back(range);
            }
        } else if (token == "beginbfchar") {
            while (lexer.Next(a) == CMapLexer::kHex) {
                kind = lexer.Next(b);
                if (a.empty() || a.size() > 4) continue;
                if (kind == CMapLexer::kHex) {
                    add(CodeValue(a), Utf16ToCp1252(b));
                } else if (kind == CMapLexer::kWord && !b.empty() && b[0] == '/') {
                    std::string text;
                    if (GlyphText(std::string_view(b).substr(1), text)) add(CodeValue(a), text);
                } else {
                    break;
                }
            }
        } else if (token == "beginbfrange") {
            while (lexer.Next(a) == CMapLexer::kHex && lexer.Next(b) == CMapLexer::kHex) {
                kind = lexer.Next(c);
                bool usable = !a.empty() && a.size() <= 4 && b.size() <= 4;
                uint32_t low = CodeValue(a), high = CodeValue(b);
                if (high < low) usable = false;
                // No range is longer than a two-byte code space.
                uint32_t count = usable ? std::min<uint32_t>(high - low, 0xFFFF) + 1 : 0;
                if (kind == CMapLexer::kHex) {
                    for (uint32_t i = 0; i < count && map.text.size() < kMaxMapEntries; ++i) {
                        std::string dest = c;
                        if (dest.size() >= 2) {
                            // The last UTF-16 unit counts up through the range.
                            size_t last = dest.size() - 2;
                            uint32_t unit = (static_cast<unsigned char>(dest[last]) << 8 |
                                             static_cast<unsigned char>(dest[last + 1])) + i;
                            dest[dest.size() - 2] = static_cast<char>((unit >> 8) & 0xFF);
                            dest.back() = static_cast<char>(unit & 0xFF);
                        } else if (dest.size() == 1) {
                            dest[0] = static_cast<char>(static_cast<unsigned char>(dest[0]) + i);
                        }
                        add(low + i, Utf16ToCp1252(dest));
                    }
                } else if (kind == CMapLexer::kOpen) {
                    uint32_t i = 0;
                    while ((kind = lexer.Next(c)) == CMapLexer::kHex) {
                        if (i < count) add(low + i, Utf16ToCp1252(c));
                        ++i;
                    }
                } else {
                    break;
                }
            }
        }
    }
}

// ---------------------------------------------------------------------------------------
// Fonts: how shown bytes split into codes, what each code reads as and how wide it is.

struct FontInfo {
    bool composite = false;        // Type0: multi-byte codes through a code space
    std::array<std::string, 256> simpleText;  // simple fonts: Windows-1252 text of a code
    std::array<double, 256> simpleWidth{};    // ... and its advance, 1/1000 em
    std::vector<CodeRange> ranges;            // composite fonts' code space
    std::unordered_map<uint32_t, std::string> toUnicode;
    std::unordered_map<uint32_t, double> cidWidth;
    double defaultWidth = 1000;
};

size_t CodeLength(const FontInfo& font, std::string_view bytes, size_t at) {
    size_t left = bytes.size() - at;
    if (!font.composite) return 1;
    for (const CodeRange& range : font.ranges) {
        if (range.length > left) continue;
        bool inside = true;
        for (size_t k = 0; k < range.length && inside; ++k) {
            auto byte = static_cast<unsigned char>(bytes[at + k]);
            inside = byte >= range.low[k] && byte <= range.high[k];
        }
        if (inside) return range.length;
    }
    return std::min<size_t>(2, left);
}

// The Windows-1252 width table's font for a font's name (subset prefix "ABCDEF+" off).
TextMeasurer StandardWidthsFor(std::string baseFont) {
    if (baseFont.size() > 7 && baseFont[6] == '+') baseFont.erase(0, 7);
    std::replace(baseFont.begin(), baseFont.end(), ',', '-');
    TextMeasurer measurer;
    measurer.SetFont(baseFont, false, false, 10);
    return measurer;
}

void ApplyDifferences(QPDFObjectHandle differences, FontInfo& font) {
    if (!differences.isArray()) return;
    int n = std::min(differences.getArrayNItems(), 4096);
    long code = -1;
    std::string text;
    for (int i = 0; i < n; ++i) {
        QPDFObjectHandle item = differences.getArrayItem(i);
        if (item.isInteger()) {
            code = static_cast<long>(std::clamp<long long>(item.getIntValue(), -1, 1 << 20));
        } else if (item.isName()) {
            if (code >= 0 && code < 256) {
                std::string name = item.getName().substr(1);
                if (GlyphText(name, text)) font.simpleText[static_cast<size_t>(code)] = text;
            }
            if (code >= 0) ++code;
        }
    }
}

std::unique_ptr<FontInfo> LoadFont(QPDFObjectHandle dict, Budget& budget) {
    auto font = std::make_unique<FontInfo>();
    std::string subtype = NameOf(Key(dict, "/Subtype"));
    QPDFObjectHandle toUnicode = Key(dict, "/ToUnicode");
    CMap unicodeMap;
    if (toUnicode.isStream()) {
        ParseCMap(DecodeStream(toUnicode, budget.limits.maxStreamBytes, budget), unicodeMap);
    }

    if (subtype == "/Type0") {
        font->composite = true;
        QPDFObjectHandle encoding = Key(dict, "/Encoding");
        if (encoding.isStream()) {
            CMap codes;
            ParseCMap(DecodeStream(encoding, budget.limits.maxStreamBytes, budget), codes);
            font->ranges = std::move(codes.ranges);
        }
        if (font->ranges.empty()) {
            CodeRange twoBytes;
            twoBytes.length = 2;
            twoBytes.high = {0xFF, 0xFF, 0, 0};
            font->ranges.push_back(twoBytes);
        }
        // Shorter codes first, so that "<00> <80>" one-byte ranges win over two bytes.
        std::stable_sort(font->ranges.begin(), font->ranges.end(),
                         [](const CodeRange& a, const CodeRange& b) {
                             return a.length < b.length;
                         });
        font->toUnicode = std::move(unicodeMap.text);
        QPDFObjectHandle descendant = Item(Key(dict, "/DescendantFonts"), 0);
        font->defaultWidth = Number(Key(descendant, "/DW"), 1000);
        QPDFObjectHandle w = Key(descendant, "/W");
        int n = w.isArray() ? w.getArrayNItems() : 0;
        for (int i = 0; i < n && font->cidWidth.size() < kMaxMapEntries;) {
            QPDFObjectHandle first = w.getArrayItem(i);
            QPDFObjectHandle next = Item(w, i + 1);
            if (!first.isNumber()) {
                ++i;
                continue;
            }
            double start = Number(first);
            if (start < 0 || start > 0xFFFFFF) break;
            auto cid = static_cast<uint32_t>(start);
            if (next.isArray()) {
                int m = std::min(next.getArrayNItems(), 0x10000);
                for (int k = 0; k < m && font->cidWidth.size() < kMaxMapEntries; ++k) {
                    font->cidWidth[cid + static_cast<uint32_t>(k)] = Number(next.getArrayItem(k));
                }
                i += 2;
            } else {
                double last = Number(next, -1);
                double width = Number(Item(w, i + 2));
                for (double c = start; c <= last && c - start < 0x10000 &&
                                       font->cidWidth.size() < kMaxMapEntries;
                     ++c) {
                    font->cidWidth[static_cast<uint32_t>(c)] = width;
                }
                i += 3;
            }
        }
        return font;
    }

    // Simple fonts: the byte itself unless an encoding says otherwise.
    for (int c = 0; c < 256; ++c) {
        if (c >= 0x20 && c != 0x7F) font->simpleText[c] = std::string(1, static_cast<char>(c));
    }
    QPDFObjectHandle encoding = Key(dict, "/Encoding");
    std::string base =
        encoding.isName() ? encoding.getName() : NameOf(Key(encoding, "/BaseEncoding"));
    const EncodingNames* names = nullptr;
    if (base == "/StandardEncoding") names = &StandardEncoding();
    if (base == "/WinAnsiEncoding") names = &WinAnsiEncoding();
    if (base == "/MacRomanEncoding") names = &MacRomanEncoding();
    if (names) {
        std::string text;
        for (int c = 0; c < 256; ++c) {
            if (!(*names)[c].empty() && GlyphText((*names)[c], text)) font->simpleText[c] = text;
        }
    }
    ApplyDifferences(Key(encoding, "/Differences"), *font);
    for (const auto& [code, text] : unicodeMap.text) {
        if (code < 256) font->simpleText[code] = text;
    }

    // Widths: the font's own, else the standard fonts' by the character shown.
    std::string baseFont = NameOf(Key(dict, "/BaseFont"));
    TextMeasurer standard = StandardWidthsFor(baseFont.empty() ? baseFont : baseFont.substr(1));
    for (int c = 0; c < 256; ++c) {
        const std::string& text = font->simpleText[c];
        font->simpleWidth[c] = standard.GlyphUnits(
            text.size() == 1 ? static_cast<unsigned char>(text[0]) : static_cast<unsigned char>(c));
    }
    QPDFObjectHandle widths = Key(dict, "/Widths");
    if (widths.isArray()) {
        double scale = 1;
        if (subtype == "/Type3") {
            // Type 3 widths are in glyph space, which the font matrix maps to text space.
            scale = Number(Item(Key(dict, "/FontMatrix"), 0), 0.001) * 1000;
        }
        double missing = Number(Key(Key(dict, "/FontDescriptor"), "/MissingWidth"), -1);
        double firstChar = Number(Key(dict, "/FirstChar"), 0);
        int n = std::min(widths.getArrayNItems(), 256);
        for (int c = 0; c < 256; ++c) {
            double index = c - firstChar;
            if (index >= 0 && index < n) {
                font->simpleWidth[c] = Number(widths.getArrayItem(static_cast<int>(index))) * scale;
            } else if (missing >= 0) {
                font->simpleWidth[c] = missing;
            }
        }
    }
    return font;
}

// ---------------------------------------------------------------------------------------
// The content interpreter.

struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
};
// m applied first, then n.
Matrix Multiply(const Matrix& m, const Matrix& n) {
    return {m.a * n.a + m.b * n.c, m.a * n.b + m.b * n.d, m.c * n.a + m.d * n.c,
            m.c * n.b + m.d * n.d, m.e * n.a + m.f * n.c + n.e, m.e * n.b + m.f * n.d + n.f};
}
Matrix Translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
void Apply(const Matrix& m, double x, double y, double& outX, double& outY) {
    outX = m.a * x + m.c * y + m.e;
    outY = m.b * x + m.d * y + m.f;
}

struct Colour {
    int r = 0, g = 0, b = 0;
    bool operator==(const Colour&) const = default;
    std::string Text() const {
        if (r == 0 && g == 0 && b == 0) return {};
        return std::to_string(r) + " " + std::to_string(g) + " " + std::to_string(b);
    }
};
int Channel(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

struct GraphicsState {
    Matrix ctm;
    Colour colour;
    const FontInfo* font = nullptr;
    double fontSize = 0;
    double charSpacing = 0, wordSpacing = 0, scale = 1, leading = 0, rise = 0;
};

// One shown string (or strings that continue each other) in page coordinates: x from
// the left edge, y of the baseline from the top edge.
struct Piece {
    std::string text;
    double x = 0, xEnd = 0, y = 0, size = 0;
    Colour colour;
    bool blankBefore = false, blankAfter = false;  // space characters shown at the ends
    bool forcedSpace = false;                       // a TJ displacement wide as a space
};

// An operand of a content operator. Arrays (for TJ) hold numbers and strings only.
struct Operand {
    enum Kind { kNumber, kString, kName, kArray, kOther } kind = kOther;
    double number = 0;
    std::string text;
    std::vector<Operand> items;
};

constexpr size_t kMaxOperands = 64;
constexpr size_t kMaxArrayItems = 1 << 16;
constexpr size_t kMaxStateDepth = 1024;
constexpr int kMaxContentsStreams = 4096;
constexpr double kWordSpaceKerning = -200;  // TJ displacement (1/1000 em) that is a space
constexpr double kSpaceGap = 0.2;           // gap, in font sizes, that separates words
constexpr double kBlankGap = 0.1;           // ... when a space character lies in it

// Whether a gap (in points) between two glyphs of a line separates words. Where the
// glyphs touch, whatever space characters say, they do not.
bool WordBreak(double gap, double size, bool blank) {
    return gap > kSpaceGap * size || (blank && gap > kBlankGap * size);
}
constexpr double kLineTolerance = 1.0 / 3;  // baseline difference, in font sizes, of a line
constexpr size_t kPieceCost = 48;

// A resource dictionary and the object that holds it (a page or a form), which tells
// apart fonts written into different dictionaries under the same name.
struct Resources {
    QPDFObjectHandle dict;
    QPDFObjGen holder;
};

class PageReader {
public:
    PageReader(Budget& budget, std::map<QPDFObjGen, std::unique_ptr<FontInfo>>& fonts,
               double left, double top)
        : budget_(budget), fonts_(fonts), left_(left), top_(top),
          operatorsLeft_(budget.limits.maxOperatorsPerPage) {}

    void Run(const std::string& content, const Resources& resources, int depth);
    void Emit(vorContent& block);

private:
    bool Stopped() const {
        return operatorsLeft_ == 0 || budget_.operatorsLeft == 0 || budget_.textFull;
    }
    void Execute(const std::string& op, std::vector<Operand>& operands,
                 const Resources& resources, int depth);
    void Show(const std::string& bytes, bool forcedSpace);
    // Gray, RGB or CMYK by the number of components, 0..1 each.
    void SetColour(const std::vector<double>& c) {
        if (c.size() == 1) {
            state_.colour = {Channel(c[0]), Channel(c[0]), Channel(c[0])};
        } else if (c.size() == 3) {
            state_.colour = {Channel(c[0]), Channel(c[1]), Channel(c[2])};
        } else if (c.size() == 4) {
            double k = 1 - std::clamp(c[3], 0.0, 1.0);
            state_.colour = {Channel((1 - c[0]) * k), Channel((1 - c[1]) * k),
                             Channel((1 - c[2]) * k)};
        }
    }
    void NextLine(double tx, double ty) {
        lineMatrix_ = Multiply(Translation(tx, ty), lineMatrix_);
        textMatrix_ = lineMatrix_;
    }
    const FontInfo* Font(const Resources& resources, const std::string& name);
    void DrawForm(QPDFObjectHandle form, const Resources& resources, int depth);
    void AddPiece(Piece piece);

    Budget& budget_;
    std::map<QPDFObjGen, std::unique_ptr<FontInfo>>& fonts_;
    std::vector<std::unique_ptr<FontInfo>> directFonts_;
    std::map<std::string, const FontInfo*> fontsByName_;
    double left_, top_;
    size_t operatorsLeft_;
    GraphicsState state_;
    std::vector<GraphicsState> saved_;
    size_t unsavedPushes_ = 0;  // q operators past the depth limit, matched by Q
    Matrix textMatrix_, lineMatrix_;
    std::vector<Piece> pieces_;
    std::set<QPDFObjGen> activeForms_;
    FontInfo fallbackFont_ = [] {
        FontInfo f;
        TextMeasurer helvetica;
        for (int c = 0; c < 256; ++c) {
            if (c >= 0x20 && c != 0x7F) f.simpleText[c] = std::string(1, static_cast<char>(c));
            f.simpleWidth[c] = helvetica.GlyphUnits(static_cast<unsigned char>(c));
        }
        return f;
    }();
};

void PageReader::Run(const std::string& content, const Resources& resources, int depth) {
    // The data outlives the input source; the buffer does not own it.
    Buffer buffer(reinterpret_cast<unsigned char*>(const_cast<char*>(content.data())),
                  content.size());
    auto input = std::make_shared<BufferInputSource>("content stream", &buffer, false);
    QPDFTokenizer tokenizer;
    tokenizer.allowEOF();
    std::vector<Operand> operands;
    int arrayDepth = 0, dictDepth = 0;
    auto push = [&](Operand operand) {
        if (dictDepth > 0) return;
        if (arrayDepth > 0) {
            bool item = operand.kind == Operand::kNumber || operand.kind == Operand::kString;
            if (arrayDepth == 1 && item && !operands.empty() &&
                operands.back().items.size() < kMaxArrayItems) {
                operands.back().items.push_back(std::move(operand));
            }
            return;
        }
        if (operands.size() >= kMaxOperands) operands.clear();
        operands.push_back(std::move(operand));
    };
    while (!Stopped()) {
        qpdf_offset_t before = input->tell();
        QPDFTokenizer::Token token = tokenizer.readToken(input, "content", true, 0);
        auto type = token.getType();
        if (type == QPDFTokenizer::tt_eof) break;
        if (input->tell() <= before) {
            // Never stand still on a token the tokenizer refuses.
            input->seek(before + 1, SEEK_SET);
            if (input->tell() >= static_cast<qpdf_offset_t>(content.size())) break;
            continue;
        }
        Operand operand;
        switch (type) {
            case QPDFTokenizer::tt_integer:
            case QPDFTokenizer::tt_real: {
                operand.kind = Operand::kNumber;
                operand.number = ParseNumber(token.getValue());
                push(std::move(operand));
                break;
            }
            case QPDFTokenizer::tt_string:
                operand.kind = Operand::kString;
                operand.text = token.getValue();
                push(std::move(operand));
                break;
            case QPDFTokenizer::tt_name:
                operand.kind = Operand::kName;
                operand.text = token.getValue();
                push(std::move(operand));
                break;
            case QPDFTokenizer::tt_array_open:
                if (dictDepth == 0 && arrayDepth == 0) {
                    operand.kind = Operand::kArray;
                    push(std::move(operand));
                }
                if (dictDepth == 0) ++arrayDepth;
                break;
            case QPDFTokenizer::tt_array_close:
                if (dictDepth == 0 && arrayDepth > 0) --arrayDepth;
                break;
            case QPDFTokenizer::tt_dict_open:
                if (dictDepth == 0) push(Operand{});
                ++dictDepth;
                break;
            case QPDFTokenizer::tt_dict_close:
                if (dictDepth > 0) --dictDepth;
                break;
            case QPDFTokenizer::tt_bool:
            case QPDFTokenizer::tt_null:
                push(std::move(operand));
                break;
            case QPDFTokenizer::tt_word: {
                arrayDepth = 0;
                dictDepth = 0;
                const std::string& op = token.getValue();
                if (op == "ID") {
                    // Inline image data: skipped up to its "EI".
                    tokenizer.expectInlineImage(input);
                    tokenizer.readToken(input, "inline image", true, 0);
                    operands.clear();
                    break;
                }
                --operatorsLeft_;
                --budget_.operatorsLeft;
                Execute(op, operands, resources, depth);
                operands.clear();
                break;
            }
            default:
                break;
        }
    }
}

const FontInfo* PageReader::Font(const Resources& resources, const std::string& name) {
    QPDFObjectHandle fonts = Key(resources.dict, "/Font");
    QPDFObjectHandle dict = Key(fonts, name);
    if (!dict.isDictionary()) return nullptr;
    if (dict.isIndirect()) {
        auto& slot = fonts_[dict.getObjGen()];
        if (!slot) slot = LoadFont(dict, budget_);
        return slot.get();
    }
    // A font written into the resources directly: known by its holder and name.
    std::string key = name + " " + resources.holder.unparse(' ');
    if (auto found = fontsByName_.find(key); found != fontsByName_.end()) return found->second;
    directFonts_.push_back(LoadFont(dict, budget_));
    fontsByName_[key] = directFonts_.back().get();
    return directFonts_.back().get();
}

void PageReader::DrawForm(QPDFObjectHandle form, const Resources& resources, int depth) {
    if (depth >= budget_.limits.maxFormDepth) return;
    if (form.isIndirect() && !activeForms_.insert(form.getObjGen()).second) return;
    QPDFObjectHandle dict = form.getDict();
    QPDFObjectHandle matrix = Key(dict, "/Matrix");
    GraphicsState outer = state_;
    Matrix savedText = textMatrix_, savedLine = lineMatrix_;
    if (matrix.isArray() && matrix.getArrayNItems() == 6) {
        Matrix m{Number(matrix.getArrayItem(0), 1), Number(matrix.getArrayItem(1)),
                 Number(matrix.getArrayItem(2)), Number(matrix.getArrayItem(3), 1),
                 Number(matrix.getArrayItem(4)), Number(matrix.getArrayItem(5))};
        state_.ctm = Multiply(m, state_.ctm);
    }
    QPDFObjectHandle own = Key(dict, "/Resources");
    size_t savedDepth = saved_.size(), savedUnsaved = unsavedPushes_;
    std::string content = DecodeStream(form, budget_.limits.maxStreamBytes, budget_);
    Run(content, own.isDictionary() ? Resources{own, form.getObjGen()} : resources, depth + 1);
    saved_.resize(std::min(saved_.size(), savedDepth));
    unsavedPushes_ = savedUnsaved;
    state_ = outer;
    textMatrix_ = savedText;
    lineMatrix_ = savedLine;
    if (form.isIndirect()) activeForms_.erase(form.getObjGen());
}

void PageReader::Execute(const std::string& op, std::vector<Operand>& operands,
                         const Resources& resources, int depth) {
    auto count = operands.size();
    auto num = [&](size_t fromEnd) {
        const Operand& o = operands[count - fromEnd];
        return o.kind == Operand::kNumber ? o.number : 0.0;
    };
    auto numbers = [&](size_t n) {
        if (count < n) return false;
        for (size_t i = 1; i <= n; ++i) {
            if (operands[count - i].kind != Operand::kNumber) return false;
        }
        return true;
    };
    auto lastString = [&]() -> const std::string* {
        if (count == 0 || operands.back().kind != Operand::kString) return nullptr;
        return &operands.back().text;
    };
    if (op == "BT") {
        textMatrix_ = lineMatrix_ = Matrix{};
    } else if (op == "Tf" && count >= 2 && operands[count - 2].kind == Operand::kName) {
        state_.font = Font(resources, operands[count - 2].text);
        state_.fontSize = num(1);
    } else if (op == "Tc" && numbers(1)) {
        state_.charSpacing = num(1);
    } else if (op == "Tw" && numbers(1)) {
        state_.wordSpacing = num(1);
    } else if (op == "Tz" && numbers(1)) {
        state_.scale = num(1) / 100;
    } else if (op == "TL" && numbers(1)) {
        state_.leading = num(1);
    } else if (op == "Ts" && numbers(1)) {
        state_.rise = num(1);
    } else if (op == "Td" && numbers(2)) {
        NextLine(num(2), num(1));
    } else if (op == "TD" && numbers(2)) {
        state_.leading = -num(1);
        NextLine(num(2), num(1));
    } else if (op == "Tm" && numbers(6)) {
        lineMatrix_ = textMatrix_ = Matrix{num(6), num(5), num(4), num(3), num(2), num(1)};
    } else if (op == "T*") {
        NextLine(0, -state_.leading);
    } else if (op == "Tj") {
        if (const std::string* s = lastString()) Show(*s, false);
    } else if (op == "'") {
        NextLine(0, -state_.leading);
        if (const std::string* s = lastString()) Show(*s, false);
    } else if (op == "\"") {
        if (count >= 3 && operands[count - 3].kind == Operand::kNumber &&
            operands[count - 2].kind == Operand::kNumber) {
            state_.wordSpacing = num(3);
            state_.charSpacing = num(2);
        }
        NextLine(0, -state_.leading);
        if (const std::string* s = lastString()) Show(*s, false);
    } else if (op == "TJ" && count >= 1 && operands.back().kind == Operand::kArray) {
        bool space = false;
        for (const Operand& item : operands.back().items) {
            if (item.kind == Operand::kString) {
                Show(item.text, space);
                space = false;
            } else {
                double tx = -item.number / 1000 * state_.fontSize * state_.scale;
                textMatrix_ = Multiply(Translation(tx, 0), textMatrix_);
                if (item.number < kWordSpaceKerning) space = true;
            }
        }
    } else if (op == "q") {
        if (saved_.size() < kMaxStateDepth) {
            saved_.push_back(state_);
        } else {
            ++unsavedPushes_;
        }
    } else if (op == "Q") {
        if (unsavedPushes_ > 0) {
            --unsavedPushes_;
        } else if (!saved_.empty()) {
            state_ = saved_.back();
            saved_.pop_back();
        }
    } else if (op == "cm" && numbers(6)) {
        state_.ctm = Multiply(Matrix{num(6), num(5), num(4), num(3), num(2), num(1)}, state_.ctm);
    } else if (op == "rg" && numbers(3)) {
        SetColour({num(3), num(2), num(1)});
    } else if (op == "g" && numbers(1)) {
        SetColour({num(1)});
    } else if (op == "k" && numbers(4)) {
        SetColour({num(4), num(3), num(2), num(1)});
    } else if ((op == "sc" || op == "scn") && count > 0 && numbers(count)) {
        std::vector<double> components;
        for (size_t i = count; i > 0; --i) components.push_back(num(i));
        SetColour(components);
    } else if (op == "Do" && count >= 1 && operands.back().kind == Operand::kName) {
        QPDFObjectHandle xobject = Key(Key(resources.dict, "/XObject"), operands.back().text);
        if (xobject.isStream() && Key(xobject.getDict(), "/Subtype").isNameAndEquals("/Form")) {
            DrawForm(xobject, resources, depth);
        }
    }
}

void PageReader::Show(const std::string& bytes, bool forcedSpace) {
    const FontInfo& font = state_.font ? *state_.font : fallbackFont_;
    double size = state_.fontSize;
    Piece piece;
    piece.colour = state_.colour;
    piece.forcedSpace = forcedSpace;
    bool blank = false;  // space characters since the last visible glyph
    for (size_t at = 0; at < bytes.size();) {
        size_t length = CodeLength(font, bytes, at);
        uint32_t code = CodeValue(std::string_view(bytes).substr(at, length));
        at += length;
        const std::string* text;
        double width;
        std::string lookup;
        if (font.composite) {
            auto found = font.toUnicode.find(code);
            if (found != font.toUnicode.end()) {
                text = &found->second;
            } else {
                if (code >= 0x20 && code < 0x100 && code != 0x7F) {
                    lookup.push_back(static_cast<char>(code));
                } else {
                    lookup = "?";
                }
                text = &lookup;
            }
            auto w = font.cidWidth.find(code);
            width = w != font.cidWidth.end() ? w->second : font.defaultWidth;
        } else {
            text = &font.simpleText[code];
            width = font.simpleWidth[code];
        }
        if (text->find_first_not_of(' ') == std::string::npos) {
            if (!text->empty()) blank = true;
        } else {
            Matrix render = Multiply(textMatrix_, state_.ctm);
            double x, y, endX, endY;
            Apply(render, 0, state_.rise, x, y);
            Apply(render, width / 1000 * size * state_.scale, state_.rise, endX, endY);
            x -= left_;
            endX -= left_;
            if (piece.text.empty()) {
                piece.x = x;
                piece.y = top_ - y;
                piece.size = std::fabs(size) * std::hypot(render.c, render.d);
                piece.blankBefore = blank;
            } else if (WordBreak(x - piece.xEnd, piece.size, blank)) {
                piece.text.push_back(' ');
            }
            blank = false;
            piece.text += *text;
            piece.xEnd = endX;
        }
        double tx = (width / 1000 * size + state_.charSpacing +
                     (length == 1 && code == 32 ? state_.wordSpacing : 0)) * state_.scale;
        textMatrix_ = Multiply(Translation(tx, 0), textMatrix_);
    }
    piece.blankAfter = blank;
    if (!piece.text.empty()) AddPiece(std::move(piece));
}

void PageReader::AddPiece(Piece piece) {
    if (!std::isfinite(piece.x) || !std::isfinite(piece.y) || !std::isfinite(piece.xEnd) ||
        !std::isfinite(piece.size)) {
        return;
    }
    size_t cost = piece.text.size();
    // A string that goes on to the right of the previous one on its line joins it.
    if (!pieces_.empty()) {
        Piece& last = pieces_.back();
        double gap = piece.x - last.xEnd;
        double size = std::max(last.size, piece.size);
        if (std::fabs(last.size - piece.size) < 0.01 * size &&
            std::fabs(last.y - piece.y) < 0.01 * size && last.colour == piece.colour &&
            gap >= -0.1 * size && gap <= size) {
            if (piece.forcedSpace || WordBreak(gap, size, last.blankAfter || piece.blankBefore)) {
                last.text.push_back(' ');
            }
            last.text += piece.text;
            last.xEnd = piece.xEnd;
            last.blankAfter = piece.blankAfter;
            cost += 1;
            if (cost > budget_.textLeft) budget_.textFull = true;
            else budget_.textLeft -= cost;
            return;
        }
    }
    cost += kPieceCost;
    if (cost > budget_.textLeft) {
        budget_.textFull = true;
        return;
    }
    budget_.textLeft -= cost;
    pieces_.push_back(std::move(piece));
}

void PageReader::Emit(vorContent& block) {
    std::vector<size_t> order(pieces_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return pieces_[a].y < pieces_[b].y; });
    std::vector<std::vector<size_t>> lines;
    double lineY = 0, lineSize = 0;
    for (size_t index : order) {
        const Piece& piece = pieces_[index];
        double tolerance = std::max(lineSize, piece.size) * kLineTolerance;
        if (lines.empty() || std::fabs(piece.y - lineY) > tolerance) {
            lines.emplace_back();
            lineY = piece.y;
            lineSize = piece.size;
        }
        lines.back().push_back(index);
    }
    for (auto& line : lines) {
        std::stable_sort(line.begin(), line.end(),
                         [&](size_t a, size_t b) { return pieces_[a].x < pieces_[b].x; });
        const Piece& first = pieces_[line.front()];
        std::string text;
        const Piece* previous = nullptr;
        double previousEnd = 0;
        for (size_t index : line) {
            const Piece& piece = pieces_[index];
            if (previous) {
                double gap = piece.x - previousEnd;
                bool space = piece.forcedSpace ||
                             WordBreak(gap, std::max(previous->size, piece.size),
                                       previous->blankAfter || piece.blankBefore);
                if (space && text.back() != ' ') text.push_back(' ');
            }
            text += piece.text;
            previousEnd = previous ? std::max(previousEnd, piece.xEnd) : piece.xEnd;
            previous = &piece;
        }
        double size = std::clamp(std::round(first.size), 1.0, 32767.0);
        block.AddText(std::move(text), "", static_cast<int16_t>(size), first.x, first.y,
                      first.colour.Text(), 0, "");
    }
}

// ---------------------------------------------------------------------------------------
// The document.

std::string InfoText(QPDFObjectHandle info, const std::string& key) {
    QPDFObjectHandle value = Key(info, key);
    if (!value.isString()) return {};
    return Utf8ToCp1252(value.getUTF8Value());
}

struct PageEntry {
    QPDFObjectHandle page;
    QPDFObjectHandle resources;
    QPDFObjectHandle mediaBox;
};

// The leaves of the page tree in order, with the attributes they inherit. Walks with
// its own stack: a tree may be deep, may loop, may name a node twice.
std::vector<PageEntry> CollectPages(QPDF& pdf, size_t maxPages) {
    std::vector<PageEntry> pages;
    struct Pending {
        QPDFObjectHandle node;
        QPDFObjectHandle resources, mediaBox;
    };
    std::vector<Pending> stack;
    std::set<QPDFObjGen> seen;
    stack.push_back({Key(pdf.getRoot(), "/Pages"), QPDFObjectHandle::newNull(),
                     QPDFObjectHandle::newNull()});
    while (!stack.empty() && pages.size() < maxPages) {
        Pending current = stack.back();
        stack.pop_back();
        QPDFObjectHandle node = current.node;
        if (!node.isDictionary()) continue;
        if (node.isIndirect() && !seen.insert(node.getObjGen()).second) continue;
        QPDFObjectHandle resources = Key(node, "/Resources");
        if (!resources.isDictionary()) resources = current.resources;
        QPDFObjectHandle mediaBox = Key(node, "/MediaBox");
        if (!mediaBox.isArray()) mediaBox = current.mediaBox;
        QPDFObjectHandle kids = Key(node, "/Kids");
        if (kids.isArray() && !Key(node, "/Type").isNameAndEquals("/Page")) {
            int n = kids.getArrayNItems();
            if (stack.size() + static_cast<size_t>(n) > maxPages * 4) continue;
            for (int i = n - 1; i >= 0; --i) {
                stack.push_back({kids.getArrayItem(i), resources, mediaBox});
            }
        } else {
            pages.push_back({node, resources, mediaBox});
        }
    }
    return pages;
}

}  // namespace

int16_t ConvertForeignPdf(const std::string& path, vorPages& pages, vorInfos& infos) {
    return ConvertForeignPdf(path, pages, infos, ForeignPdfLimits{});
}

int16_t ConvertForeignPdf(const std::string& path, vorPages& pagesOut, vorInfos& infosOut,
                          const ForeignPdfLimits& limits) {
    std::string bytes;
    if (int16_t status = CheckPdfFile(path, bytes); status != kPdfReadOk) return status;
    if (bytes.find("%%EOF") == std::string::npos) return kPdfNoEof;
    if (!CrossReferenceStreamsFit(bytes, limits.maxStreamBytes, limits.maxDecodedBytes)) {
        return kPdfUnreadable;
    }

    // Filled here and handed over only when the whole file was read.
    vorPages pages;
    vorInfos infos;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile(path.c_str(), bytes.data(), bytes.size());
        Budget budget(limits);

        // Objects kept in object streams: qpdf inflates a whole object stream to read one
        // of its objects, so each must fit before anything is read from it.
        std::set<int> objectStreams;
        for (const auto& [objGen, entry] : pdf.getXRefTable()) {
            if (entry.getType() == 2) objectStreams.insert(entry.getObjStreamNumber());
        }
        for (int number : objectStreams) {
            bool full = false;
            DecodeStream(pdf.getObjectByID(number, 0), limits.maxStreamBytes, budget, &full);
            if (full) return kPdfUnreadable;
        }

        QPDFObjectHandle info = Key(pdf.getTrailer(), "/Info");
        infos.title = InfoText(info, "/Title");
        infos.author = InfoText(info, "/Author");
        infos.subject = InfoText(info, "/Subject");
        infos.keywords = InfoText(info, "/Keywords");

        std::map<QPDFObjGen, std::unique_ptr<FontInfo>> fonts;
        for (PageEntry entry : CollectPages(pdf, limits.maxPages)) {
            pdf.getWarnings();  // qpdf keeps its warnings until asked: let them go
            vorPage& page = pages.AddNewPage();
            double llx = 0, lly = 0, urx = page.PageWidth, ury = page.PageHeight;
            if (entry.mediaBox.isArray() && entry.mediaBox.getArrayNItems() == 4) {
                double box[4];
                for (int i = 0; i < 4; ++i) box[i] = Number(entry.mediaBox.getArrayItem(i), NAN);
                if (std::isfinite(box[0] + box[1] + box[2] + box[3])) {
                    llx = std::min(box[0], box[2]);
                    urx = std::max(box[0], box[2]);
                    lly = std::min(box[1], box[3]);
                    ury = std::max(box[1], box[3]);
                }
            }
            page.PageWidth = static_cast<int16_t>(std::clamp(std::round(urx - llx), 1.0, 32767.0));
            page.PageHeight = static_cast<int16_t>(std::clamp(std::round(ury - lly), 1.0, 32767.0));
            vorContent& block = page.GetContent(1);

            // All content streams make one stream: a token may run from one into the next.
            std::string content;
            QPDFObjectHandle streams = Key(entry.page, "/Contents");
            int n = streams.isArray() ? std::min(streams.getArrayNItems(), kMaxContentsStreams) : 1;
            for (int i = 0; i < n && content.size() < limits.maxStreamBytes; ++i) {
                QPDFObjectHandle stream = streams.isArray() ? streams.getArrayItem(i) : streams;
                content += DecodeStream(stream, limits.maxStreamBytes - content.size(), budget);
                content.push_back('\n');
            }
            PageReader reader(budget, fonts, llx, ury);
            reader.Run(content, Resources{entry.resources, entry.page.getObjGen()}, 0);
            reader.Emit(block);
        }
    } catch (...) {
        return kPdfUnreadable;
    }
    pagesOut = std::move(pages);
    infosOut = std::move(infos);
    return kPdfReadOk;
}

}  // namespace scrivane

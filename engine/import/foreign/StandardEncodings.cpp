#include "import/foreign/StandardEncodings.h"

namespace scrivane::foreign {

namespace {

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

}  // namespace

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

const EncodingNames* EncodingByName(std::string_view name) {
    if (name == "/StandardEncoding") return &StandardEncoding();
    if (name == "/WinAnsiEncoding") return &WinAnsiEncoding();
    if (name == "/MacRomanEncoding") return &MacRomanEncoding();
    return nullptr;
}

}  // namespace scrivane::foreign

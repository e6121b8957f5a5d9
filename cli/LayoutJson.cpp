#include "LayoutJson.h"

#include <cstdio>

#include "document/vorDocument.h"
#include "util/Encoding.h"
#include "util/Numbers.h"

namespace scrivane::cli {

namespace {

// A minimal JSON emitter: the engine's text is Windows-1252 and leaves here as UTF-8.
class Json {
public:
    std::string out;
    bool utf8Text = false;  // the document's text is UTF-8 already

    void String(std::string_view cp1252) {
        out.push_back('"');
        for (char c : utf8Text ? std::string(cp1252) : Cp1252ToUtf8(cp1252)) {
            auto u = static_cast<unsigned char>(c);
            switch (c) {
                case '"': out += "\\\""; break;
                case '\\': out += "\\\\"; break;
                case '\n': out += "\\n"; break;
                case '\r': out += "\\r"; break;
                case '\t': out += "\\t"; break;
                default:
                    if (u < 0x20) {
                        char escaped[8];
                        std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
                        out += escaped;
                    } else {
                        out.push_back(c);
                    }
            }
        }
        out.push_back('"');
    }
    void Number(double value) { AppendNumber(out, value); }
    void Bool(bool value) { out += value ? "true" : "false"; }
    void Key(std::string_view key) {
        Comma();
        String(key);
        out.push_back(':');
        fresh_ = true;
    }
    void Open(char bracket) {
        Comma();
        out.push_back(bracket);
        fresh_ = true;
    }
    void Close(char bracket) {
        out.push_back(bracket);
        fresh_ = false;
    }
    // Call before a value that is an array element.
    void Element() { Comma(); }
    void Field(std::string_view key, std::string_view text) {
        Key(key);
        String(text);
        fresh_ = false;
    }
    // A value that is UTF-8 whatever the text's encoding (the document information).
    void Utf8Field(std::string_view key, std::string_view utf8) {
        const bool saved = utf8Text;
        utf8Text = true;
        Field(key, utf8);
        utf8Text = saved;
    }
    void Field(std::string_view key, double value) {
        Key(key);
        Number(value);
        fresh_ = false;
    }
    void Field(std::string_view key, bool value) {
        Key(key);
        Bool(value);
        fresh_ = false;
    }
    void Field(std::string_view key, int value) { Field(key, static_cast<double>(value)); }

private:
    void Comma() {
        if (!fresh_) out.push_back(',');
        fresh_ = false;
    }
    bool fresh_ = true;
};

void WriteOutline(Json& json, const vorOutline& entry) {
    json.Open('{');
    json.Field("title", entry.title);
    json.Field("level", entry.level);
    json.Field("page", entry.dest);
    json.Field("top", entry.top);
    json.Key("children");
    json.Open('[');
    for (const vorOutline& child : entry.outlines) WriteOutline(json, child);
    json.Close(']');
    json.Close('}');
}

void WriteBlock(Json& json, const vorContent& block) {
    json.Open('{');
    json.Key("texts");
    json.Open('[');
    for (const vorText& run : block.Texts) {
        json.Open('{');
        json.Field("text", block.Text(run));
        json.Field("x", run.x);
        json.Field("y", run.y);
        json.Field("font", block.FontName(run));
        json.Field("bold", run.Bold);
        json.Field("size", run.fontsize);
        json.Field("colour", block.Colour(run));
        json.Field("align", std::string_view(run.textalign == 3 ? "justify" : ""));
        json.Field("extraWidth", run.xdelta);
        json.Close('}');
    }
    json.Close(']');
    json.Key("images");
    json.Open('[');
    for (const vorImage& image : block.Images) {
        json.Open('{');
        json.Field("file", image.ImageFileName);
        json.Field("x", image.x);
        json.Field("y", image.y);
        json.Field("width", image.ImageWidth);
        json.Field("height", image.ImageHeight);
        json.Field("pixelWidth", image.OriginalImageWidth);
        json.Field("pixelHeight", image.OriginalImageHeight);
        json.Close('}');
    }
    json.Close(']');
    json.Key("rules");
    json.Open('[');
    for (const vorLine& rule : block.Lines) {
        json.Open('{');
        json.Field("x", rule.x);
        json.Field("y", rule.y);
        json.Field("lx", rule.lx);
        json.Field("ly", rule.ly);
        json.Field("width", rule.lWidth);
        json.Close('}');
    }
    json.Close(']');
    json.Close('}');
}

void WritePage(Json& json, const vorPage& page) {
    json.Open('{');
    json.Field("width", page.PageWidth);
    json.Field("height", page.PageHeight);
    json.Key("blocks");
    json.Open('[');
    for (const vorContent& block : page.Contents) WriteBlock(json, block);
    json.Close(']');
    json.Key("annotations");
    json.Open('[');
    for (const vorPDFAnnotation& annotation : page.Annots) {
        json.Open('{');
        json.Field("subtype", annotation.Subtype);
        json.Field("content", annotation.Content);
        json.Field("left", annotation.left);
        json.Field("top", annotation.top);
        json.Field("width", annotation.width);
        json.Field("height", annotation.height);
        json.Close('}');
    }
    json.Close(']');
    json.Close('}');
}

}  // namespace

std::string LayoutJson(const vorDocument& document) {
    Json json;
    json.utf8Text = document.TextIsUtf8();
    json.Open('{');
    json.Key("info");
    json.Open('{');
    if (document.eInfos) {
        json.Utf8Field("title", document.eInfos->title);
        json.Utf8Field("author", document.eInfos->author);
        json.Utf8Field("subject", document.eInfos->subject);
        json.Utf8Field("keywords", document.eInfos->keywords);
    }
    json.Close('}');

    json.Key("fonts");
    json.Open('[');
    for (const vorFont& font : document.Fonts) {
        json.Open('{');
        json.Field("id", font.FontID);
        json.Field("name", font.BaseFont);
        json.Close('}');
    }
    json.Close(']');

    json.Key("pages");
    json.Open('[');
    for (const auto& kid : document.Pages.Kids) WritePage(json, *kid);
    json.Close(']');

    json.Key("outline");
    json.Open('[');
    if (document.Outlines()) {
        for (const vorOutline& entry : document.Outlines()->outlines) WriteOutline(json, entry);
    }
    json.Close(']');

    json.Key("commandLines");
    json.Open('[');
    for (const std::string& line : document.FormatConditions()) {
        json.Element();
        json.String(line);
    }
    json.Close(']');
    json.Close('}');
    json.out.push_back('\n');
    return json.out;
}

}  // namespace scrivane::cli

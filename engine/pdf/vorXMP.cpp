#include "pdf/vorXMP.h"

#include <sstream>

#include <pugixml.hpp>

#include "format/OutputFormats.h"
#include "util/Encoding.h"
#include "util/Numbers.h"

namespace scrivane {

namespace {
constexpr const char* kRdfNamespace = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
constexpr const char* kDublinCore = "http://purl.org/dc/elements/1.1/";
}  // namespace

void vorXMP::AddMetadata(const std::string& name, const std::string& value) {
    if (name.empty()) return;
    Metadatas.push_back({name, value});
}

std::string vorXMP::PacketText() const {
    pugi::xml_document doc;
    doc.append_child(pugi::node_pi).set_name("xpacket");
    doc.last_child().set_value("begin='' id='W5M0MpCehiHzreSzNTczkc9d'");
    pugi::xml_node rdf = doc.append_child("rdf:RDF");
    rdf.append_attribute("xmlns:rdf") = kRdfNamespace;
    pugi::xml_node description = rdf.append_child("rdf:Description");
    description.append_attribute("about") = "";
    description.append_attribute("xmlns") = kDublinCore;
    description.append_attribute("xmlns:dc") = kDublinCore;
    if (!title.empty()) {
        description.append_child("dc:title").text().set(MendUtf8(title).c_str());
    }
    pugi::xml_node end = doc.append_child(pugi::node_pi);
    end.set_name("xpacket");
    end.set_value("end='r'");

    // One top-level node a line, as XMP readers expect the packet wrapper to stand.
    std::ostringstream out;
    for (pugi::xml_node node : doc.children()) {
        node.print(out, "", pugi::format_raw, pugi::encoding_utf8);
        out << '\n';
    }
    return out.str();
}

std::string vorXMP::toFS(int32_t targetFormat) const {
    std::string packet = PacketText();
    if (targetFormat != kTargetPdf) return packet;
    for (char& c : packet) {
        if (c == '"') c = '\'';
    }
    std::string text = " 0 obj\n<< /Type /Metadata /Subtype /XML /Length ";
    AppendInt(text, static_cast<long long>(packet.size()));
    text += " >> stream\n";
    text += packet;
    text += "\nendstream\nendobj\n";
    return text;
}

}  // namespace scrivane

#pragma once
// Reads element text from an XML file by a path of element names, the way format files
// are read: "/dorvex/vantor/format/default/fontsize". Where several elements match a
// path they are counted from 0 in document order. A path that matches nothing, or a
// document that failed to load, reads as the empty string.
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace scrivane {

class XmlValueReader {
public:
    // Loads the file; on any parse error the reader stays empty (every value is "").
    // External entities and DTDs are never resolved.
    bool Load(const std::string& path);
    bool LoadBuffer(std::string_view bytes);
    bool loaded() const { return loaded_; }

    // Text of the index-th element matching the absolute path, as Windows-1252.
    std::string Value(std::string_view path, size_t index = 0) const;
    // The same as UTF-8, every character kept (MendUtf8 in util/Encoding.h).
    std::string Utf8Value(std::string_view path, size_t index = 0) const;
    // All elements matching the absolute path, in document order.
    std::vector<pugi::xml_node> Nodes(std::string_view path) const;
    // Text of the first element matching a path relative to node, as Windows-1252.
    static std::string ChildValue(pugi::xml_node node, std::string_view relativePath);

private:
    pugi::xml_document document_;
    bool loaded_ = false;
};

}  // namespace scrivane

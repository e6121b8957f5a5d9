#include "format/XmlValueReader.h"

#include "util/Encoding.h"

namespace scrivane {

namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> names;
    while (!path.empty()) {
        size_t slash = path.find('/');
        std::string_view name = path.substr(0, slash);
        if (!name.empty()) names.push_back(name);
        if (slash == std::string_view::npos) break;
        path.remove_prefix(slash + 1);
    }
    return names;
}

// Appends, in document order, every element below `from` reached by names[depth..].
void Collect(pugi::xml_node from, const std::vector<std::string_view>& names, size_t depth,
             std::vector<pugi::xml_node>& found) {
    if (depth == names.size()) {
        found.push_back(from);
        return;
    }
    for (pugi::xml_node child : from.children()) {
        if (child.type() == pugi::node_element && names[depth] == child.name()) {
            Collect(child, names, depth + 1, found);
        }
    }
}

// The element's text as the parser gives it (UTF-8): all character data below it, in
// document order. Walked without recursion, so no nesting depth can exhaust the stack.
std::string TextOf(pugi::xml_node node) {
    std::string text;
    pugi::xml_node current = node.first_child();
    while (current && current != node) {
        if (current.type() == pugi::node_pcdata || current.type() == pugi::node_cdata) {
            text += current.value();
        }
        if (current.first_child()) {
            current = current.first_child();
            continue;
        }
        while (current != node && !current.next_sibling()) current = current.parent();
        if (current != node) current = current.next_sibling();
    }
    return text;
}

}  // namespace

bool XmlValueReader::Load(const std::string& path) {
    pugi::xml_parse_result result = document_.load_file(path.c_str(), kParseOptions);
    loaded_ = static_cast<bool>(result);
    if (!loaded_) document_.reset();
    return loaded_;
}

bool XmlValueReader::LoadBuffer(std::string_view bytes) {
    pugi::xml_parse_result result =
        document_.load_buffer(bytes.data(), bytes.size(), kParseOptions);
    loaded_ = static_cast<bool>(result);
    if (!loaded_) document_.reset();
    return loaded_;
}

std::vector<pugi::xml_node> XmlValueReader::Nodes(std::string_view path) const {
    std::vector<pugi::xml_node> found;
    if (loaded_) Collect(document_, SplitPath(path), 0, found);
    return found;
}

std::string XmlValueReader::Value(std::string_view path, size_t index) const {
    std::vector<pugi::xml_node> nodes = Nodes(path);
    if (index >= nodes.size()) return {};
    return Utf8ToCp1252(TextOf(nodes[index]));
}

std::string XmlValueReader::Utf8Value(std::string_view path, size_t index) const {
    std::vector<pugi::xml_node> nodes = Nodes(path);
    if (index >= nodes.size()) return {};
    return MendUtf8(TextOf(nodes[index]));
}

std::string XmlValueReader::ChildValue(pugi::xml_node node, std::string_view relativePath) {
    if (!node) return {};
    std::vector<pugi::xml_node> found;
    Collect(node, SplitPath(relativePath), 0, found);
    return found.empty() ? std::string() : Utf8ToCp1252(TextOf(found.front()));
}

}  // namespace scrivane

#pragma once
// The XMP metadata packet; in a PDF the catalog's /Metadata stream.
#include <string>
#include <vector>

namespace scrivane {

struct vorMetadata {
    std::string MetadataName;
    std::string MetadataValue;
};

class vorXMP {
public:
    std::vector<vorMetadata> Metadatas;
    std::string title;  // UTF-8, as all document information

    // Appends a record; an empty name is ignored.
    void AddMetadata(const std::string& name, const std::string& value);
    // The packet text (UTF-8, LF line ends).
    std::string PacketText() const;
    // For a PDF: the object text after the object number; otherwise the packet.
    std::string toFS(int32_t targetFormat) const;
};

}  // namespace scrivane

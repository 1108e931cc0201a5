#pragma once

// The XML parser of the native tests and fuzzers: pugixml behind the program's XML interface.
// It never defines or fetches entities (pugixml keeps undeclared references as written).

#include "core/xml/XmlDocument.h"

namespace tarvik::test {

class PugiXmlParser : public XmlParser {
  public:
    // Files and texts in any encoding pugixml recognises.
    std::unique_ptr<XmlDocument> LoadFile(const std::filesystem::path& file) const override;
    std::unique_ptr<XmlDocument> LoadText(std::string_view bytes) const override;
};

}  // namespace tarvik::test

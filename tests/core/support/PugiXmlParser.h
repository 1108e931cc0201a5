#pragma once

// The XML parser of the native tests and fuzzers: pugixml behind the program's XML interface.
// Like the Windows parser it refuses a document type declaration (so no entity is ever defined,
// let alone fetched); it also refuses what the Windows parser would not call well-formed and
// pugixml lets through: more than one document element, text beside it, two attributes of one
// name, and text that is not UTF-8 after decoding. Undeclared entity references are the one
// difference left: pugixml keeps them as written ("&name;") where the Windows parser refuses
// the document.

#include "core/xml/XmlDocument.h"

namespace tarvik::test {

class PugiXmlParser final : public XmlParser {
  public:
    // Any encoding pugixml recognises (byte-order mark or declaration), UTF-8 otherwise.
    std::unique_ptr<XmlDocument> LoadFile(const std::filesystem::path& file) const override;
    // UTF-8 text.
    std::unique_ptr<XmlDocument> LoadText(std::string_view text) const override;
    // The bytes of a file, read like LoadFile reads them.
    std::unique_ptr<XmlDocument> LoadBytes(std::string_view bytes) const;
};

}  // namespace tarvik::test

#pragma once

#include "core/xml/XmlDocument.h"

namespace tarvik {

// Reads XML with the system's MSXML DOM document (the newest installed of 6.0 and 3.0):
// synchronously, without validation, refusing any document type declaration and resolving
// nothing external. The calling thread must have initialised COM; documents and their elements
// stay on that thread.
class MsXmlParser final : public XmlParser {
  public:
    // The file's bytes, in the encoding they declare (UTF-8 when they declare none). The path
    // is never read as an address, so any folder name works and nothing else is ever opened.
    std::unique_ptr<XmlDocument> LoadFile(const std::filesystem::path& file) const override;
    // UTF-8 text; text that is not UTF-8 is refused.
    std::unique_ptr<XmlDocument> LoadText(std::string_view text) const override;
    // Bytes as a file holds them, read the same way.
    std::unique_ptr<XmlDocument> LoadBytes(std::string_view bytes) const override;
};

}  // namespace tarvik

#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

// One element of a parsed document. Elements belong to their document and live as long as it.
class XmlElement {
  public:
    virtual ~XmlElement() = default;
    virtual std::string Name() const = 0;
    // The first child element of that name, or nullptr.
    virtual const XmlElement* Child(std::string_view name) const = 0;
    // The attribute's text as written (entities resolved), or nothing when it is missing.
    virtual std::optional<std::string> Attribute(std::string_view name) const = 0;
    // The element's text content, all descendant text joined.
    virtual std::string Text() const = 0;
    // Every element of that name below this one, in document order.
    virtual std::vector<const XmlElement*> Descendants(std::string_view name) const = 0;
};

class XmlDocument {
  public:
    virtual ~XmlDocument() = default;
    // The document element, or nullptr for an empty document.
    virtual const XmlElement* Root() const = 0;
};

// Parses documents without DTDs and without resolving anything external. Both calls return
// nullptr when the input is missing, unreadable or not well-formed.
class XmlParser {
  public:
    virtual ~XmlParser() = default;
    virtual std::unique_ptr<XmlDocument> LoadFile(const std::filesystem::path& file) const = 0;
    virtual std::unique_ptr<XmlDocument> LoadText(std::string_view text) const = 0;
    // Bytes in the encoding they declare, as a file's would be read (UTF-8 when they declare
    // none). Parsers that read every encoding in LoadText need not override it.
    virtual std::unique_ptr<XmlDocument> LoadBytes(std::string_view bytes) const {
        return LoadText(bytes);
    }
};

}  // namespace tarvik

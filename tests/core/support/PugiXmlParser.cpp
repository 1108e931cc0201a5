#include "core/support/PugiXmlParser.h"

#include <deque>
#include <fstream>
#include <iterator>
#include <pugixml.hpp>

namespace tarvik::test {
namespace {

// The next node after `node` in document order within `top`, without recursion (documents may
// nest deeply).
pugi::xml_node NextInside(pugi::xml_node node, pugi::xml_node top) {
    if (node.first_child()) return node.first_child();
    for (; node && node != top; node = node.parent()) {
        if (node.next_sibling()) return node.next_sibling();
    }
    return {};
}

class PugiDocument final : public XmlDocument {
  public:
    pugi::xml_document document;
    const XmlElement* Root() const override { return Wrap(document.document_element()); }
    // A wrapper that lives as long as the document.
    const XmlElement* Wrap(pugi::xml_node node) const {
        return node ? &m_elements.emplace_back(node, *this) : nullptr;
    }

  private:
    class Element final : public XmlElement {
      public:
        Element(pugi::xml_node node, const PugiDocument& document)
            : m_node(node), m_document(document) {}
        std::string Name() const override { return m_node.name(); }
        const XmlElement* Child(std::string_view name) const override {
            return m_document.Wrap(m_node.child(std::string(name).c_str()));
        }
        std::optional<std::string> Attribute(std::string_view name) const override {
            const pugi::xml_attribute attribute = m_node.attribute(std::string(name).c_str());
            if (!attribute) return std::nullopt;
            return attribute.value();
        }
        std::string Text() const override {
            std::string text;
            for (auto node = NextInside(m_node, m_node); node; node = NextInside(node, m_node)) {
                if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
                    text += node.value();
            }
            const size_t first = text.find_first_not_of(" \t\r\n");
            return first == std::string::npos
                       ? ""
                       : text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first);
        }
        std::vector<const XmlElement*> Descendants(std::string_view name) const override {
            std::vector<const XmlElement*> found;
            for (auto node = NextInside(m_node, m_node); node; node = NextInside(node, m_node)) {
                if (node.type() == pugi::node_element && node.name() == name)
                    found.push_back(m_document.Wrap(node));
            }
            return found;
        }

      private:
        pugi::xml_node m_node;
        const PugiDocument& m_document;
    };
    mutable std::deque<Element> m_elements;
};

std::unique_ptr<XmlDocument> Load(std::string_view bytes, pugi::xml_encoding encoding) {
    auto document = std::make_unique<PugiDocument>();
    if (!document->document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default,
                                        encoding)) {
        return nullptr;
    }
    return document;
}

}  // namespace

std::unique_ptr<XmlDocument> PugiXmlParser::LoadFile(const std::filesystem::path& file) const {
    std::ifstream in(file, std::ios::binary);
    if (!in) return nullptr;
    return LoadBytes(
        std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
}

std::unique_ptr<XmlDocument> PugiXmlParser::LoadBytes(std::string_view bytes) const {
    return Load(bytes, pugi::encoding_auto);
}

std::unique_ptr<XmlDocument> PugiXmlParser::LoadText(std::string_view text) const {
    return Load(text, pugi::encoding_utf8);
}

}  // namespace tarvik::test

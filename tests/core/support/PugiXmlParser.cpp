#include "core/support/PugiXmlParser.h"

#include <deque>
#include <fstream>
#include <iterator>
#include <pugixml.hpp>

namespace tarvik::test {
namespace {

class PugiDocument final : public XmlDocument {
  public:
    pugi::xml_document document;
    const XmlElement* Root() const override { return Wrap(document.document_element()); }
    // A wrapper that lives as long as the document.
    const XmlElement* Wrap(pugi::xml_node node) const {
        return node ? &m_elements.emplace_back(node, *this) : nullptr;
    }

  private:
    struct Element final : XmlElement {
        Element(pugi::xml_node node, const PugiDocument& document)
            : m_node(node), m_doc(document) {}
        std::string Name() const override { return m_node.name(); }
        const XmlElement* Child(std::string_view name) const override {
            return m_doc.Wrap(m_node.child(std::string(name).c_str()));
        }
        std::optional<std::string> Attribute(std::string_view name) const override {
            const pugi::xml_attribute attribute = m_node.attribute(std::string(name).c_str());
            return attribute ? std::optional<std::string>(attribute.value()) : std::nullopt;
        }
        std::string Text() const override {
            return pugi::xpath_query("string(.)").evaluate_string(m_node);
        }
        std::vector<const XmlElement*> Descendants(std::string_view name) const override {
            std::vector<const XmlElement*> found;
            for (const auto& n : m_node.select_nodes((".//" + std::string(name)).c_str())) {
                found.push_back(m_doc.Wrap(n.node()));
            }
            return found;
        }
        pugi::xml_node m_node;
        const PugiDocument& m_doc;
    };
    mutable std::deque<Element> m_elements;
};

}  // namespace

std::unique_ptr<XmlDocument> PugiXmlParser::LoadFile(const std::filesystem::path& file) const {
    std::ifstream in(file, std::ios::binary);
    return in ? LoadText(std::string(std::istreambuf_iterator<char>(in), {})) : nullptr;
}

std::unique_ptr<XmlDocument> PugiXmlParser::LoadText(std::string_view bytes) const {
    auto document = std::make_unique<PugiDocument>();
    if (!document->document.load_buffer(bytes.data(), bytes.size())) return nullptr;
    return document;
}

}  // namespace tarvik::test

#include "core/support/PugiXmlParser.h"

#include <deque>
#include <fstream>
#include <iterator>
#include <pugixml.hpp>
#include <set>
#include <unordered_map>

#include "core/text/Utf16.h"

namespace tarvik::test {

namespace {

// The doctype is kept only to refuse it; as a fragment, text beside the document element is
// kept too (and refused) instead of being dropped.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_doctype | pugi::parse_fragment;

bool IsXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class PugiDocument;

class PugiElement final : public XmlElement {
  public:
    PugiElement(pugi::xml_node node, const PugiDocument& document)
        : m_node(node), m_document(document) {}

    std::string Name() const override { return m_node.name(); }
    const XmlElement* Child(std::string_view name) const override;
    std::optional<std::string> Attribute(std::string_view name) const override;
    std::string Text() const override;
    std::vector<const XmlElement*> Descendants(std::string_view name) const override;

  private:
    pugi::xml_node m_node;
    const PugiDocument& m_document;
};

class PugiDocument final : public XmlDocument {
  public:
    pugi::xml_document document;

    const XmlElement* Root() const override { return Wrap(document.document_element()); }

    // The one wrapper of an element node, made on first use; it lives as long as the document.
    const XmlElement* Wrap(pugi::xml_node node) const {
        if (!node) return nullptr;
        auto found = m_wrappers.find(node.internal_object());
        if (found != m_wrappers.end()) return found->second;
        const XmlElement* wrapper = &m_elements.emplace_back(node, *this);
        m_wrappers.emplace(node.internal_object(), wrapper);
        return wrapper;
    }

  private:
    mutable std::deque<PugiElement> m_elements;
    mutable std::unordered_map<pugi::xml_node_struct*, const XmlElement*> m_wrappers;
};

// The next node after `node` in document order within `top`, without recursion (documents may
// nest deeply).
pugi::xml_node NextInside(pugi::xml_node node, pugi::xml_node top) {
    if (node.first_child()) return node.first_child();
    while (node && node != top) {
        if (node.next_sibling()) return node.next_sibling();
        node = node.parent();
    }
    return {};
}

bool SameName(const char* name, std::string_view wanted) {
    return std::string_view(name) == wanted;
}

const XmlElement* PugiElement::Child(std::string_view name) const {
    for (pugi::xml_node child = m_node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && SameName(child.name(), name)) {
            return m_document.Wrap(child);
        }
    }
    return nullptr;
}

std::optional<std::string> PugiElement::Attribute(std::string_view name) const {
    for (pugi::xml_attribute attribute : m_node.attributes()) {
        if (SameName(attribute.name(), name)) return std::string(attribute.value());
    }
    return std::nullopt;
}

std::string PugiElement::Text() const {
    std::string text;
    for (pugi::xml_node node = NextInside(m_node, m_node); node; node = NextInside(node, m_node)) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            text += node.value();
        }
    }
    // Like the Windows parser's text, without white space at either end.
    size_t first = 0;
    while (first < text.size() && IsXmlSpace(text[first])) ++first;
    size_t last = text.size();
    while (last > first && IsXmlSpace(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::vector<const XmlElement*> PugiElement::Descendants(std::string_view name) const {
    std::vector<const XmlElement*> found;
    for (pugi::xml_node node = NextInside(m_node, m_node); node; node = NextInside(node, m_node)) {
        if (node.type() == pugi::node_element && SameName(node.name(), name)) {
            found.push_back(m_document.Wrap(node));
        }
    }
    return found;
}

// What the Windows parser refuses and pugixml accepts (see the header).
bool IsAcceptable(const pugi::xml_document& document) {
    int elements = 0;
    for (pugi::xml_node top = document.first_child(); top; top = top.next_sibling()) {
        if (top.type() == pugi::node_element) ++elements;
        if (top.type() == pugi::node_pcdata || top.type() == pugi::node_cdata) return false;
    }
    if (elements != 1) return false;

    for (pugi::xml_node node = document.first_child(); node; node = NextInside(node, document)) {
        if (node.type() == pugi::node_doctype) return false;
        if (!IsValidUtf8(node.name()) || !IsValidUtf8(node.value())) return false;
        std::set<std::string_view> names;
        for (pugi::xml_attribute attribute : node.attributes()) {
            if (!names.insert(attribute.name()).second) return false;
            if (!IsValidUtf8(attribute.name()) || !IsValidUtf8(attribute.value())) return false;
        }
    }
    return true;
}

std::unique_ptr<XmlDocument> Load(const void* bytes, size_t size, pugi::xml_encoding encoding) {
    auto document = std::make_unique<PugiDocument>();
    const pugi::xml_parse_result result =
        document->document.load_buffer(bytes, size, kParseOptions, encoding);
    if (!result || !IsAcceptable(document->document)) return nullptr;
    return document;
}

}  // namespace

std::unique_ptr<XmlDocument> PugiXmlParser::LoadFile(const std::filesystem::path& file) const {
    std::ifstream in(file, std::ios::binary);
    if (!in) return nullptr;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return nullptr;
    return LoadBytes(bytes);
}

std::unique_ptr<XmlDocument> PugiXmlParser::LoadBytes(std::string_view bytes) const {
    return Load(bytes.data(), bytes.size(), pugi::encoding_auto);
}

std::unique_ptr<XmlDocument> PugiXmlParser::LoadText(std::string_view text) const {
    return Load(text.data(), text.size(), pugi::encoding_utf8);
}

}  // namespace tarvik::test

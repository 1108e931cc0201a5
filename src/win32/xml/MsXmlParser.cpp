#include "win32/xml/MsXmlParser.h"

#include <windows.h>

#include <msxml2.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/text/Utf16.h"
#include "win32/platform/WideText.h"

namespace tarvik {

namespace {

using Microsoft::WRL::ComPtr;

// The DOM's interface identities, the same in every MSXML version.
constexpr GUID kIidDocument{
    0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr GUID kIidDocument2{
    0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr GUID kIidElement{
    0x2933BF86, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// Newest first; the last is the version-independent name of MSXML 3.
constexpr const wchar_t* kDocumentClasses[] = {L"Msxml2.DOMDocument.6.0", L"Msxml2.DOMDocument.3.0",
                                               L"Msxml2.DOMDocument"};

// A theme or feed is a few kilobytes; a file beyond this is not one of them.
constexpr std::streamsize kMaxFileBytes = 16 * 1024 * 1024;

// An owned BSTR.
class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text)
        : m_text(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~Bstr() { SysFreeString(m_text); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR Get() const { return m_text; }
    BSTR* Out() {
        SysFreeString(m_text);
        m_text = nullptr;
        return &m_text;
    }
    std::wstring_view View() const { return {m_text ? m_text : L"", SysStringLen(m_text)}; }
    std::string Utf8() const { return Narrow(View()); }

  private:
    BSTR m_text = nullptr;
};

// An owned VARIANT.
class Variant {
  public:
    Variant() { VariantInit(&value); }
    ~Variant() { VariantClear(&value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT value;
};

template <typename T>
ComPtr<T> Query(IUnknown* from, const GUID& iid) {
    ComPtr<T> to;
    if (from) from->QueryInterface(iid, reinterpret_cast<void**>(to.GetAddressOf()));
    return to;
}

class MsXmlDocument;

class MsXmlElement final : public XmlElement {
  public:
    MsXmlElement(ComPtr<IXMLDOMElement> element, const MsXmlDocument& document)
        : m_element(std::move(element)), m_document(document) {}

    std::string Name() const override {
        Bstr name;
        if (FAILED(m_element->get_nodeName(name.Out()))) return {};
        return name.Utf8();
    }
    const XmlElement* Child(std::string_view name) const override;
    std::optional<std::string> Attribute(std::string_view name) const override {
        const Bstr wanted(Widen(name));
        Variant value;
        if (m_element->getAttribute(wanted.Get(), &value.value) != S_OK) return std::nullopt;
        if (value.value.vt != VT_BSTR) return std::nullopt;
        const BSTR text = value.value.bstrVal;
        return Narrow(std::wstring_view(text ? text : L"", SysStringLen(text)));
    }
    std::string Text() const override {
        Bstr text;
        if (FAILED(m_element->get_text(text.Out()))) return {};
        return text.Utf8();
    }
    std::vector<const XmlElement*> Descendants(std::string_view name) const override;

  private:
    ComPtr<IXMLDOMElement> m_element;
    const MsXmlDocument& m_document;
};

class MsXmlDocument final : public XmlDocument {
  public:
    MsXmlDocument(ComPtr<IXMLDOMDocument> document, ComPtr<IXMLDOMElement> root)
        : m_document(std::move(document)), m_root(Wrap(std::move(root))) {}

    const XmlElement* Root() const override { return m_root; }

    // A wrapper for an element, living as long as the document.
    const XmlElement* Wrap(ComPtr<IXMLDOMElement> element) const {
        if (!element) return nullptr;
        m_elements.push_back(std::make_unique<MsXmlElement>(std::move(element), *this));
        return m_elements.back().get();
    }

  private:
    ComPtr<IXMLDOMDocument> m_document;
    mutable std::vector<std::unique_ptr<MsXmlElement>> m_elements;
    const XmlElement* m_root;
};

const XmlElement* MsXmlElement::Child(std::string_view name) const {
    const std::wstring wanted = Widen(name);
    ComPtr<IXMLDOMNode> node;
    if (FAILED(m_element->get_firstChild(node.GetAddressOf()))) return nullptr;
    while (node) {
        DOMNodeType type = NODE_INVALID;
        Bstr nodeName;
        if (SUCCEEDED(node->get_nodeType(&type)) && type == NODE_ELEMENT &&
            SUCCEEDED(node->get_nodeName(nodeName.Out())) && nodeName.View() == wanted) {
            return m_document.Wrap(Query<IXMLDOMElement>(node.Get(), kIidElement));
        }
        ComPtr<IXMLDOMNode> next;
        if (FAILED(node->get_nextSibling(next.GetAddressOf()))) break;
        node = std::move(next);
    }
    return nullptr;
}

std::vector<const XmlElement*> MsXmlElement::Descendants(std::string_view name) const {
    std::vector<const XmlElement*> found;
    const Bstr wanted(Widen(name));
    ComPtr<IXMLDOMNodeList> list;
    long length = 0;
    if (FAILED(m_element->getElementsByTagName(wanted.Get(), list.GetAddressOf())) || !list ||
        FAILED(list->get_length(&length))) {
        return found;
    }
    for (long i = 0; i < length; ++i) {
        ComPtr<IXMLDOMNode> item;
        if (FAILED(list->get_item(i, item.GetAddressOf()))) continue;
        if (const XmlElement* element =
                m_document.Wrap(Query<IXMLDOMElement>(item.Get(), kIidElement))) {
            found.push_back(element);
        }
    }
    return found;
}

// A new document that loads synchronously, validates nothing and refuses document types.
ComPtr<IXMLDOMDocument> CreateDocument() {
    ComPtr<IXMLDOMDocument> document;
    for (const wchar_t* name : kDocumentClasses) {
        CLSID id{};
        if (FAILED(CLSIDFromProgID(name, &id))) continue;
        if (SUCCEEDED(CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, kIidDocument,
                                       reinterpret_cast<void**>(document.GetAddressOf())))) {
            break;
        }
    }
    if (!document) return nullptr;
    document->put_async(VARIANT_FALSE);
    document->put_validateOnParse(VARIANT_FALSE);
    document->put_resolveExternals(VARIANT_FALSE);
    if (const ComPtr<IXMLDOMDocument2> settings =
            Query<IXMLDOMDocument2>(document.Get(), kIidDocument2)) {
        const Bstr property(L"ProhibitDTD");
        Variant on;
        on.value.vt = VT_BOOL;
        on.value.boolVal = VARIANT_TRUE;
        settings->setProperty(property.Get(), on.value);
    }
    return document;
}

// The loaded document, unless the load failed or the document has a document type (refused
// even where the parser itself lets one through).
std::unique_ptr<XmlDocument> Finish(ComPtr<IXMLDOMDocument> document, HRESULT result,
                                    VARIANT_BOOL loaded) {
    if (FAILED(result) || loaded != VARIANT_TRUE) return nullptr;
    ComPtr<IXMLDOMDocumentType> type;
    if (FAILED(document->get_doctype(type.GetAddressOf())) || type) return nullptr;
    ComPtr<IXMLDOMElement> root;
    if (FAILED(document->get_documentElement(root.GetAddressOf())) || !root) return nullptr;
    return std::make_unique<MsXmlDocument>(std::move(document), std::move(root));
}

}  // namespace

std::unique_ptr<XmlDocument> MsXmlParser::LoadFile(const std::filesystem::path& file) const {
    std::ifstream in(file, std::ios::binary);
    if (!in) return nullptr;
    std::vector<char> bytes;
    char chunk[8192];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + in.gcount());
        if (static_cast<std::streamsize>(bytes.size()) > kMaxFileBytes) return nullptr;
    }
    if (in.bad()) return nullptr;
    return LoadBytes(std::string_view(bytes.data(), bytes.size()));
}

std::unique_ptr<XmlDocument> MsXmlParser::LoadBytes(std::string_view bytes) const {
    if (bytes.size() > static_cast<size_t>(kMaxFileBytes)) return nullptr;
    ComPtr<IXMLDOMDocument> document = CreateDocument();
    if (!document) return nullptr;
    // The document reads the bytes itself, so their encoding declaration counts.
    Variant source;
    source.value.vt = VT_ARRAY | VT_UI1;
    source.value.parray = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!source.value.parray) return nullptr;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(source.value.parray, &data))) return nullptr;
    if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(source.value.parray);

    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT result = document->load(source.value, &loaded);
    return Finish(std::move(document), result, loaded);
}

std::unique_ptr<XmlDocument> MsXmlParser::LoadText(std::string_view text) const {
    if (!IsValidUtf8(text)) return nullptr;
    ComPtr<IXMLDOMDocument> document = CreateDocument();
    if (!document) return nullptr;
    const Bstr xml(Widen(text));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT result = document->loadXML(xml.Get(), &loaded);
    return Finish(std::move(document), result, loaded);
}

}  // namespace tarvik

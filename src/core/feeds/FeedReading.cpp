#include "core/feeds/FeedReading.h"

#include <algorithm>

#include "core/text/StringHelpers.h"
#include "core/xml/XmlDocument.h"

namespace tarvik {

namespace {

constexpr std::string_view kDegree = "\xC2\xB0";  // U+00B0 in UTF-8
constexpr std::string_view kBlanks = " \t\r\n";

// The bytes without their NULs, in lower case: UTF-16 and UTF-32 markup becomes ASCII.
std::string Squeezed(std::string_view bytes) {
    std::string squeezed;
    squeezed.reserve(bytes.size());
    for (const char c : bytes)
        if (c != '\0') squeezed += c;
    return ToLowerAscii(squeezed);
}

size_t FindNoCase(std::string_view text, std::string_view lowerWord, size_t from = 0) {
    const auto found =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())),
                    text.end(), lowerWord.begin(), lowerWord.end(), [](char a, char b) {
                        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
                    });
    return found == text.end() ? std::string_view::npos : static_cast<size_t>(found - text.begin());
}

// True when a document type stands in the prolog: before the root element, with only the XML
// declaration, processing instructions and comments (and blanks) ahead of it. The text is
// squeezed, so a document type in any encoding reads "<!doctype". What comes after the root's
// start is content (a "<!DOCTYPE" quoted in a headline's CDATA is only text).
bool DeclaresDocumentType(std::string_view xml) {
    size_t at = 0;
    while ((at = xml.find('<', at)) != std::string_view::npos) {
        const std::string_view rest = xml.substr(at);
        if (rest.starts_with("<!doctype")) return true;
        const bool comment = rest.starts_with("<!--");
        if (!comment && !rest.starts_with("<?")) return false;
        const std::string_view end = comment ? "-->" : "?>";
        const size_t close = xml.find(end, at + (comment ? 4 : 2));
        if (close == std::string_view::npos) return false;
        at = close + end.size();
    }
    return false;
}

std::string TrimmedText(const XmlElement* element) {
    return std::string(TrimSpaces(element->Text(), kBlanks));
}

std::vector<const XmlElement*> Items(const XmlDocument& document) {
    const XmlElement* root = document.Root();
    if (!root) return {};
    std::vector<const XmlElement*> items = root->Descendants("item");
    if (root->Name() == "item") items.insert(items.begin(), root);
    return items;
}

}  // namespace

LoadedFeed LoadFeed(const XmlParser& parser, const FeedAnswer& answer) {
    LoadedFeed feed;
    if (!answer.arrived) {
        feed.code = answer.code;
        feed.reason = answer.reason;
    } else if (DeclaresDocumentType(Squeezed(answer.bytes))) {
        feed.reason = "the document has a document type, which is refused";
    } else if (!(feed.document = parser.LoadBytes(answer.bytes)) || !feed.document->Root()) {
        feed.document.reset();
        feed.reason = "not a well-formed XML document";
    }
    return feed;
}

std::optional<FirstItem> ReadFirstItem(const XmlDocument& document) {
    const std::vector<const XmlElement*> items = Items(document);
    if (items.empty()) return std::nullopt;
    FirstItem first;
    if (const XmlElement* title = items.front()->Child("title")) first.title = TrimmedText(title);
    if (const XmlElement* link = items.front()->Child("link")) first.link = TrimmedText(link);
    return first;
}

std::optional<std::vector<FeedItem>> ReadTitledItems(const XmlDocument& document, size_t limit) {
    const std::vector<const XmlElement*> items = Items(document);
    if (items.empty()) return std::nullopt;
    std::vector<FeedItem> titled;
    for (const XmlElement* item : items) {
        if (titled.size() >= limit) break;
        const XmlElement* title = item->Child("title");
        std::string text = title ? TrimmedText(title) : std::string();
        if (text.empty()) continue;
        const XmlElement* link = item->Child("link");
        titled.push_back({std::move(text), link ? TrimmedText(link) : std::string()});
    }
    return titled;
}

std::string TemperatureFrom(std::string_view text) {
    const size_t mark = text.find(std::string(kDegree) + "C");
    if (mark == std::string_view::npos) return {};
    size_t start = mark;
    while (start > 0 &&
           ((text[start - 1] >= '0' && text[start - 1] <= '9') || text[start - 1] == '-')) {
        --start;
    }
    if (start == mark) return {};
    return std::string(text.substr(start, mark - start)).append(kDegree);
}

std::string ForecastLine(std::string_view title) {
    const size_t at = FindNoCase(title, ", minimum");
    if (at == std::string_view::npos) return std::string(title);
    const std::string day(title.substr(0, at));
    const std::string_view rest = title.substr(at);
    // The minimum is read before "Maximum" only, so a missing one is not taken from there.
    const size_t maxAt = FindNoCase(rest, "maximum");
    const std::string min = TemperatureFrom(rest.substr(0, maxAt));
    const std::string max =
        maxAt == std::string_view::npos ? std::string() : TemperatureFrom(rest.substr(maxAt));
    // Both temperatures end in the degree sign; the range shows it once.
    if (!max.empty() && !min.empty())
        return day + ", " + min.substr(0, min.size() - kDegree.size()) + "-" + max;
    if (!max.empty()) return day + ", max " + max;
    if (!min.empty()) return day + ", " + min;
    // Without a day or temperatures the line would be blank: the title is shown whole.
    return TrimSpaces(day, kBlanks).empty() ? std::string(title) : day;
}

bool IsWebLink(std::string_view link) {
    const std::string lower = ToLowerAscii(link.substr(0, 8));
    const size_t scheme = lower.starts_with("https://") ? 8 : lower.starts_with("http://") ? 7 : 0;
    if (scheme == 0 || link.size() == scheme || link[scheme] == '/') return false;
    return std::none_of(link.begin(), link.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F || c == '"' || c == '\\';
    });
}

}  // namespace tarvik

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/feeds/FeedFetcher.h"

namespace tarvik {

class XmlDocument;
class XmlParser;

// A feed's document, or why there is none.
struct LoadedFeed {
    std::unique_ptr<XmlDocument> document;
    int32_t code = 0;
    std::string reason;
};

// The document of an answer that arrived. A document type in the prolog is refused before the
// parser sees the bytes, in whatever encoding they are (entity definitions live there).
LoadedFeed LoadFeed(const XmlParser& parser, const FeedAnswer& answer);

// One item of a feed, its texts trimmed.
struct FeedItem {
    std::string title;
    std::string link;
};

// The first item anywhere in the document: its title and link when it has them.
struct FirstItem {
    std::optional<std::string> title;
    std::optional<std::string> link;
};
std::optional<FirstItem> ReadFirstItem(const XmlDocument& document);

// The items whose title is not blank, in document order, at most `limit`; nothing when the
// document has no items at all.
std::optional<std::vector<FeedItem>> ReadTitledItems(const XmlDocument& document, size_t limit);

// The degrees Celsius of a text such as "Sunny, 12°C (54°F)" as "12°"; empty when it has none.
std::string TemperatureFrom(std::string_view text);

// A forecast title such as "Thursday: Sunny, Minimum Temperature: 8°C (46°F) Maximum
// Temperature: 15°C (59°F)" shortened to "Thursday: Sunny, 8-15°"; never blank for a title that
// is not.
std::string ForecastLine(std::string_view title);

// True for an absolute http or https address that a browser can be given as one argument: a
// host follows the scheme, and there are no blanks, quotes, backslashes or control characters.
bool IsWebLink(std::string_view link);

}  // namespace tarvik

// Reads arbitrary bytes as a weather or news feed, the way both widgets take them in, and checks
// that whatever is kept stays within the widgets' limits.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/feeds/FeedReading.h"
#include "core/support/PugiXmlParser.h"
#include "core/text/MenuLabel.h"
#include "core/xml/XmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const tarvik::FeedAnswer answer{
        true, 0, {}, std::string(reinterpret_cast<const char*>(data), size)};
    const tarvik::LoadedFeed feed = tarvik::LoadFeed(tarvik::test::PugiXmlParser(), answer);
    if (!feed.document) return 0;
    if (const auto first = tarvik::ReadFirstItem(*feed.document); first && first->title) {
        const std::string temperature = tarvik::TemperatureFrom(*first->title);
        if (temperature.size() > first->title->size()) std::abort();
    }
    const auto items = tarvik::ReadTitledItems(*feed.document, 10);
    if (items && items->size() > 10) std::abort();
    for (const tarvik::FeedItem& item : items.value_or(std::vector<tarvik::FeedItem>{})) {
        if (item.title.empty() || tarvik::MenuLabel(tarvik::ForecastLine(item.title), 64).empty())
            std::abort();
        tarvik::IsWebLink(item.link);
    }
    return 0;
}

#include "core/widgets/FeedLinks.h"

#include "core/app/LogException.h"
#include "core/app/Trace.h"
#include "core/feeds/FeedReading.h"
#include "core/text/MenuLabel.h"
#include "core/widgets/SystemPorts.h"

namespace tarvik {

void FeedLinks::Open(int32_t command) {
    if (command < 1 || static_cast<size_t>(command) > m_links.size()) return;
    const std::string& link = m_links[static_cast<size_t>(command) - 1];
    if (link.empty()) return;
    if (IsWebLink(link)) {
        m_commands.Open(link);
        return;
    }
    m_trace.LogErrorOnce(0, m_source, "OnMenuCommand",
                         "refused to open a link that is not an http or https address: '" +
                             MenuLabel(link, 120) + "'");
}

void FeedLinks::Pick(const MenuItem& item, int32_t refreshCommand,
                     const std::function<void()>& refresh) {
    RunLogged(m_trace, m_source, "OnMenuCommand", true, [&] {
        if (item.CommandId == refreshCommand) {
            refresh();
        } else {
            Open(item.CommandId);
        }
    });
}

std::shared_ptr<MenuItem> FeedMenuItem(std::string text, int32_t command, bool enabled) {
    auto item = std::make_shared<MenuItem>();
    item->IsSeparator = text.empty();
    item->text = std::move(text);
    item->CommandId = command;
    item->IsEnabled = enabled;
    return item;
}

}  // namespace tarvik

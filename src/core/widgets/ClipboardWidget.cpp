#include "core/widgets/ClipboardWidget.h"

#include <memory>
#include <string_view>

#include "core/app/LogException.h"
#include "core/text/MenuLabel.h"
#include "core/theme/Theme.h"
#include "core/widgets/ClipboardHistory.h"

namespace tarvik {

namespace {

constexpr std::string_view kSource = "ClipboardWidget";

std::shared_ptr<MenuItem> Row(std::string text, int32_t command) {
    auto item = std::make_shared<MenuItem>();
    item->text = std::move(text);
    item->CommandId = command;
    return item;
}

}  // namespace

ClipboardWidget::ClipboardWidget(const Theme& theme, ClipboardHistory& history, Trace& trace)
    : m_theme(theme), m_history(history), m_trace(trace) {}

const SkinButton* ClipboardWidget::ButtonIcon() const {
    return &m_theme.Skin("clipboard");
}

MenuItemList ClipboardWidget::BuildMenu() {
    MenuItemList items;
    const bool built = RunLogged(m_trace, kSource, "BuildMenu", true, [&] {
        m_snapshot.clear();
        for (int32_t i = 1; i <= m_history.HistoryCount(); ++i)
            m_snapshot.push_back(m_history.HistoryItem(i));
        for (size_t i = 0; i < m_snapshot.size(); ++i)
            items.push_back(Row(MenuLabel(m_snapshot[i], kLabelMax), static_cast<int32_t>(i) + 1));
        if (m_snapshot.empty()) {
            items.push_back(Row("Nothing copied yet", 0));
            items.back()->IsEnabled = false;
            return;
        }
        items.push_back(Row({}, 0));
        items.back()->IsSeparator = true;
        items.push_back(Row("Clear History", kClearHistory));
    });
    if (!built) items.clear();
    return items;
}

void ClipboardWidget::OnMenuCommand(const MenuItem& item) {
    RunLogged(m_trace, kSource, "OnMenuCommand", true, [&] {
        if (item.CommandId == kClearHistory) {
            m_history.ClearHistory();
        } else if (item.CommandId >= 1 &&
                   static_cast<size_t>(item.CommandId) <= m_snapshot.size()) {
            m_history.Restore(m_snapshot[static_cast<size_t>(item.CommandId) - 1]);
        }
    });
}

}  // namespace tarvik

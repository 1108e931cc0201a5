#include "core/widgets/StartWidget.h"

#include <memory>
#include <string_view>

#include "core/app/LogException.h"
#include "core/theme/Theme.h"
#include "core/widgets/SystemPorts.h"

namespace tarvik {

namespace {

constexpr std::string_view kSource = "StartWidget";

// One row of the menu: a command, or a separator when the text is empty.
struct Row {
    std::string_view text;
    int32_t command;
};

constexpr Row kRows[] = {
    {"About This PC", StartWidget::kAbout},
    {"System Settings...", StartWidget::kSettings},
    {{}, 0},
    {"Task Manager...", StartWidget::kTaskManager},
    {{}, 0},
    {"Sleep", StartWidget::kSleep},
    {"Restart", StartWidget::kRestart},
    {"Shut Down", StartWidget::kShutDown},
    {{}, 0},
    {"Lock Screen", StartWidget::kLock},
    {"Log Out", StartWidget::kLogOut},
};

}  // namespace

StartWidget::StartWidget(const Theme& theme, ISystemCommands& commands, Trace& trace)
    : m_theme(theme), m_commands(commands), m_trace(trace) {}

const SkinButton* StartWidget::ButtonIcon() const {
    return &m_theme.Skin("start");
}

MenuItemList StartWidget::BuildMenu() {
    MenuItemList items;
    const bool built = RunLogged(m_trace, kSource, "BuildMenu", true, [&] {
        items.reserve(std::size(kRows));
        for (const Row& row : kRows) {
            auto item = std::make_shared<MenuItem>();
            item->text = row.text;
            item->CommandId = row.command;
            item->IsSeparator = row.text.empty();
            items.push_back(std::move(item));
        }
    });
    if (!built) items.clear();  // half a menu is worse than none
    return items;
}

void StartWidget::OnMenuCommand(const MenuItem& item) {
    RunLogged(m_trace, kSource, "OnMenuCommand", true, [&] {
        switch (item.CommandId) {
            case kAbout:
                m_commands.Open("ms-settings:about");
                break;
            case kSettings:
                m_commands.Open("ms-settings:");
                break;
            case kTaskManager:
                m_commands.RunSystemTool("taskmgr.exe", "", false);
                break;
            case kSleep:
                m_commands.Suspend();
                break;
            case kRestart:
                m_commands.RunSystemTool("shutdown.exe", "/r /t 0", true);
                break;
            case kShutDown:
                m_commands.RunSystemTool("shutdown.exe", "/s /t 0", true);
                break;
            case kLock:
                m_commands.LockWorkStation();
                break;
            case kLogOut:
                m_commands.LogOff();
                break;
            default:
                break;
        }
    });
}

}  // namespace tarvik

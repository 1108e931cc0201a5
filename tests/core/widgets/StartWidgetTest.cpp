#include "core/widgets/StartWidget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/support/TestTrace.h"
#include "core/support/WidgetFakes.h"
#include "core/theme/Theme.h"

namespace tarvik::test {
namespace {

TEST(StartWidget, ElevenRowsInThreeGroupsEachRunningItsCommandWithFailuresLoggedOnce) {
    Theme theme;
    TestTrace log;
    RecordingCommands commands;
    StartWidget widget(theme, commands, log.trace);
    EXPECT_EQ(widget.ButtonIcon(), &theme.Skin("start"));
    std::vector<std::string> rows;
    for (const auto& item : widget.BuildMenu()) {
        EXPECT_TRUE(item->IsEnabled && item->Children.empty());
        rows.push_back(item->IsSeparator ? "-"
                                         : item->text + " " + std::to_string(item->CommandId));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"About This PC 1", "System Settings... 2", "-",
                                              "Task Manager... 3", "-", "Sleep 4", "Restart 5",
                                              "Shut Down 6", "-", "Lock Screen 7", "Log Out 8"}));

    // The calls of the commands 1 to 8; any other number runs nothing.
    const std::string calls[] = {"open ms-settings:about",
                                 "open ms-settings:",
                                 "open taskmgr.exe",
                                 "suspend",
                                 "hidden shutdown.exe /r /t 0",
                                 "hidden shutdown.exe /s /t 0",
                                 "lock",
                                 "logoff"};
    MenuItem item;
    for (const bool fail : {false, true}) {
        commands.fail = fail;
        for (item.CommandId = -1; item.CommandId <= 9; ++item.CommandId) {
            commands.calls.clear();
            widget.OnMenuCommand(item);
            const bool runs = !fail && item.CommandId >= 1 && item.CommandId <= 8;
            EXPECT_EQ(commands.calls,
                      runs ? std::vector{calls[item.CommandId - 1]} : std::vector<std::string>{})
                << item.CommandId;
        }
    }
    EXPECT_EQ(log.Records(),
              std::vector<std::string>{R"(70,"StartWidget","OnMenuCommand","Permission denied")"});
}

}  // namespace
}  // namespace tarvik::test

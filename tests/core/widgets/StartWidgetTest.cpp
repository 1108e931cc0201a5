#include "core/widgets/StartWidget.h"

#include <gtest/gtest.h>

#include "core/support/WidgetFakes.h"

namespace tarvik::test {
namespace {

TEST(StartWidget, ElevenRowsInThreeGroupsEachRunningItsCommandWithFailuresLoggedOnce) {
    Theme theme;
    TestTrace log;
    RecordingCommands commands;
    StartWidget widget(theme, commands, log.trace);
    EXPECT_EQ(MenuRows(widget),
              (Lines{"About This PC 1", "System Settings... 2", "-", "Task Manager... 3", "-",
                     "Sleep 4", "Restart 5", "Shut Down 6", "-", "Lock Screen 7", "Log Out 8"}));
    for (int32_t command = 0; command <= 9; ++command) PickCommand(widget, command);
    EXPECT_EQ(commands.calls,
              (Lines{"open ms-settings:about", "open ms-settings:", "system taskmgr.exe ",
                     "suspend", "hidden system shutdown.exe /r /t 0",
                     "hidden system shutdown.exe /s /t 0", "lock", "logoff"}));
    commands.fail = true;
    for (int32_t command : {1, 8}) PickCommand(widget, command);
    EXPECT_EQ(log.Records(), Lines{R"(70,"StartWidget","OnMenuCommand","Permission denied")"});
}

}  // namespace
}  // namespace tarvik::test

#include <gtest/gtest.h>

#include "core/app/MonotonicClock.h"
#include "core/support/WidgetFakes.h"
#include "core/widgets/ClipboardHistory.h"
#include "core/widgets/ClipboardWidget.h"
#include "core/widgets/StartWidget.h"
#include "core/widgets/SystemSound.h"
#include "core/widgets/TimerWidget.h"

namespace tarvik::test {
namespace {

// A clipboard that holds what the test copies and what is put back, feeding a history; a busy
// one refuses writing. Copy returns positions 0 .. count + 1 of the history.
struct Copies final : IClipboard {
    ClipboardMarks marks;
    std::optional<std::string> text;
    bool busy = false;
    TestTrace log;
    ClipboardHistory history{*this, log.trace};
    Copies() { history.StartClipboardHistory(42); }
    void Listen(WindowHandle) override {}
    void StopListening(WindowHandle) override {}
    ClipboardMarks ReadMarks(WindowHandle) override { return marks; }
    std::optional<std::string> ReadText(WindowHandle) override { return text; }
    void WriteText(WindowHandle, std::string_view put) override {
        busy ? throw Error(5, "held") : void(text = put);
    }
    std::string Copy(const Lines& texts, ClipboardMarks copyMarks = {}) {
        for (const auto& copied : texts)
            text = copied, marks = copyMarks, history.OnClipboardUpdate();
        std::string entries;
        for (int32_t i = 0; i <= history.HistoryCount() + 1; ++i)
            entries += history.HistoryItem(i) + "|";
        return entries;
    }
};

TEST(ClipboardHistory, KeepsTheFifteenNewestDistinctTextsThatMayBeKept) {
    Lines sixteen;
    std::string fifteen = "|";
    for (int i = 1; i <= 16; ++i) sixteen.push_back(std::to_string(i));
    for (int i = 16; i >= 2; --i) fifteen += std::to_string(i) + "|";
    const std::string longest(ClipboardHistory::kMaxUnits, 'x');
    const std::tuple<Lines, ClipboardMarks, std::string> cases[] = {
        {{"A", "B", "A", "A"}, {}, "|A|B||"},
        {sixteen, {}, fifteen + "|"},
        {{"", "   ", "\t", "\r\n", longest + "y", longest}, {}, "|" + longest + "|\r\n|\t||"},
        {{"pw"}, {true, false, {}}, "||"},
        {{"pw"}, {false, true, {}}, "||"},
        {{"pw"}, {false, false, 0u}, "||"},
        {{"pw"}, {false, false, 1u}, "|pw||"},
    };
    for (const auto& [texts, marks, expected] : cases)
        EXPECT_EQ(Copies().Copy(texts, marks), expected) << texts[0];
    // Another program's block without its terminator is read to the block's end only, and a
    // huge one no further than one unit past the longest entry.
    const char16_t units[] = {u'a', u'b', 0, u'c', u'd'};
    for (const auto& [block, bytes, text] :
         {std::tuple{units, 10, u"ab"}, {units, 3, u"a"}, {units + 3, 4, u"cd"}})
        EXPECT_EQ(ClipboardBlockText(block, bytes), text) << bytes;
    const std::u16string huge(ClipboardHistory::kMaxUnits + 100, u'x');
    EXPECT_EQ(ClipboardBlockText(huge.data(), huge.size() * 2).size(),
              ClipboardHistory::kMaxUnits + 1);
}

TEST(ClipboardWidget, ListsCutLabelsAndRestoresWhatTheMenuShowedToTheTop) {
    Theme theme;
    Copies bar;
    ClipboardWidget widget(theme, bar.history, bar.log.trace);
    EXPECT_EQ(MenuRows(widget), Lines{"Nothing copied yet 0 off"});
    const std::string a48(48, 'a'), b49(49, 'b');
    bar.Copy({a48, b49, "\t\t"});
    EXPECT_EQ(MenuRows(widget),
              (Lines{" 1", b49.substr(4) + "... 2", a48 + " 3", "-", "Clear History 10000"}));
    // The third row as the menu showed it, though the history changed since.
    bar.Copy({"new"});
    PickCommand(widget, 3);
    EXPECT_EQ(bar.Copy({*bar.text}), "|" + a48 + "|new|\t\t|" + b49 + "||");
    bar.busy = true;
    for (int32_t command : {3, 3, ClipboardWidget::kClearHistory}) PickCommand(widget, command);
    EXPECT_EQ(bar.history.HistoryCount(), 0);
    EXPECT_EQ(bar.log.Records(), Lines{R"(5,"ClipboardHistory","Restore","held")"});
}

struct Ticks final : IMonotonicClock, ISystemSound {
    int64_t now = 0;
    int sounds = 0;
    int64_t Milliseconds() const override { return now; }
    void Asterisk() override { ++sounds; }
};

// Each step: milliseconds later, a command (0: the host's tick; 5001 .. 5004 pause, resume, cancel,
// dismiss); then the button's text, the menu's rows before its four durations, the sounds so far.
TEST(TimerWidget, CountsDownPausesResumesAndSoundsOncePerCountdown) {
    const std::string run = "Pause Cancel - ", paused = "Resume Cancel - ", done = "Dismiss - ";
    const std::tuple<int64_t, int32_t, std::string, std::string, int> steps[] = {
        {0, 25, "25:00", run, 0},       {999, 0, "25:00", run, 0},
        {1000, 0, "24:59", run, 0},     {0, 65, "1:05:00", run, 0},
        {0, 60, "1:00:00", run, 0},     {1000, 0, "59:59", run, 0},
        {0, 5, "5:00", run, 0},         {297000, 5001, "(0:03)", paused, 0},
        {9000, 0, "(0:03)", paused, 0}, {0, 5002, "0:03", run, 0},
        {1000, 0, "0:02", run, 0},      {2000, 0, "Done!", done, 1},
        {1000, 0, "Done!", done, 1},    {0, 5004, "", "", 1},
        {0, 1, "1:00", run, 1},         {0, 5003, "", "", 1},
    };
    Theme theme;
    TestTrace log;
    Ticks ticks;
    TimerWidget widget(theme, ticks, ticks, log.trace);
    for (const auto& [at, command, text, head, sounds] : steps) {
        ticks.now += at;
        command ? PickCommand(widget, command) : widget.Refresh();
        std::string menu;
        for (const auto& row : widget.BuildMenu())
            menu += (row->IsSeparator ? "-" : row->text) + " ";
        EXPECT_EQ(widget.ButtonText(), text) << at << " " << command;
        EXPECT_EQ(menu, head + "5 Minutes 15 Minutes 25 Minutes 45 Minutes ") << at;
        EXPECT_EQ(widget.ButtonIcon(), text.empty() ? &theme.Skin("timer") : nullptr) << at;
        EXPECT_EQ(ticks.sounds, sounds) << at;
    }
    EXPECT_TRUE(log.Records().empty());
}

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

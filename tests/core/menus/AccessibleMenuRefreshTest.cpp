#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/menus/AccessibleMenuRefresh.h"
#include "core/menus/AccessibleMenuSource.h"
#include "core/support/MenuRows.h"
#include "core/support/TestTrace.h"

// Rows are built with designated initializers that leave the rest default.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace tarvik::test {
namespace {

constexpr WindowHandle kShown = 11;
constexpr WindowHandle kOther = 22;
constexpr int64_t kNo = AccessibleMenuRefresh::kNoWait;

// A program without a Win32 menu bar whose accessible titles are counted as they are read.
class CountingMenus final : public IMenuSource, public IAccessibleMenus {
  public:
    int reads = 0;
    std::string ShortWindowTitle(WindowHandle) const override { return "program"; }
    void ReadMenuBar(MenuItemList&, WindowHandle) override {}
    AccessAnswer ReadTitles(WindowHandle window) override {
        ++reads;
        return {AccessOutcome::Answered, {Item({.text = "File", .hWnd = window})}};
    }
    AccessAnswer ReadRows(WindowHandle, const AccessPath&) override { return {}; }
    AccessOutcome Invoke(WindowHandle, const AccessPath&, const std::string&) override {
        return AccessOutcome::Answered;
    }
};

enum class Op { Changed, Due, Closed, Activated, ActivatedFromBar, Shows, Open };

struct Step {
    Op op;
    int64_t time = 0;
    WindowHandle window = kShown;
    int64_t wait = kNo;  // what the call asks of the caller
    int reads = 0;       // titles read by the call, through the strip showing the window again
};

struct Case {
    const char* name;
    std::vector<Step> steps;
};

TEST(AccessibleMenuRefresh, ReadsTitlesAgainOnChangesAndActivationsAtMostOnceASecond) {
    const Case cases[] = {
        {"a first change is read at once", {{Op::Changed, 5000, kShown, kNo, 1}}},
        {"a change of a window not shown is not read", {{Op::Changed, 5000, kOther, kNo, 0}}},
        {"changes in a burst: one read now, one when the second is up, none in between",
         {{Op::Changed, 5000, kShown, kNo, 1},
          {Op::Changed, 5100, kShown, 900, 0},
          {Op::Changed, 5200, kShown, kNo, 0},
          {Op::Changed, 5900, kShown, kNo, 0},
          {Op::Due, 6000, kShown, kNo, 1},
          {Op::Due, 7000, kShown, kNo, 0}}},
        {"a change a second after the last read is read at once",
         {{Op::Changed, 5000, kShown, kNo, 1}, {Op::Changed, 6000, kShown, kNo, 1}}},
        {"nothing while a menu is open; read when it closes",
         {{Op::Open},
          {Op::Changed, 5000, kShown, kNo, 0},
          {Op::Due, 6000, kShown, kNo, 0},
          {Op::Closed, 7000, kShown, kNo, 1},
          {Op::Closed, 7500, kShown, kNo, 0}}},
        {"a menu closing within the second waits for the rest of it",
         {{Op::Changed, 5000, kShown, kNo, 1},
          {Op::Open},
          {Op::Changed, 5300, kShown, kNo, 0},
          {Op::Closed, 5400, kShown, 600, 0},
          {Op::Due, 6000, kShown, kNo, 1}}},
        {"the strip moving on drops a waiting change",
         {{Op::Changed, 5000, kShown, kNo, 1},
          {Op::Changed, 5500, kShown, 500, 0},
          {Op::Shows, 5600, kOther, kNo, 1},
          {Op::Due, 6000, kShown, kNo, 0}}},
        {"an activation of the shown window reads it again and drops a waiting change",
         {{Op::Activated, 5000, kShown, kNo, 1},
          {Op::Changed, 5100, kShown, kNo, 1},
          {Op::Changed, 5200, kShown, 900, 0},
          {Op::Activated, 5300, kShown, kNo, 1},
          {Op::Due, 6100, kShown, kNo, 0}}},
        {"the bar's own menu giving the front back is no activation",
         {{Op::ActivatedFromBar, 5000, kShown, kNo, 0}}},
    };
    for (const Case& test : cases) {
        CountingMenus program;
        TestTrace log;
        AccessibleMenuSource source(program, program, log.trace);
        WindowHandle shown = kShown;
        bool open = false;
        // What the strip does: show the window's menus (the source keeps the titles it read).
        const auto show = [&] {
            MenuItemList titles;
            source.ReadMenuBar(titles, shown);
        };
        AccessibleMenuRefresh refresh(source, show, [&] { return open; });
        show();
        refresh.Shows(shown);
        for (size_t i = 0; i < test.steps.size(); ++i) {
            const Step& step = test.steps[i];
            program.reads = 0;
            int64_t wait = kNo;
            switch (step.op) {
                case Op::Changed:
                    wait = refresh.Changed(step.window, step.time);
                    break;
                case Op::Due:
                    wait = refresh.Due(step.time);
                    break;
                case Op::Closed:
                    open = false;
                    wait = refresh.MenusClosed(step.time);
                    break;
                case Op::Activated:
                case Op::ActivatedFromBar:
                    refresh.Activated(step.window, step.op == Op::ActivatedFromBar);
                    show();
                    break;
                case Op::Shows:
                    shown = step.window;
                    show();
                    refresh.Shows(shown);
                    break;
                case Op::Open:
                    open = true;
                    break;
            }
            EXPECT_EQ(wait, step.wait) << test.name << ", step " << i;
            EXPECT_EQ(program.reads, step.reads) << test.name << ", step " << i;
        }
    }
}

}  // namespace
}  // namespace tarvik::test

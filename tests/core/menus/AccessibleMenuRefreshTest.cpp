#include <gtest/gtest.h>

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
struct CountingMenus final : IMenuSource, IAccessibleMenus {
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

enum class Op { Changed, ChangedOther, Due, Open, Closed, Activated, HandedBack, ShowOther };
struct Step {
    Op op;
    int64_t time;
    int64_t wait;  // what the call asks of the caller
    int reads;     // titles read by the call (the strip showing the window again)
};

TEST(AccessibleMenuRefresh, ReadsTitlesAgainOnChangesAndActivationsAtMostOnceASecond) {
    // clang-format off
    const std::vector<Step> cases[] = {
        // A burst: one read now, one when the second is up, none in between or for another window.
        {{Op::Changed, 5000, kNo, 1}, {Op::Changed, 5100, 900, 0}, {Op::Changed, 5200, kNo, 0},
         {Op::Due, 6000, kNo, 1}, {Op::Due, 7000, kNo, 0}, {Op::ChangedOther, 7500, kNo, 0},
         {Op::Changed, 8000, kNo, 1}},
        // Nothing while a menu is open: read when it closes, after the rest of the second.
        {{Op::Open, 0, kNo, 0}, {Op::Changed, 5000, kNo, 0}, {Op::Due, 6000, kNo, 0},
         {Op::Closed, 7000, kNo, 1}, {Op::Open, 0, kNo, 0}, {Op::Changed, 7300, kNo, 0},
         {Op::Closed, 7400, 600, 0}, {Op::Due, 8000, kNo, 1}},
        // The strip moving on, or the window coming to the front again, drops a waiting change.
        {{Op::Changed, 5000, kNo, 1}, {Op::Changed, 5500, 500, 0}, {Op::ShowOther, 0, kNo, 1},
         {Op::Due, 6000, kNo, 0}},
        {{Op::Activated, 0, kNo, 1}, {Op::Changed, 5100, kNo, 1}, {Op::Changed, 5200, 900, 0},
         {Op::HandedBack, 0, kNo, 0}, {Op::Activated, 0, kNo, 1}, {Op::Due, 6100, kNo, 0}},
    };
    // clang-format on
    for (size_t c = 0; c < std::size(cases); ++c) {
        CountingMenus program;
        TestTrace log;
        AccessibleMenuSource source(program, program, log.trace);
        WindowHandle shown = kShown;
        bool open = false;
        const auto show = [&] {  // what the strip does: show the window's menus
            MenuItemList titles;
            source.ReadMenuBar(titles, shown);
        };
        AccessibleMenuRefresh refresh(source, show, [&] { return open; });
        show();
        refresh.Shows(shown);
        for (size_t i = 0; i < cases[c].size(); ++i) {
            const Step& step = cases[c][i];
            program.reads = 0;
            int64_t wait = kNo;
            if (step.op == Op::Changed || step.op == Op::ChangedOther) {
                wait = refresh.Changed(step.op == Op::Changed ? kShown : kOther, step.time);
            } else if (step.op == Op::Due) {
                wait = refresh.Due(step.time);
            } else if (step.op == Op::Open || step.op == Op::Closed) {
                open = step.op == Op::Open;
                if (!open) wait = refresh.Due(step.time);
            } else if (step.op == Op::ShowOther) {
                shown = kOther;
                show();
                refresh.Shows(shown);
            } else {
                refresh.Activated(shown, step.op == Op::HandedBack);
                show();
            }
            EXPECT_EQ(wait, step.wait) << "case " << c << ", step " << i;
            EXPECT_EQ(program.reads, step.reads) << "case " << c << ", step " << i;
        }
    }
}

}  // namespace
}  // namespace tarvik::test

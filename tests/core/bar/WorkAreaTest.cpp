#include "core/bar/WorkArea.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "core/app/Error.h"
#include "core/support/TestTrace.h"
#include "core/support/WidgetFakes.h"

namespace tarvik::test {
namespace {

// The desktop's work area in memory; a read or write fails with the given system error code.
struct FakeDesktop final : IDesktopWorkArea {
    WorkspaceRect rect;
    std::optional<int32_t> readError, writeError;
    int writes = 0;

    WorkspaceRect Read() override { return readError ? throw Error(*readError, "read") : rect; }
    void Write(const WorkspaceRect& value) override {
        rect = writeError ? throw Error(*writeError, "write") : value;
        ++writes;
    }
};

TEST(WorkArea, ReserveTakesOnlyWhatIsMissingAndRestoreGivesBackOnlyThatOnce) {
    // The work area, the bar's offset from the top, the work area after Reserve, and whether
    // Reserve takes a strip.
    const std::tuple<WorkspaceRect, int32_t, WorkspaceRect, bool> cases[] = {
        {{0, 0, 1920, 1040}, 0, {0, 23, 1920, 1040}, true},
        {{0, 10, 1920, 1040}, 0, {0, 23, 1920, 1040}, true},   // another strip above ours
        {{0, 23, 1920, 1040}, 0, {0, 23, 1920, 1040}, false},  // already exactly reserved
        {{0, 40, 1920, 1040}, 30, {0, 53, 1920, 1040}, true},  // moved down past another bar
    };
    TestTrace log;
    for (const auto& [start, barTopOffset, reserved, takesStrip] : cases) {
        FakeDesktop desktop;
        desktop.rect = start;
        MemorySettings settings;
        WorkArea workArea(desktop, settings, log.trace, 23, barTopOffset);
        workArea.Reserve();
        EXPECT_EQ(desktop.rect, reserved) << start.top;
        EXPECT_EQ(workArea.Reserved(), takesStrip) << start.top;
        EXPECT_EQ(settings.values.size(), takesStrip ? 2u : 0u) << start.top;
        desktop.rect.right -= 100;  // only the top is put back, on the current work area
        workArea.Restore();
        workArea.Restore();
        EXPECT_EQ(desktop.rect,
                  (WorkspaceRect{start.left, start.top, start.right - 100, start.bottom}));
        EXPECT_EQ(desktop.writes, takesStrip ? 2 : 0) << start.top;
        EXPECT_TRUE(settings.values.empty()) << start.top;
    }
    FakeDesktop desktop;
    MemorySettings settings;
    EXPECT_EQ(WorkArea(desktop, settings, log.trace, INT32_MAX, 2000).ReservedHeight(), INT32_MAX);
    EXPECT_TRUE(log.Records().empty());
}

TEST(WorkArea, FailuresAreLoggedAndLeaveTheReservationToRetry) {
    TestTrace log;
    FakeDesktop desktop;
    MemorySettings settings;
    desktop.readError = 1439;
    WorkArea unreadable(desktop, settings, log.trace, 23, 0);
    unreadable.Reserve();
    EXPECT_FALSE(unreadable.Reserved());

    desktop.readError.reset();
    desktop.rect = {0, 0, 1920, 1040};
    desktop.writeError = 5;
    WorkArea workArea(desktop, settings, log.trace, 23, 0);
    workArea.Reserve();  // a refused write keeps the reservation on record
    EXPECT_TRUE(workArea.Reserved());
    desktop.writeError.reset();
    desktop.rect = {0, 23, 1920, 1040};
    desktop.readError = 6;
    workArea.Restore();
    EXPECT_TRUE(workArea.Reserved());
    desktop.readError.reset();
    workArea.Restore();
    EXPECT_EQ(desktop.rect, (WorkspaceRect{0, 0, 1920, 1040}));
    EXPECT_FALSE(workArea.Reserved());
    EXPECT_EQ(log.Records(),
              (std::vector<std::string>{
                  R"(1439,"WorkArea","GetWorkspace","failed to get the user workspace")",
                  R"(5,"WorkArea","SetWorkspace","failed to set the user workspace")",
                  R"(6,"WorkArea","GetWorkspace","failed to get the user workspace")"}));
}

TEST(WorkArea, TakesOverTheStripAnEarlierRunLeftInsteadOfAddingOne) {
    // What an earlier run left on record (saved top, reserved top), the top found at start, the
    // bar's offset now, and the top after Reserve and after Restore.
    const std::tuple<std::string, std::string, int32_t, int32_t, int32_t, int32_t> cases[] = {
        {"0", "23", 23, 0, 23, 0},    // ended from Task Manager: taken over, given back at Exit
        {"0", "53", 53, 0, 23, 0},    // it was moved down 30 pixels; this run is not
        {"0", "23", 23, 30, 53, 0},   // this run is moved down; the earlier one was not
        {"30", "53", 53, 0, 30, 30},  // a taller strip above it now: the earlier one goes back
        {"0", "23", 0, 0, 23, 0},     // the session started afresh: nothing left over
        {"0", "23", 40, 0, 40, 40},   // another program's strip: not ours
        {"x", "23", 23, 0, 23, 23},   // a record that does not read is no record
        {"", "", 23, 0, 23, 23},      // nothing on record: a strip of this height is not ours
    };
    TestTrace log;
    for (const auto& [saved, reservedTop, found, offset, reserved, restored] : cases) {
        FakeDesktop desktop;
        desktop.rect = {0, found, 1920, 1040};
        MemorySettings settings;
        if (!saved.empty()) settings.Write("WorkArea", "SavedTop", saved);
        if (!reservedTop.empty()) settings.Write("WorkArea", "ReservedTop", reservedTop);
        WorkArea workArea(desktop, settings, log.trace, 23, offset);
        workArea.Reserve();
        EXPECT_EQ(desktop.rect.top, reserved) << saved << "," << reservedTop << " " << found;
        workArea.Restore();
        EXPECT_EQ(desktop.rect.top, restored) << saved << "," << reservedTop << " " << found;
        EXPECT_TRUE(settings.values.empty()) << saved << "," << reservedTop << " " << found;
    }
    EXPECT_TRUE(log.Records().empty());
}

TEST(WorkArea, ReserveAgainTakesTheStripOnlyWhenTheShellForgotIt) {
    TestTrace log;
    FakeDesktop desktop;
    desktop.rect = {0, 0, 1920, 1040};
    MemorySettings settings;
    WorkArea workArea(desktop, settings, log.trace, 23, 0);
    workArea.Reserve();
    EXPECT_FALSE(workArea.ReserveAgain()) << "the strip is still in place";
    desktop.rect = {0, 0, 1920, 1000};  // the shell started again, with a taller taskbar
    EXPECT_TRUE(workArea.ReserveAgain());
    EXPECT_EQ(desktop.rect, (WorkspaceRect{0, 23, 1920, 1000}));
    desktop.rect.top = 40;  // ... and docked it at the top this time
    EXPECT_FALSE(workArea.ReserveAgain());
    EXPECT_TRUE(settings.values.empty()) << "nothing of ours left to give back";
    workArea.Restore();
    EXPECT_EQ(desktop.rect.top, 40);
    desktop.rect.top = 0;
    EXPECT_TRUE(workArea.ReserveAgain());
    workArea.Restore();
    EXPECT_EQ(desktop.rect.top, 0);
}

}  // namespace
}  // namespace tarvik::test

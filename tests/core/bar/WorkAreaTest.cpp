#include "core/bar/WorkArea.h"

#include <gtest/gtest.h>

#include "core/support/WidgetFakes.h"

namespace tarvik::test {
namespace {

// The desktop's work area in memory; a read or write fails with the given system error code.
struct FakeDesktop final : IDesktopWorkArea {
    WorkspaceRect rect;
    std::optional<int32_t> readError, writeError;
    int writes = 0;
    WorkspaceRect Screen() override { return {0, 0, 1920, 1080}; }

    WorkspaceRect Read() override { return readError ? throw Error(*readError, "read") : rect; }
    void Write(const WorkspaceRect& value) override {
        rect = writeError ? throw Error(*writeError, "write") : value;
        ++writes;
    }
};

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
              (Lines{R"(1439,"WorkArea","GetWorkspace","failed to get the user workspace")",
                     R"(5,"WorkArea","SetWorkspace","failed to set the user workspace")",
                     R"(6,"WorkArea","GetWorkspace","failed to get the user workspace")"}));
}

TEST(WorkArea, ReserveTakesOnlyWhatIsMissingOrTakesOverTheStripAnEarlierRunLeftOnThisScreen) {
    // Left on record (saved top, reserved top, screen), the top found at start, the bar's offset
    // now, and the top after Reserve and after Restore (a strip is taken when they differ). A
    // record that does not fit is logged.
    const std::string screen = "1920x1080";
    const std::tuple<std::string, std::string, std::string, int32_t, int32_t, int32_t, int32_t>
        cases[] = {
            {"", "", "", 0, 0, 23, 0},            // nothing on record
            {"", "", "", 10, 0, 23, 10},          // another strip above ours
            {"", "", "", 23, 0, 23, 23},          // already exactly reserved
            {"", "", "", 40, 30, 53, 40},         // moved down past another bar
            {"0", "23", screen, 23, 0, 23, 0},    // ended from Task Manager: taken over
            {"0", "23", "", 23, 0, 23, 0},        // so by a version that kept no screen size
            {"0", "53", screen, 53, 0, 23, 0},    // it was moved down 30 pixels; this run is not
            {"0", "23", screen, 23, 30, 53, 0},   // this run is moved down; the earlier one not
            {"30", "53", screen, 53, 0, 30, 30},  // a taller strip above it now: that one goes back
            {"0", "23", screen, 40, 0, 40, 40},   // a fresh session, with another program's strip
            // Ignored and logged: the strip found stays as it is.
            {"x", "23", screen, 23, 0, 23, 23},
            {"0", "23", "1280x1024", 23, 0, 23, 23},
            {"0", "2000", "", 2000, 0, 2000, 2000},
            {"-5000", "23", screen, 23, 0, 23, 23},
            {"30", "23", screen, 23, 0, 23, 23},
            {"900", "2000", screen, 2000, 0, 2000, 2000},
        };
    TestTrace log;
    for (const auto& [saved, top, size, found, offset, reserved, restored] : cases) {
        FakeDesktop desktop;
        desktop.rect = {0, found, 1920, 1040};
        MemorySettings settings;
        settings.values = {{{"WorkArea", "SavedTop"}, saved},
                           {{"WorkArea", "ReservedTop"}, top},
                           {{"WorkArea", "Screen"}, size}};
        WorkArea workArea(desktop, settings, log.trace, 23, offset);
        workArea.Reserve();
        const bool taken = workArea.Reserved();
        EXPECT_EQ(std::tuple(desktop.rect.top, taken), std::tuple(reserved, reserved != restored))
            << saved << "," << top << " " << found;
        EXPECT_EQ(settings.Read("WorkArea", "Screen", ""), taken ? screen : "");
        desktop.rect.right -= 100;  // only the top is put back, once, on the current work area
        workArea.Restore();
        workArea.Restore();
        EXPECT_EQ(desktop.rect, (WorkspaceRect{0, restored, 1820, 1040})) << saved << " " << found;
        EXPECT_EQ(desktop.writes, taken ? 2 : int(restored != found)) << saved << " " << found;
        EXPECT_TRUE(settings.values.empty()) << saved << "," << top << " " << found;
    }
    EXPECT_EQ(log.Records(), Lines(6, R"(0,"WorkArea","Reserve","the strip on record does )"
                                      R"(not fit this screen - record ignored")"));
    FakeDesktop desktop;
    MemorySettings settings;
    EXPECT_EQ(WorkArea(desktop, settings, log.trace, INT32_MAX, 2000).ReservedHeight(), INT32_MAX);
}

}  // namespace
}  // namespace tarvik::test

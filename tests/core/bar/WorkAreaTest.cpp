#include "core/bar/WorkArea.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/app/Error.h"
#include "core/support/TestTrace.h"

namespace tarvik::test {
namespace {

// The desktop's work area in memory; a read or write fails with the given system error code.
struct FakeDesktop final : IDesktopWorkArea {
    WorkspaceRect rect;
    std::optional<int32_t> readError, writeError;
    int writes = 0;

    WorkspaceRect Read() override {
        if (readError) throw Error(*readError, "read refused");
        return rect;
    }
    void Write(const WorkspaceRect& value) override {
        if (writeError) throw Error(*writeError, "write refused");
        ++writes;
        rect = value;
    }
};

TEST(WorkArea, ReserveTakesOnlyWhatIsMissingAndRestoreGivesBackOnlyThatOnce) {
    struct Case {
        WorkspaceRect start;
        int32_t barTopOffset;
        WorkspaceRect reserved;  // the work area after Reserve
        bool takesStrip;
    };
    const Case cases[] = {
        {{0, 0, 1920, 1040}, 0, {0, 23, 1920, 1040}, true},
        {{0, 10, 1920, 1040}, 0, {0, 23, 1920, 1040}, true},   // another strip above ours
        {{0, 23, 1920, 1040}, 0, {0, 23, 1920, 1040}, false},  // already exactly reserved
        {{0, 40, 1920, 1040}, 30, {0, 53, 1920, 1040}, true},  // moved down past another bar
    };
    TestTrace log;
    for (const Case& c : cases) {
        FakeDesktop desktop;
        desktop.rect = c.start;
        WorkArea workArea(desktop, log.trace, 23, c.barTopOffset);
        workArea.Reserve();
        EXPECT_EQ(desktop.rect, c.reserved) << c.start.top;
        EXPECT_EQ(workArea.Reserved(), c.takesStrip) << c.start.top;
        desktop.rect.right -= 100;  // only the top is put back, on the current work area
        workArea.Restore();
        workArea.Restore();
        EXPECT_EQ(desktop.rect,
                  (WorkspaceRect{c.start.left, c.start.top, c.start.right - 100, c.start.bottom}));
        EXPECT_EQ(desktop.writes, c.takesStrip ? 2 : 0) << c.start.top;
    }
    FakeDesktop desktop;
    EXPECT_EQ(WorkArea(desktop, log.trace, INT32_MAX, 2000).ReservedHeight(), INT32_MAX);
    EXPECT_TRUE(log.Records().empty());
}

TEST(WorkArea, FailuresAreLoggedAndLeaveTheReservationToRetry) {
    TestTrace log;
    FakeDesktop desktop;
    desktop.readError = 1439;
    WorkArea unreadable(desktop, log.trace, 23, 0);
    unreadable.Reserve();
    EXPECT_FALSE(unreadable.Reserved());

    desktop.readError.reset();
    desktop.rect = {0, 0, 1920, 1040};
    desktop.writeError = 5;
    WorkArea workArea(desktop, log.trace, 23, 0);
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
    const auto line = [](int code, const char* procedure, const char* verb) {
        return std::to_string(code) + ",\"WorkArea\",\"" + procedure + "\",\"failed to " + verb +
               " the user workspace\"";
    };
    EXPECT_EQ(log.Records(), (std::vector<std::string>{line(1439, "GetWorkspace", "get"),
                                                       line(5, "SetWorkspace", "set"),
                                                       line(6, "GetWorkspace", "get")}));
}

}  // namespace
}  // namespace tarvik::test

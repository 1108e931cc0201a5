#include "core/bar/WorkArea.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/app/Error.h"
#include "core/app/Trace.h"
#include "core/support/Fakes.h"

namespace tarvik {
namespace {

// The desktop's work area in memory; a read or write fails with the given system error code.
class FakeDesktop final : public IDesktopWorkArea {
  public:
    WorkspaceRect rect;
    std::optional<int32_t> readError;
    std::optional<int32_t> writeError;
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

std::string Line(int32_t code, const char* procedure, const char* verb) {
    return "#2026-05-04 09:15:02#," + std::to_string(code) + ",\"WorkArea\",\"" + procedure +
           "\",\"failed to " + verb + " the user workspace\"\r\n";
}

class WorkAreaTest : public ::testing::Test {
  protected:
    std::string Log() const { return test::ReadFile(m_folder.Path() / "errors.log"); }

    test::TempFolder m_folder;
    test::FakeClock m_clock;
    Trace m_trace{m_folder.Path() / "errors.log", m_clock};
    FakeDesktop m_desktop;
};

TEST_F(WorkAreaTest, ReserveTakesOnlyWhatIsMissingAndRestoreGivesBackOnlyThat) {
    struct Case {
        const char* name;
        WorkspaceRect start;
        int32_t barTopOffset;
        WorkspaceRect reserved;  // the work area after Reserve
        bool takesStrip;
    };
    const Case cases[] = {
        {"free desktop", {0, 0, 1920, 1040}, 0, {0, 23, 1920, 1040}, true},
        {"another strip above ours", {0, 10, 1920, 1040}, 0, {0, 23, 1920, 1040}, true},
        {"already exactly reserved", {0, 23, 1920, 1040}, 0, {0, 23, 1920, 1040}, false},
        {"bar moved down past another bar", {0, 40, 1920, 1040}, 30, {0, 53, 1920, 1040}, true},
        {"offset edges kept", {-1920, -8, -10, 1032}, 0, {-1920, 23, -10, 1032}, true},
    };
    for (const Case& c : cases) {
        m_desktop.rect = c.start;
        m_desktop.writes = 0;
        WorkArea workArea(m_desktop, m_trace, 23, c.barTopOffset);
        workArea.Reserve();
        EXPECT_EQ(m_desktop.rect, c.reserved) << c.name;
        EXPECT_EQ(workArea.Reserved(), c.takesStrip) << c.name;
        workArea.Restore();
        workArea.Restore();  // only once
        EXPECT_EQ(m_desktop.rect, c.start) << c.name;
        EXPECT_EQ(m_desktop.writes, c.takesStrip ? 2 : 0) << c.name;
    }
    EXPECT_EQ(WorkArea(m_desktop, m_trace, INT32_MAX, 2000).ReservedHeight(), INT32_MAX);
    EXPECT_EQ(Log(), "");
}

TEST_F(WorkAreaTest, RestoreWorksOnTheCurrentWorkArea) {
    m_desktop.rect = {0, 0, 1920, 1040};
    WorkArea workArea(m_desktop, m_trace, 23, 0);
    workArea.Reserve();
    // Something else changed the rest of the work area meanwhile; only the top is put back.
    m_desktop.rect = {0, 23, 1600, 900};
    workArea.Restore();
    EXPECT_EQ(m_desktop.rect, (WorkspaceRect{0, 0, 1600, 900}));
}

TEST_F(WorkAreaTest, FailuresAreLoggedAndLeaveTheReservationToRetry) {
    m_desktop.readError = 1439;
    WorkArea unreadable(m_desktop, m_trace, 23, 0);
    unreadable.Reserve();
    EXPECT_FALSE(unreadable.Reserved());
    EXPECT_EQ(m_desktop.writes, 0);

    m_desktop.readError.reset();
    m_desktop.rect = {0, 0, 1920, 1040};
    m_desktop.writeError = 5;
    WorkArea workArea(m_desktop, m_trace, 23, 0);
    workArea.Reserve();  // a refused write keeps the reservation on record
    EXPECT_TRUE(workArea.Reserved());
    EXPECT_EQ(workArea.SavedTop(), 0);
    m_desktop.writeError.reset();
    m_desktop.rect = {0, 23, 1920, 1040};
    m_desktop.readError = 6;
    workArea.Restore();
    EXPECT_TRUE(workArea.Reserved());
    m_desktop.readError.reset();
    workArea.Restore();
    EXPECT_EQ(m_desktop.rect, (WorkspaceRect{0, 0, 1920, 1040}));
    EXPECT_FALSE(workArea.Reserved());
    EXPECT_EQ(Log(), Line(1439, "GetWorkspace", "get") + Line(5, "SetWorkspace", "set") +
                         Line(6, "GetWorkspace", "get"));
}

}  // namespace
}  // namespace tarvik

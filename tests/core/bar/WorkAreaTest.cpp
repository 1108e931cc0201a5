#include "core/bar/WorkArea.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/app/CommandLine.h"
#include "core/app/Error.h"
#include "core/app/Trace.h"
#include "core/support/Fakes.h"
#include "core/theme/ThemeLayout.h"

namespace tarvik {
namespace {

using test::FakeClock;
using test::FakeEnvironment;
using test::ReadFile;
using test::TempFolder;

// The desktop's work area in memory; a read or write fails with the given system error code.
class FakeDesktop final : public IDesktopWorkArea {
  public:
    WorkspaceRect rect;
    std::optional<int32_t> readError;
    std::optional<int32_t> writeError;
    std::vector<WorkspaceRect> writes;

    WorkspaceRect Read() override {
        if (readError) throw Error(*readError, "read refused");
        return rect;
    }
    void Write(const WorkspaceRect& value) override {
        if (writeError) throw Error(*writeError, "write refused");
        writes.push_back(value);
        rect = value;
    }
};

constexpr char kReadFailed[] =
    "#2026-05-04 09:15:02#,%d,\"WorkArea\",\"GetWorkspace\",\"failed to get the user "
    "workspace\"\r\n";
constexpr char kWriteFailed[] =
    "#2026-05-04 09:15:02#,%d,\"WorkArea\",\"SetWorkspace\",\"failed to set the user "
    "workspace\"\r\n";

std::string Line(const char* format, int32_t code) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, code);
    return buffer;
}

class WorkAreaTest : public ::testing::Test {
  protected:
    std::string Log() const { return ReadFile(m_folder.Path() / "errors.log"); }

    TempFolder m_folder;
    FakeClock m_clock;
    Trace m_trace{m_folder.Path() / "errors.log", m_clock};
    FakeDesktop m_desktop;
};

TEST_F(WorkAreaTest, ReserveTakesOnlyWhatIsMissingAndRestoreGivesBackOnlyThat) {
    struct Case {
        const char* name;
        WorkspaceRect start;
        int32_t workAreaTop;
        int32_t barTopOffset;
        WorkspaceRect reserved;  // the work area after Reserve
        bool takesStrip;
    };
    const Case cases[] = {
        {"free desktop", {0, 0, 1920, 1040}, 23, 0, {0, 23, 1920, 1040}, true},
        {"another strip above ours", {0, 10, 1920, 1040}, 23, 0, {0, 23, 1920, 1040}, true},
        {"another bar reserving 40", {0, 40, 1920, 1040}, 23, 0, {0, 40, 1920, 1040}, false},
        {"already exactly reserved", {0, 23, 1920, 1040}, 23, 0, {0, 23, 1920, 1040}, false},
        {"bar moved down 30", {0, 0, 1280, 984}, 23, 30, {0, 53, 1280, 984}, true},
        {"bar moved down past another bar", {0, 40, 1920, 1040}, 23, 30, {0, 53, 1920, 1040}, true},
        {"scaled theme height", {0, 0, 2880, 1560}, 34, 0, {0, 34, 2880, 1560}, true},
        {"offset edges kept", {-1920, -8, -10, 1032}, 23, 0, {-1920, 23, -10, 1032}, true},
    };
    for (const Case& c : cases) {
        m_desktop.rect = c.start;
        m_desktop.writes.clear();
        WorkArea workArea(m_desktop, m_trace, c.workAreaTop, c.barTopOffset);

        workArea.Reserve();
        EXPECT_EQ(m_desktop.rect, c.reserved) << c.name;
        EXPECT_EQ(workArea.Reserved(), c.takesStrip) << c.name;
        EXPECT_EQ(m_desktop.writes.size(), c.takesStrip ? 1u : 0u) << c.name;

        workArea.Restore();
        EXPECT_EQ(m_desktop.rect, c.start) << c.name;
        EXPECT_FALSE(workArea.Reserved()) << c.name;
        EXPECT_EQ(m_desktop.writes.size(), c.takesStrip ? 2u : 0u) << c.name;
    }
    EXPECT_EQ(Log(), "");
}

TEST_F(WorkAreaTest, ReservedHeightIsTheThemeHeightPlusTheUnscaledBarOffset) {
    FakeEnvironment environment;
    environment.variables["TARVIK_BAR_TOP"] = "30";
    CommandLine commandLine(environment);
    const ThemeLayout layout;
    WorkArea workArea(m_desktop, m_trace, layout.WorkAreaTop, commandLine.BarTopOffset());
    EXPECT_EQ(workArea.ReservedHeight(), 53);

    WorkArea huge(m_desktop, m_trace, INT32_MAX, 2000);
    EXPECT_EQ(huge.ReservedHeight(), INT32_MAX);
}

TEST_F(WorkAreaTest, RestoreWorksOnTheCurrentWorkAreaAndOnlyOnce) {
    m_desktop.rect = {0, 0, 1920, 1040};
    WorkArea workArea(m_desktop, m_trace, 23, 0);
    workArea.Reserve();
    // Something else changed the rest of the work area meanwhile; only the top is put back.
    m_desktop.rect = {0, 23, 1600, 900};
    workArea.Restore();
    EXPECT_EQ(m_desktop.rect, (WorkspaceRect{0, 0, 1600, 900}));

    m_desktop.rect = {0, 23, 1600, 900};
    workArea.Restore();
    EXPECT_EQ(m_desktop.rect, (WorkspaceRect{0, 23, 1600, 900}));
    EXPECT_EQ(m_desktop.writes.size(), 2u);
}

TEST_F(WorkAreaTest, AnUnreadableWorkAreaIsLoggedReadAsZeroAndNeverWritten) {
    m_desktop.readError = 1439;
    WorkArea workArea(m_desktop, m_trace, 23, 0);
    EXPECT_EQ(workArea.GetWorkspace(), WorkspaceRect{});
    workArea.Reserve();
    EXPECT_FALSE(workArea.Reserved());
    EXPECT_TRUE(m_desktop.writes.empty());
    EXPECT_EQ(Log(), Line(kReadFailed, 1439) + Line(kReadFailed, 1439));
}

TEST_F(WorkAreaTest, ARefusedWriteIsLoggedAndTheReservationStaysOnRecord) {
    m_desktop.rect = {0, 0, 1920, 1040};
    m_desktop.writeError = 5;
    WorkArea workArea(m_desktop, m_trace, 23, 0);
    EXPECT_FALSE(workArea.SetWorkspace({0, 23, 1920, 1040}));
    workArea.Reserve();
    EXPECT_TRUE(workArea.Reserved());
    EXPECT_EQ(workArea.SavedTop(), 0);
    EXPECT_EQ(m_desktop.rect, (WorkspaceRect{0, 0, 1920, 1040}));
    EXPECT_EQ(Log(), Line(kWriteFailed, 5) + Line(kWriteFailed, 5));

    m_desktop.writeError.reset();
    EXPECT_TRUE(workArea.SetWorkspace({0, 23, 1920, 1040}));
    workArea.Restore();
    EXPECT_EQ(m_desktop.rect, (WorkspaceRect{0, 0, 1920, 1040}));
    EXPECT_FALSE(workArea.Reserved());
}

TEST_F(WorkAreaTest, RestoreWithAnUnreadableWorkAreaWritesNothingAndCanBeRetried) {
    m_desktop.rect = {0, 0, 1920, 1040};
    WorkArea workArea(m_desktop, m_trace, 23, 0);
    workArea.Reserve();
    m_desktop.readError = 6;
    workArea.Restore();
    EXPECT_EQ(m_desktop.rect, (WorkspaceRect{0, 23, 1920, 1040}));
    EXPECT_TRUE(workArea.Reserved());
    EXPECT_EQ(Log(), Line(kReadFailed, 6));

    m_desktop.readError.reset();
    workArea.Restore();
    EXPECT_EQ(m_desktop.rect, (WorkspaceRect{0, 0, 1920, 1040}));
    EXPECT_FALSE(workArea.Reserved());
}

}  // namespace
}  // namespace tarvik

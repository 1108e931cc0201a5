#include "win32/bar/WorkAreaWin32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/app/Trace.h"
#include "core/bar/WorkArea.h"
#include "win32/app/SystemClock.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

RECT SystemWorkArea() {
    RECT rect{};
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0));
    return rect;
}

void SetSystemWorkArea(RECT rect) {
    EXPECT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &rect, 0));
}

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

// Runs against the system's real work area and puts the original back whatever happens.
class RealWorkArea : public ::testing::Test {
  protected:
    void SetUp() override { m_original = SystemWorkArea(); }
    void TearDown() override { SetSystemWorkArea(m_original); }

    // The original work area with its top moved to the given row.
    RECT StartingAt(LONG top) const {
        RECT rect = m_original;
        rect.top = top;
        return rect;
    }
    std::string Log() const { return ReadFile(m_folder.Path() / "errors.log"); }

    RECT m_original{};
    TempFolder m_folder;
    SystemClock m_clock;
    Trace m_trace{m_folder.Path() / "errors.log", m_clock};
    WorkAreaWin32 m_desktop;
};

TEST_F(RealWorkArea, ReserveMovesTheTopBelowTheBarAndRestorePutsItBack) {
    struct Case {
        int32_t barTopOffset;
        LONG expectedTop;
    };
    for (const Case c : {Case{0, 23}, Case{30, 53}}) {
        const RECT start = StartingAt(0);
        SetSystemWorkArea(start);
        WorkArea workArea(m_desktop, m_trace, 23, c.barTopOffset);

        workArea.Reserve();
        RECT expected = start;
        expected.top = c.expectedTop;
        EXPECT_EQ(Describe(SystemWorkArea()), Describe(expected)) << "offset " << c.barTopOffset;
        EXPECT_TRUE(workArea.Reserved());

        workArea.Restore();
        EXPECT_EQ(Describe(SystemWorkArea()), Describe(start)) << "offset " << c.barTopOffset;
    }
    EXPECT_EQ(Log(), "");
}

TEST_F(RealWorkArea, AnotherBarAlreadyReservingMoreIsLeftAlone) {
    const RECT start = StartingAt(40);
    SetSystemWorkArea(start);
    WorkArea workArea(m_desktop, m_trace, 23, 0);

    workArea.Reserve();
    EXPECT_FALSE(workArea.Reserved());
    EXPECT_EQ(Describe(SystemWorkArea()), Describe(start));

    workArea.Restore();
    EXPECT_EQ(Describe(SystemWorkArea()), Describe(start));
    EXPECT_EQ(Log(), "");
}

}  // namespace
}  // namespace tarvik::test

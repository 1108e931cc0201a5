#include "win32/bar/WorkAreaWin32.h"

#include <gtest/gtest.h>

#include "core/app/Trace.h"
#include "core/bar/WorkArea.h"
#include "win32/app/SystemClock.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

RECT SystemWorkArea() {
    RECT rect{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0);
    return rect;
}

// The bar reserves the rows under it in the system's real work area and gives them back.
TEST(WorkAreaWin32, ReserveMovesTheTopBelowTheBarAndRestorePutsItBack) {
    const RECT original = SystemWorkArea();
    TempFolder folder;
    SystemClock clock;
    Trace trace(folder.Path() / "errors.log", clock);
    WorkAreaWin32 desktop;
    RECT start = original;
    start.top = 0;
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &start, 0));

    WorkArea workArea(desktop, trace, 23, 30);
    workArea.Reserve();
    const RECT reserved = SystemWorkArea();
    workArea.Restore();
    const RECT restored = SystemWorkArea();
    SystemParametersInfoW(SPI_SETWORKAREA, 0, const_cast<RECT*>(&original), 0);

    EXPECT_EQ(reserved.top, 53);
    EXPECT_EQ(reserved.bottom, start.bottom);
    EXPECT_EQ(reserved.right, start.right);
    EXPECT_EQ(restored.top, 0);
    EXPECT_EQ(restored.bottom, start.bottom);
    EXPECT_EQ(ReadFile(folder.Path() / "errors.log"), "");
}

}  // namespace
}  // namespace tarvik::test

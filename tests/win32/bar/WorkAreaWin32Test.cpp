#include "win32/bar/WorkAreaWin32.h"

#include <gtest/gtest.h>

#include <string>

#include "core/app/Trace.h"
#include "core/bar/WorkArea.h"
#include "win32/app/SystemClock.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

// The bar reserves the rows under it in the system's real work area and gives them back.
TEST(WorkAreaWin32, ReserveMovesTheTopBelowTheBarAndRestorePutsItBack) {
    RECT original{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &original, 0);
    RECT start{original.left, 0, original.right - 7, original.bottom - 5};
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &start, 0));
    TempFolder folder;
    SystemClock clock;
    Trace trace(folder.Path() / "errors.log", clock);
    WorkAreaWin32 desktop;
    WorkArea workArea(desktop, trace, 23, 30);
    workArea.Reserve();
    RECT reserved{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &reserved, 0);
    workArea.Restore();
    RECT restored{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &restored, 0);
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &original, 0);
    const auto text = [](const RECT& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
               std::to_string(r.right) + "," + std::to_string(r.bottom);
    };
    RECT below = start;
    below.top = 53;
    EXPECT_EQ(text(reserved), text(below));
    EXPECT_EQ(text(restored), text(start));
    EXPECT_EQ(ReadFile(folder.Path() / "errors.log"), "");
}

}  // namespace
}  // namespace tarvik::test

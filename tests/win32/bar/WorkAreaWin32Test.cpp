#include "win32/bar/WorkAreaWin32.h"

#include <gtest/gtest.h>

#include "core/bar/WorkArea.h"
#include "win32/platform/RegistrySettings.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

// The bar reserves the rows under it in the system's real work area and gives them back.
TEST(WorkAreaWin32, ReserveMovesTheTopBelowTheBarAndRestorePutsItBack) {
    RECT original{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &original, 0);
    RECT start{original.left, 0, original.right - 7, original.bottom - 5};
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &start, 0));
    TestLog log;
    WorkAreaWin32 desktop;
    RegistrySettings settings(log.trace, L"Software\\Tarvik.Test\\WorkAreaWin32");
    WorkArea workArea(desktop, settings, log.trace, 23, 30);
    workArea.Reserve();
    RECT reserved{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &reserved, 0);
    workArea.Restore();
    RECT restored{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &restored, 0);
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &original, 0);
    const RECT below{start.left, 53, start.right, start.bottom};
    EXPECT_TRUE(EqualRect(&reserved, &below)) << reserved.left << "," << reserved.top;
    EXPECT_TRUE(EqualRect(&restored, &start)) << restored.left << "," << restored.top;
    EXPECT_EQ(log.Text(), "");
}

}  // namespace
}  // namespace tarvik::test

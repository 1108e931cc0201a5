#include "win32/bar/WorkAreaWin32.h"

#include <windows.h>

#include "core/app/Error.h"

namespace tarvik {

namespace {

int32_t LastError() {
    return static_cast<int32_t>(GetLastError());
}

}  // namespace

WorkspaceRect WorkAreaWin32::Read() {
    RECT rect{};
    SetLastError(ERROR_SUCCESS);
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0)) {
        throw Error(LastError(), "SystemParametersInfoW(SPI_GETWORKAREA) failed");
    }
    return WorkspaceRect{rect.left, rect.top, rect.right, rect.bottom};
}

void WorkAreaWin32::Write(const WorkspaceRect& value) {
    RECT rect{value.left, value.top, value.right, value.bottom};
    SetLastError(ERROR_SUCCESS);
    if (!SystemParametersInfoW(SPI_SETWORKAREA, 0, &rect, SPIF_UPDATEINIFILE)) {
        throw Error(LastError(), "SystemParametersInfoW(SPI_SETWORKAREA) failed");
    }
}

WorkspaceRect WorkAreaWin32::Screen() {
    return WorkspaceRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace tarvik

#include "core/graphics/GDIPlus.h"
#include "win32/graphics/GdiPlusNative.h"

namespace tarvik {

namespace {
ULONG_PTR g_token = 0;
}

bool GDIPlusCreate(bool suppressErrors) {
    SetGDIPlusErrorsSuppressed(suppressErrors);
    if (g_token != 0) return true;
    Gdiplus::GdiplusStartupInput input;
    return Gdiplus::GdiplusStartup(&g_token, &input, nullptr) == Gdiplus::Ok;
}

void GDIPlusDispose() {
    if (g_token == 0) return;
    Gdiplus::GdiplusShutdown(g_token);
    g_token = 0;
}

}  // namespace tarvik

#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

TestWindow::TestWindow(int x, int y, int width, int height, DWORD style, DWORD exStyle)
    : BaseWindow(WindowGuard{}) {
    CreateBaseWindow(WindowClassInfo{L"TarvikTestWindow", 0}, exStyle, L"Tarvik test", style,
                     RECT{x, y, x + width, y + height});
}

LRESULT TestWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ++seen[message];
    const std::optional<LRESULT> answered = answer ? answer(message, wParam, lParam) : std::nullopt;
    return answered ? *answered : DefaultProcedure(message, wParam, lParam);
}

std::filesystem::path TestProgramFolder() {
    wchar_t buffer[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    return std::filesystem::path(buffer).parent_path();
}

}  // namespace tarvik::test

#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {

namespace {
std::filesystem::path TestProgramPath() {
    wchar_t buffer[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    return buffer;
}
}  // namespace

// Without a window manager, Wine waits up to 2 s for each window that was ever active to be
// withdrawn when it hides. Each Windows test program (not the end-to-end ones, nor the
// benchmarks) asks for unmanaged windows for itself, read when its first window loads the
// display driver: the same messages, without the wait.
[[maybe_unused]] const bool g_unmanagedWindows = [] {
    const std::wstring name = TestProgramPath().filename().wstring();
    if (!name.starts_with(L"tarvik_win32_")) return false;
    const std::wstring key = L"Software\\Wine\\AppDefaults\\" + name + L"\\X11 Driver";
    return !RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Managed", REG_SZ, L"N", 4);
}();

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
    return TestProgramPath().parent_path();
}

}  // namespace tarvik::test

#include "win32/support/PointerInput.h"

#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {

using namespace std::chrono_literals;

void MovePointer(int x, int y) {
    SetCursorPos(x, y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = static_cast<LONG>((x * 65535LL + (width - 1) / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((y * 65535LL + (height - 1) / 2) / (height - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    PumpMessages(150ms);
}

void ClickPointer(bool right) {
    for (const DWORD flags : {right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN,
                              right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP}) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        SendInput(1, &input, sizeof input);
        PumpMessages(100ms);
    }
}

void ParkPointer() {
    MovePointer(GetSystemMetrics(SM_CXSCREEN) - 5, GetSystemMetrics(SM_CYSCREEN) - 5);
}

}  // namespace tarvik::test

#include <windows.h>

#include "win32/app/Program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tarvik::Program program;
    if (!program.Main()) return 0;

    // The process lives as long as one of its windows does.
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

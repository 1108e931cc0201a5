#include <windows.h>

#include "win32/app/Program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tarvik::Program program;
    if (!program.Main()) return 0;
    return program.Run();
}

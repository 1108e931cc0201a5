#pragma once

#include <windows.h>

namespace tarvik::test {

// Real pointer input, as a user gives it: the cursor is put there and a hardware event is
// injected; this thread's messages are handled while the input settles.
void MovePointer(int x, int y);
// A left (or right) click at the cursor.
void ClickPointer(bool right = false);
// Moves the pointer to a corner where it touches nothing of ours.
void ParkPointer();

}  // namespace tarvik::test

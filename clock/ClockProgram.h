// The clock program's entry: single instance, window class, window and message loop.
#pragma once
#include <windows.h>

namespace tembra {

int RunClockProgram(HINSTANCE instance);

}  // namespace tembra

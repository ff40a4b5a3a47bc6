// The settings program's start: one modal window chosen by the first letter of the command
// line, or an already open window of the program brought forward instead.
#pragma once
#include <windows.h>

namespace tembra {

// Runs the program for `commandLine` (the arguments only) and returns its exit code.
int RunSettingsProgram(HINSTANCE instance, const char* commandLine);

// Shows `window` in front, restoring it first when it is minimised.
void BringForward(HWND window);

}  // namespace tembra

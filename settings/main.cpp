// TCSets.exe: the settings program of Tembra Clock.
#include <windows.h>

#include "settings/StartUp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    return tembra::RunSettingsProgram(instance, commandLine);
}

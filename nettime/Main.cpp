#include <windows.h>

#include "nettime/win/ChronetApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    tembra::nettime::ChronetLaunch launch;
    launch.commandLine = commandLine ? commandLine : "";
    return tembra::nettime::RunChronet(instance, launch);
}

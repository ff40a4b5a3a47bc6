#include <windows.h>

#include "framework/ComApartment.h"
#include "framework/CommonControls.h"
#include "nettime/win/ChronetApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    tembra::InitCommonControlsFor(0);  // the log window's standard controls only
    tembra::ComApartment com;          // for the shell, should a start go through it
    tembra::nettime::ChronetLaunch launch;
    launch.commandLine = commandLine ? commandLine : "";
    return tembra::nettime::RunChronet(instance, launch);
}

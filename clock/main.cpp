#include "clock/ClockProgram.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return tembra::RunClockProgram(instance);
}

// A clock window driven in-process, at a moment the test chooses.
#pragma once
#include <windows.h>

#include <memory>

#include "clock/ClockWindow.h"
#include "framework/testing/TestSupport.h"

namespace tembra::test {

// The local time every part of the clock sees while a FakeClockTime lives.
class FakeClockTime {
public:
    explicit FakeClockTime(CivilTime start) {
        Now() = start;
        previous_ = SetLocalTimeSource([] { return Now(); });
    }
    ~FakeClockTime() { SetLocalTimeSource(previous_); }
    static CivilTime& Now() {
        static CivilTime now;
        return now;
    }
    void Set(CivilTime t) { Now() = t; }
    void AddSeconds(int seconds) { Now() = CivilTimeOf(DateValueOf(Now()) + seconds / 86400.0); }

private:
    LocalTimeSource previous_;
};

inline std::unique_ptr<ClockWindow> StartClock() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ClockWindow::RegisterWindowClass(instance);  // fails harmlessly after the first time
    auto clock = std::make_unique<ClockWindow>();
    if (!clock->Create(instance)) return nullptr;
    return clock;
}

// Sends a timer message as the clock's own timer would.
inline void Tick(ClockWindow& clock) { SendMessageA(clock.hwnd(), WM_TIMER, kClockTimerId, 0); }

}  // namespace tembra::test

// The settings program's message to the clock, against stand-in clock windows on threads of
// this process: one that answers and one that is hung.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "framework/testing/TestSupport.h"
#include "store/ClockNotify.h"
#include "store/SuiteContract.h"

using namespace tembra;
using namespace tembra::test;

namespace {

struct Received {
    std::atomic<UINT> message{0};
    std::atomic<WPARAM> wParam{99};
    std::atomic<LPARAM> lParam{99};
};
Received g_received;

LRESULT CALLBACK StandInClockProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOCK_RELOADOPTIONS || msg == WM_CLOCK_RELOADEVENTS) {
        g_received.wParam = wParam;
        g_received.lParam = lParam;
        g_received.message = msg;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A window of the clock's class on its own thread, which either pumps messages or, once
// `hang` is set, blocks until released.
class StandInClock {
public:
    explicit StandInClock(bool hang) : hang_(hang) {
        release_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        thread_ = std::thread([this] { Run(); });
        window_ = ready_.get_future().get();
    }
    ~StandInClock() {
        SetEvent(release_.get());
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    HWND window() const { return window_; }
    void Release() { SetEvent(release_.get()); }

private:
    void Run() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = StandInClockProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClockClassName;
        RegisterClassA(&wc);
        HWND hwnd = CreateWindowA(kClockClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        ready_.set_value(hwnd);
        if (hang_) WaitForSingleObject(release_.get(), INFINITE);
        MSG msg;
        while (IsWindow(hwnd) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == WM_CLOSE) break;
            DispatchMessageA(&msg);
        }
        DestroyWindow(hwnd);
        UnregisterClassA(kClockClassName, wc.hInstance);
    }

    bool hang_;
    UniqueKernelHandle release_;
    std::promise<HWND> ready_;
    std::thread thread_;
    HWND window_ = nullptr;
};

}  // namespace

TEST(NotifyClock, ReachesTheClockWithBothParametersZero) {
    EXPECT_FALSE(NotifyClock(WM_CLOCK_RELOADOPTIONS));  // no clock: nothing sent, no error
    StandInClock clock(false);
    ASSERT_TRUE(clock.window());
    EXPECT_TRUE(NotifyClock(WM_CLOCK_RELOADEVENTS));
    EXPECT_EQ(g_received.message.load(), 3030u);
    EXPECT_EQ(g_received.wParam.load(), 0u);
    EXPECT_EQ(g_received.lParam.load(), 0);
}

TEST(NotifyClock, AHungClockDoesNotHangTheSender) {
    StandInClock clock(true);
    ASSERT_TRUE(clock.window());
    // Run on a thread of its own, so a sender that waits for ever fails here instead of
    // hanging the test.
    auto sent = std::async(std::launch::async, [] { return NotifyClock(WM_CLOCK_RELOADOPTIONS, 500); });
    const bool returned = sent.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    clock.Release();
    ASSERT_TRUE(returned);
    EXPECT_FALSE(sent.get());
}

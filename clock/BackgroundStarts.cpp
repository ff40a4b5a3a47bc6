#include "clock/BackgroundStarts.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "framework/ComApartment.h"

namespace tembra {
namespace {

struct Outstanding {
    std::mutex mutex;
    std::condition_variable none;
    int count = 0;
};

// Never destroyed: a start that hangs may still come back while the program ends.
Outstanding& Starts() {
    static Outstanding* starts = new Outstanding;
    return *starts;
}

void Start(const ProgramStart& start) {
    {
        ComApartment com;
        System().StartProgram(start);
    }
    Outstanding& starts = Starts();
    std::lock_guard<std::mutex> lock(starts.mutex);
    if (--starts.count == 0) starts.none.notify_all();
}

DWORD WINAPI StartThread(LPVOID parameter) {
    std::unique_ptr<ProgramStart> start(static_cast<ProgramStart*>(parameter));
    Start(*start);
    return 0;
}

}  // namespace

void StartInBackground(const ProgramStart& start) {
    {
        Outstanding& starts = Starts();
        std::lock_guard<std::mutex> lock(starts.mutex);
        ++starts.count;
    }
    auto copy = std::make_unique<ProgramStart>(start);
    HANDLE thread = CreateThread(nullptr, 0, StartThread, copy.get(), 0, nullptr);
    if (!thread) {
        Start(start);
        return;
    }
    copy.release();  // the thread's now
    CloseHandle(thread);
}

bool WaitForBackgroundStarts(DWORD timeoutMs) {
    Outstanding& starts = Starts();
    std::unique_lock<std::mutex> lock(starts.mutex);
    return starts.none.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                [&] { return starts.count == 0; });
}

}  // namespace tembra

// Another program's hold on the event store's lock, played by a thread of the test's own.
#pragma once
#include <windows.h>

#include <thread>

#include "framework/Handles.h"
#include "store/SuiteContract.h"

namespace tembra::test {

// Holds the lock from construction until Release(); with `dies` the thread ends holding it,
// as a program that crashed.
class StoreLockHolder {
public:
    explicit StoreLockHolder(bool dies = false) {
        thread_ = std::thread([this, dies] {
            WaitForSingleObject(mutex_.get(), INFINITE);
            SetEvent(held_.get());
            if (dies) return;
            WaitForSingleObject(release_.get(), INFINITE);
            ReleaseMutex(mutex_.get());
        });
        WaitForSingleObject(held_.get(), INFINITE);
    }
    ~StoreLockHolder() { Release(); }
    StoreLockHolder(const StoreLockHolder&) = delete;
    StoreLockHolder& operator=(const StoreLockHolder&) = delete;
    void Release() {
        SetEvent(release_.get());
        if (thread_.joinable()) thread_.join();
    }

private:
    // Open for as long as this object lives: a mutex whose last handle closes is gone, not
    // abandoned.
    UniqueKernelHandle mutex_{CreateMutexA(nullptr, FALSE, kEventStoreMutexName)};
    UniqueKernelHandle held_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    UniqueKernelHandle release_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    std::thread thread_;
};

}  // namespace tembra::test

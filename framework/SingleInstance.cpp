#include "framework/SingleInstance.h"

namespace tembra {

SingleInstance::SingleInstance(const char* name) : mutex_(CreateMutexA(nullptr, FALSE, name)) {}

SingleInstance::~SingleInstance() {
    if (owned_) ReleaseMutex(mutex_.get());
}

bool SingleInstance::Claim(DWORD timeoutMs) {
    if (owned_ || !mutex_) return true;
    // An abandoned mutex is one whose owner ended without letting go: ours now all the same.
    const DWORD result = WaitForSingleObject(mutex_.get(), timeoutMs);
    owned_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return owned_;
}

}  // namespace tembra

#include "nettime/win/SyncRunState.h"

#include <algorithm>
#include <utility>

namespace tembra::nettime {
namespace {

HANDLE Duplicate(HANDLE handle) {
    HANDLE copy = nullptr;
    if (!handle || !DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, 0,
                                    FALSE, DUPLICATE_SAME_ACCESS))
        return nullptr;
    return copy;
}

}  // namespace

SyncRunState::SyncRunState(const ChronetOptions& options,
                           std::optional<std::vector<std::string>> servers, uint16_t port,
                           HANDLE stopEvent)
    : options(options),
      servers(std::move(servers)),
      port(port),
      results(static_cast<size_t>(ResultSlots(options.serversNum))),
      stopEvent_(Duplicate(stopEvent)) {}

// A wait that fails (no usable event) counts as a stop: a run that cannot be stopped must
// not go on.
bool SyncRunState::StopRequested() const {
    return WaitForSingleObject(stopEvent_.get(), 0) != WAIT_TIMEOUT;
}

void SyncRunState::QueueLine(std::string text, bool hideDialog) {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back({std::move(text), hideDialog});
}

void SyncRunState::Finish(const char* status, int count) {
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
    status_ = status;
    count_ = count;
}

std::vector<LogLine> SyncRunState::TakeLines() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(lines_, {});
}

bool SyncRunState::finished() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return finished_;
}

const char* SyncRunState::status() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return status_;
}

int SyncRunState::count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::clamp(count_, 0, static_cast<int>(results.size()));
}

}  // namespace tembra::nettime

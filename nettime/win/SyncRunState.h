// What one run shares between the log dialog and its worker thread.
//
// Both sides hold the run by shared ownership: a worker that outlives the dialog's wait for it
// still writes only into live results and tests its own handle on the stop event, and the run
// goes when the last holder lets go. The worker queues its log lines here and only nudges the
// dialog by message; the dialog takes the lines and, once the worker has ended, the outcome.
// Nothing in a message is trusted, so another program sending our message numbers can neither
// make the dialog read through a pointer nor make it act on a count of its choosing.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "nettime/core/NtpPacket.h"
#include "nettime/core/Options.h"

namespace tembra::nettime {

struct LogLine {
    std::string text;
    bool hideDialog = false;  // the socket layer failed: hide the window after the line
};

class SyncRunState {
public:
    // `stopEvent` is duplicated: the run keeps its own handle for as long as it lives.
    SyncRunState(const ChronetOptions& options, std::optional<std::vector<std::string>> servers,
                 uint16_t port, HANDLE stopEvent);
    SyncRunState(const SyncRunState&) = delete;
    SyncRunState& operator=(const SyncRunState&) = delete;

    // Fixed before the worker starts.
    const ChronetOptions options;
    // Where the worker asks: "servers.lst" beside the program unless a test gave a list.
    const std::optional<std::vector<std::string>> servers;
    const uint16_t port;
    HWND dialog = nullptr;  // told of new lines and of the run's end
    // One slot per answer the run can need; written by the worker, read once it has ended.
    std::vector<NtpResult> results;

    bool StopRequested() const;

    // Worker side.
    void QueueLine(std::string text, bool hideDialog = false);
    void Finish(const char* status, int count);

    // Dialog side.
    std::vector<LogLine> TakeLines();
    bool finished() const;
    const char* status() const;
    // The answers counted, never more than there are slots.
    int count() const;

private:
    UniqueKernelHandle stopEvent_;
    mutable std::mutex mutex_;
    std::vector<LogLine> lines_;
    bool finished_ = false;
    const char* status_ = "";
    int count_ = 0;
};

}  // namespace tembra::nettime

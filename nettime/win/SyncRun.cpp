#include "nettime/win/SyncRun.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/SystemActions.h"
#include "nettime/core/Report.h"
#include "nettime/core/ServerList.h"
#include "nettime/core/SyncMath.h"
#include "nettime/win/Messages.h"
#include "nettime/win/Settings.h"
#include "nettime/win/SntpClient.h"
#include "nettime/win/SystemTimeConvert.h"
#include "nettime/win/UdpSocket.h"

namespace tembra::nettime {
namespace {

class LogSender {
public:
    explicit LogSender(SyncRunState& run) : run_(run) {}
    // Queues the line and tells the dialog, without waiting for it to be shown: the run
    // goes at the pace of the network, not of the window.
    void operator()(std::string line, bool hideDialog = false) const {
        run_.QueueLine(std::move(line), hideDialog);
        PostMessageA(run_.dialog, WM_LOGAPPEND, 0, 0);
    }

private:
    SyncRunState& run_;
};

void CheckWinsock(const WinsockSession& winsock, const LogSender& log) {
    if (!winsock.started())
        log(log_text::kNoWinsock, true);
    else if (LOBYTE(winsock.grantedVersion()) != 1 || HIBYTE(winsock.grantedVersion()) != 1)
        log(log_text::kWrongWinsock, true);
}

void ReportSuccess(const NtpResult& result, const LogSender& log) {
    log(log_text::kSuccessHeader);
    log(log_text::kColumnHeader);
    log(ExchangeReport(result, UtcSecondsSince1900()));
}

// The whole run, socket layer included; records the outcome before returning.
void Run(SyncRunState& run) {
    const LogSender log(run);
    const std::vector<std::string> servers = run.servers ? *run.servers : LoadServerList();

    WinsockSession winsock(MAKEWORD(1, 1));
    CheckWinsock(winsock, log);

    CSntpClient client;
    const char* status = log_text::kStatusFailure;
    int count = 0;
    const int slots = static_cast<int>(run.results.size());
    if (run.options.serversNum > 0) {
        bool stopped = false;
        const size_t limit = servers.size() < size_t{kMaxServersTried} ? servers.size()
                                                                  : size_t{kMaxServersTried};
        for (size_t i = 0; i < limit && count < slots; ++i) {
            if (run.StopRequested()) {
                stopped = true;
                break;
            }
            const std::string& host = servers[i];
            log(ConnectingLine(host));
            QueryFailure failure;
            if (client.QueryServer(host.c_str(), run.results[count], run.port, &failure)) {
                if (run.StopRequested()) {  // the answer came after the stop request: not counted
                    stopped = true;
                    break;
                }
                ReportSuccess(run.results[count], log);
                ++count;
            } else {
                if (failure.check != ReplyCheck::Ok)
                    log(RejectedReplyLine(host, DescribeReplyCheck(failure.check)));
                log(ServerFailedLine(host));
            }
            if (count >= run.options.serversNum) break;
        }
        if (stopped) {
            status = log_text::kStatusAbort;
            count = 0;
        } else if (count > 0) {
            status = log_text::kStatusSuccess;
        }
    }
    run.Finish(status, count);
}

}  // namespace

HANDLE StartSyncThread(const std::shared_ptr<SyncRunState>& run) {
    auto share = std::make_unique<std::shared_ptr<SyncRunState>>(run);
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, SyncThreadProc, share.get(), 0, &threadId);
    if (thread) share.release();  // the thread owns it now
    return thread;
}

DWORD WINAPI SyncThreadProc(LPVOID param) {
    std::shared_ptr<SyncRunState> run;
    {
        std::unique_ptr<std::shared_ptr<SyncRunState>> share(
            static_cast<std::shared_ptr<SyncRunState>*>(param));
        run = std::move(*share);
    }
    Run(*run);
    // Last: the dialog acts on the outcome only once this thread has ended.
    PostMessageA(run->dialog, WM_SYNCDONE, 0, 0);
    return 0;
}

bool AdjustClock(const SyncRunState& run, int count, DWORD* error) {
    count = std::clamp(count, 0, static_cast<int>(run.results.size()));
    const int32_t correctionMs = CombineOffsets(run.results.data(), count);
    SYSTEMTIME now;
    GetLocalTime(&now);
    const SYSTEMTIME target =
        SystemTimeFromCalendar(AddMilliseconds(CalendarFromSystemTime(now), correctionMs));
    DWORD code = 0;
    const bool ok = System().SetLocalClock(target, &code);
    if (error) *error = code;
    return ok;
}

}  // namespace tembra::nettime

#include "nettime/win/SyncRun.h"

#include <string>
#include <vector>

#include "framework/SystemActions.h"
#include "nettime/core/Report.h"
#include "nettime/core/ServerList.h"
#include "nettime/core/SyncMath.h"
#include "nettime/win/ChronetState.h"
#include "nettime/win/Messages.h"
#include "nettime/win/Settings.h"
#include "nettime/win/SntpClient.h"
#include "nettime/win/SystemTimeConvert.h"
#include "nettime/win/UdpSocket.h"

namespace tembra::nettime {
namespace {

class LogSender {
public:
    explicit LogSender(HWND dialog) : dialog_(dialog) {}
    // Blocks until the interface thread has appended and shown the line.
    void operator()(const std::string& line, bool hideDialog = false) const {
        SendMessageA(dialog_, WM_LOGAPPEND, reinterpret_cast<WPARAM>(line.c_str()),
                     hideDialog ? 1 : 0);
    }

private:
    HWND dialog_;
};

bool StopRequested() {
    return WaitForSingleObject(g_chronet.stopEvent.get(), 0) == WAIT_OBJECT_0;
}

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

}  // namespace

DWORD WINAPI SyncThreadProc(LPVOID param) {
    const HWND dialog = static_cast<HWND>(param);
    const LogSender log(dialog);
    const std::vector<std::string> servers =
        g_chronet.servers ? *g_chronet.servers : LoadServerList();

    WinsockSession winsock(MAKEWORD(1, 1));
    CheckWinsock(winsock, log);

    CSntpClient client;
    const char* status = log_text::kStatusFailure;
    int count = 0;
    const int slots = static_cast<int>(g_chronet.results.size());
    if (g_chronet.options.serversNum > 0) {
        bool stopped = false;
        const size_t limit = servers.size() < size_t{kMaxServersTried} ? servers.size()
                                                                  : size_t{kMaxServersTried};
        for (size_t i = 0; i < limit && count < slots; ++i) {
            if (StopRequested()) {
                stopped = true;
                break;
            }
            const std::string& host = servers[i];
            log(ConnectingLine(host));
            QueryFailure failure;
            if (client.QueryServer(host.c_str(), g_chronet.results[count], g_chronet.port,
                                   &failure)) {
                if (StopRequested()) {  // the answer came after the stop request: not counted
                    stopped = true;
                    break;
                }
                ReportSuccess(g_chronet.results[count], log);
                ++count;
            } else {
                if (failure.check != ReplyCheck::Ok)
                    log(RejectedReplyLine(host, DescribeReplyCheck(failure.check)));
                log(ServerFailedLine(host));
            }
            if (count >= g_chronet.options.serversNum) break;
        }
        if (stopped) {
            status = log_text::kStatusAbort;
            count = 0;
        } else if (count > 0) {
            status = log_text::kStatusSuccess;
        }
    }
    PostMessageA(dialog, WM_SYNCDONE, reinterpret_cast<WPARAM>(status), count);
    return 0;
}

bool AdjustClock(int count, DWORD* error) {
    const int32_t n = CombineOffsets(g_chronet.results.data(), count);
    SYSTEMTIME now;
    GetLocalTime(&now);
    CalendarTime local = CalendarFromSystemTime(now);
    local.milliseconds = 0;
    SYSTEMTIME target = SystemTimeFromCalendar(AddSeconds(local, n));
    target.wMilliseconds = 0;
    DWORD code = 0;
    const bool ok = System().SetLocalClock(target, &code);
    if (error) *error = code;
    return ok;
}

}  // namespace tembra::nettime

#include "nettime/win/SntpClient.h"

#include "nettime/win/SystemTimeConvert.h"
#include "nettime/win/UdpSocket.h"

namespace tembra::nettime {
namespace {

CalendarTime UtcNow() {
    SYSTEMTIME st;
    GetSystemTime(&st);
    return CalendarFromSystemTime(st);
}

}  // namespace

// The file-time clock keeps the sub-millisecond part that the calendar form drops; the
// best clients measure to a tenth of a millisecond on a quiet network.
NtpTimestamp NtpNow() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return NtpFromFileTime((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}
int64_t UtcSecondsSince1900() { return SecondsSince1900(UtcNow()); }

bool CSntpClient::QueryServer(const char* host, NtpResult& result, uint16_t port,
                              QueryFailure* failure) {
    if (failure) *failure = QueryFailure{};
    CUdpSocket socket;  // closed on every return
    if (!socket.Create()) return false;
    if (!socket.Connect(host, port)) return false;

    const NtpTimestamp sent = NtpNow();
    const NtpRequest request = BuildRequest(sent);
    if (!socket.Send(request.data(), request.size())) return false;

    bool ready = false;
    if (!socket.WaitReadable(timeoutMs_, &ready) || !ready) return false;
    const NtpTimestamp destination = NtpNow();

    uint8_t buffer[kNtpReplyBufferSize] = {};
    size_t received = 0;
    if (!socket.Receive(buffer, sizeof buffer, &received)) return false;

    const NtpReply reply = ParseReply(buffer, received);
    const ReplyCheck check = CheckReply(reply, sent);
    if (check != ReplyCheck::Ok) {
        if (failure) failure->check = check;
        return false;
    }
    FillResult(reply, destination, &result);
    return true;
}

}  // namespace tembra::nettime

// What Chronet reads from others: a server's reply, the lines of "servers.lst", its command line.
#include <string>
#include <vector>

#include "framework/fuzz/FuzzTarget.h"
#include "nettime/core/NtpPacket.h"
#include "nettime/core/Options.h"
#include "nettime/core/Report.h"
#include "nettime/core/ServerList.h"
#include "nettime/core/SyncMath.h"

namespace tembra::fuzz {

// A reply datagram as the exchange handles it: our transmit time and arrival time come first
// (our clock, read in era 0 or 1), then the bytes the server sent. An accepted reply goes on
// through the report and the correction, as a run would take it.
void NtpReply(const uint8_t* data, size_t size) {
    using namespace tembra::nettime;
    FuzzInput input(data, size);
    const auto sent = input.Take<NtpTimestamp>();
    const auto arrived = input.Take<NtpTimestamp>();
    const int64_t era = input.Take<uint8_t>() & 1;
    const int64_t reference = static_cast<int64_t>(arrived >> 32) + era * nettime::kSecondsPerEra;
    const std::string datagram = input.Rest();
    const auto* bytes = reinterpret_cast<const uint8_t*>(datagram.data());
    const nettime::NtpReply reply = ParseReply(bytes, datagram.size());
    const ReplyCheck check = CheckReply(reply, sent);
    if (check != ReplyCheck::Ok) {
        RejectedReplyLine("server", DescribeReplyCheck(check));
        return;
    }
    NtpResult result;
    FillResult(reply, arrived, &result);
    ExchangeReport(result, reference);
    SummaryText(CombineOffsets(&result, 1));
}

void ServerList(const uint8_t* data, size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    for (const std::string& host : nettime::ParseServerLines(content)) {
        nettime::ConnectingLine(host);
        nettime::ServerFailedLine(host);
    }
}

// The text after the program name, as the start-up hands it over: up to the first zero.
void ChronetCommandLine(const uint8_t* data, size_t size) {
    std::string line(reinterpret_cast<const char*>(data), size);
    line = line.c_str();
    nettime::ChronetOptions options;
    nettime::ApplyCommandLine(line.c_str(), &options);
    nettime::ResultSlots(options.serversNum);
    nettime::ShouldSetClock(options, nettime::ResultSlots(options.serversNum));
}

}  // namespace tembra::fuzz

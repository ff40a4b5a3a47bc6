// One SNTP exchange with one server.
#pragma once
#include <cstdint>
#include <string>

#include "nettime/core/NtpPacket.h"

namespace tembra::nettime {

// Why an exchange failed; a refused reply carries the check that refused it.
struct QueryFailure {
    ReplyCheck check = ReplyCheck::Ok;  // not Ok: a reply came but was refused
};

class CSntpClient {
public:
    static constexpr unsigned kReplyTimeoutMs = 5000;

    // Sends one request and waits up to 5 s for a checked reply; fills `result` on success.
    bool QueryServer(const char* host, NtpResult& result, uint16_t port,
                     QueryFailure* failure = nullptr);

private:
    unsigned timeoutMs_ = kReplyTimeoutMs;
};

// The current UTC time as an NTP timestamp, and as seconds since 1900 without wrapping.
NtpTimestamp NtpNow();
int64_t UtcSecondsSince1900();

}  // namespace tembra::nettime

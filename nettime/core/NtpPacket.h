// The SNTP version 3 client request and the reading and checking of a server's reply.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "nettime/core/NtpTime.h"

namespace tembra::nettime {

constexpr uint16_t kNtpPort = 123;
constexpr size_t kNtpHeaderSize = 48;
// Header plus the optional key identifier (4) and message digest (16).
constexpr size_t kNtpReplyBufferSize = 68;

// Byte offsets of the header fields.
namespace ntp_field {
constexpr size_t kFlags = 0;  // leap indicator (bits 7-6), version (5-3), mode (2-0)
constexpr size_t kStratum = 1;
constexpr size_t kOriginate = 24;
constexpr size_t kReceive = 32;
constexpr size_t kTransmit = 40;
}  // namespace ntp_field

constexpr int kNtpVersion = 3;
// Versions a server may answer with: 1 to 4 (0 is no version, 5 to 7 are not defined).
constexpr int kMinReplyVersion = 1;
constexpr int kMaxReplyVersion = 4;
constexpr int kModeClient = 3;
constexpr int kModeServer = 4;
constexpr int kLeapUnsynchronised = 3;
constexpr int kMaxStratum = 15;

// The outcome of one successful exchange.
struct NtpResult {
    int32_t leapIndicator = 0;
    int32_t stratum = 0;
    NtpTimestamp originate = 0;    // T1: the server's copy of our transmit time
    NtpTimestamp receive = 0;      // T2
    NtpTimestamp transmit = 0;     // T3
    NtpTimestamp destination = 0;  // T4: our time when the reply had arrived
    double delay = 0;
    double offset = 0;  // positive when the local clock is behind the server
};

using NtpRequest = std::array<uint8_t, kNtpHeaderSize>;
NtpRequest BuildRequest(NtpTimestamp transmit);

struct NtpReply {
    size_t length = 0;  // bytes received
    int leapIndicator = 0;
    int version = 0;
    int mode = 0;
    int stratum = 0;
    NtpTimestamp originate = 0;
    NtpTimestamp receive = 0;
    NtpTimestamp transmit = 0;
};
// Reads the header fields; bytes beyond `length` count as zero.
NtpReply ParseReply(const uint8_t* data, size_t length);

enum class ReplyCheck {
    Ok,
    TooShort,
    BadVersion,
    NotServerMode,
    Unsynchronised,
    KissOfDeath,
    StratumTooHigh,
    ZeroReceive,
    ZeroTransmit,
    OriginateMismatch,
};
// The client checks of SNTP: a reply failing any of them must not move the clock.
ReplyCheck CheckReply(const NtpReply& reply, NtpTimestamp sentTransmit);
// A short English reason for the log; empty for Ok.
const char* DescribeReplyCheck(ReplyCheck check);

// Fills the result's fields from a reply and our arrival time, with delay and offset.
void FillResult(const NtpReply& reply, NtpTimestamp destination, NtpResult* result);

}  // namespace tembra::nettime

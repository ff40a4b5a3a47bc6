#include "nettime/core/NtpPacket.h"

#include <algorithm>

namespace tembra::nettime {
namespace {

void PutWord(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

uint32_t GetWord(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

NtpTimestamp GetTimestamp(const uint8_t* p) {
    return (static_cast<uint64_t>(GetWord(p)) << 32) | GetWord(p + 4);
}

}  // namespace

NtpRequest BuildRequest(NtpTimestamp transmit) {
    NtpRequest packet{};
    packet[ntp_field::kFlags] = static_cast<uint8_t>((0 << 6) | (kNtpVersion << 3) | kModeClient);
    PutWord(&packet[ntp_field::kTransmit], static_cast<uint32_t>(transmit >> 32));
    PutWord(&packet[ntp_field::kTransmit + 4], static_cast<uint32_t>(transmit));
    return packet;
}

NtpReply ParseReply(const uint8_t* data, size_t length) {
    uint8_t buffer[kNtpReplyBufferSize] = {};
    size_t n = data ? std::min(length, sizeof buffer) : 0;
    std::copy(data, data + n, buffer);
    NtpReply reply;
    reply.length = length;
    reply.leapIndicator = buffer[ntp_field::kFlags] >> 6;
    reply.version = (buffer[ntp_field::kFlags] >> 3) & 7;
    reply.mode = buffer[ntp_field::kFlags] & 7;
    reply.stratum = buffer[ntp_field::kStratum];
    reply.originate = GetTimestamp(buffer + ntp_field::kOriginate);
    reply.receive = GetTimestamp(buffer + ntp_field::kReceive);
    reply.transmit = GetTimestamp(buffer + ntp_field::kTransmit);
    return reply;
}

ReplyCheck CheckReply(const NtpReply& reply, NtpTimestamp sentTransmit) {
    if (reply.length < kNtpHeaderSize) return ReplyCheck::TooShort;
    if (reply.version < kMinReplyVersion || reply.version > kMaxReplyVersion)
        return ReplyCheck::BadVersion;
    if (reply.mode != kModeServer) return ReplyCheck::NotServerMode;
    if (reply.leapIndicator == kLeapUnsynchronised) return ReplyCheck::Unsynchronised;
    if (reply.stratum == 0) return ReplyCheck::KissOfDeath;
    if (reply.stratum > kMaxStratum) return ReplyCheck::StratumTooHigh;
    if (reply.receive == 0) return ReplyCheck::ZeroReceive;
    if (reply.transmit == 0) return ReplyCheck::ZeroTransmit;
    if (reply.originate != sentTransmit) return ReplyCheck::OriginateMismatch;
    return ReplyCheck::Ok;
}

const char* DescribeReplyCheck(ReplyCheck check) {
    switch (check) {
    case ReplyCheck::Ok: return "";
    case ReplyCheck::TooShort: return "reply shorter than 48 bytes";
    case ReplyCheck::BadVersion: return "reply version is not 1 to 4";
    case ReplyCheck::NotServerMode: return "reply is not in server mode";
    case ReplyCheck::Unsynchronised: return "server clock is not synchronised";
    case ReplyCheck::KissOfDeath: return "server sent a kiss-o'-death (stratum 0)";
    case ReplyCheck::StratumTooHigh: return "server stratum is above 15";
    case ReplyCheck::ZeroReceive: return "reply has no receive time";
    case ReplyCheck::ZeroTransmit: return "reply has no transmit time";
    case ReplyCheck::OriginateMismatch: return "reply does not answer our request";
    }
    return "";
}

void FillResult(const NtpReply& reply, NtpTimestamp destination, NtpResult* result) {
    result->leapIndicator = reply.leapIndicator;
    result->stratum = reply.stratum;
    result->originate = reply.originate;
    result->receive = reply.receive;
    result->transmit = reply.transmit;
    result->destination = destination;
    const NtpTimestamp t1 = reply.originate, t2 = reply.receive, t3 = reply.transmit,
                       t4 = destination;
    result->delay = NtpDiffSeconds(t4, t1) - NtpDiffSeconds(t3, t2);
    result->offset = (NtpDiffSeconds(t2, t1) + NtpDiffSeconds(t3, t4)) * 0.5;
}

}  // namespace tembra::nettime

#include <gtest/gtest.h>

#include <vector>

#include "nettime/core/NtpPacket.h"

namespace tembra::nettime {
namespace {

constexpr uint64_t kOne = uint64_t{1} << 32;

TEST(BuildRequest, ByteForByte) {
    NtpRequest r = BuildRequest(0x0102030405060708ull);
    std::vector<uint8_t> expected(48, 0);
    expected[0] = 0x1B;
    const uint8_t stamp[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    for (int i = 0; i < 8; ++i) expected[40 + i] = stamp[i];
    EXPECT_EQ(std::vector<uint8_t>(r.begin(), r.end()), expected);
}

// A well-formed server reply answering `sent`.
std::vector<uint8_t> Reply(NtpTimestamp sent, NtpTimestamp receive, NtpTimestamp transmit) {
    std::vector<uint8_t> p(48, 0);
    p[0] = (0 << 6) | (3 << 3) | 4;
    p[1] = 2;
    auto put = [&p](size_t at, NtpTimestamp v) {
        for (int i = 0; i < 8; ++i) p[at + i] = static_cast<uint8_t>(v >> (56 - 8 * i));
    };
    put(24, sent);
    put(32, receive);
    put(40, transmit);
    return p;
}

TEST(ParseReply, ReadsFieldsBigEndian) {
    auto p = Reply(0x1122334455667788ull, 7 * kOne + 1, 8 * kOne + 2);
    p[0] = 0xE4;  // leap 3, version 4, mode 4
    p[1] = 200;
    NtpReply r = ParseReply(p.data(), p.size());
    EXPECT_EQ(r.length, 48u);
    EXPECT_EQ(r.leapIndicator, 3);
    EXPECT_EQ(r.version, 4);
    EXPECT_EQ(r.mode, 4);
    EXPECT_EQ(r.stratum, 200);
    EXPECT_EQ(r.originate, 0x1122334455667788ull);
    EXPECT_EQ(r.receive, 7 * kOne + 1);
    EXPECT_EQ(r.transmit, 8 * kOne + 2);
}

TEST(ParseReply, ShortOrOversizedInputIsSafe) {
    auto p = Reply(1, 2, 3);
    NtpReply r = ParseReply(p.data(), 30);
    EXPECT_EQ(r.length, 30u);
    EXPECT_EQ(r.originate, 0u);  // byte 31, the only non-zero one, was not received
    EXPECT_EQ(r.transmit, 0u);
    std::vector<uint8_t> big(4000, 0xFF);
    r = ParseReply(big.data(), big.size());
    EXPECT_EQ(r.transmit, ~uint64_t{0});
    r = ParseReply(nullptr, 0);
    EXPECT_EQ(r.length, 0u);
}

TEST(CheckReply, AcceptsAGoodReplyAndRefusesEachFault) {
    const NtpTimestamp sent = 3900000000ull * kOne + 123;
    auto good = Reply(sent, sent + kOne, sent + kOne);
    EXPECT_EQ(CheckReply(ParseReply(good.data(), good.size()), sent), ReplyCheck::Ok);

    auto check = [&](std::vector<uint8_t> p, size_t len) {
        return CheckReply(ParseReply(p.data(), len), sent);
    };
    EXPECT_EQ(check(good, 47), ReplyCheck::TooShort);
    auto p = good;
    p[0] = (3 << 3) | 3;  // client mode echoed back
    EXPECT_EQ(check(p, 48), ReplyCheck::NotServerMode);
    p = good;
    p[0] = (3 << 6) | (3 << 3) | 4;
    EXPECT_EQ(check(p, 48), ReplyCheck::Unsynchronised);
    p = good;
    p[1] = 0;
    EXPECT_EQ(check(p, 48), ReplyCheck::KissOfDeath);
    p = good;
    p[1] = 16;
    EXPECT_EQ(check(p, 48), ReplyCheck::StratumTooHigh);
    p[1] = 15;
    EXPECT_EQ(check(p, 48), ReplyCheck::Ok);
    for (int version : {0, 5, 7}) {
        p = good;
        p[0] = static_cast<uint8_t>((version << 3) | 4);
        EXPECT_EQ(check(p, 48), ReplyCheck::BadVersion) << version;
    }
    for (int version : {1, 4}) {
        p[0] = static_cast<uint8_t>((version << 3) | 4);
        EXPECT_EQ(check(p, 48), ReplyCheck::Ok) << version;
    }
    p = Reply(sent, 0, sent);
    EXPECT_EQ(check(p, 48), ReplyCheck::ZeroReceive);
    p = Reply(sent, sent, 0);
    EXPECT_EQ(check(p, 48), ReplyCheck::ZeroTransmit);
    p = Reply(sent + 1, sent, sent);
    EXPECT_EQ(check(p, 48), ReplyCheck::OriginateMismatch);
    // The optional key identifier and digest are accepted.
    p = good;
    p.resize(68, 0xAA);
    EXPECT_EQ(check(p, 68), ReplyCheck::Ok);
    for (ReplyCheck c : {ReplyCheck::TooShort, ReplyCheck::BadVersion, ReplyCheck::NotServerMode,
                         ReplyCheck::Unsynchronised, ReplyCheck::KissOfDeath,
                         ReplyCheck::StratumTooHigh, ReplyCheck::ZeroReceive,
                         ReplyCheck::ZeroTransmit, ReplyCheck::OriginateMismatch})
        EXPECT_STRNE(DescribeReplyCheck(c), "");
}

NtpResult Exchange(uint64_t t1, uint64_t t2, uint64_t t3, uint64_t t4) {
    auto p = Reply(t1 * kOne, t2 * kOne, t3 * kOne);
    NtpResult result;
    FillResult(ParseReply(p.data(), p.size()), t4 * kOne, &result);
    return result;
}

TEST(FillResult, DelayAndOffset) {
    NtpResult r = Exchange(0, 10, 10, 2);
    EXPECT_EQ(r.delay, 2.0);
    EXPECT_EQ(r.offset, 9.0);
    r = Exchange(0, 10, 11, 2);
    EXPECT_EQ(r.delay, 1.0);
    EXPECT_EQ(r.offset, 9.5);
    EXPECT_EQ(r.originate, 0u);
    EXPECT_EQ(r.receive, 10 * kOne);
    EXPECT_EQ(r.transmit, 11 * kOne);
    EXPECT_EQ(r.destination, 2 * kOne);
    EXPECT_EQ(r.stratum, 2);
}

TEST(FillResult, ServerAfterRolloverClientBefore) {
    // Client just before 2036-02-07 06:28:16, server 3 s later in the next era.
    const uint64_t t1 = 0xFFFFFFFFull * kOne;
    auto p = Reply(t1, 2 * kOne, 2 * kOne);
    NtpResult r;
    FillResult(ParseReply(p.data(), p.size()), t1 + kOne / 2, &r);
    EXPECT_NEAR(r.offset, 2.75, 1e-9);
    EXPECT_NEAR(r.delay, 0.5, 1e-9);
}

}  // namespace
}  // namespace tembra::nettime

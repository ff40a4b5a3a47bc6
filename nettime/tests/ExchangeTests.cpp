// One exchange against a test server on loopback: good replies, slow replies, every kind of
// broken reply, and no reply at all.
#include <gtest/gtest.h>

#include "nettime/tests/FakeNtpServer.h"
#include "nettime/win/SntpClient.h"
#include "nettime/win/UdpSocket.h"

namespace tembra::nettime::test {
namespace {

class ExchangeTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(winsock_.started()); }

    // Starts a server and runs one exchange against it.
    bool Query(FakeServerConfig config, NtpResult* result, QueryFailure* failure = nullptr) {
        FakeNtpServer server;
        if (!server.Start(config)) {
            ADD_FAILURE() << "fake server did not start";
            return false;
        }
        CSntpClient client;
        return client.QueryServer(config.address.c_str(), *result, server.port(), failure);
    }

    WinsockSession winsock_{MAKEWORD(1, 1)};
};

TEST_F(ExchangeTest, GoodReplyGivesOffsetAndDelay) {
    FakeServerConfig config;
    config.offsetSeconds = 1234.567;
    NtpResult r;
    ASSERT_TRUE(Query(config, &r));
    EXPECT_NEAR(r.offset, 1234.567, 0.05);
    EXPECT_GE(r.delay, -0.001);
    EXPECT_LT(r.delay, 0.5);
    EXPECT_EQ(r.stratum, 2);
    EXPECT_NE(r.destination, 0u);
    EXPECT_GE(r.destination, r.originate);

    config.offsetSeconds = -7205.9;
    ASSERT_TRUE(Query(config, &r));
    EXPECT_NEAR(r.offset, -7205.9, 0.05);
}

TEST_F(ExchangeTest, SlowReplyWithinTheWaitIsTaken) {
    FakeServerConfig config;
    config.delayMs = 400;
    NtpResult r;
    ASSERT_TRUE(Query(config, &r));
    EXPECT_GE(r.delay, 0.35);
    EXPECT_NEAR(r.offset, 0.2, 0.1);  // all of the delay on the way out
}

TEST_F(ExchangeTest, EveryBrokenReplyFailsWithItsReason) {
    const std::pair<FakeReply, ReplyCheck> cases[] = {
        {FakeReply::Short, ReplyCheck::TooShort},
        {FakeReply::ClientMode, ReplyCheck::NotServerMode},
        {FakeReply::Unsynchronised, ReplyCheck::Unsynchronised},
        {FakeReply::KissOfDeath, ReplyCheck::KissOfDeath},
        {FakeReply::Stratum16, ReplyCheck::StratumTooHigh},
        {FakeReply::ZeroTransmit, ReplyCheck::ZeroTransmit},
        {FakeReply::WrongOriginate, ReplyCheck::OriginateMismatch},
    };
    for (const auto& [reply, check] : cases) {
        FakeServerConfig config;
        config.reply = reply;
        config.offsetSeconds = 3000;  // a forged time that must not get through
        NtpResult r;
        QueryFailure failure;
        EXPECT_FALSE(Query(config, &r, &failure)) << static_cast<int>(reply);
        EXPECT_EQ(failure.check, check) << static_cast<int>(reply);
    }
}

TEST_F(ExchangeTest, UnreachablePortFails) {
    // Nothing listens there: a refusal ends the wait (or, where the platform does not report
    // it, the 5-second wait does).
    FakeNtpServer probe;
    FakeServerConfig config;
    ASSERT_TRUE(probe.Start(config));
    const uint16_t port = probe.port();
    probe.Stop();
    CSntpClient client;
    NtpResult r;
    QueryFailure failure;
    const DWORD start = GetTickCount();
    EXPECT_FALSE(client.QueryServer("127.0.0.1", r, port, &failure));
    EXPECT_LT(GetTickCount() - start, 8000u);
    EXPECT_EQ(failure.check, ReplyCheck::Ok);
}

TEST_F(ExchangeTest, NoReplyFailsAfterFiveSecondsAndALateOneIsNotRead) {
    FakeServerConfig config;
    config.reply = FakeReply::Silent;
    NtpResult r;
    DWORD start = GetTickCount();
    EXPECT_FALSE(Query(config, &r));
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 4900u);
    EXPECT_LT(elapsed, 8000u);

    config.reply = FakeReply::Good;
    config.delayMs = 5600;
    start = GetTickCount();
    EXPECT_FALSE(Query(config, &r));
    EXPECT_LT(GetTickCount() - start, 8000u);
}

TEST(Resolve, DottedAddressAndLocalName) {
    WinsockSession winsock(MAKEWORD(1, 1));
    in_addr a{};
    ASSERT_TRUE(ResolveIPv4("127.0.0.42", &a));
    EXPECT_EQ(a.s_addr, inet_addr("127.0.0.42"));
    ASSERT_TRUE(ResolveIPv4("localhost", &a));
    EXPECT_EQ(a.s_addr & 0xFF, 127u);
}

TEST(UdpSocket, CloseTwiceIsHarmless) {
    WinsockSession winsock(MAKEWORD(1, 1));
    CUdpSocket s;
    EXPECT_FALSE(s.valid());
    ASSERT_TRUE(s.Create());
    EXPECT_TRUE(s.valid());
    s.Close();
    s.Close();
    EXPECT_FALSE(s.valid());
    bool ready = true;
    EXPECT_FALSE(s.WaitReadable(10, &ready));
    EXPECT_FALSE(ready);
}

}  // namespace
}  // namespace tembra::nettime::test

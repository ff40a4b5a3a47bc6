#include <gtest/gtest.h>

#include "nettime/core/Report.h"
#include "nettime/tests/CalendarTimeOf.h"

namespace tembra::nettime {
namespace {

constexpr uint64_t kOne = uint64_t{1} << 32;

TEST(ReportTexts, FixedLines) {
    EXPECT_STREQ(log_text::kColumnHeader, "                            DD/MM/YYYY  HH:MM:SS.MS");
    EXPECT_EQ(std::string(log_text::kColumnHeader).find("DD"), 28u);
    EXPECT_EQ(ConnectingLine("127.0.0.1"), "Connecting to '127.0.0.1' ...");
    EXPECT_EQ(ServerFailedLine("a.b"), "Failed to retreive time from NTP server a.b\r\n");
}

TEST(ReportTexts, SummaryGivesTheOffsetWithItsMilliseconds) {
    EXPECT_EQ(SummaryText(-1699600),
              "\r\n\r\n=================================\r\nLocal clock offset was -1699.600 seconds\r\n");
    const struct { int32_t ms; const char* shown; } cases[] = {
        {0, "0.000"},   {1, "0.001"},         {-5, "-0.005"},          {-999, "-0.999"},
        {1000, "1.000"}, {-4734, "-4.734"},    {1799999, "1799.999"}, {-1800000, "-1800.000"},
        {INT32_MIN, "-2147483.648"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SummaryText(c.ms), std::string("\r\n\r\n=================================\r\n"
                                                 "Local clock offset was ") + c.shown + " seconds\r\n");
}

TEST(ReportTexts, ExchangeReportColumnsAndFigures) {
    NtpResult r;
    r.originate = NtpFromSystemTime(Utc(2024, 3, 5, 7, 8, 9, 10));
    r.receive = NtpFromSystemTime(Utc(2024, 3, 5, 7, 28, 44, 567));
    r.transmit = r.receive + (kOne / 1000) * 2;
    r.destination = 5 * kOne + 4294967295u;  // fraction that prints as 1000 ms
    r.delay = 0.25;
    r.offset = -1234.5;
    std::string text = ExchangeReport(r, 0);
    EXPECT_EQ(text,
              "\r\nClient Originate Date was   05/03/2024, 07:08:09.010"
              "\r\nServer Receive Date was     05/03/2024, 07:28:44.567"
              "\r\nServer Transmit Date was    05/03/2024, 07:28:44.569"
              "\r\nClient Destination Date was 01/01/1900, 00:00:05.1000"
              "\r\nRound trip delay was 0.250000 seconds"
              "\r\nLocal clock offset was -1234.500000 seconds");
    // Every date starts in column 29, under the header's "DD".
    size_t line = text.find("Server Receive");
    EXPECT_EQ(text.substr(line + 28, 2), "05");
}

TEST(ReportTexts, DatesAfterEraRolloverPrintTheirRealYear) {
    NtpResult r;
    r.originate = r.receive = r.transmit = r.destination =
        NtpFromSystemTime(Utc(2037, 1, 2, 3, 4, 5, 6));
    int64_t now = SecondsSince1900(Utc(2037, 1, 2, 3, 4, 0, 0));
    std::string text = ExchangeReport(r, now);
    EXPECT_NE(text.find("Client Originate Date was   02/01/2037, 03:04:05.006"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("1901"), std::string::npos);
}

TEST(ReportTexts, HugeFiguresFit) {
    NtpResult r;
    r.offset = 1.7e308;
    r.delay = -1.7e308;
    std::string text = ExchangeReport(r, 0);
    EXPECT_NE(text.find(" seconds\r\nLocal clock offset was 1"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 8), " seconds");
}

TEST(ReportTexts, ClockSetFailureSaysWhy) {
    EXPECT_EQ(ClockSetFailedLine(1314), "Administrator rights are needed to set the clock");
    EXPECT_TRUE(NeedsAdministrator(1314));
    EXPECT_EQ(ClockSetFailedLine(5), "Failed to set the clock (error 5)");
    EXPECT_FALSE(NeedsAdministrator(5));  // access denied is not the missing privilege
}

}  // namespace
}  // namespace tembra::nettime

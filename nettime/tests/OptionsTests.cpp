#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "nettime/core/Options.h"
#include "nettime/core/ServerList.h"
#include "nettime/core/SyncMath.h"

namespace tembra::nettime {
namespace {

ChronetOptions FromCommandLine(const char* line, ChronetOptions start = {}) {
    ApplyCommandLine(line, &start);
    return start;
}

TEST(CommandLine, LettersAndNumber) {
    ChronetOptions trayOn;
    trayOn.trayMode = true;
    ChronetOptions o = FromCommandLine("A 2", trayOn);
    EXPECT_TRUE(o.autoAdjustTime);
    EXPECT_EQ(o.serversNum, 2);
    EXPECT_TRUE(o.trayMode);  // the caller starts from the built-in defaults, not the registry

    o = FromCommandLine("12");
    EXPECT_EQ(o.serversNum, 12);
    EXPECT_FALSE(o.autoAdjustTime);
    EXPECT_FALSE(o.trayMode);

    EXPECT_EQ(FromCommandLine("0").serversNum, 3);
    EXPECT_EQ(FromCommandLine("x05y").serversNum, 5);
    EXPECT_EQ(FromCommandLine("7 9").serversNum, 7);
    EXPECT_EQ(FromCommandLine("0 7").serversNum, 7);  // a number starts at 1 to 9

    ChronetOptions on;
    on.trayMode = on.autoAdjustTime = true;
    o = FromCommandLine("t", on);
    EXPECT_FALSE(o.trayMode);
    EXPECT_TRUE(o.autoAdjustTime);
    o = FromCommandLine("/Tray", on);
    EXPECT_TRUE(o.trayMode);
    EXPECT_FALSE(o.autoAdjustTime);  // the lower-case a of "Tray"
    o = FromCommandLine("aA tT");
    EXPECT_TRUE(o.autoAdjustTime);
    EXPECT_TRUE(o.trayMode);
}

TEST(CommandLine, HostileTextIsHarmless) {
    EXPECT_EQ(FromCommandLine("99999999999999999999999999999").serversNum, 1000000);
    EXPECT_EQ(FromCommandLine("").serversNum, 3);
    ChronetOptions o;
    ApplyCommandLine(nullptr, &o);
    EXPECT_EQ(o.serversNum, 3);
    std::string junk(100000, '\xFF');
    junk[500] = '4';
    EXPECT_EQ(FromCommandLine(junk.c_str()).serversNum, 4);
}

TEST(StoredOptions, NonZeroMeansOnAndMissingKeepsDefault) {
    ChronetOptions o;
    ApplyStoredOptions({}, &o);
    EXPECT_FALSE(o.trayMode);
    EXPECT_FALSE(o.autoAdjustTime);
    EXPECT_EQ(o.serversNum, 3);
    StoredOptions s;
    s.trayMode = 7;
    s.autoAdjustTime = 1;
    s.serversNum = 0;
    ApplyStoredOptions(s, &o);
    EXPECT_TRUE(o.trayMode);
    EXPECT_TRUE(o.autoAdjustTime);
    EXPECT_EQ(o.serversNum, 3);
    s.serversNum = 0xFFFFFFFFu;
    ApplyStoredOptions(s, &o);
    EXPECT_EQ(o.serversNum, -1);
}

TEST(ServersNumBounds, SlotsStayWithinWhatARunCanFill) {
    EXPECT_EQ(ResultSlots(-1), 0);
    EXPECT_EQ(ResultSlots(INT32_MIN), 0);
    EXPECT_EQ(ResultSlots(0), 0);
    EXPECT_EQ(ResultSlots(3), 3);
    EXPECT_EQ(ResultSlots(20), 20);
    EXPECT_EQ(ResultSlots(21), 20);
    EXPECT_EQ(ResultSlots(INT32_MAX), 20);
    ChronetOptions o;
    o.autoAdjustTime = true;
    o.serversNum = 21;
    EXPECT_FALSE(ShouldSetClock(o, 20));
    o.serversNum = 5;
    EXPECT_FALSE(ShouldSetClock(o, 4));
    EXPECT_TRUE(ShouldSetClock(o, 5));
    o.serversNum = -1;
    EXPECT_FALSE(ShouldSetClock(o, 0));
    o.autoAdjustTime = false;
    o.serversNum = 1;
    EXPECT_FALSE(ShouldSetClock(o, 1));
}

TEST(ServerLines, CommentsAndEntries) {
    EXPECT_EQ(ParseServerLines("# comment\r\n\r\n  indented.example\r\nntp.example\r\n"),
              std::vector<std::string>{"ntp.example"});
    EXPECT_EQ(ParseServerLines("host.example   ; the main one\n"),
              std::vector<std::string>{"host.example   ; the main one"});
    EXPECT_EQ(ParseServerLines("a\nb\rc\n;x\n\t9\n0.pool\n9.pool\nz\nZ"),
              (std::vector<std::string>{"a", "b\rc", "0.pool", "9.pool", "z", "Z"}));
    EXPECT_TRUE(ParseServerLines("").empty());
    EXPECT_TRUE(ParseServerLines(std::string("\0abc\n\xE4\xB8\xAD\n", 9)).empty());
    std::string many;
    for (int i = 0; i < 25; ++i) many += "s" + std::to_string(i) + "\n";
    EXPECT_EQ(ParseServerLines(many).size(), 25u);
}

TEST(ServerLines, BuiltInListHasTwentyUsableNames) {
    ASSERT_EQ(BuiltInServers().size(), 20u);
    for (const auto& s : BuiltInServers()) EXPECT_TRUE(IsServerLine(s)) << s;
}

int32_t Combine(const std::vector<double>& offsets) {
    std::vector<NtpResult> results;
    for (double o : offsets) {
        NtpResult r;
        r.offset = o;
        results.push_back(r);
    }
    return CombineOffsets(results.data(), static_cast<int>(results.size()));
}

TEST(CombineOffsets, FoldIntoHalfHourAtItsEdges) {
    const struct { double seconds, folded; } cases[] = {
        {1800, -1800},   {-1800, -1800},     {1799.999, 1799.999}, {-1799.999, -1799.999},
        {3600, 0},       {-3600, 0},         {5400, -1800},        {3595, -5},
        {-7205.5, -5.5}, {1900.25, -1699.75}, {-1900.25, 1699.75},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(FoldIntoHalfHour(c.seconds), c.folded, 1e-9) << c.seconds;
}

TEST(CombineOffsets, FoldedThenMeanOrMedianToTheMillisecond) {
    const struct {
        std::vector<double> offsets;
        int32_t ms;
    } cases[] = {
        {{3595, -5}, -5000},  // both servers find the clock 5 s fast, whole hours aside
        {{3599.7, 0.2}, -50},
        {{0.734}, 734},
        {{-7205.9}, -5900},
        {{1900.4}, -1699600},
        {{1799.9994}, 1799999},
        {{1799.9996}, -1800000},  // rounds to the half hour, which folds
        {{0.1, 10.1}, 5100},      // two: the mean
        {{0.1, 10.1, 0.3}, 300},  // three: the median, the wrong server left out
        {{0.1, 0.3, 100, 0.2}, 250},
        {{1234.567, 1234.4, 1234.9}, 1234567},
        // Half an hour off: answers on both sides of the fold still agree.
        {{1799.5, -1799.5}, -1800000},
        {{1799, 0, -1799}, 1799000},
        {{1e300, 5}, -717500},  // 1e300 lies 2160 s into its hour: -1440 s
        {{2147483648.0 + 3600 * 10 + 7}, 855000},
        {{std::numeric_limits<double>::infinity(), 10}, 10000},
        {{std::nan("")}, 0},
        {{}, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Combine(c.offsets), c.ms) << testing::PrintToString(c.offsets);
    EXPECT_EQ(CombineOffsets(nullptr, 3), 0);
}

TEST(ElevatedRun, RepeatsTheRunSoThatItSetsTheClock) {
    for (int32_t servers : {1, 3, 12, 20}) {
        ChronetOptions run;
        run.trayMode = true;
        run.serversNum = servers;  // as the registry may hold it
        const std::string line = RepeatToSetClockCommandLine(run);
        const ChronetOptions repeat = FromCommandLine(line.c_str());
        EXPECT_TRUE(repeat.autoAdjustTime) << line;
        EXPECT_EQ(repeat.serversNum, servers) << line;
        EXPECT_FALSE(repeat.trayMode) << line;  // the user asked: the window shows
        EXPECT_TRUE(ShouldSetClock(repeat, servers)) << line;
    }
}

}  // namespace
}  // namespace tembra::nettime

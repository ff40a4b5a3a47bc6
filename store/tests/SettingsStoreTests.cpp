// The auto-start entry and the internet time options against a private registry.
#include <gtest/gtest.h>

#include "framework/ModulePath.h"
#include "framework/testing/TestSupport.h"
#include "store/AutoStart.h"
#include "store/ClockOptions.h"
#include "store/InternetTimeStore.h"

using namespace tembra;
using namespace tembra::test;

namespace {
const std::string kRun = reg::kRunKey;
const std::string kInet = inet::kKey;
const std::string kClock = "C:\\Tembra\\TembraClock.exe";

std::string RunValue() {
    std::string value;
    return RegReadString(kRun, "zmrClock", &value) ? value : "<none>";
}
}  // namespace

TEST(AutoStart, TickingCreatesTheRunKeyAndKeepsAValueThatDiffersOnlyInCase) {
    ScopedRegistrySandbox sandbox;
    ApplyAutoStart(false, kClock);  // removing never creates the key
    EXPECT_FALSE(RegKeyExists(kRun));
    ApplyAutoStart(true, kClock);
    EXPECT_EQ(RunValue(), kClock);
    EXPECT_TRUE(AutoStartIsSet("c:\\tembra\\tembraclock.exe"));

    RegWriteString(kRun, "zmrClock", "C:\\TEMBRA\\TEMBRACLOCK.EXE");
    ApplyAutoStart(true, kClock);
    EXPECT_EQ(RunValue(), "C:\\TEMBRA\\TEMBRACLOCK.EXE");
    RegWriteString(kRun, "zmrClock", "D:\\Elsewhere\\TembraClock.exe");
    EXPECT_FALSE(AutoStartIsSet(kClock));
    ApplyAutoStart(true, kClock);
    EXPECT_EQ(RunValue(), kClock);
}

TEST(AutoStart, UntickingRemovesAnyValueAndNoPathChangesNothing) {
    ScopedRegistrySandbox sandbox;
    RegWriteString(kRun, "zmrClock", "D:\\Elsewhere\\Other.exe");
    ApplyAutoStart(true, "");  // the program's own path could not be had
    EXPECT_EQ(RunValue(), "D:\\Elsewhere\\Other.exe");
    EXPECT_FALSE(AutoStartIsSet(""));
    ApplyAutoStart(false, "");
    EXPECT_EQ(RunValue(), "D:\\Elsewhere\\Other.exe");
    ApplyAutoStart(false, kClock);
    EXPECT_EQ(RunValue(), "<none>");
}

static std::string NoProgramPath() { return std::string(); }

TEST(AutoStart, TheClockIsLookedForBesideThisProgramAndNotWithoutItsPath) {
    EXPECT_EQ(ClockPathBesideThisProgram(), DirectoryOf(ProgramPath()) + "\\TembraClock.exe");
    ProgramPathSource previous = SetProgramPathSource(NoProgramPath);
    const std::string withoutPath = ClockPathBesideThisProgram();  // not "\\TembraClock.exe"
    SetProgramPathSource(previous);
    EXPECT_EQ(withoutPath, "");
}

TEST(InternetTimeStore, OnlyTheSettingsPageCreatesTheKey) {
    ScopedRegistrySandbox sandbox;
    InternetTimeValues values;
    values.serversNum = 9u;
    EXPECT_FALSE(LoadInternetTimeValues(&values, false));
    EXPECT_FALSE(RegKeyExists(kInet));
    EXPECT_EQ(values.serversNum, 9u);  // unchanged when the key is missing
    EXPECT_TRUE(LoadInternetTimeValues(&values, true));
    EXPECT_TRUE(RegKeyExists(kInet));
    EXPECT_FALSE(values.trayMode || values.autoAdjustTime || values.serversNum);
}

TEST(InternetTimeStore, ValuesAsStoredAndAsWritten) {
    ScopedRegistrySandbox sandbox;
    RegWriteDword(kInet, "TrayMode", 5);
    const unsigned char two[2] = {7, 0};
    RegWriteBinary(kInet, "ServersNum", two, 2);
    InternetTimeValues values;
    ASSERT_TRUE(LoadInternetTimeValues(&values, false));
    EXPECT_EQ(values.trayMode, 5u);
    EXPECT_EQ(values.serversNum, 7u);
    EXPECT_FALSE(values.autoAdjustTime);

    ASSERT_TRUE(SaveInternetTimeValues(true, false, 12));
    DWORD tray = 0, adjust = 9, servers = 0;
    EXPECT_TRUE(RegReadDword(kInet, "TrayMode", &tray) && tray == 1);
    EXPECT_TRUE(RegReadDword(kInet, "AutoAdjustTime", &adjust) && adjust == 0);
    EXPECT_TRUE(RegReadDword(kInet, "ServersNum", &servers) && servers == 12);
}

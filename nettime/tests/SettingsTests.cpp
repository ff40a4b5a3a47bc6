// Options from the registry and the command line, and the server list file.
#include <gtest/gtest.h>

#include <cstdio>

#include "framework/testing/TestSupport.h"
#include "nettime/core/ServerList.h"
#include "nettime/win/Settings.h"

namespace tembra::nettime::test {
namespace {

using tembra::test::RegWriteBinary;
using tembra::test::RegWriteDword;
using tembra::test::RegWriteString;
using tembra::test::ScopedRegistrySandbox;

// The settings program spells the key with a lower-case w; both name the same key.
constexpr char kWrittenKey[] = "Software\\Tembra\\InternetTime";

TEST(ReadOptions, MissingKeyGivesDefaults) {
    ScopedRegistrySandbox sandbox;
    ChronetOptions o = ReadOptions("");
    EXPECT_FALSE(o.trayMode);
    EXPECT_FALSE(o.autoAdjustTime);
    EXPECT_EQ(o.serversNum, 3);
}

TEST(ReadOptions, StoredValuesAndTheirRules) {
    ScopedRegistrySandbox sandbox;
    RegWriteDword(kWrittenKey, "TrayMode", 1);
    RegWriteDword(kWrittenKey, "AutoAdjustTime", 5);
    RegWriteDword(kWrittenKey, "ServersNum", 7);
    ChronetOptions o = ReadOptions(nullptr);
    EXPECT_TRUE(o.trayMode);
    EXPECT_TRUE(o.autoAdjustTime);
    EXPECT_EQ(o.serversNum, 7);

    RegWriteDword(kWrittenKey, "ServersNum", 0);
    EXPECT_EQ(ReadOptions("").serversNum, 3);
    RegWriteDword(kWrittenKey, "ServersNum", 0xFFFFFFFFu);
    EXPECT_EQ(ReadOptions("").serversNum, -1);
    // Read as four bytes whatever the type.
    const uint32_t four = 4;
    RegWriteBinary(kWrittenKey, "ServersNum", &four, sizeof four);
    EXPECT_EQ(ReadOptions("").serversNum, 4);
    RegWriteString(kWrittenKey, "ServersNum", "this is far too long");
    EXPECT_EQ(ReadOptions("").serversNum, 3);
}

TEST(ReadOptions, ACommandLineKeepsTheRegistryUnread) {
    ScopedRegistrySandbox sandbox;
    RegWriteDword(kWrittenKey, "TrayMode", 1);
    RegWriteDword(kWrittenKey, "AutoAdjustTime", 1);
    RegWriteDword(kWrittenKey, "ServersNum", 9);
    ChronetOptions o = ReadOptions("t");
    EXPECT_FALSE(o.trayMode);
    EXPECT_FALSE(o.autoAdjustTime);
    EXPECT_EQ(o.serversNum, 3);
    o = ReadOptions("A 2");
    EXPECT_TRUE(o.autoAdjustTime);
    EXPECT_FALSE(o.trayMode);
    EXPECT_EQ(o.serversNum, 2);
    EXPECT_EQ(ReadOptions("0").serversNum, 3);
}

class ServerListFile : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        dir_ = std::string(temp) + "chronet-list-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(dir_.c_str(), nullptr);
    }
    void TearDown() override {
        DeleteFileA((dir_ + "\\servers.lst").c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    void Write(const std::string& content) {
        FILE* f = fopen((dir_ + "\\servers.lst").c_str(), "wb");
        ASSERT_TRUE(f);
        fwrite(content.data(), 1, content.size(), f);
        fclose(f);
    }
    std::string dir_;
};

TEST_F(ServerListFile, LinesAndComments) {
    Write("# my servers\r\n\r\n  indented.example\r\nntp.example\r\n");
    EXPECT_EQ(LoadServerList(dir_), std::vector<std::string>{"ntp.example"});
    Write("ntp.example    # the main one\n");
    EXPECT_EQ(LoadServerList(dir_), std::vector<std::string>{"ntp.example    # the main one"});
}

TEST_F(ServerListFile, MissingOrUselessFileGivesTheBuiltInList) {
    EXPECT_EQ(LoadServerList(dir_), BuiltInServers());
    Write("; nothing\r\n\t#\r\n");
    EXPECT_EQ(LoadServerList(dir_), BuiltInServers());
    Write(std::string(200000, '#'));
    EXPECT_EQ(LoadServerList(dir_), BuiltInServers());
}

TEST_F(ServerListFile, NoLimitOnLines) {
    std::string content;
    for (int i = 0; i < 500; ++i) content += "host" + std::to_string(i) + "\r\n";
    Write(content);
    auto list = LoadServerList(dir_);
    ASSERT_EQ(list.size(), 500u);
    EXPECT_EQ(list[499], "host499");
}

}  // namespace
}  // namespace tembra::nettime::test

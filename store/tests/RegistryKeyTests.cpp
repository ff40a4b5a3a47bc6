#include <gtest/gtest.h>

#include "framework/testing/TestSupport.h"
#include "store/RegistryKey.h"

using namespace tembra;
using namespace tembra::test;

namespace {
const char* kPath = "Software\\Tembra\\Test";

class RegistryKeyTest : public ::testing::Test {
protected:
    ScopedRegistrySandbox sandbox;
    RegistryKey key;
    void SetUp() override { ASSERT_TRUE(key.Open(kPath, true)); }
};
}  // namespace

TEST_F(RegistryKeyTest, NumbersFallBackWhenMissingOrTooLong) {
    EXPECT_EQ(key.ReadNumber("Missing", 42), 42u);
    unsigned char eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    RegWriteBinary(kPath, "Long", eight, 8);
    EXPECT_EQ(key.ReadNumber("Long", 42), 42u);
}

TEST_F(RegistryKeyTest, ShortValuesOfAnyTypeAreZeroExtended) {
    unsigned char two[2] = {0x34, 0x12};
    RegWriteBinary(kPath, "Short", two, 2);
    EXPECT_EQ(key.ReadNumber("Short", 42), 0x1234u);
    RegWriteString(kPath, "Text", "A");
    EXPECT_EQ(key.ReadNumber("Text", 42), 0x41u);  // "A\0" read as bytes
}

TEST_F(RegistryKeyTest, TextsWithAndWithoutTerminatingZero) {
    RegWriteString(kPath, "Name", "宋体");
    EXPECT_EQ(key.ReadText("Name", "x"), "宋体");
    RegWriteBinary(kPath, "NoZero", "abc", 3);
    EXPECT_EQ(key.ReadText("NoZero", "x"), "abc");
    RegWriteBinary(kPath, "Empty", "", 0);
    EXPECT_EQ(key.ReadText("Empty", "fallback"), "fallback");
    RegWriteString(kPath, "EmptyText", "");
    EXPECT_EQ(key.ReadText("EmptyText", "fallback"), "");
    EXPECT_EQ(key.ReadText("Missing", "fallback"), "fallback");
}

TEST_F(RegistryKeyTest, ReadTextIntoNeverOverrunsItsBuffer) {
    RegWriteString(kPath, "Face", std::string(31, 'x'));
    char buffer[32];
    memset(buffer, '#', sizeof buffer);
    DWORD capacity = sizeof buffer;
    EXPECT_TRUE(key.ReadTextInto("Face", buffer, &capacity));
    EXPECT_EQ(capacity, 32u);
    EXPECT_EQ(std::string(buffer), std::string(31, 'x'));

    RegWriteString(kPath, "Face", std::string(32, 'y'));
    char small[32] = "unchanged";
    capacity = sizeof small;
    EXPECT_FALSE(key.ReadTextInto("Face", small, &capacity));
    EXPECT_EQ(capacity, 33u);
    EXPECT_STREQ(small, "unchanged");

    capacity = sizeof small;
    EXPECT_FALSE(key.ReadTextInto("Missing", small, &capacity));
    EXPECT_EQ(capacity, 0u);
}

TEST_F(RegistryKeyTest, DatesAreEightByteDoubles) {
    ASSERT_TRUE(key.WriteDate("When", 46362.5));
    EXPECT_EQ(key.ReadDate("When"), 46362.5);
    EXPECT_EQ(key.ReadDate("Missing"), 0.0);
    unsigned char twelve[12] = {};
    RegWriteBinary(kPath, "TooLong", twelve, 12);
    EXPECT_EQ(key.ReadDate("TooLong"), 0.0);
}

TEST_F(RegistryKeyTest, WritesUseTheStatedTypes) {
    key.WriteNumber("N", 7);
    key.WriteText("T", "abc");
    key.WriteFlag("F", true);
    DWORD n = 0;
    EXPECT_TRUE(RegReadDword(kPath, "N", &n));
    EXPECT_EQ(n, 7u);
    EXPECT_TRUE(RegReadDword(kPath, "F", &n));
    EXPECT_EQ(n, 1u);
    std::string t;
    EXPECT_TRUE(RegReadString(kPath, "T", &t));
    EXPECT_EQ(t, "abc");
    EXPECT_TRUE(key.DeleteValue("N"));
    EXPECT_FALSE(RegValueExists(kPath, "N"));
}

TEST_F(RegistryKeyTest, DeleteTreeRemovesANestedTree) {
    RegWriteDword("Software\\Tembra\\Test\\Alarm0\\a\\b\\c", "x", 1);
    RegWriteDword("Software\\Tembra\\Test\\Alarm0\\a\\d", "x", 1);
    RegWriteDword("Software\\Tembra\\Test\\Alarm0\\e", "x", 1);
    RegWriteDword("Software\\Tembra\\Test\\Alarm1", "x", 1);
    EXPECT_TRUE(key.DeleteTree("Alarm0"));
    EXPECT_FALSE(RegKeyExists("Software\\Tembra\\Test\\Alarm0"));
    EXPECT_TRUE(RegKeyExists("Software\\Tembra\\Test\\Alarm1"));
    EXPECT_FALSE(key.DeleteTree("Nothing"));
}

TEST(RegistryKey, WithNoKeyOpenEverythingFailsQuietly) {
    ScopedRegistrySandbox sandbox;
    RegistryKey key;
    EXPECT_EQ(key.ReadNumber("x", 5), 5u);
    EXPECT_EQ(key.ReadText("x", "d"), "d");
    EXPECT_FALSE(key.WriteNumber("x", 1));
    EXPECT_FALSE(key.DeleteTree("x"));
    EXPECT_FALSE(key.Open("Software\\Does\\Not\\Exist", false));
}

TEST_F(RegistryKeyTest, TheWriteGateCountsEveryWriteAndRefusesThosePastItsAllowance) {
    RegistryWriteGate::Reset(2);
    EXPECT_TRUE(key.WriteNumber("N", 1));
    RegistryKey child;
    EXPECT_TRUE(child.Open("Software\\Tembra\\Test\\Child", true));  // creating it: a write
    EXPECT_TRUE(child.Open("Software\\Tembra\\Test\\Child", true));  // opening it: none
    EXPECT_FALSE(key.WriteText("T", "x"));
    EXPECT_FALSE(key.DeleteValue("N"));
    EXPECT_FALSE(key.DeleteTree("Child"));
    EXPECT_FALSE(RegistryKey().Open("Software\\Tembra\\Test\\Other", true));
    EXPECT_EQ(RegistryWriteGate::Asked(), 6);
    RegistryWriteGate::Reset();
    EXPECT_FALSE(RegValueExists(kPath, "T"));
    EXPECT_TRUE(RegValueExists(kPath, "N"));
    EXPECT_TRUE(RegKeyExists("Software\\Tembra\\Test\\Child"));
    EXPECT_FALSE(RegKeyExists("Software\\Tembra\\Test\\Other"));
    EXPECT_TRUE(key.DeleteTree("Child"));
    EXPECT_EQ(RegistryWriteGate::Asked(), 1);
}

#include <gtest/gtest.h>

#include "framework/ModulePath.h"

using tembra::DirectoryOf;

TEST(DirectoryOf, CutsAtTheLastBackslash) {
    EXPECT_EQ(DirectoryOf("C:\\Program Files\\Tembra\\TembraClock.exe"), "C:\\Program Files\\Tembra");
    EXPECT_EQ(DirectoryOf("TembraClock.exe"), "");
}

TEST(DirectoryOf, IgnoresBackslashTrailBytesOfDoubleByteCharacters) {
    // "表" is 0xB1 0xED and "能" 0xC4 0xDC in code page 936; 0x5C (backslash) is a valid
    // trail byte, as in "\x81\x5C".
    std::string path = "C:\\\x81\x5C\\clock.exe";
    EXPECT_EQ(DirectoryOf(path), "C:\\\x81\x5C");
}

#include <gtest/gtest.h>

#include "store/TimeFormat.h"

using namespace tembra;

namespace {
const CivilTime kSunday{2026, 12, 6, 14, 5, 9, 0};
}

TEST(TimeFormat, NumbersWithAndWithoutLeadingZeros) {
    CivilTime t{2026, 3, 7, 9, 4, 3, 0};
    EXPECT_EQ(FormatTime("%d/%m/%Y %H:%M:%S", t), "07/03/2026 09:04:03");
    EXPECT_EQ(FormatTime("%#d/%#m/%Y %#H:%M", t), "7/3/2026 9:04");
    EXPECT_EQ(FormatTime("%I %#I %p", kSunday), "02 2 PM");
    EXPECT_EQ(FormatTime("%I %p", CivilTime{2026, 1, 1, 0, 0, 0, 0}), "12 AM");
    EXPECT_EQ(FormatTime("%I %p", CivilTime{2026, 1, 1, 12, 0, 0, 0}), "12 PM");
    EXPECT_EQ(FormatTime("%j %#j", CivilTime{2026, 2, 1, 0, 0, 0, 0}), "032 32");
    EXPECT_EQ(FormatTime("%j", CivilTime{2028, 12, 31, 0, 0, 0, 0}), "366");
}

TEST(TimeFormat, ChineseNameTables) {
    EXPECT_EQ(FormatTime("%a %A", kSunday), "日 星期日");
    EXPECT_EQ(FormatTime("%b %B", kSunday), "12 十二月");
    EXPECT_EQ(FormatTime("%B", CivilTime{2026, 5, 1, 0, 0, 0, 0}), "五月");
    EXPECT_EQ(FormatTime("%b", CivilTime{2026, 5, 1, 0, 0, 0, 0}), "5");
    EXPECT_EQ(FormatTime("%A", CivilTime{2026, 12, 12, 0, 0, 0, 0}), "星期六");
}

TEST(TimeFormat, HoverPattern) {
    EXPECT_EQ(FormatTime("Tembra Clock: %A, %d %B %Y, %H:%M", kSunday),
              "Tembra Clock: 星期日, 06 十二月 2026, 14:05");
}

TEST(TimeFormat, UnknownConversionsAndTrailingPercentStayAsTheyAre) {
    EXPECT_EQ(FormatTime("%q%%%", kSunday), "%q%%");
    EXPECT_EQ(FormatTime("%#", kSunday), "%#");
    EXPECT_EQ(FormatTime("", kSunday), "");
}

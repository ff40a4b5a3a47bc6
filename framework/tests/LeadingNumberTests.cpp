#include <gtest/gtest.h>

#include "framework/core/LeadingNumber.h"

using tembra::ParseLeadingNumber;

TEST(LeadingNumber, TakesTheDigitsAtTheStartOnly) {
    EXPECT_EQ(ParseLeadingNumber("12"), 12u);
    EXPECT_EQ(ParseLeadingNumber("07x9"), 7u);
    EXPECT_EQ(ParseLeadingNumber(" 5"), 5u);
    EXPECT_EQ(ParseLeadingNumber(""), 0u);
    EXPECT_EQ(ParseLeadingNumber("x12"), 0u);
    EXPECT_EQ(ParseLeadingNumber("-3"), 0u);
}

TEST(LeadingNumber, LongDigitRunsStopAtTheLimitWithoutOverflow) {
    EXPECT_EQ(ParseLeadingNumber("4294967295"), 4294967295u);
    EXPECT_EQ(ParseLeadingNumber("4294967296"), 4294967295u);
    EXPECT_EQ(ParseLeadingNumber("99999999999999999999999"), 4294967295u);
    EXPECT_EQ(ParseLeadingNumber("100", 99), 99u);
    EXPECT_EQ(ParseLeadingNumber("99", 99), 99u);
    EXPECT_EQ(ParseLeadingNumber("30", 31), 30u);  // just under the limit stays itself
    EXPECT_EQ(ParseLeadingNumber("7", 5), 5u);
}

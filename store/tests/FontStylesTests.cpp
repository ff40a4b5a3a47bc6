#include <gtest/gtest.h>

#include "store/FontStyles.h"

using namespace tembra;

TEST(FontStyles, WriterRunsTheWordsTogetherInFixedOrder) {
    FontStyles all{true, true, true, true};
    EXPECT_EQ(FormatFontStyles(all), "BOLDITALICUNDERLINESTRIKE");
    EXPECT_EQ(FormatFontStyles(FontStyles{}), "");
    FontStyles boldItalic{true, true, false, false};
    EXPECT_EQ(FormatFontStyles(boldItalic), "BOLDITALIC");
}

TEST(FontStyles, ReaderIgnoresCaseAndSeparators) {
    FontStyles s = ParseFontStyles("bold, italic ; Strike");
    EXPECT_TRUE(s.bold);
    EXPECT_TRUE(s.italic);
    EXPECT_FALSE(s.underline);
    EXPECT_TRUE(s.strikeout);
    FontStyles t = ParseFontStyles("BOLDUNDERLINE");
    EXPECT_TRUE(t.bold);
    EXPECT_TRUE(t.underline);
    EXPECT_FALSE(t.italic);
}

TEST(FontStyles, EveryWrittenSetReadsBack) {
    for (int bits = 0; bits < 16; ++bits) {
        FontStyles s{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
        FontStyles back = ParseFontStyles(FormatFontStyles(s));
        EXPECT_EQ(back.bold, s.bold);
        EXPECT_EQ(back.italic, s.italic);
        EXPECT_EQ(back.underline, s.underline);
        EXPECT_EQ(back.strikeout, s.strikeout);
    }
}

TEST(FontStyles, UpperCasingLeavesDoubleByteCharactersWhole) {
    // "粗" is 0xB4 0xD6; a trail byte in the ASCII letter range must not be changed.
    EXPECT_EQ(UpperCaseMultibyte("\x81" "a" "b"), "\x81" "a" "B");
    EXPECT_EQ(UpperCaseMultibyte("粗bold"), "粗BOLD");
    EXPECT_EQ(UpperCaseMultibyte("x\xB4"), "X\xB4");  // a lone lead byte at the end
    EXPECT_EQ(UpperCaseMultibyte("\x80" "b"), "\x80" "B");  // 0x80 is a character of its own
}

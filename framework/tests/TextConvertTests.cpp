#include <gtest/gtest.h>

#include "framework/TextConvert.h"

using namespace tembra;

TEST(TextConvert, RoundTripsEveryPlaneAndReplacesWhatIsNotUtf8) {
    // Chinese, kana, an accented letter and an emoji (a surrogate pair in UTF-16).
    const std::string text = u8"起床 かな é 😀";
    const std::wstring wide = Wide(text);
    EXPECT_EQ(wide, L"\u8d77\u5e8a \u304b\u306a \u00e9 \U0001F600");
    EXPECT_EQ(Utf8(wide), text);
    EXPECT_EQ(Wide(std::string("a\0b", 3)), std::wstring(L"a\0b", 3)) << "zeros are text too";
    EXPECT_EQ(Wide("\xff" "a"), L"\ufffd" L"a");
    EXPECT_EQ(Utf8(std::wstring(1, L'\xd800')), "\xef\xbf\xbd") << "a lone surrogate";
    EXPECT_EQ(Wide(""), L"");
}

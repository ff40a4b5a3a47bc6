#include <gtest/gtest.h>

#include <climits>

#include "framework/core/DpiScale.h"

using tembra::ScaleFromDpi;
using tembra::ScaleToDpi;

TEST(DpiScale, RoundsHalvesAwayFromZeroKeepsTheSignAndStopsAtTheIntRange) {
    const struct { int value; unsigned dpi; int scaled; } cases[] = {
        {-13, 96, -13},  {-13, 144, -20},         {13, 144, 20},          {-13, 120, -16},
        {-13, 192, -26}, {1, 144, 2},             {1, 120, 1},            {0, 144, 0},
        {-13, 0, -13},   {INT_MIN, 192, INT_MIN}, {INT_MAX, 192, INT_MAX}, {INT_MIN, 0xFFFFFFFFu, INT_MIN}};
    for (const auto& c : cases) EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
    EXPECT_EQ(ScaleFromDpi(-30, 144), -20);
    EXPECT_EQ(ScaleFromDpi(-29, 144), -19);
    EXPECT_EQ(ScaleFromDpi(7, 0), 7);
}

TEST(DpiScale, AStoredSizeSurvivesTheWayThroughAnyDpiFrom96Up) {
    for (unsigned dpi : {96u, 120u, 144u, 168u, 192u, 288u})
        for (int h = -300; h <= 300; ++h) ASSERT_EQ(ScaleFromDpi(ScaleToDpi(h, dpi), dpi), h) << h << " at " << dpi;
}

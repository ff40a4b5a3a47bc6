#include <gtest/gtest.h>

#include "clock/Placement.h"

using namespace tembra;

namespace {
const std::vector<ScreenRect> kOneScreen{{0, 0, 1024, 768}};
// A second monitor to the right of the primary one, smaller and lower.
const std::vector<ScreenRect> kRightOfPrimary{{0, 0, 1024, 768}, {1024, 100, 2304, 900}};
// A second monitor to the left of (and above) the primary one.
const std::vector<ScreenRect> kLeftOfPrimary{{0, 0, 1920, 1080}, {-1280, -200, 0, 824}};

void ExpectPlaced(ScreenPoint p, int x, int y) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
}
}  // namespace

TEST(Placement, OneScreenOffRightOrBottomGoesBackToZero) {
    ExpectPlaced(PlaceOnScreens(5000, 100, kOneScreen), 0, 100);
    ExpectPlaced(PlaceOnScreens(100, 5000, kOneScreen), 100, 0);
    ExpectPlaced(PlaceOnScreens(5000, 5000, kOneScreen), 0, 0);
}

TEST(Placement, OneScreenFivePixelsMustRemain) {
    ExpectPlaced(PlaceOnScreens(1019, 763, kOneScreen), 1019, 763);
    ExpectPlaced(PlaceOnScreens(1020, 764, kOneScreen), 0, 0);
}

TEST(Placement, NegativeValuesAreKept) {
    ExpectPlaced(PlaceOnScreens(-50, -20, kOneScreen), -50, -20);
    ExpectPlaced(PlaceOnScreens(-5000, 10, kOneScreen), -5000, 10);
}

TEST(Placement, ASecondMonitorToTheRightKeepsTheClockThere) {
    ExpectPlaced(PlaceOnScreens(1500, 850, kRightOfPrimary), 1500, 850);
    ExpectPlaced(PlaceOnScreens(2299, 895, kRightOfPrimary), 2299, 895);
    ExpectPlaced(PlaceOnScreens(2300, 896, kRightOfPrimary), 0, 0);
}

TEST(Placement, ASecondMonitorToTheLeftKeepsNegativeCoordinates) {
    ExpectPlaced(PlaceOnScreens(-1000, -150, kLeftOfPrimary), -1000, -150);
    ExpectPlaced(PlaceOnScreens(1900, 1070, kLeftOfPrimary), 1900, 1070);
    ExpectPlaced(PlaceOnScreens(1916, 1076, kLeftOfPrimary), 0, 0);
}

TEST(Placement, VirtualScreenIsTheBoxRoundAllMonitors) {
    ScreenRect v = VirtualScreen(kLeftOfPrimary);
    EXPECT_EQ(v.left, -1280);
    EXPECT_EQ(v.top, -200);
    EXPECT_EQ(v.right, 1920);
    EXPECT_EQ(v.bottom, 1080);
}

TEST(Placement, ExtremeValuesDoNotOverflow) {
    ExpectPlaced(PlaceOnScreens(2147483647, 2147483646, kOneScreen), 0, 0);
    ExpectPlaced(PlaceOnScreens(-2147483647 - 1, 0, kOneScreen), -2147483647 - 1, 0);
}

TEST(Placement, WithoutMonitorsThePositionIsKept) {
    ExpectPlaced(PlaceOnScreens(5000, 6000, {}), 5000, 6000);
}

#include <gtest/gtest.h>

#include "clock/Placement.h"

using namespace tembra;

namespace {
const std::vector<ScreenRect> kOneScreen{{0, 0, 1024, 768}};
// A second monitor to the right of the primary one, smaller and lower.
const std::vector<ScreenRect> kRightOfPrimary{{0, 0, 1024, 768}, {1024, 100, 2304, 900}};
// A second monitor to the left of (and above) the primary one.
const std::vector<ScreenRect> kLeftOfPrimary{{0, 0, 1920, 1080}, {-1280, -200, 0, 824}};
// An opaque clock showing "06.12.2026 14:05".
constexpr WindowSize kClock{84, 24};

ScreenPoint Place(int left, int top, const std::vector<ScreenRect>& monitors) {
    return PlaceOnScreens(left, top, kClock, monitors);
}

void ExpectPlaced(ScreenPoint p, int x, int y) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
}
}  // namespace

TEST(Placement, OneScreenOffRightOrBottomGoesBackToZero) {
    ExpectPlaced(Place(5000, 100, kOneScreen), 0, 100);
    ExpectPlaced(Place(100, 5000, kOneScreen), 100, 0);
    ExpectPlaced(Place(5000, 5000, kOneScreen), 0, 0);
}

TEST(Placement, OneScreenFivePixelsMustRemain) {
    ExpectPlaced(Place(1019, 763, kOneScreen), 1019, 763);
    ExpectPlaced(Place(1020, 764, kOneScreen), 0, 0);
}

TEST(Placement, NegativeValuesAreKeptWhileFivePixelsShow) {
    ExpectPlaced(Place(-50, -10, kOneScreen), -50, -10);
    ExpectPlaced(Place(-79, -19, kOneScreen), -79, -19);
    ExpectPlaced(Place(-80, -21, kOneScreen), 0, 0);
    ExpectPlaced(Place(-3000, 10, kOneScreen), 0, 10);
    ExpectPlaced(Place(10, -3000, kOneScreen), 10, 0);
}

TEST(Placement, ASecondMonitorToTheRightKeepsTheClockThere) {
    ExpectPlaced(Place(1500, 850, kRightOfPrimary), 1500, 850);
    ExpectPlaced(Place(2299, 895, kRightOfPrimary), 2299, 895);
    ExpectPlaced(Place(2300, 896, kRightOfPrimary), 0, 0);
}

TEST(Placement, ASecondMonitorToTheLeftKeepsNegativeCoordinates) {
    ExpectPlaced(Place(-1000, -150, kLeftOfPrimary), -1000, -150);
    ExpectPlaced(Place(-1359, -219, kLeftOfPrimary), -1359, -219);
    ExpectPlaced(Place(-1360, -220, kLeftOfPrimary), 0, 0);
    ExpectPlaced(Place(1900, 1070, kLeftOfPrimary), 1900, 1070);
    ExpectPlaced(Place(1916, 1076, kLeftOfPrimary), 0, 0);
}

TEST(Placement, VirtualScreenIsTheBoxRoundAllMonitors) {
    ScreenRect v = VirtualScreen(kLeftOfPrimary);
    EXPECT_EQ(v.left, -1280);
    EXPECT_EQ(v.top, -200);
    EXPECT_EQ(v.right, 1920);
    EXPECT_EQ(v.bottom, 1080);
}

TEST(Placement, ExtremeValuesDoNotOverflow) {
    ExpectPlaced(Place(2147483647, 2147483646, kOneScreen), 0, 0);
    ExpectPlaced(Place(-2147483647 - 1, -2147483647 - 1, kOneScreen), 0, 0);
    ExpectPlaced(PlaceOnScreens(-10, 0, WindowSize{2147483647, 24}, kOneScreen), -10, 0);
}

TEST(Placement, WithoutMonitorsThePositionIsKept) {
    ExpectPlaced(Place(5000, 6000, {}), 5000, 6000);
}

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

TEST(Placement, BelowTheShorterOfTwoMonitorsIsOnNoneOfThem) {
    // Side by side, the right one 600 pixels shorter; then the right one unplugged.
    const std::vector<ScreenRect> tallAndShort{{0, 0, 1920, 1080}, {1920, 0, 3200, 480}};
    const std::vector<ScreenRect> tallOnly{{0, 0, 1920, 1080}};
    ExpectPlaced(Place(2500, 475, tallAndShort), 2500, 475);  // five rows still on the short one
    ExpectPlaced(Place(2500, 476, tallAndShort), 2500, 0);    // up onto the short one, not 2500 left
    ExpectPlaced(Place(1916, 900, tallAndShort), 1916, 0);    // four columns on the tall one are too few
    ExpectPlaced(Place(-100, 900, kLeftOfPrimary), 0, 900);   // right onto the primary: the shorter move
    ExpectPlaced(Place(2500, 0, tallOnly), 0, 0);
    ExpectPlaced(Place(1000, 2000, tallOnly), 1000, 0);
}

TEST(Placement, WithoutAMonitorAtTheOriginTheFirstMonitorsCornerIsTaken) {
    ExpectPlaced(Place(5000, 5000, {{100, 50, 900, 650}, {900, 50, 1700, 650}}), 100, 50);
}

TEST(Placement, ExtremeValuesDoNotOverflow) {
    ExpectPlaced(Place(2147483647, 2147483646, kOneScreen), 0, 0);
    ExpectPlaced(Place(-2147483647 - 1, -2147483647 - 1, kOneScreen), 0, 0);
    ExpectPlaced(PlaceOnScreens(-10, 0, WindowSize{2147483647, 24}, kOneScreen), -10, 0);
}

TEST(Placement, WithoutMonitorsThePositionIsKept) {
    ExpectPlaced(Place(5000, 6000, {}), 5000, 6000);
}

// The clock face in-process under the headless driver: size, colours, shape, position, drag.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "clock/MonitorList.h"
#include "clock/PopupMenu.h"
#include "clock/RegionFromBitmap.h"
#include "clock/tests/FaceTestSupport.h"
#include "framework/DesktopComposition.h"

using namespace tembra;
using namespace tembra::test;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

size_t Count(const std::vector<bool>& v) { return static_cast<size_t>(std::count(v.begin(), v.end(), true)); }

}  // namespace

// --- size

TEST_F(FaceTest, OpaqueWindowIsTheTextExtentPlusFourAndTransparentExactlyTheExtent) {
    Set("FontHeight", static_cast<DWORD>(-40));
    Set("Transparent", 0);
    Start();
    SIZE extent = TextExtent("06.12.2026 14:05");
    ASSERT_GT(extent.cx, 0);
    SIZE opaque = WindowSize();
    EXPECT_EQ(opaque.cx, extent.cx + 4);
    EXPECT_EQ(opaque.cy, extent.cy + 4);
    EXPECT_EQ(clock->width(), opaque.cx);
    EXPECT_EQ(clock->height(), opaque.cy);

    Set("Transparent", 1);
    SendMessageA(hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
    SIZE transparent = WindowSize();
    EXPECT_EQ(transparent.cx, extent.cx);
    EXPECT_EQ(transparent.cy, extent.cy);
    // Shaped by the reload itself, not at the next change of the text.
    EXPECT_TRUE(HasWindowRegion());
}

// --- opaque colours

TEST_F(FaceTest, OpaqueFaceFillsTheBackgroundAndFramesItInTheRuleColour) {
    Set("Transparent", 0);
    Set("FontHeight", static_cast<DWORD>(-30));
    Set("BackgroundColor", kGreen);
    Set("FontColor", kRed);
    Set("FontColor2", kYellow);
    Set("BorderColor", kBlue);
    Set("BorderColor2", kMagenta);
    Set("Border", 1);
    Set("UseFontColor", 1);
    Start();
    Repaint();
    // The frame takes the text colour even though a frame colour is set.
    EXPECT_EQ(PixelAt(0, 0), kRed);
    EXPECT_EQ(PixelAt(clock->width() - 1, clock->height() - 1), kRed);
    EXPECT_EQ(PixelAt(1, 1), kGreen);  // the margin round the text

    // A reload draws the new face itself, though neither the size nor the text changed.
    Set("UseFontColor", 0);
    SendMessageA(hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
    EXPECT_EQ(PixelAt(0, 0), kBlue);

    Set("Color2", 1);
    SendMessageA(hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
    EXPECT_EQ(PixelAt(0, 0), kMagenta);

    Set("UseFontColor", 1);
    SendMessageA(hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
    EXPECT_EQ(PixelAt(0, 0), kYellow);

    Set("Border", 0);
    SendMessageA(hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
    EXPECT_EQ(PixelAt(0, 0), kGreen);
    EXPECT_FALSE(HasWindowRegion());
}

TEST_F(FaceTest, OpaqueTextStartsTwoPixelsIn) {
    Set("Transparent", 0);
    Set("Border", 0);
    Set("FontHeight", static_cast<DWORD>(-30));
    Set("BackgroundColor", kGreen);
    Set("FontColor", kRed);
    Start();
    Repaint();
    // Same glyphs as drawn at (0, 0) on a black key, moved by the margin.
    const int w = clock->width() - 4, h = clock->height() - 4;
    std::vector<bool> glyphs = GlyphMask(kRed, 0, w, h);
    int mismatches = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool red = PixelAt(x + 2, y + 2) == kRed;
            bool glyph = glyphs[static_cast<size_t>(y) * w + x];
            // Anti-aliased edge pixels are neither; only pure pixels are compared.
            if (glyph && !red && PixelAt(x + 2, y + 2) == kGreen) ++mismatches;
            if (!glyph && red) ++mismatches;
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(Count(glyphs), 20u);
}

// --- transparent shape

TEST_F(FaceTest, TransparentColouredTextIsCutFromBlackWithTolerance) {
    Set("Transparent", 1);
    Set("FontHeight", static_cast<DWORD>(-40));
    Set("FontColor", kRed);
    Start();
    ASSERT_TRUE(HasWindowRegion());
    const int w = clock->width(), h = clock->height();
    std::vector<bool> expected = GlyphMask(kRed, 0, w, h);
    EXPECT_GT(Count(expected), 50u);
    EXPECT_EQ(WindowShape(w, h), expected);
}

TEST_F(FaceTest, TransparentBlackTextIsCutFromWhite) {
    Set("Transparent", 1);
    Set("FontHeight", static_cast<DWORD>(-40));
    Set("FontColor", 0);
    Start();
    const int w = clock->width(), h = clock->height();
    std::vector<bool> expected = GlyphMask(0, RGB(255, 255, 255), w, h);
    EXPECT_GT(Count(expected), 50u);
    EXPECT_EQ(WindowShape(w, h), expected);
}

TEST_F(FaceTest, RegionIsRebuiltOnlyWhenWhatItIsCutFromChanges) {
    Set("Transparent", 1);
    Set("FontHeight", static_cast<DWORD>(-40));
    Set("FontColor", kRed);
    Set("FontColor2", kBlue);
    Start();
    const unsigned atStart = clock->regionBuildCount();
    EXPECT_GE(atStart, 1u);

    // Ticks within the minute and repaints the system asks for reuse the shape.
    for (int i = 0; i < 5; ++i) {
        time.AddSeconds(1);
        Tick(*clock);
        Repaint();
    }
    EXPECT_EQ(clock->regionBuildCount(), atStart);

    // New text: new shape, matching the new glyphs.
    time.Set(CivilTime{2026, 12, 6, 14, 6, 0, 0});
    Tick(*clock);
    EXPECT_EQ(clock->clockText(), "06.12.2026 14:06");
    EXPECT_EQ(clock->regionBuildCount(), atStart + 1);
    const int w = clock->width(), h = clock->height();
    EXPECT_EQ(WindowShape(w, h), GlyphMask(kRed, 0, w, h));
    Repaint();
    EXPECT_EQ(clock->regionBuildCount(), atStart + 1);

    // Colour set 2 (another colour, same key): drawn again in the new colour.
    clock->RunCommand(7);
    EXPECT_EQ(clock->regionBuildCount(), atStart + 2);

    // Another font size.
    Set("FontHeight", static_cast<DWORD>(-60));
    SendMessageA(hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
    UpdateWindow(hwnd());  // the paint the resize asked for
    const unsigned afterFont = clock->regionBuildCount();
    EXPECT_GT(afterFont, atStart + 2);
    EXPECT_EQ(WindowShape(clock->width(), clock->height()),
              GlyphMask(kBlue, 0, clock->width(), clock->height()));

    // Opaque mode drops the shape; back to transparent cuts it again.
    clock->RunCommand(5);
    Repaint();
    EXPECT_FALSE(HasWindowRegion());
    clock->RunCommand(5);
    Repaint();
    EXPECT_TRUE(HasWindowRegion());
    EXPECT_EQ(clock->regionBuildCount(), afterFont + 1);
}

// --- the shape cut anew from the changed columns only

namespace {

class IncrementalShapeTest : public FaceTest {
protected:
    // The window's shape is what a cut of the whole text, drawn afresh, gives.
    ::testing::AssertionResult ShapeIsAFullCut(COLORREF text, COLORREF key) {
        const int w = clock->width(), h = clock->height();
        UniqueRegion full;
        {
            HDC screen = GetDC(nullptr);
            UniqueMemoryDc dc(CreateCompatibleDC(screen));
            UniqueBitmap bitmap(CreateCompatibleBitmap(screen, w, h));
            ReleaseDC(nullptr, screen);
            UniqueFont font(MakeFont());
            {
                SelectGuard b(dc.get(), bitmap.get());
                SelectGuard f(dc.get(), font.get());
                UniqueBrush brush(CreateSolidBrush(key));
                RECT all{0, 0, w, h};
                ::FillRect(dc.get(), &all, brush.get());
                SetTextColor(dc.get(), text);
                SetBkColor(dc.get(), key);
                const std::string& t = clock->clockText();
                TextOutA(dc.get(), 0, 0, t.c_str(), static_cast<int>(t.size()));
            }
            full = BuildRegionFromBitmap(bitmap.get(), key, kFaceKeyTolerance, 0, 0);
        }
        if (!full) full.reset(CreateRectRgn(0, 0, 0, 0));
        UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(hwnd(), shape.get()) == ERROR)
            return ::testing::AssertionFailure() << "no shape for \"" << clock->clockText() << '"';
        if (!EqualRgn(shape.get(), full.get()))
            return ::testing::AssertionFailure() << "shape differs for \"" << clock->clockText() << '"';
        return ::testing::AssertionSuccess();
    }

    void TickAt(CivilTime t) {
        time.Set(t);
        Tick(*clock);
    }

    // Every kind of change of the text, each checked against a full cut.
    void RunThroughTheCalendar(COLORREF text, COLORREF key) {
        Set("Transparent", 1);
        Set("Seconds", 1);
        Set("FontHeight", static_cast<DWORD>(-40));
        Set("FontColor", text);
        time.Set(CivilTime{2026, 11, 30, 14, 5, 0, 0});
        Start();
        ASSERT_TRUE(ShapeIsAFullCut(text, key));
        const int width = clock->width();
        // A minute of seconds: one or two digits walked, not the face.
        for (int s = 1; s < 60; ++s) {
            TickAt(CivilTime{2026, 11, 30, 14, 5, s, 0});
            ASSERT_TRUE(ShapeIsAFullCut(text, key));
            ASSERT_LT(clock->faceShape().walkedColumns(), width / 4) << clock->clockText();
        }
        const CivilTime changes[] = {
            {2026, 11, 30, 14, 6, 0, 0},                                // minute
            {2026, 11, 30, 14, 59, 59, 0}, {2026, 11, 30, 15, 0, 0, 0},   // hour
            {2026, 11, 30, 23, 59, 59, 0}, {2026, 12, 1, 0, 0, 0, 0},     // day and month
            {2026, 12, 6, 23, 59, 59, 0},  {2026, 12, 7, 0, 0, 0, 0},     // day
            {2026, 12, 31, 23, 59, 59, 0}, {2027, 1, 1, 0, 0, 0, 0},      // year
        };
        for (const CivilTime& t : changes) {
            TickAt(t);
            ASSERT_TRUE(ShapeIsAFullCut(text, key));
        }
        // 12 hours: morning to afternoon; then, without leading zeros, a longer text.
        clock->RunCommand(kCmdTwelveHours);
        TickAt(CivilTime{2027, 1, 1, 11, 59, 59, 0});
        ASSERT_TRUE(ShapeIsAFullCut(text, key));
        TickAt(CivilTime{2027, 1, 1, 12, 0, 0, 0});
        ASSERT_NE(clock->clockText().find("PM"), std::string::npos);
        ASSERT_TRUE(ShapeIsAFullCut(text, key));
        clock->RunCommand(kCmdLeadingZero);
        TickAt(CivilTime{2027, 1, 1, 21, 59, 59, 0});
        ASSERT_TRUE(ShapeIsAFullCut(text, key));
        const int before = clock->width();
        TickAt(CivilTime{2027, 1, 1, 22, 0, 0, 0});
        EXPECT_GT(clock->width(), before);
        EXPECT_TRUE(ShapeIsAFullCut(text, key));
    }
};

}  // namespace

TEST_F(IncrementalShapeTest, ColouredTextOnBlackMatchesAFullCutThroughEveryChange) {
    RunThroughTheCalendar(kRed, 0);
}

TEST_F(IncrementalShapeTest, BlackTextOnWhiteMatchesAFullCutThroughEveryChange) {
    RunThroughTheCalendar(0, RGB(255, 255, 255));
}

// Where the desktop keeps what a region hides, a digit shown once is never painted again;
// elsewhere every tick paints the pixels its new shape shows that the old one hid.
TEST_F(FaceTest, ShownPixelsArePaintedAgainOnlyWhereTheDesktopLostThem) {
    Set("Transparent", 1);
    Set("Seconds", 1);
    Set("FontColor", kRed);
    Start();
    auto paintsInTheSecondMinute = [&](int keeps, int minute) {
        SetDesktopKeepsHiddenPixelsForTest(keeps);
        time.Set(CivilTime{2026, 12, 6, 14, minute, 0, 0});
        for (int i = 0; i < 61; ++i) {  // every seconds digit, then a new minute
            time.AddSeconds(1);
            Tick(*clock);
        }
        const unsigned before = clock->newPixelPaints();
        for (int i = 0; i < 9; ++i) {  // hh:mm:02 to hh:mm:10 of the next minute
            time.AddSeconds(1);
            Tick(*clock);
        }
        return clock->newPixelPaints() - before;
    };
    EXPECT_EQ(paintsInTheSecondMinute(1, 10), 0u);
    EXPECT_EQ(paintsInTheSecondMinute(-1, 20), 9u);
    SetDesktopKeepsHiddenPixelsForTest(0);
}

TEST_F(FaceTest, ATickWithUnchangedTextDrawsNothing) {
    Set("Transparent", 0);
    Set("Border", 0);
    Set("BackgroundColor", kGreen);
    Start();
    Repaint();
    ASSERT_EQ(PixelAt(0, 0), kGreen);
    auto scribble = [&] {
        HDC dc = GetDC(hwnd());
        SetPixel(dc, 0, 0, kMagenta);
        ReleaseDC(hwnd(), dc);
    };
    scribble();
    time.AddSeconds(1);  // 14:05:10, still "14:05"
    Tick(*clock);
    EXPECT_EQ(PixelAt(0, 0), kMagenta);  // untouched: nothing was drawn
    time.Set(CivilTime{2026, 12, 6, 14, 6, 0, 0});
    Tick(*clock);
    EXPECT_EQ(PixelAt(0, 0), kGreen);  // the new minute was drawn
}

// --- BuildRegionFromBitmap on synthetic bitmaps

namespace {

struct TestBitmap {
    UniqueMemoryDc dc{CreateCompatibleDC(nullptr)};
    UniqueBitmap bitmap;
    HGDIOBJ old = nullptr;
    TestBitmap(int w, int h, WORD bits) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;  // top-down: the builder must not care
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = bits;
        void* p = nullptr;
        bitmap.reset(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &p, nullptr, 0));
        old = SelectObject(dc.get(), bitmap.get());
    }
    void Fill(int x0, int y0, int x1, int y1, COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        RECT r{x0, y0, x1, y1};
        ::FillRect(dc.get(), &r, b);
        DeleteObject(b);
    }
    // Done drawing: the bitmap may now be selected elsewhere.
    HBITMAP Finish() {
        SelectObject(dc.get(), old);
        return bitmap.get();
    }
};

std::vector<bool> RegionMask(HRGN rgn, int w, int h) {
    std::vector<bool> m(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) m[static_cast<size_t>(y) * w + x] = rgn && PtInRegion(rgn, x, y);
    return m;
}

}  // namespace

TEST(RegionFromBitmap, BlackOnWhiteGivesEveryNonWhitePixel) {
    TestBitmap bmp(40, 20, 24);
    bmp.Fill(0, 0, 40, 20, RGB(255, 255, 255));
    bmp.Fill(5, 3, 12, 9, RGB(0, 0, 0));
    bmp.Fill(20, 10, 21, 11, RGB(254, 255, 255));
    UniqueRegion rgn = BuildRegionFromBitmap(bmp.Finish(), RGB(255, 255, 255), kFaceKeyTolerance, 0, 0);
    ASSERT_TRUE(rgn);
    std::vector<bool> m = RegionMask(rgn.get(), 40, 20);
    EXPECT_EQ(Count(m), 7u * 6u + 1u);
    EXPECT_TRUE(m[3 * 40 + 5]);
    EXPECT_TRUE(m[10 * 40 + 20]);
    RECT box;
    GetRgnBox(rgn.get(), &box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 3);
    EXPECT_EQ(box.right, 21);
    EXPECT_EQ(box.bottom, 11);
}

TEST(RegionFromBitmap, ColouredOnBlackCutsUpTo16PerComponentAndHonoursOffsets) {
    TestBitmap bmp(10, 4, 32);
    bmp.Fill(0, 0, 10, 4, RGB(0, 0, 0));
    bmp.Fill(1, 1, 2, 2, RGB(16, 16, 16));  // key
    bmp.Fill(3, 1, 4, 2, RGB(17, 0, 0));    // glyph
    bmp.Fill(5, 2, 8, 3, RGB(200, 30, 90));
    UniqueRegion rgn = BuildRegionFromBitmap(bmp.Finish(), 0, kFaceKeyTolerance, 100, 50);
    ASSERT_TRUE(rgn);
    EXPECT_FALSE(PtInRegion(rgn.get(), 101, 51));
    EXPECT_TRUE(PtInRegion(rgn.get(), 103, 51));
    EXPECT_TRUE(PtInRegion(rgn.get(), 105, 52));
    EXPECT_TRUE(PtInRegion(rgn.get(), 107, 52));
    EXPECT_FALSE(PtInRegion(rgn.get(), 108, 52));
    EXPECT_FALSE(PtInRegion(rgn.get(), 3, 1));
}

TEST(RegionFromBitmap, MoreThan2000RectanglesAreAllKept) {
    // A checkerboard of 120 x 100: 6000 one-pixel runs, three flushes.
    const int w = 120, h = 100;
    TestBitmap bmp(w, h, 32);
    bmp.Fill(0, 0, w, h, RGB(0, 0, 0));
    for (int y = 0; y < h; ++y)
        for (int x = y % 2; x < w; x += 2) SetPixel(bmp.dc.get(), x, y, RGB(255, 0, 0));
    UniqueRegion rgn = BuildRegionFromBitmap(bmp.Finish(), 0, kFaceKeyTolerance, 0, 0);
    ASSERT_TRUE(rgn);
    std::vector<bool> m = RegionMask(rgn.get(), w, h);
    int wrong = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (m[static_cast<size_t>(y) * w + x] != ((x + y) % 2 == 0)) ++wrong;
    EXPECT_EQ(wrong, 0);
}

TEST(RegionFromBitmap, AllKeyGivesNoRegion) {
    TestBitmap bmp(8, 8, 32);
    bmp.Fill(0, 0, 8, 8, RGB(255, 255, 255));
    EXPECT_FALSE(BuildRegionFromBitmap(bmp.Finish(), RGB(255, 255, 255), kFaceKeyTolerance, 0, 0));
    EXPECT_FALSE(BuildRegionFromBitmap(nullptr, 0, 0, 0, 0));
}

// --- position and drag

TEST_F(FaceTest, StoredPositionKeepsFivePixelsOnTheScreen) {
    // The headless screen is 1024 x 768.
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    // Judged by the size of the clock, not of the window it was created as (100 x 30).
    Set("FontHeight", static_cast<DWORD>(-40));
    Set("Left", static_cast<DWORD>(-150));
    Set("Top", 5000);
    Start();
    EXPECT_EQ(WindowRect().left, -150);
    EXPECT_EQ(WindowRect().top, 0);
    const int w = clock->width(), h = clock->height();
    ASSERT_GT(w, 155);

    auto placeAt = [&](int left, int top) {
        Set("Left", static_cast<DWORD>(left));
        Set("Top", static_cast<DWORD>(top));
        SendMessageA(hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
        return POINT{WindowRect().left, WindowRect().top};
    };
    POINT p = placeAt(5 - w, 5 - h);  // five pixels left on screen
    EXPECT_EQ(p.x, 5 - w);
    EXPECT_EQ(p.y, 5 - h);
    p = placeAt(4 - w, 4 - h);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    p = placeAt(1019, 763);
    EXPECT_EQ(p.x, 1019);
    EXPECT_EQ(p.y, 763);
    p = placeAt(-3000, 1020);  // a monitor that has gone away
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

namespace {
std::vector<ScreenRect> g_monitors;
std::vector<ScreenRect> TestMonitors() { return g_monitors; }
}  // namespace

TEST_F(FaceTest, PlacedOnAnActualMonitorAndBroughtBackWhenOneIsUnplugged) {
    struct Restore {
        MonitorLister previous = SetMonitorLister(TestMonitors);
        ~Restore() { SetMonitorLister(previous); }
    } restore;
    // Side by side, the right one shorter; (1500, 600) lies in the box round both, on neither.
    g_monitors = {{0, 0, 1024, 768}, {1024, 0, 2304, 480}};
    Set("Left", 1500);
    Set("Top", 600);
    Start();
    EXPECT_EQ(WindowRect().left, 1500);
    EXPECT_EQ(WindowRect().top, 0);

    Set("Top", 300);
    SendMessageA(hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
    ASSERT_EQ(WindowRect().top, 300);
    g_monitors = {{0, 0, 1024, 768}};  // the right one unplugged
    SendMessageA(hwnd(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(WindowRect().left, 0);
    EXPECT_EQ(WindowRect().top, 300);
}

namespace {
void Drag(HWND hwnd, POINT grab, POINT to) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grab.x, grab.y));
    SetCursorPos(to.x, to.y);
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(grab.x, grab.y));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(grab.x, grab.y));
}
}  // namespace

TEST_F(FaceTest, DropAfterADragWritesLeftAndTopAndNothingElse) {
    Set("Left", 100);
    Set("Top", 100);
    Start();
    ForgetStoredOptions();
    SendMessageA(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_EQ(GetCapture(), hwnd());
    SetCursorPos(300, 200);
    SendMessageA(hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_EQ(WindowRect().left, 290);
    EXPECT_EQ(WindowRect().top, 195);
    EXPECT_TRUE(StoredNames().empty());  // nothing written while moving
    SendMessageA(hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    EXPECT_NE(GetCapture(), hwnd());
    std::vector<std::string> names = StoredNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Left", "Top"}));
    EXPECT_EQ(Stored("Left"), 290u);
    EXPECT_EQ(Stored("Top"), 195u);

    // Moving the mouse after the drop moves nothing.
    SetCursorPos(500, 400);
    SendMessageA(hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    EXPECT_EQ(WindowRect().left, 290);
}

TEST_F(FaceTest, NoMoveBlocksTheDragAndWritesNothing) {
    Set("Left", 100);
    Set("Top", 100);
    Set("NoMove", 1);
    Start();
    ForgetStoredOptions();
    Drag(hwnd(), POINT{10, 5}, POINT{300, 200});
    EXPECT_EQ(WindowRect().left, 100);
    EXPECT_EQ(WindowRect().top, 100);
    EXPECT_NE(GetCapture(), hwnd());
    EXPECT_TRUE(StoredNames().empty());
}

TEST_F(FaceTest, ADragWhoseCaptureIsTakenEndsThere) {
    Set("Left", 100);
    Set("Top", 100);
    Start();
    SendMessageA(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    SetCursorPos(300, 200);
    SendMessageA(hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 5));
    ASSERT_EQ(WindowRect().left, 290);
    ForgetStoredOptions();
    SendMessageA(hwnd(), WM_CANCELMODE, 0, 0);  // as a menu or a dialog coming up does
    EXPECT_NE(GetCapture(), hwnd());
    EXPECT_EQ(Stored("Left"), 290u);

    // The button comes up elsewhere; passing over the clock later moves nothing.
    SetCursorPos(500, 400);
    SendMessageA(hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    EXPECT_EQ(WindowRect().left, 290);
    EXPECT_EQ(WindowRect().top, 195);
}

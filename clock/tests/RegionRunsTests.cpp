#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "clock/RegionRuns.h"

using namespace tembra;

namespace {

// A bottom-up 32-bit image built from the top row down, as a test reads it.
class Image {
public:
    Image(int width, int height, std::uint32_t fill) : width_(width), height_(height) {
        bits_.resize(static_cast<std::size_t>(width) * height * 4);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) Set(x, y, fill);
    }
    // colour as 0x00BBGGRR
    void Set(int x, int y, std::uint32_t colour) {
        std::uint8_t* p = &bits_[(static_cast<std::size_t>(height_ - 1 - y) * width_ + x) * 4];
        p[0] = (colour >> 16) & 0xFF;  // blue
        p[1] = (colour >> 8) & 0xFF;   // green
        p[2] = colour & 0xFF;          // red
        p[3] = 0;
    }
    // Raw bytes in memory order (blue, green, red).
    void SetBytes(int x, int y, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
        std::uint8_t* p = &bits_[(static_cast<std::size_t>(height_ - 1 - y) * width_ + x) * 4];
        p[0] = b0;
        p[1] = b1;
        p[2] = b2;
    }
    PixelImage view() const { return PixelImage{bits_.data(), width_, height_}; }

private:
    int width_, height_;
    std::vector<std::uint8_t> bits_;
};

struct Walk {
    std::vector<RunRect> rects;
    std::vector<std::size_t> flushSizes;
    std::vector<std::size_t> flushCapacities;
    std::vector<RunRect> flushBounds;
    std::size_t total = 0;
};

Walk RunWalk(const Image& image, std::uint32_t key, std::uint32_t tolerance, int dx = 0,
             int dy = 0) {
    Walk w;
    w.total = WalkNonKeyRuns(image.view(), key, tolerance, dx, dy, [&](const RunCollection& c) {
        w.flushSizes.push_back(c.rects().size());
        w.flushCapacities.push_back(c.capacity());
        w.flushBounds.push_back(c.bounds());
        w.rects.insert(w.rects.end(), c.rects().begin(), c.rects().end());
    });
    return w;
}

// Which pixels the rectangles cover, each at most once.
std::vector<int> Coverage(const std::vector<RunRect>& rects, int width, int height) {
    std::vector<int> cover(static_cast<std::size_t>(width) * height, 0);
    for (const RunRect& r : rects)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) ++cover[static_cast<std::size_t>(y) * width + x];
    return cover;
}

bool operator==(const RunRect& a, const RunRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kTolerance = 0x101010;

}  // namespace

TEST(RegionRuns, OneRectanglePerRunLeftToRightTopToBottom) {
    Image img(8, 3, kWhite);
    // top row: ..XXX.X.
    img.Set(2, 0, 0);
    img.Set(3, 0, 0);
    img.Set(4, 0, 0);
    img.Set(6, 0, 0);
    // bottom row: a run reaching the right edge
    img.Set(6, 2, 0);
    img.Set(7, 2, 0);
    Walk w = RunWalk(img, kWhite, kTolerance);
    std::vector<RunRect> expected{{2, 0, 5, 1}, {6, 0, 7, 1}, {6, 2, 8, 3}};
    ASSERT_EQ(w.rects.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_TRUE(w.rects[i] == expected[i]) << i;
    EXPECT_EQ(w.total, 3u);
    ASSERT_EQ(w.flushSizes, std::vector<std::size_t>{3});
    EXPECT_TRUE((w.flushBounds[0] == RunRect{2, 0, 8, 3}));
}

TEST(RegionRuns, BlackTextKeyedAgainstWhiteKeepsEveryPixelThatIsNotPureWhite) {
    Image img(4, 2, kWhite);
    img.Set(0, 0, 0x000000);
    img.Set(1, 0, 0xFEFFFF);  // nearly white: still part of the glyph
    img.Set(2, 1, 0xFFFEFF);
    img.Set(3, 1, 0xFFFFFE);
    Walk w = RunWalk(img, kWhite, kTolerance);
    std::vector<int> cover = Coverage(w.rects, 4, 2);
    EXPECT_EQ(cover, (std::vector<int>{1, 1, 0, 0, 0, 0, 1, 1}));
}

TEST(RegionRuns, ColouredTextKeyedAgainstBlackCutsComponentsUpTo16) {
    Image img(6, 1, 0x000000);
    img.Set(0, 0, 0x101010);  // every component 16: key
    img.Set(1, 0, 0x000011);  // red 17: glyph
    img.Set(2, 0, 0x110000);  // blue 17: glyph
    img.Set(3, 0, 0x001100);  // green 17: glyph
    img.Set(4, 0, 0x0A0B0C);  // dark fringe: key
    img.Set(5, 0, 0x0000FF);  // the text colour: glyph
    Walk w = RunWalk(img, 0x000000, kTolerance);
    EXPECT_EQ(Coverage(w.rects, 6, 1), (std::vector<int>{0, 1, 1, 1, 0, 1}));
    ASSERT_EQ(w.rects.size(), 2u);
    EXPECT_TRUE((w.rects[0] == RunRect{1, 0, 4, 1}));
    EXPECT_TRUE((w.rects[1] == RunRect{5, 0, 6, 1}));
}

TEST(RegionRuns, BytesAreComparedInMemoryOrderAgainstRedGreenBlue) {
    // A non-grey key shows the order: byte 0 (blue in a DIB) is held against the key's red.
    Image img(2, 1, 0);
    img.SetBytes(0, 0, 0x40, 0x00, 0x00);
    img.SetBytes(1, 0, 0x00, 0x00, 0x40);
    Walk w = RunWalk(img, 0x000040 /* red 0x40 */, 0);
    EXPECT_EQ(Coverage(w.rects, 2, 1), (std::vector<int>{0, 1}));
}

TEST(RegionRuns, ToleranceStopsAt255) {
    KeyRange r(0xF8F8F8, 0x101010);
    EXPECT_EQ(r.low[0], 0xF8);
    EXPECT_EQ(r.high[0], 0xFF);
    std::uint8_t px[4] = {0xFF, 0xFF, 0xFF, 0};
    EXPECT_TRUE(r.Matches(px));
    px[1] = 0xF7;
    EXPECT_FALSE(r.Matches(px));
}

TEST(RegionRuns, TopRowIsTheLastOneInMemoryAndOffsetsApply) {
    Image img(3, 4, kWhite);
    img.Set(1, 3, 0);  // bottom row of the picture: first row in memory
    Walk w = RunWalk(img, kWhite, kTolerance, 10, 20);
    ASSERT_EQ(w.rects.size(), 1u);
    EXPECT_TRUE((w.rects[0] == RunRect{11, 23, 12, 24}));
    EXPECT_TRUE((w.flushBounds[0] == RunRect{11, 23, 12, 24}));
}

TEST(RegionRuns, AllKeyGivesNoRectanglesAndNoFlush) {
    Image img(5, 5, kWhite);
    Walk w = RunWalk(img, kWhite, kTolerance);
    EXPECT_EQ(w.total, 0u);
    EXPECT_TRUE(w.flushSizes.empty());
    Image none(0, 0, kWhite);
    EXPECT_EQ(RunWalk(none, kWhite, kTolerance).total, 0u);
}

TEST(RegionRuns, MoreThan2000RectanglesAreHandedOnIn2000sWithStorageGrowingBy100) {
    // A checkerboard: every other pixel is its own run, 50 per row, 5000 in all.
    Image img(100, 100, kWhite);
    for (int y = 0; y < 100; ++y)
        for (int x = (y % 2); x < 100; x += 2) img.Set(x, y, 0x0000FF);
    Walk w = RunWalk(img, kWhite, kTolerance, 3, 4);
    EXPECT_EQ(w.total, 5000u);
    EXPECT_EQ(w.flushSizes, (std::vector<std::size_t>{2000, 2000, 1000}));
    for (std::size_t cap : w.flushCapacities) {
        EXPECT_EQ(cap % RunCollection::kGrowStep, 0u);
        EXPECT_EQ(cap, 2000u);
    }
    // Bounds restart after each flush: the first 2000 runs cover rows 0 to 39.
    EXPECT_TRUE((w.flushBounds[0] == RunRect{3, 4, 103, 44}));
    EXPECT_TRUE((w.flushBounds[2] == RunRect{3, 84, 103, 104}));
    // Every glyph pixel is covered exactly once, nothing else.
    std::vector<RunRect> shifted;
    for (RunRect r : w.rects) shifted.push_back(RunRect{r.left - 3, r.top - 4, r.right - 3, r.bottom - 4});
    std::vector<int> cover = Coverage(shifted, 100, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(cover[static_cast<std::size_t>(y) * 100 + x], (x + y) % 2 == 0 ? 1 : 0)
                << x << "," << y;
}

TEST(RegionRuns, CollectionGrowsInStepsOf100) {
    RunCollection c;
    EXPECT_EQ(c.capacity(), 0u);
    c.Add(RunRect{0, 0, 1, 1});
    EXPECT_EQ(c.capacity(), 100u);
    for (int i = 1; i < 101; ++i) c.Add(RunRect{i, 0, i + 1, 1});
    EXPECT_EQ(c.capacity(), 200u);
    c.Clear();
    EXPECT_TRUE(c.empty());
    EXPECT_TRUE((c.bounds() == RunRect{RunCollection::kMaxLong, RunCollection::kMaxLong, 0, 0}));
}

TEST(RegionRuns, ChangedColumnsSpanEveryDifferingPixelAndNothingMore) {
    const Image before(10, 4, kWhite);
    Image after(10, 4, kWhite);
    EXPECT_TRUE(ChangedColumns(before.view(), after.view()).empty());

    // Differences in different rows widen one span; one changed byte is a change.
    after.SetBytes(6, 3, 0xFF, 0xFE, 0xFF);
    ColumnSpan span = ChangedColumns(before.view(), after.view());
    EXPECT_EQ(span.first, 6);
    EXPECT_EQ(span.last, 7);
    after.Set(3, 0, 0);
    after.Set(4, 2, 0);
    span = ChangedColumns(before.view(), after.view());
    EXPECT_EQ(span.first, 3);
    EXPECT_EQ(span.last, 7);

    // The first and the last column, each in a row of its own.
    after.Set(0, 1, 0);
    after.Set(9, 2, 0);
    span = ChangedColumns(before.view(), after.view());
    EXPECT_EQ(span.first, 0);
    EXPECT_EQ(span.last, 10);

    const Image wider(11, 4, kWhite);
    span = ChangedColumns(before.view(), wider.view());
    EXPECT_EQ(span.first, 0);
    EXPECT_EQ(span.last, 11);
}

TEST(RegionRuns, AWalkOverSomeColumnsCutsRunsAtTheirEdges) {
    Image img(10, 2, kWhite);
    for (int x = 1; x < 9; ++x) img.Set(x, 0, 0);  // .XXXXXXXX.
    img.Set(2, 1, 0);                              // ..X....X..
    img.Set(7, 1, 0);
    std::vector<RunRect> rects;
    const std::size_t total = WalkNonKeyRuns(img.view(), ColumnSpan{3, 8}, kWhite, kTolerance, 100,
                                             10, [&](const RunCollection& c) {
                                                 rects.insert(rects.end(), c.rects().begin(),
                                                              c.rects().end());
                                             });
    ASSERT_EQ(total, 2u);
    EXPECT_TRUE((rects[0] == RunRect{103, 10, 108, 11}));
    EXPECT_TRUE((rects[1] == RunRect{107, 11, 108, 12}));
    // A span reaching past the image is held to it.
    rects.clear();
    WalkNonKeyRuns(img.view(), ColumnSpan{5, 40}, kWhite, kTolerance, 0, 0,
                   [&](const RunCollection& c) {
                       rects.insert(rects.end(), c.rects().begin(), c.rects().end());
                   });
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_TRUE((rects[0] == RunRect{5, 0, 9, 1}));
}

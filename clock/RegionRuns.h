// Cutting a 32-bit image into rectangles of non-key pixels, one run of a row at a time:
// the portable half of building a window region from a bitmap.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace tembra {

struct RunRect {
    std::int32_t left, top, right, bottom;
};

// The rectangles collected since the last flush and the box round them. Storage grows in
// steps of kGrowStep so a large face costs few reallocations; a collection is handed on
// every kFlushCount rectangles so no single region call gets too large.
class RunCollection {
public:
    static constexpr std::size_t kGrowStep = 100;
    static constexpr std::size_t kFlushCount = 2000;

    RunCollection();
    void Add(const RunRect& rect);
    void Clear();
    bool full() const { return rects_.size() >= kFlushCount; }
    bool empty() const { return rects_.empty(); }
    const std::vector<RunRect>& rects() const { return rects_; }
    std::size_t capacity() const { return rects_.capacity(); }
    // Starts "inverted" (kMaxLong, kMaxLong, 0, 0) and widens with each rectangle.
    const RunRect& bounds() const { return bounds_; }

    static constexpr std::int32_t kMaxLong = 0x7FFFFFFF;

private:
    std::vector<RunRect> rects_;
    RunRect bounds_;
};

// A 32-bit-per-pixel image as a bottom-up DIB stores it: `height` rows of `width` pixels,
// the bottom row first, each pixel four bytes (blue, green, red, unused).
struct PixelImage {
    const std::uint8_t* bits;
    int width;
    int height;
};

// Columns [first, last) of an image; empty when first >= last.
struct ColumnSpan {
    int first;
    int last;
    bool empty() const { return first >= last; }
    int width() const { return empty() ? 0 : last - first; }
};

// The narrowest span of columns outside which `before` and `after` are the same, pixel for
// pixel (all four bytes); empty when they are identical. Images of different sizes differ
// everywhere: the span is then all of `after`.
ColumnSpan ChangedColumns(const PixelImage& before, const PixelImage& after);

// Colours are 0x00BBGGRR. A pixel is a key pixel when its three bytes, taken in memory
// order, lie within [c, min(255, c + t)] of the key's red, green and blue components c and
// the tolerance's matching components t. (The clock's keys are black or white with equal
// tolerance per component, for which the order of the bytes does not matter.)
struct KeyRange {
    KeyRange(std::uint32_t key, std::uint32_t tolerance);
    bool Matches(const std::uint8_t* pixel) const {
        return pixel[0] >= low[0] && pixel[0] <= high[0] && pixel[1] >= low[1] &&
               pixel[1] <= high[1] && pixel[2] >= low[2] && pixel[2] <= high[2];
    }
    std::uint8_t low[3];
    std::uint8_t high[3];
};

// Walks the image from its top row to its bottom, left to right, and adds one rectangle
// (offset by xOffset, yOffset) per run of non-key pixels. `flush` receives the collection
// whenever it holds kFlushCount rectangles and once more at the end if anything is left;
// the collection is emptied after each call. Returns the number of rectangles found.
std::size_t WalkNonKeyRuns(const PixelImage& image, std::uint32_t key, std::uint32_t tolerance,
                           int xOffset, int yOffset,
                           const std::function<void(const RunCollection&)>& flush);
// The same walk over `columns` only (clamped to the image): a run reaching past either edge
// of the span is cut there.
std::size_t WalkNonKeyRuns(const PixelImage& image, ColumnSpan columns, std::uint32_t key,
                           std::uint32_t tolerance, int xOffset, int yOffset,
                           const std::function<void(const RunCollection&)>& flush);

}  // namespace tembra

#include "clock/RegionRuns.h"

#include <algorithm>
#include <cstring>

namespace tembra {

RunCollection::RunCollection() { Clear(); }

void RunCollection::Clear() {
    rects_.clear();
    bounds_ = RunRect{kMaxLong, kMaxLong, 0, 0};
}

void RunCollection::Add(const RunRect& rect) {
    if (rects_.size() == rects_.capacity()) rects_.reserve(rects_.capacity() + kGrowStep);
    rects_.push_back(rect);
    bounds_.left = std::min(bounds_.left, rect.left);
    bounds_.top = std::min(bounds_.top, rect.top);
    bounds_.right = std::max(bounds_.right, rect.right);
    bounds_.bottom = std::max(bounds_.bottom, rect.bottom);
}

KeyRange::KeyRange(std::uint32_t key, std::uint32_t tolerance) {
    for (int i = 0; i < 3; ++i) {
        const unsigned c = (key >> (8 * i)) & 0xFF;
        const unsigned t = (tolerance >> (8 * i)) & 0xFF;
        low[i] = static_cast<std::uint8_t>(c);
        high[i] = static_cast<std::uint8_t>(std::min(255u, c + t));
    }
}

namespace {

// Pixels compared at once before looking for the one that differs: most blocks match.
constexpr int kBlockPixels = 16;

bool Same(const std::uint8_t* a, const std::uint8_t* b, int x, int count) {
    std::uint32_t difference = 0;
    for (int i = x; i < x + count; ++i) {
        std::uint32_t pa, pb;
        std::memcpy(&pa, a + 4 * i, 4);
        std::memcpy(&pb, b + 4 * i, 4);
        difference |= pa ^ pb;
    }
    return difference == 0;
}

// The first column in [from, to) where the rows differ, or `to`.
int FirstDifference(const std::uint8_t* a, const std::uint8_t* b, int from, int to) {
    int x = from;
    while (x + kBlockPixels <= to && Same(a, b, x, kBlockPixels)) x += kBlockPixels;
    while (x < to && Same(a, b, x, 1)) ++x;
    return x;
}

// The last column in [from, to) where the rows differ, or from - 1.
int LastDifference(const std::uint8_t* a, const std::uint8_t* b, int from, int to) {
    int x = to;
    while (x - kBlockPixels >= from && Same(a, b, x - kBlockPixels, kBlockPixels)) x -= kBlockPixels;
    while (x > from && Same(a, b, x - 1, 1)) --x;
    return x - 1;
}

}  // namespace

ColumnSpan ChangedColumns(const PixelImage& before, const PixelImage& after) {
    const int width = after.width;
    if (before.width != width || before.height != after.height) return ColumnSpan{0, width};
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    int first = width, last = 0;
    for (int row = 0; row < after.height; ++row) {
        const std::uint8_t* a = before.bits + stride * static_cast<std::size_t>(row);
        const std::uint8_t* b = after.bits + stride * static_cast<std::size_t>(row);
        // Only columns outside the span found so far can widen it.
        first = FirstDifference(a, b, 0, first);
        if (first < width) last = std::max(last, LastDifference(a, b, std::max(last, first), width) + 1);
    }
    return ColumnSpan{first, last};
}

std::size_t WalkNonKeyRuns(const PixelImage& image, std::uint32_t key, std::uint32_t tolerance,
                           int xOffset, int yOffset,
                           const std::function<void(const RunCollection&)>& flush) {
    return WalkNonKeyRuns(image, ColumnSpan{0, image.width}, key, tolerance, xOffset, yOffset,
                          flush);
}

std::size_t WalkNonKeyRuns(const PixelImage& image, ColumnSpan columns, std::uint32_t key,
                           std::uint32_t tolerance, int xOffset, int yOffset,
                           const std::function<void(const RunCollection&)>& flush) {
    const int begin = std::max(columns.first, 0);
    const int end = std::min(columns.last, image.width);
    const KeyRange range(key, tolerance);
    // 32-bit rows are always a multiple of four bytes: no padding.
    const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
    RunCollection runs;
    std::size_t total = 0;
    for (int y = 0; y < image.height; ++y) {
        // Bottom-up storage: the top row of the picture is the last one in memory.
        const std::uint8_t* row = image.bits + stride * static_cast<std::size_t>(image.height - 1 - y);
        int x = begin;
        while (x < end) {
            while (x < end && range.Matches(row + 4 * x)) ++x;
            const int x0 = x;
            while (x < end && !range.Matches(row + 4 * x)) ++x;
            if (x == x0) continue;
            runs.Add(RunRect{x0 + xOffset, y + yOffset, x + xOffset, y + 1 + yOffset});
            ++total;
            if (runs.full()) {
                flush(runs);
                runs.Clear();
            }
        }
    }
    if (!runs.empty()) flush(runs);
    return total;
}

}  // namespace tembra

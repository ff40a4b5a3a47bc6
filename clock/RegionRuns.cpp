#include "clock/RegionRuns.h"

#include <algorithm>

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

std::size_t WalkNonKeyRuns(const PixelImage& image, std::uint32_t key, std::uint32_t tolerance,
                           int xOffset, int yOffset,
                           const std::function<void(const RunCollection&)>& flush) {
    const KeyRange range(key, tolerance);
    // 32-bit rows are always a multiple of four bytes: no padding.
    const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
    RunCollection runs;
    std::size_t total = 0;
    for (int y = 0; y < image.height; ++y) {
        // Bottom-up storage: the top row of the picture is the last one in memory.
        const std::uint8_t* row = image.bits + stride * static_cast<std::size_t>(image.height - 1 - y);
        int x = 0;
        while (x < image.width) {
            while (x < image.width && range.Matches(row + 4 * x)) ++x;
            const int x0 = x;
            while (x < image.width && !range.Matches(row + 4 * x)) ++x;
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

#include "clock/RegionFromBitmap.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tembra {

namespace {

static_assert(sizeof(RunRect) == sizeof(RECT), "a run is laid out as a RECT");

// Wine's ExtCreateRegion ORs the rectangles in one at a time, each time copying all it has
// so far: its cost grows with the square of the count (3 ms for the 1,446 of a large face).
// Regions of a few dozen rectangles ORed together cost a tenth of that.
constexpr std::size_t kRectsPerRegionCall = 32;

UniqueRegion RegionOfRects(const RunRect* rects, std::size_t count) {
    std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(count);
    header->nRgnSize = 0;
    RunRect b = rects[0];
    for (std::size_t i = 1; i < count; ++i) {
        b.left = std::min(b.left, rects[i].left);
        b.top = std::min(b.top, rects[i].top);
        b.right = std::max(b.right, rects[i].right);
        b.bottom = std::max(b.bottom, rects[i].bottom);
    }
    SetRect(&header->rcBound, b.left, b.top, b.right, b.bottom);
    std::memcpy(data.data() + sizeof(RGNDATAHEADER), rects, count * sizeof(RECT));
    return UniqueRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                        reinterpret_cast<const RGNDATA*>(data.data())));
}

// The collection's rectangles ORed into `result` (or becoming it).
void AddRuns(const RunCollection& runs, UniqueRegion& result) {
    const std::vector<RunRect>& rects = runs.rects();
    for (std::size_t at = 0; at < rects.size(); at += kRectsPerRegionCall) {
        UniqueRegion part =
            RegionOfRects(&rects[at], std::min(kRectsPerRegionCall, rects.size() - at));
        if (!part) continue;
        if (!result)
            result = std::move(part);
        else
            CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
    }
}

}  // namespace

UniqueRegion BuildRegionFromBitmap(HBITMAP bitmap, COLORREF key, COLORREF tolerance, int xOffset,
                                   int yOffset) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return UniqueRegion();

    // Copy the bitmap, whatever its format, into a 32-bit bottom-up DIB we can read.
    UniqueMemoryDc dibDc(CreateCompatibleDC(nullptr));
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = info.bmWidth;
    bih.biHeight = info.bmHeight;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap dib(CreateDIBSection(dibDc.get(), reinterpret_cast<BITMAPINFO*>(&bih),
                                      DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dibDc || !dib || !bits) return UniqueRegion();
    SelectGuard dibSelected(dibDc.get(), dib.get());
    {
        UniqueMemoryDc sourceDc(CreateCompatibleDC(dibDc.get()));
        SelectGuard sourceSelected(sourceDc.get(), bitmap);
        BitBlt(dibDc.get(), 0, 0, info.bmWidth, info.bmHeight, sourceDc.get(), 0, 0, SRCCOPY);
    }
    GdiFlush();

    const PixelImage image{static_cast<const std::uint8_t*>(bits), info.bmWidth, info.bmHeight};
    return BuildRegionFromPixels(image, ColumnSpan{0, info.bmWidth}, key, tolerance, xOffset,
                                 yOffset);
}

UniqueRegion BuildRegionFromPixels(const PixelImage& image, ColumnSpan columns, COLORREF key,
                                   COLORREF tolerance, int xOffset, int yOffset) {
    UniqueRegion result;
    WalkNonKeyRuns(image, columns, key, tolerance, xOffset, yOffset,
                   [&](const RunCollection& runs) { AddRuns(runs, result); });
    return result;
}

}  // namespace tembra

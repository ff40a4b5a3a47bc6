#include "clock/RegionFromBitmap.h"

#include <cstring>
#include <vector>

#include "clock/RegionRuns.h"

namespace tembra {

namespace {

static_assert(sizeof(RunRect) == sizeof(RECT), "a run is laid out as a RECT");

// One ExtCreateRegion call for a collection, ORed into `result` (or becoming it).
void AddRuns(const RunCollection& runs, UniqueRegion& result) {
    std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + runs.rects().size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(runs.rects().size());
    header->nRgnSize = 0;
    const RunRect& b = runs.bounds();
    SetRect(&header->rcBound, b.left, b.top, b.right, b.bottom);
    std::memcpy(data.data() + sizeof(RGNDATAHEADER), runs.rects().data(),
                runs.rects().size() * sizeof(RECT));
    UniqueRegion part(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                      reinterpret_cast<const RGNDATA*>(data.data())));
    if (!part) return;
    if (!result)
        result = std::move(part);
    else
        CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
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

    UniqueRegion result;
    const PixelImage image{static_cast<const std::uint8_t*>(bits), info.bmWidth, info.bmHeight};
    WalkNonKeyRuns(image, key, tolerance, xOffset, yOffset,
                   [&](const RunCollection& runs) { AddRuns(runs, result); });
    return result;
}

}  // namespace tembra

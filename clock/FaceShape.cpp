#include "clock/FaceShape.h"

#include <cstring>

#include "clock/RegionFromBitmap.h"

namespace tembra {

bool FaceShape::Reset(int width, int height) {
    Release();
    if (width <= 0 || height <= 0) return false;
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = width;
    bih.biHeight = height;  // bottom-up, as the run walk reads it
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap(CreateDIBSection(dc.get(), reinterpret_cast<BITMAPINFO*>(&bih),
                                         DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !bitmap || !bits) return false;
    SelectObject(dc.get(), bitmap.get());
    bitmap_ = std::move(bitmap);
    dc_ = std::move(dc);
    bits_ = static_cast<const std::uint8_t*>(bits);
    width_ = width;
    height_ = height;
    cutFrom_.assign(static_cast<std::size_t>(width) * height * 4, 0);
    return true;
}

void FaceShape::Release() {
    dc_.reset();
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    cutFrom_.clear();
    cut_ = false;
    shape_.reset();
    walked_ = 0;
}

bool FaceShape::Cut(COLORREF key, COLORREF tolerance) {
    if (!ready()) return false;
    GdiFlush();  // the drawing must have reached the bits
    const PixelImage now{bits_, width_, height_};
    const PixelImage before{cutFrom_.data(), width_, height_};
    const bool sameKey = cut_ && key == key_ && tolerance == tolerance_;
    const ColumnSpan columns = sameKey ? ChangedColumns(before, now) : ColumnSpan{0, width_};
    if (columns.empty()) return false;

    UniqueRegion changed = BuildRegionFromPixels(now, columns, key, tolerance, 0, 0);
    if (columns.width() == width_ || !shape_) {
        // Nothing but key pixels: an empty shape, not "no region", which would show it all.
        shape_ = changed ? std::move(changed) : UniqueRegion(CreateRectRgn(0, 0, 0, 0));
    } else {
        UniqueRegion stripe(CreateRectRgn(columns.first, 0, columns.last, height_));
        CombineRgn(shape_.get(), shape_.get(), stripe.get(), RGN_DIFF);
        if (changed) CombineRgn(shape_.get(), shape_.get(), changed.get(), RGN_OR);
    }

    const std::size_t stride = static_cast<std::size_t>(width_) * 4;
    for (int row = 0; row < height_; ++row) {
        const std::size_t at = stride * static_cast<std::size_t>(row) + 4u * columns.first;
        std::memcpy(cutFrom_.data() + at, bits_ + at, 4u * columns.width());
    }
    cut_ = true;
    key_ = key;
    tolerance_ = tolerance;
    walked_ = columns.width();
    return true;
}

}  // namespace tembra

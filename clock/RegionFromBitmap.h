// A window region cut from a bitmap: every pixel that is not the key colour.
#pragma once
#include <windows.h>

#include "clock/RegionRuns.h"
#include "framework/Handles.h"

namespace tembra {

// Tolerance used by the transparent clock face: 16 per component.
constexpr COLORREF kFaceKeyTolerance = 0x101010;

// The region of all pixels of `bitmap` outside [key, key + tolerance] per component, moved
// by (xOffset, yOffset); empty (no handle) when every pixel is a key pixel or on failure.
UniqueRegion BuildRegionFromBitmap(HBITMAP bitmap, COLORREF key, COLORREF tolerance, int xOffset,
                                   int yOffset);

// The same cut from the `columns` of a 32-bit bottom-up image already in memory.
UniqueRegion BuildRegionFromPixels(const PixelImage& image, ColumnSpan columns, COLORREF key,
                                   COLORREF tolerance, int xOffset, int yOffset);

}  // namespace tembra

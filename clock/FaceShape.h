// The transparent face's off-screen picture and the window shape cut from it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "clock/RegionRuns.h"
#include "framework/Handles.h"

namespace tembra {

// Each picture is compared with the one the shape was last cut from: only the columns that
// changed are walked again, the rest of the shape is kept. A tick that changes the seconds
// thus walks two digits, not the whole face; the shape always equals a cut of the whole
// picture.
class FaceShape {
public:
    // A new, blank picture of this size (32 bits a pixel); the next cut walks all of it.
    bool Reset(int width, int height);
    void Release();
    bool ready() const { return static_cast<bool>(dc_); }
    // Where the next picture is drawn.
    HDC dc() const { return dc_.get(); }
    // Cuts the shape from the picture as drawn now: every pixel outside [key, key + tolerance]
    // per component. False when the picture is what the shape was last cut from.
    bool Cut(COLORREF key, COLORREF tolerance);
    // The last shape cut (never null after a cut); owned here.
    HRGN shape() const { return shape_.get(); }
    // How many columns the last cut walked.
    int walkedColumns() const { return walked_; }

private:
    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;  // after the bitmap: deleted first, with the bitmap still selected
    const std::uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    // The picture the shape was cut from, laid out as the bitmap's pixels.
    std::vector<std::uint8_t> cutFrom_;
    bool cut_ = false;
    COLORREF key_ = 0;
    COLORREF tolerance_ = 0;
    UniqueRegion shape_;
    int walked_ = 0;
};

}  // namespace tembra

// Lengths given for the standard 96 DPI, drawn at another DPI, and back.
#pragma once

namespace tembra {

// The DPI at which stored sizes (the clock's font height, say) are given.
constexpr unsigned kDefaultDpi = 96;

// `value` (pixels at 96 DPI) in pixels at `dpi`, rounded to the nearest pixel with halves
// away from zero, as MulDiv rounds; the sign is kept (a negative font height stays one).
// Results beyond the int range stop at its ends. A `dpi` of 0 counts as 96.
int ScaleToDpi(int value, unsigned dpi);
// The inverse: pixels at `dpi` given as pixels at 96 DPI.
int ScaleFromDpi(int value, unsigned dpi);

}  // namespace tembra

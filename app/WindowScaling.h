// Window sizes at a display scaling: the compact strip's height, and the
// full window's rectangle carried over when the window comes to a monitor
// with another scaling. Sizes are outer sizes in physical pixels.
#pragma once
#include "platform/Window.h"

namespace kelvo {

// 100 % scaling.
inline constexpr int kBaseDpi = 96;
// The compact strip's height at kBaseDpi; it grows with the scaling.
inline constexpr int kCompactHeight = 110;

// number * numerator / denominator, rounded to the nearest integer with
// halves away from zero, as the platform's MulDiv; `number` unchanged for a
// zero denominator.
int MulDivRounded(int number, int numerator, int denominator);

// The compact strip's height on a monitor of `dpi` dots per inch.
int CompactHeight(int dpi);

// The full window's rectangle once the window has come from `oldDpi` to
// `newDpi` and the system suggested `suggested` for it. With its full size
// on screen the window gets the suggestion, which is then the full window.
// In the compact strip the full window takes the suggestion's place and
// width, and its height scaled from `oldDpi`.
Rect FullRectAfterDpiChange(const Rect& full, int oldDpi, int newDpi, const Rect& suggested, bool fullView);

}  // namespace kelvo

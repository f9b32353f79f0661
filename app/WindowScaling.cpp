#include "app/WindowScaling.h"

namespace kelvo {

int MulDivRounded(int number, int numerator, int denominator) {
    if (denominator == 0) return number;
    long long product = static_cast<long long>(number) * numerator;
    long long divisor = denominator;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const long long half = divisor / 2;
    return static_cast<int>((product >= 0 ? product + half : product - half) / divisor);
}

int CompactHeight(int dpi) { return MulDivRounded(kCompactHeight, dpi, kBaseDpi); }

Rect FullRectAfterDpiChange(const Rect& full, int oldDpi, int newDpi, const Rect& suggested, bool fullView) {
    if (fullView) return suggested;
    const int height = MulDivRounded(full.bottom - full.top, newDpi, oldDpi);
    return Rect{suggested.left, suggested.top, suggested.right, suggested.top + height};
}

}  // namespace kelvo

// TPlotView: the world/pixel mappings.
#include "PlotView.h"

#include "Errors.h"

#include <cmath>

namespace kurvo {

namespace {
/// Halves to even; a pixel out of 32-bit range is an invalid operation.
int nearestPixel(Extended v) {
    // Adding and taking away 2^63 leaves the nearest whole number, halves to even (a long double
    // has 64 mantissa bits), as the library's nearbyint does, without its change of the FPU's
    // control word, which made it a tenth of a 4K paint.
    constexpr Extended Shift = 9223372036854775808.0L; // 2^63
    Extended r;
    if (v >= 0 && v < Shift) {
        volatile Extended up = v + Shift;
        r = up - Shift;
    } else if (v < 0 && v > -Shift) {
        volatile Extended down = v - Shift;
        r = down + Shift;
    } else {
        r = std::nearbyint(v);
    }
    if (!(r >= -2147483648.0L && r <= 2147483647.0L)) throw EInvalidOp(msg::InvalidOp);
    // r is whole and within int range, so exact as a double: converting from there needs no
    // change of the FPU's control word either.
    return static_cast<int>(static_cast<double>(r));
}
} // namespace

int TPlotView::WorldToPixelX(Extended x) const {
    return nearestPixel((x - Xmin) * PlotWidth / XRange);
}

int TPlotView::WorldToPixelY(Extended y) const {
    return PlotHeight - nearestPixel((y - Ymin) * PlotHeight / YRange);
}

} // namespace kurvo

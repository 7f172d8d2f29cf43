// TPlotView: the world/pixel mappings.
#include "PlotView.h"

#include "Errors.h"

#include <cmath>

namespace kurvo {

namespace {
/// Halves to even; a pixel out of 32-bit range is an invalid operation.
int nearestPixel(Extended v) {
    Extended r = std::nearbyint(v);
    if (!(r >= -2147483648.0L && r <= 2147483647.0L)) throw EInvalidOp(msg::InvalidOp);
    return static_cast<int>(r);
}
} // namespace

int TPlotView::WorldToPixelX(Extended x) const {
    return nearestPixel((x - Xmin) * PlotWidth / XRange);
}

int TPlotView::WorldToPixelY(Extended y) const {
    return PlotHeight - nearestPixel((y - Ymin) * PlotHeight / YRange);
}

} // namespace kurvo

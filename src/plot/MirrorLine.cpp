// Drawing a transformation's mirror line across the plot picture.
#include "MirrorLine.h"

#include <algorithm>
#include <cmath>

namespace kurvo {
namespace {

QPen mirrorPen() {
    QPen pen(QColor(255, 0, 0));
    pen.setStyle(Qt::DotLine);
    pen.setWidth(1);
    return pen;
}

} // namespace

void drawMirrorLine(QPainter& painter, const TPlotView& view, Extended slope, Extended intercept) {
    if (!std::isfinite(static_cast<double>(slope)) || !std::isfinite(static_cast<double>(intercept))) return;
    Extended x1 = view.Xmin, x2 = view.Xmax;
    // Keep the x interval where the line stays within a margin of one picture height above and
    // below the view: there the pixel rows are ordinary numbers, and the rest is off the picture.
    if (slope != 0) {
        const Extended margin = std::fabs(view.Ymax - view.Ymin);
        Extended xa = (view.Ymin - margin - intercept) / slope;
        Extended xb = (view.Ymax + margin - intercept) / slope;
        if (xa > xb) std::swap(xa, xb);
        x1 = std::max(x1, xa);
        x2 = std::min(x2, xb);
        if (x1 > x2) return;
    } else if (intercept < view.Ymin - std::fabs(view.YRange) ||
               intercept > view.Ymax + std::fabs(view.YRange)) {
        return;
    }
    painter.save();
    painter.setPen(mirrorPen());
    painter.drawLine(view.WorldToPixelX(x1), view.WorldToPixelY(slope * x1 + intercept),
                     view.WorldToPixelX(x2), view.WorldToPixelY(slope * x2 + intercept));
    painter.restore();
}

void drawVerticalMirrorLine(QPainter& painter, const TPlotView& view, Extended c) {
    if (!(c >= view.Xmin - std::fabs(view.XRange) && c <= view.Xmax + std::fabs(view.XRange))) return;
    painter.save();
    painter.setPen(mirrorPen());
    const int column = view.WorldToPixelX(c);
    painter.drawLine(column, 0, column, view.PlotHeight);
    painter.restore();
}

} // namespace kurvo

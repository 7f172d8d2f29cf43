// TPlotView: the world rectangle, the sampling step and the picture size one paint draws for.
#pragma once

#include "SettingsRecord.h"

namespace kurvo {

using Extended = long double;

/// What a paint draws for: the world ranges, the plot step, and the picture's width and height in
/// pixels. The mappings between world coordinates and pixels belong to it.
struct TPlotView {
    Extended Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0, Tmin = 0, Tmax = 0;
    Extended PlotStep = 0;
    Extended XRange = 0, YRange = 0;
    int PlotWidth = 0, PlotHeight = 0;
    /// The plot-step count the step was read from; 0 when the step was given directly.
    int StepCount = 0;

    /// The sampling step of a graph over t (usesT) or over x: a quarter of the range divided by
    /// the step count; the given step when there is no count.
    Extended stepFor(bool usesT) const {
        if (StepCount == 0) return PlotStep;
        return (usesT ? Tmax - Tmin : XRange) / StepCount * 0.25L;
    }

    /// The ranges and step of the settings with the given picture size.
    static TPlotView of(const TSettingsRecord& s, Extended xRange, Extended yRange, int width, int height) {
        return {s.Xmin, s.Xmax, s.Ymin, s.Ymax, s.Tmin, s.Tmax, s.PlotStep, xRange, yRange, width, height, 0};
    }

    /// Nearest pixel (halves to even). Raises EInvalidOp when the pixel lies outside 32-bit range,
    /// as an integer store of the value would fail.
    int WorldToPixelX(Extended x) const;
    int WorldToPixelY(Extended y) const;
    /// The exact picture position of a world coordinate, of which WorldToPixelX/Y give the
    /// nearest pixel: antialiased curves and documents are drawn through these.
    double ExactX(Extended x) const { return static_cast<double>((x - Xmin) * PlotWidth / XRange); }
    double ExactY(Extended y) const { return static_cast<double>(PlotHeight - (y - Ymin) * PlotHeight / YRange); }
    Extended PixelToWorldX(Extended px) const { return px * XRange / PlotWidth + Xmin; }
    Extended PixelToWorldY(Extended py) const { return (PlotHeight - py) * YRange / PlotHeight + Ymin; }

    /// The same world rectangle, t range and picture size. The plot step is left out: it follows
    /// each graph's mode (x or t range) as well as the plot-step field.
    bool sameAs(const TPlotView& o) const {
        return Xmin == o.Xmin && Xmax == o.Xmax && Ymin == o.Ymin && Ymax == o.Ymax && Tmin == o.Tmin &&
               Tmax == o.Tmax && PlotWidth == o.PlotWidth && PlotHeight == o.PlotHeight;
    }
};

} // namespace kurvo

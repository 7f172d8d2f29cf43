// TAutoScale: fits the view to the newest graph by sampling it (automatic y-scaling).
#pragma once

#include "GraphDocument.h"
#include "PlotParsers.h"

namespace kurvo {

/// The fits of automatic y-scaling. Each samples the formula in `Parser1` (and `Parser2` for the
/// second function of a parametric pair) over the current view and writes new ranges into the
/// settings and the document's `XRange` and `YRange`; the caller shows them in the range fields.
/// The y range of Cartesian and implicit graphs is fitted, both ranges of polar and parametric
/// graphs. Values at or beyond +-100 are ignored and a fitted range always contains the origin.
class TAutoScale {
  public:
    enum class Outcome {
        Fitted,
        Unchanged,   ///< nothing could be sampled: the view stays as it was
        NothingFound ///< an implicit relation without a point in the domain: ask for a wider one
    };

    TAutoScale(TGraphDocument& document, TPlotParsers& parsers)
        : doc_(document), s_(document.Settings), p_(parsers) {}

    /// The fit of the current mode, followed by the integral fit where integrals are drawn.
    Outcome fit();

    Outcome CartesianFit();
    Outcome IntegralFit();
    Outcome PolarFit();
    /// x = f(t), y = g(t); with `polar`, r = f(t) at angle g(t).
    Outcome ParametricFit(bool polar);
    Outcome ImplicitFit();

  private:
    struct Bounds {
        Extended top = 0, bottom = 0;
        void take(Extended v) {
            if (v > top && v < 100) top = v;
            if (v < bottom && v > -100) bottom = v;
        }
    };
    /// Samples x over the view like the Cartesian fit: h = XRange / 128, four steps after a failure.
    void sampleX(Bounds& b);
    /// Ymin and Ymax from the bounds, stretched by `factor`.
    Outcome applyY(Bounds b, Extended factor);
    void recompute();

    TGraphDocument& doc_;
    TSettingsRecord& s_;
    TPlotParsers& p_;
};

} // namespace kurvo

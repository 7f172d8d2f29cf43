// TParameterPlotter: polar r = f(t) and the two parametric plotters, running t over [Tmin, Tmax].
#pragma once

#include "PlotRenderer.h"

#include <utility>

namespace kurvo {

/// Every sample is joined to the previous one: no breaks, no asymptotes. An evaluation failure is
/// not caught here; it ends the paint and reaches the caller.
class TParameterPlotter {
  public:
    explicit TParameterPlotter(TPlotRenderer& renderer) : e_(renderer), s_(renderer.Settings) {}

    void PlotPolarGraph(int slot);
    void PlotParametricCartesian(int slot);
    void PlotParametricPolar(int slot);

  private:
    enum class Kind { Polar, ParametricCartesian, ParametricPolar };
    void run(int slot, Kind kind);
    /// The first t: Tmin, or just after 0 for a polar logarithm, which has no value at 0.
    Extended firstT(Kind kind) const;
    /// The world point of one sample from its evaluations; a failed one raises its error here.
    std::pair<Extended, Extended> worldPoint(Kind kind, Extended t, double tv, const EvalResult& first,
                                             const EvalResult& second);

    TPlotRenderer& e_;
    const TSettingsRecord& s_;
};

} // namespace kurvo

// TParameterPlotter: polar r = f(t) and the two parametric plotters, running t over [Tmin, Tmax].
#pragma once

#include "PlotRenderer.h"

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

    TPlotRenderer& e_;
    const TSettingsRecord& s_;
};

} // namespace kurvo

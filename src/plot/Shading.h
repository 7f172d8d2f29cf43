// TShading: the lattice dots that shade the region above or below a Cartesian graph.
#pragma once

#include "PlotRenderer.h"

namespace kurvo {

class TShading {
  public:
    explicit TShading(TPlotRenderer& renderer) : e_(renderer) {}

    /// Relation box "y>" or "y>=": a dot every 10 pixels where y > f(x).
    void ShadeAboveGraph(int slot);
    /// Relation box "y<" or "y<=": a dot every 5 pixels where y < f(x).
    void ShadeBelowGraph(int slot);
    /// Implicit relation with ">", ">=", "<" or "<=": a dot every 10 pixels on the side where the
    /// relation holds, judged by the sign of the simple-sort form left minus right.
    void ShadeImplicitRegion(int slot, const TGraphSlot& graph);

  private:
    void shade(int slot, int spacing, bool above);
    TPlotRenderer& e_;
};

} // namespace kurvo

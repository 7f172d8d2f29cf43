// TImplicitPlotter: a general relation F(x, y) = 0 traced row by row with Newton's method.
#pragma once

#include "PlotRenderer.h"

namespace kurvo {

class TImplicitPlotter {
  public:
    explicit TImplicitPlotter(TPlotRenderer& renderer) : e_(renderer), s_(renderer.Settings) {}

    /// Rows 8 plot steps apart, 20 start points per row; roots within 30 pixels whose slopes share a
    /// sign class are joined. An evaluation failure ends the paint and reaches the caller.
    void PlotImplicitRelation(int slot);

    struct Root {
        Extended x = 0, slope = 0;
        bool found = false;
        bool stopped = false; // the user pressed Escape
    };
    /// A root of F(x, y) = 0 in x for fixed y, started at x0.
    Root NewtonSolveX(Extended x0, Extended y);

    /// Newton searches that neither converge nor diverge are given up after this many steps.
    static constexpr int MaxNewtonIterations = 100;

  private:
    TPlotRenderer& e_;
    const TSettingsRecord& s_;
};

} // namespace kurvo

// TCartesianPlotter: traces y = f(x) (or x = f(y) for INV) with breaks, asymptotes and domain edges.
#pragma once

#include "PlotRenderer.h"

#include <optional>

namespace kurvo {

/// The engine's curve tracer for one Cartesian slot, working on `Parser1`.
class TCartesianPlotter {
  public:
    explicit TCartesianPlotter(TPlotRenderer& renderer) : e_(renderer), s_(renderer.Settings) {}

    /// Draws slot `slot`; `derived` and `integral` draw the derived or integral function instead.
    void PlotCartesianGraph(int slot, bool derived, bool integral);
    /// A relation solved for y: one pass, or a second one for the negative branch when the
    /// translator set `Root`.
    void PlotExplicitImplicit(int slot);

    enum class Direction { Entering, Leaving };
    /// Bisection for a sign change of f in [v - PlotStep, v + PlotStep].
    Extended FindAsymptote(Extended v);
    /// Bisection for the point where evaluation starts (entering) or stops (leaving) failing.
    /// `failedAt` is the sample that failed, taken as the edge when the far end evaluates after all.
    Extended FindDomainEdge(Direction direction, Extended v, std::optional<Extended> failedAt = std::nullopt);
    void DrawAsymptoteLine(Extended v);

  private:
    struct Trace {
        bool derived = false, integral = false, dashed = false, swapped = false;
        bool evaluateFirst = false; // evaluate once at the start, ignoring failure
        int skipAfterFailure = 1;   // further steps skipped after a failed sample
        QColor colour;
    };
    /// Halves [a, c] towards the place where `keepsA` turns false (true moves a to the midpoint),
    /// until the interval is narrower than 1e-10 or its midpoint no longer moves; `m` follows the
    /// midpoint, so it holds the last one when an evaluation throws or the user stops.
    template <class KeepsA> void bisect(Extended a, Extended c, Extended& m, KeepsA&& keepsA);
    /// Runs the tracer; true when the user stopped it.
    bool trace(const Trace& t);
    Extended f(Extended v);
    void restorePen();

    TPlotRenderer& e_;
    const TSettingsRecord& s_;
    QColor lineColour_;
    bool swapped_ = false;
};

} // namespace kurvo

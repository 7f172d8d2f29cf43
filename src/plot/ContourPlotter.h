// TContourPlotter: a general relation F(x, y) = 0 drawn as smooth connected curves.
#pragma once

#include "PlotRenderer.h"

#include <QPointF>

#include <vector>

namespace kurvo {

/// The second plotter of general relations beside the row search of `TImplicitPlotter`: the
/// contour tracer follows F(x, y) = 0 over the whole picture with `Parser1` (X and Y set), and the
/// curves are stroked in the slot colour, dashed 9 on and 7 off along the curve for the strict
/// relations. Points where F cannot be evaluated break the curve; nothing is reported.
class TContourPlotter {
  public:
    explicit TContourPlotter(TPlotRenderer& renderer) : e_(renderer), s_(renderer.Settings) {}

    /// Draws slot `slot`; Escape ends it with "Plot stopped"; in family mode the family
    /// increments are added to `Parser1`'s constants afterwards.
    void PlotContourRelation(int slot);

    /// Side of the tracer's grid cells in pixels.
    static constexpr double CellSize = 4;

    /// The dashes of a polyline: pieces of `on` pixels separated by gaps of `off` pixels, measured
    /// along the line from its start.
    static std::vector<std::vector<QPointF>> dashes(const std::vector<QPointF>& line, double on, double off);

  private:
    TPlotRenderer& e_;
    const TSettingsRecord& s_;
};

} // namespace kurvo

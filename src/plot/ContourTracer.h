// TraceContours: a general relation F(x, y) = 0 traced as connected polylines by marching squares.
#pragma once

#include <QPointF>

#include <functional>
#include <optional>
#include <vector>

namespace kurvo {

/// The picture the contours are traced for: the world view, the picture size in pixels and the cell
/// size of the sampling grid. Pixel (0, 0) is the top left corner; pixel rows grow downwards.
struct ContourGrid {
    double Xmin = 0, Xmax = 1, Ymin = 0, Ymax = 1;
    int width = 0, height = 0;
    /// Side of a grid cell in pixels; a power of two keeps every refinement on exact binary fractions.
    double cellSize = 4;

    /// World x of a (fractional) pixel column: px x XRange / width + Xmin.
    double worldX(double px) const { return px * (Xmax - Xmin) / width + Xmin; }
    /// World y of a (fractional) pixel row: (height - py) x YRange / height + Ymin.
    double worldY(double py) const { return (height - py) * (Ymax - Ymin) / height + Ymin; }
};

/// The relation's left side: F(x, y) at a world point, or nullopt where it cannot be evaluated.
/// Infinite and NaN results count as undefined as well.
using ContourFunction = std::function<std::optional<double>(double x, double y)>;

struct ContourResult {
    /// Polylines in unrounded pixel coordinates. A closed curve ends with its first point again.
    std::vector<std::vector<QPointF>> polylines;
    /// shouldStop returned true; the polylines are those traced up to then.
    bool stopped = false;
};

/// Traces F(x, y) = 0 over the grid's picture. Every cell of the grid whose corner signs differ holds
/// a piece of the curve: its crossings are refined by bisection on the cell edges to 1/32 pixel, and
/// a cell is split into four (down to 1/8 of its side) where its corners form a saddle, where the
/// chord between its crossings strays from the curve by more than 0.4 pixel, or where only some of
/// its crossings are real. A crossing is rejected where |F| does not shrink towards it (a pole or a
/// jump, where F changes sign without passing zero), and undefined samples break the curve. The
/// pieces are joined end to end into polylines; where more than two pieces meet (a crossing of two
/// branches) the polylines end at the common point. shouldStop is asked once per row of cells.
ContourResult TraceContours(const ContourFunction& F, const ContourGrid& grid,
                            const std::function<bool()>& shouldStop);

} // namespace kurvo

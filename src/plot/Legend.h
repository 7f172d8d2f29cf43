// The graphs as the user sees them (formula, colours, line style) and the legend box that names them.
#pragma once

#include "GraphDocument.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <string>
#include <vector>

namespace kurvo {

class TPlotRenderer;

/// One graph of the drawing as the graph list and the legend show it. A family is one graph.
struct TGraphEntry {
    int slot = 0;        ///< its first slot
    int members = 1;     ///< a family's member count; 1 for any other graph
    std::string formula; ///< as typed (Windows-1252)
    /// The colours its curve is drawn in: one, or for a family its members' (at most five, the
    /// colours repeat after that).
    std::vector<QColor> colours;
    bool dashed = false; ///< drawn with a dashed line (a strict inequality)
    bool hidden = false;

    bool family() const { return members > 1; }
    bool operator==(const TGraphEntry&) const = default;
};

/// The colour the curve of `slot` is drawn in: its graph colour, or the derivative or integral colour
/// for a derived or integral graph while those switches are on (as the Cartesian plotter chooses).
QColor drawnColour(const TGraphDocument& doc, int slot);

/// The drawing's graphs in slot order: while a family is plotted the family alone, otherwise every
/// slot from 0 to `LastGraph` that holds a formula. `relation` is the relation box's text, which
/// dashes y = f(x) graphs for a strict inequality.
std::vector<TGraphEntry> graphEntries(const TGraphDocument& doc, const std::string& relation);

/// The text a row or legend line shows for a graph: the formula, and a family's member count.
std::string entryText(const TGraphEntry& entry);

/// Of four boxes of `size` in the corners of an area (top right, top left, bottom right, bottom
/// left, `margin` pixels in from the edges), the one that covers the fewest drawn pixels of
/// `coverage` (any pixel that is not fully transparent); on a tie the earlier one.
QRect leastCoveredCorner(const QImage& coverage, QSize area, QSize size, int margin);

/// Draws the legend of the renderer's drawing: a box in the corner the curves cross least, listing
/// each shown graph's formula in the label font beside a short line in its colour and style. Rows
/// that do not fit end in a count of the rest; with no shown graph nothing is drawn.
class TLegendPainter {
  public:
    explicit TLegendPainter(TPlotRenderer& renderer) : e_(renderer) {}
    void draw();

  private:
    /// The drawing's curves and coordinate sets alone, in plot pixels, drawn by the same plotters.
    QImage coverage();

    TPlotRenderer& e_;
};

} // namespace kurvo

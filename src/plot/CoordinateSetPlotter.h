// TCoordinateSetPlotter: the coordinate (data) sets drawn as marks, one colour per set, and the fit
// of the view to them.
#pragma once

#include "DataSetStore.h"
#include "PlotRenderer.h"

#include <QColor>
#include <QPainter>

#include <optional>

namespace kurvo {

/// The view that fits the first `count` sets of the store: the smallest and largest x and y with 0
/// always among them, a bound of 0 moved out by a fifteenth of the span, all widened by 1.2. An axis
/// whose span is still 0 (every value 0) keeps its range (`fitX`/`fitY` false), so the view never
/// becomes empty. Nothing when neither axis has two non-zero bounds.
struct TDataSetFit {
    Extended Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;
    bool fitX = true, fitY = true;
};
std::optional<TDataSetFit> fitCoordinateSets(const TDataSetStore& store, int count);

/// Draws the coordinate sets of the drawing through the renderer's painter.
class TCoordinateSetPlotter {
  public:
    explicit TCoordinateSetPlotter(TPlotRenderer& renderer) : e_(renderer) {}

    /// Draws the first data-set-count sets of the store (only the first set while the single-set flag
    /// is on), set i with mark colour i mod 5, each point marked with the settings' mark type and,
    /// with "Connect" on, joined to the previous point of its set. Escape ends the current set.
    void PlotCoordinateSets();

    /// Draws one mark of kind `markType` (1..12; others draw nothing) centred on pixel (n, k). Lines
    /// leave out their end point, so the diagonal cross is symmetric; `outline` draws the outline
    /// of the outlined marks in black.
    static void drawMark(QPainter& painter, int markType, int n, int k, const QColor& colour, bool outline);

  private:
    TPlotRenderer& e_;
};

} // namespace kurvo

// TAxesPainter: grid lines, minor divisions, major ticks with numbers, the axes, arrowheads and names.
#pragma once

#include "PlotRenderer.h"

#include <QFontMetrics>

#include <optional>
#include <vector>

namespace kurvo {

/// The tick spacing of one axis: major step s, minor step and first major tick t0.
struct TickSpacing {
    Extended major = 1;
    Extended minor = 0.2L;
    Extended first = 0;
};

/// Computes the spacing for an axis from lo to hi. `compute` false keeps the defaults (major step 1,
/// minor 0.2), as a square view's y axis does; `pi` labels in multiples of pi.
TickSpacing tickSpacing(Extended lo, Extended hi, bool compute, bool pi);

/// Draws the coordinate frame into the engine's picture, before any graph.
class TAxesPainter {
  public:
    explicit TAxesPainter(TPlotRenderer& renderer) : e_(renderer), s_(renderer.Settings) {}

    /// Axis positions, x-axis ticks and grid, y-axis ticks and grid, then the axes.
    void draw();

    /// A number or name written by the last draw, with the rectangle it took.
    struct Label {
        QString text;
        QRect rect;
    };
    const std::vector<Label>& labels() const { return labels_; }

    // The axis positions of the last draw: x axis h pixels above the bottom edge, y axis at column c.
    int axisHeight() const { return h_; }
    int axisColumn() const { return c_; }

    void computePositions();

  private:
    void drawAxisTicks(bool xAxis);
    void drawTickGroupX(Extended t, const TickSpacing& sp);
    void drawTickGroupY(Extended t, const TickSpacing& sp);
    void drawAxes();
    void drawText(int left, int top, const QString& text);
    void axisPen();
    void gridPen();

    TPlotRenderer& e_;
    const TSettingsRecord& s_;
    Extended sx_ = 0, ox_ = 0, sy_ = 0, oy_ = 0;
    int h_ = 0, c_ = 0;
    std::optional<QFontMetrics> metrics_; // of the label font, for the whole draw
    std::vector<Label> labels_;
};

} // namespace kurvo

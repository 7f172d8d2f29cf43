// TReadout: the pointer readout's numbers, the graph under the pointer and the tangent at it.
#pragma once

#include "GraphDocument.h"
#include "PlotParsers.h"
#include "PlotView.h"

#include <QLineF>
#include <QPoint>
#include <QRectF>

#include <array>
#include <optional>
#include <string>

namespace kurvo {

/// The value a guarded function returns where it has none (log10 of a non-positive number): the
/// readout shows it as "Undefined".
inline constexpr Extended UndefinedValue = -200000;

/// The angle of the point (x, y) seen from the origin: in (-pi, pi], or in (-180, 180] degrees;
/// 0 at the origin.
Extended polarAngle(Extended x, Extended y, bool degrees);

/// What the pointer shows: the five status bar texts and the overlays drawn over the picture.
struct TReadoutResult {
    std::array<std::string, 5> panels{"x=", "y=", "r=", "t=", "dy/dx="};
    /// The cross-hair: a vertical line at x() and a horizontal line at y() (pixels).
    std::optional<QPoint> crossHair;
    /// The tangent across the whole width of the view (pixels).
    std::optional<QLineF> tangent;
};

/// The readout's arithmetic. It evaluates with `Parser3` (the graph under the pointer) and
/// `Parser4` (the tangent) only, never with the parsers a running plot uses, and keeps the
/// translator's relation results and the parser markers as the plot left them. It never raises:
/// a value that cannot be found reads "Undefined" and draws nothing.
class TReadout {
  public:
    TReadout(TGraphDocument& document, TPlotParsers& parsers, const TPlotView& view, int significantDigits,
             bool degrees)
        : doc_(document), parsers_(parsers), view_(view), digits_(significantDigits), degrees_(degrees) {}

    /// The slot whose graph passes nearest the pointer at its column: `Parser3` takes its formula.
    /// Slots that cannot be evaluated there are passed over; slot 0 when none can.
    int PickNearestGraph(int X, int Y);
    /// `Parser3` takes the slot's translated formula (one that evaluates to nothing for an empty slot).
    void useSlot(int slot);

    /// The numbers of the point under the pointer, and a cross-hair through it.
    TReadoutResult freeReadout(int X, int Y) const;
    /// The numbers of the `Parser3` graph at the pointer's column, a cross-hair through that point
    /// of the graph and, with `withTangent`, its tangent.
    TReadoutResult snappedReadout(int X, bool withTangent);

    /// The tangent's formula at (x0, y0) with slope m, as the translator takes it: "2*(X-(1))+1".
    static std::string tangentFormula(Extended m, Extended x0, Extended y0);

  private:
    std::string number(Extended v) const;
    Extended graphValue(Extended x);
    std::optional<QLineF> tangentLine(Extended m, Extended x0, Extended y0);

    TGraphDocument& doc_;
    TPlotParsers& parsers_;
    const TPlotView view_;
    int digits_;
    bool degrees_;
};

/// Cuts the segment a-b to the rectangle r; nothing when it misses it.
std::optional<QLineF> clipToRect(QPointF a, QPointF b, const QRectF& r);

} // namespace kurvo

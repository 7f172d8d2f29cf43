// TReadout: free and snapped readouts, the nearest graph, and the tangent line at the pointer.
#include "Readout.h"

#include "NumberText.h"

#include <cmath>
#include <numbers>

namespace kurvo {

namespace {

/// Keeps what a running plot may read from the shared evaluation state (the markers that DIFF,
/// INTEG and INV raise) as it was before the readout evaluated.
class TSharedStateKeeper {
  public:
    explicit TSharedStateKeeper(TPlotParsers& p)
        : p_(p), derivative_(p.Context.DerivativeMarker), integral_(p.Context.IntegralMarker),
          inverse_(p.Context.InverseMarker) {}
    ~TSharedStateKeeper() {
        p_.Context.DerivativeMarker = derivative_;
        p_.Context.IntegralMarker = integral_;
        p_.Context.InverseMarker = inverse_;
    }
    TSharedStateKeeper(const TSharedStateKeeper&) = delete;
    TSharedStateKeeper& operator=(const TSharedStateKeeper&) = delete;

  private:
    TPlotParsers& p_;
    bool derivative_, integral_, inverse_;
};

/// The forward difference step of the slope (the slope multiplies by its inverse, 100000).
constexpr Extended SlopeStep = 1e-5L;

} // namespace

Extended polarAngle(Extended x, Extended y, bool degrees) {
    const Extended half = degrees ? 180.0L : std::numbers::pi_v<Extended>;
    const Extended toUnit = degrees ? 180.0L / std::numbers::pi_v<Extended> : 1.0L;
    if (x > 0) return std::atan(y / x) * toUnit;
    if (x < 0) return std::atan(y / x) * toUnit + (y >= 0 ? half : -half);
    if (y > 0) return half / 2;
    if (y < 0) return -half / 2;
    return 0;
}

std::string TReadout::number(Extended v) const {
    return formatGeneral(v, std::clamp(digits_, 1, 14));
}

void TReadout::useSlot(int slot) {
    const auto s = static_cast<std::size_t>(std::clamp(slot, 0, TGraphDocument::SlotCount - 1));
    // A hidden graph is not on screen: like an empty slot, the snapped readout says "Undefined".
    if (doc_.Graphs[s].Hidden) {
        parsers_.Parser3.setExpression("0/0");
        return;
    }
    try {
        parsers_.Parser3.setExpression(doc_.ParsedFormulas[s]);
    } catch (const std::exception&) {
        // An empty slot: Parser3 keeps no usable formula and the snapped readout says "Undefined".
        parsers_.Parser3.setExpression("0/0");
    }
}

Extended TReadout::graphValue(Extended x) {
    *parsers_.Parser3.variable('X') = static_cast<double>(x);
    return parsers_.Parser3.Value();
}

int TReadout::PickNearestGraph(int X, int Y) {
    TSharedStateKeeper keep(parsers_);
    const Extended x = view_.PixelToWorldX(X);
    const Extended y = view_.PixelToWorldY(Y);
    Extended best = 1e8L;
    int bestSlot = 0;
    const int last = std::min(doc_.Settings.LastGraph, TGraphDocument::SlotCount - 1);
    for (int slot = 0; slot <= last; ++slot) {
        // A graph with no value at the pointer's column is not under the pointer: skip it.
        if (doc_.Graphs[static_cast<std::size_t>(slot)].Hidden) continue;
        try {
            parsers_.Parser3.setExpression(doc_.ParsedFormulas[static_cast<std::size_t>(slot)]);
            const Extended d = std::fabs(graphValue(x) - y);
            if (d < best) {
                best = d;
                bestSlot = slot;
            }
        } catch (const std::exception&) {
        }
    }
    useSlot(bestSlot);
    return bestSlot;
}

TReadoutResult TReadout::freeReadout(int X, int Y) const {
    TReadoutResult r;
    const Extended x = view_.PixelToWorldX(X);
    const Extended y = view_.PixelToWorldY(Y);
    r.panels[0] = "x= " + number(x);
    r.panels[1] = "y= " + number(y);
    r.panels[2] = "r= " + number(std::sqrt(x * x + y * y));
    r.panels[3] = "t= " + number(polarAngle(x, y, degrees_));
    r.panels[4] = "dy/dx= Undefined";
    r.crossHair = QPoint(X, Y);
    return r;
}

TReadoutResult TReadout::snappedReadout(int X, bool withTangent) {
    TSharedStateKeeper keep(parsers_);
    TReadoutResult r;
    const Extended x = view_.PixelToWorldX(X);
    r.panels[0] = "x= " + number(x);
    auto undefined = [&] {
        r.panels[1] = "y= Undefined";
        r.panels[2] = "r= Undefined";
        r.panels[3] = "t= Undefined";
        r.panels[4] = "dy/dx= Undefined";
        r.crossHair.reset();
        r.tangent.reset();
    };
    try {
        const Extended y = graphValue(x);
        // A value the guarded functions give where there is none: nothing to show or draw.
        if (y == UndefinedValue || !std::isfinite(y)) {
            undefined();
            return r;
        }
        const Extended m = (graphValue(x + SlopeStep) - y) * 100000.0L;
        r.panels[1] = "y= " + number(y);
        r.panels[2] = "r= " + number(std::sqrt(x * x + y * y));
        r.panels[3] = "t= " + number(polarAngle(x, y, degrees_));
        r.panels[4] = "dy/dx= " + number(m);
        r.crossHair = QPoint(X, view_.WorldToPixelY(y));
        if (withTangent) {
            r.tangent = tangentLine(m, x, y);
            if (!r.tangent) undefined();
        }
    } catch (const std::exception&) {
        undefined();
    }
    return r;
}

std::string TReadout::tangentFormula(Extended m, Extended x0, Extended y0) {
    return formatGeneral(m) + "*(X-(" + formatGeneral(x0) + "))+" + formatGeneral(y0);
}

std::optional<QLineF> TReadout::tangentLine(Extended m, Extended x0, Extended y0) {
    TParser& line = parsers_.Parser4;
    // The program writes this text with a decimal point: no locale separator applies to it.
    TTranslateOptions options = parsers_.translateOptions();
    options.DecimalSeparator = '.';
    options.ThousandSeparator = '\0';
    line.setExpression(translateFormula(tangentFormula(m, x0, y0), options).Outstring);
    auto at = [&](Extended x) {
        *line.variable('X') = static_cast<double>(x);
        return line.Value();
    };
    const Extended ya = at(view_.Xmin);
    const Extended yb = at(view_.Xmax);
    // The ends may lie far above or below the area: the line is cut to the area (with a margin)
    // rather than mapped to pixels beyond any coordinate range.
    auto row = [&](Extended y) {
        return static_cast<double>(view_.PlotHeight - (y - view_.Ymin) * view_.PlotHeight / view_.YRange);
    };
    const double w = view_.PlotWidth, h = view_.PlotHeight;
    return clipToRect(QPointF(0, row(ya)), QPointF(w, row(yb)), QRectF(-2, -2, w + 4, h + 4));
}

std::optional<QLineF> clipToRect(QPointF a, QPointF b, const QRectF& r) {
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y()))
        return std::nullopt;
    // Liang-Barsky: the part of a + u (b - a), u in [0, 1], inside the rectangle.
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double u0 = 0, u1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return std::nullopt;
            continue;
        }
        const double u = q[i] / p[i];
        if (p[i] < 0)
            u0 = std::max(u0, u);
        else
            u1 = std::min(u1, u);
        if (u0 > u1) return std::nullopt;
    }
    return QLineF(a.x() + u0 * dx, a.y() + u0 * dy, a.x() + u1 * dx, a.y() + u1 * dy);
}

} // namespace kurvo

// TParameterPlotter: polar r = f(t) and the two parametric plotters, running t over [Tmin, Tmax].
#include "ParameterPlotter.h"

#include <array>
#include <cmath>
#include <span>

namespace kurvo {

void TParameterPlotter::PlotPolarGraph(int slot) {
    run(slot, Kind::Polar);
}
void TParameterPlotter::PlotParametricCartesian(int slot) {
    run(slot, Kind::ParametricCartesian);
}
void TParameterPlotter::PlotParametricPolar(int slot) {
    run(slot, Kind::ParametricPolar);
}

void TParameterPlotter::run(int slot, Kind kind) {
    QPainter& p = e_.canvas();
    p.setPen(QPen(e_.graphColour(slot), std::max(1, s_.graphLineThickness), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    const Extended step = e_.View.PlotStep;
    Extended t = firstT(kind);
    TPlotRenderer::TCurveHints smooth(e_, true);
    // Every sample is joined to the previous one: the whole curve is one polyline, through the
    // whole pixels when crisp, through the exact points when antialiased.
    const bool exact = e_.Frame.options.antialiasedCurves;
    QPolygon curve;
    QPolygonF curveF;
    struct Flush {
        TPlotRenderer& e;
        QPolygon& curve;
        QPolygonF& curveF;
        ~Flush() {
            if (curve.size() == 1) curve << curve.front();
            if (curveF.size() == 1) curveF << curveF.front();
            if (!curveF.isEmpty())
                e.strokeCurve(curveF.constData(), static_cast<int>(curveF.size()));
            else
                e.strokeCurve(curve.constData(), static_cast<int>(curve.size()));
        }
    } flush{e_, curve, curveF};
    // A step that is not positive, or too small to move t, would never end the loop.
    const bool stepUsable = step > 0 && std::isfinite(step);
    const bool pair = kind != Kind::Polar;
    // The samples are evaluated a block at a time, each block as one row per evaluator; they are
    // drawn one by one, so Escape and a failure stop at the same sample as ever. The parsers' t is
    // left at the last sample drawn or failed, not at the end of the block.
    struct KeepT {
        TParser &first, &second;
        double t1, t2;
        ~KeepT() {
            first.T = t1;
            second.T = t2;
        }
    } keepT{e_.Parser1, e_.Parser2, e_.Parser1.T, e_.Parser2.T};
    constexpr std::size_t Block = 64;
    std::array<Extended, Block> ts;
    std::array<double, Block> tv;
    std::array<EvalResult, Block> first, second;
    bool more = stepUsable && t <= e_.View.Tmax;
    while (more) {
        std::size_t n = 0;
        while (more && n < Block) {
            ts[n] = t;
            tv[n++] = static_cast<double>(t);
            if (t + step == t) { // the step no longer moves t
                more = false;
            } else {
                t = t + step;
                more = t <= e_.View.Tmax;
            }
        }
        e_.Parser1.Values(e_.Parser1.T, std::span(tv.data(), n), std::span(first.data(), n));
        if (pair) e_.Parser2.Values(e_.Parser2.T, std::span(tv.data(), n), std::span(second.data(), n));
        for (std::size_t i = 0; i < n; ++i) {
            if (e_.stopRequested()) {
                more = false;
                break;
            }
            keepT.t1 = tv[i];
            if (pair) keepT.t2 = tv[i];
            const auto [x, y] = worldPoint(kind, ts[i], tv[i], first[i], second[i]);
            const QPoint pixel(e_.WorldToPixelX(x), e_.WorldToPixelY(y)); // fails where the crisp one would
            if (exact)
                curveF << QPointF(e_.View.ExactX(x), e_.View.ExactY(y));
            else
                curve << pixel;
        }
    }
    if (s_.FamilyPlotting) {
        e_.stepFamily(e_.Parser1);
        if (kind != Kind::Polar) e_.stepFamily(e_.Parser2);
    }
}

Extended TParameterPlotter::firstT(Kind kind) const {
    if (kind == Kind::Polar && e_.View.Tmin == 0) {
        const std::string& text = e_.Parser1.Expression();
        if (text.find("LOG") != std::string::npos || text.find("LN") != std::string::npos) return 1e-6L;
    }
    return e_.View.Tmin;
}

std::pair<Extended, Extended> TParameterPlotter::worldPoint(Kind kind, Extended t, double tv,
                                                            const EvalResult& first, const EvalResult& second) {
    // A failed sample raises its error here, as the evaluation itself did.
    e_.Parser1.T = tv;
    const Extended a = e_.Parser1.valueOf(first);
    if (kind == Kind::Polar) return {a * std::cos(t), a * std::sin(t)};
    e_.Parser2.T = tv;
    const Extended b = e_.Parser2.valueOf(second);
    if (kind == Kind::ParametricCartesian) return {a, b};
    return {a * std::cos(b), a * std::sin(b)};
}

} // namespace kurvo

// TParameterPlotter: polar r = f(t) and the two parametric plotters, running t over [Tmin, Tmax].
#include "ParameterPlotter.h"

#include <cmath>

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
    Extended t = e_.View.Tmin;
    if (kind == Kind::Polar && e_.View.Tmin == 0) {
        // A logarithm of the angle has no value at 0: start just after it.
        const std::string& text = e_.Parser1.Expression();
        if (text.find("LOG") != std::string::npos || text.find("LN") != std::string::npos) t = 1e-6L;
    }
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
    while (stepUsable && t <= e_.View.Tmax) {
        if (e_.stopRequested()) break;
        Extended x, y;
        e_.Parser1.T = static_cast<double>(t);
        if (kind == Kind::Polar) {
            Extended r = e_.Parser1.Value();
            x = r * std::cos(t);
            y = r * std::sin(t);
        } else {
            e_.Parser2.T = static_cast<double>(t);
            Extended a = e_.Parser1.Value();
            Extended b = e_.Parser2.Value();
            if (kind == Kind::ParametricCartesian) {
                x = a;
                y = b;
            } else {
                x = a * std::cos(b);
                y = a * std::sin(b);
            }
        }
        const QPoint pixel(e_.WorldToPixelX(x), e_.WorldToPixelY(y)); // fails where the crisp one would
        if (exact)
            curveF << QPointF(e_.View.ExactX(x), e_.View.ExactY(y));
        else
            curve << pixel;
        if (t + step == t) break; // the step no longer moves t
        t = t + step;
    }
    if (s_.FamilyPlotting) {
        e_.stepFamily(e_.Parser1);
        if (kind != Kind::Polar) e_.stepFamily(e_.Parser2);
    }
}

} // namespace kurvo

// TCartesianPlotter: traces y = f(x) (or x = f(y) for INV) with breaks, asymptotes and domain edges.
#include "CartesianPlotter.h"

#include <cmath>

namespace kurvo {

namespace {
constexpr Extended BisectionWidth = 1e-10L;
constexpr Extended DerivativeStep = 1e-8L;
} // namespace

Extended TCartesianPlotter::f(Extended v) {
    e_.Parser1.X = static_cast<double>(v);
    return e_.Parser1.Value();
}

void TCartesianPlotter::restorePen() {
    e_.canvas().setPen(QPen(lineColour_, std::max(1, s_.graphLineThickness), Qt::SolidLine, Qt::RoundCap));
}

void TCartesianPlotter::PlotCartesianGraph(int slot, bool derived, bool integral) {
    if (e_.Frame.formula.empty() || !e_.Document.ExpressionReady) return;
    const std::string relation = e_.Frame.relation;
    Trace t;
    t.derived = derived;
    t.integral = integral;
    t.dashed = relation == "y<" || relation == "y>";
    t.swapped = e_.Context.InverseMarker;
    if (derived)
        t.colour = s_.PlotDerived ? e_.colour(s_.derivativeColour) : e_.graphColour(slot);
    else if (integral)
        t.colour = s_.PlotIntegral ? e_.colour(s_.integralColour) : e_.graphColour(slot);
    else
        t.colour = e_.graphColour(slot);
    trace(t);
    e_.Context.InverseMarker = false;
    if (s_.FamilyPlotting) e_.stepFamily(e_.Parser1);
}

void TCartesianPlotter::PlotExplicitImplicit(int slot) {
    Trace t;
    t.dashed = e_.Document.DashedBoundary;
    t.colour = e_.graphColour(slot);
    t.evaluateFirst = true;
    t.skipAfterFailure = 10;
    bool stopped = trace(t), second = e_.Translator.Root;
    if (second && !stopped) {
        e_.Translator.Instring = e_.Translator.SecondFn;
        e_.Translator.Translate();
        e_.Parser1.setExpression(e_.Translator.Outstring);
        trace(t);
    }
    if (s_.FamilyPlotting) e_.stepFamily(e_.Parser1);
}

bool TCartesianPlotter::trace(const Trace& t) {
    swapped_ = t.swapped;
    lineColour_ = t.colour;
    Extended v = swapped_ ? e_.View.Ymin : e_.View.Xmin;
    const Extended end = swapped_ ? e_.View.Ymax : e_.View.Xmax;
    const Extended step = e_.View.PlotStep;
    const QColor background = e_.colour(s_.backgroundColour);
    restorePen();
    QPainter& p = e_.canvas();

    bool first = true, failed = false, marked = false, stopped = false;
    int prevRow = 0;
    long long dashLength = 0;
    Extended sum = 0;
    QPoint pen(0, 0);
    // Joined segments of one colour are stroked as one polyline: far cheaper than a stroke per
    // segment with its own caps, and the joins look smoother.
    QPolygon piece;
    QColor pieceColour = lineColour_;
    auto flush = [&] {
        if (piece.size() >= 2) {
            p.setPen(QPen(pieceColour, std::max(1, s_.graphLineThickness), Qt::SolidLine, Qt::SquareCap,
                          Qt::BevelJoin));
            p.drawPolyline(piece);
        }
        piece.clear();
    };

    if (t.evaluateFirst) {
        try {
            (void)f(v);
        } catch (const std::exception&) {
        }
    }
    // A step that is not positive, or too small to move v, would never end the loop.
    const bool stepUsable = step > 0 && std::isfinite(step) && v + step != v;
    e_.Feedback.setCursor(TPaintFeedback::Cursor::Hourglass);
    while (stepUsable && v <= end) {
        if (e_.stopRequested()) {
            stopped = true;
            break;
        }
        const Extended before = v;
        try {
            Extended value = f(v);
            if (t.derived) {
                Extended a = value;
                Extended b = f(v + DerivativeStep);
                e_.Parser1.X = static_cast<double>(v);
                value = (b - a) * 1e8L;
            }
            if (t.integral) {
                sum += value * step;
                value = sum;
            }
            int column, row;
            if (swapped_) {
                column = e_.WorldToPixelX(value);
                row = e_.WorldToPixelY(v);
            } else {
                column = e_.WorldToPixelX(v);
                row = e_.WorldToPixelY(value);
            }
            // A jump is measured between two successive samples only: the first sample of a piece
            // has no predecessor, so a curve entering from far off the picture is no asymptote.
            const bool jump =
                !first && std::llabs(static_cast<long long>(row) - prevRow) > 2LL * e_.View.PlotHeight;
            if (first || jump || failed) {
                flush();
                if (jump && !marked && !t.derived && s_.showAsymptotes && !failed) {
                    v = FindAsymptote(v);
                    DrawAsymptoteLine(v);
                    marked = true;
                }
                if (failed && s_.showAsymptotes && !marked && !t.derived) {
                    v = FindDomainEdge(Direction::Entering, v);
                    DrawAsymptoteLine(v);
                    v = v + step;
                    marked = true;
                }
                failed = false;
                pen = QPoint(column, row);
                piece << pen;
                v = v + step;
                first = false;
            } else {
                QColor colour = lineColour_;
                if (t.dashed) {
                    double dx = column - pen.x(), dy = row - pen.y();
                    dashLength += static_cast<long long>(std::nearbyint(std::sqrt(dx * dx + dy * dy)));
                    colour = dashLength % 16 < 9 ? lineColour_ : background;
                }
                if (colour != pieceColour) {
                    flush();
                    pieceColour = colour;
                    piece << pen;
                }
                pen = QPoint(column, row);
                piece << pen;
                v = v + step;
                marked = false;
            }
            prevRow = row;
        } catch (const std::exception&) {
            flush();
            v = before + step;
            failed = true;
            if (prevRow != 0 && s_.showAsymptotes && !marked) {
                v = FindDomainEdge(Direction::Leaving, v, before);
                DrawAsymptoteLine(v);
            }
            v = v + t.skipAfterFailure * step;
            prevRow = 0;
        }
        if (v <= before) v = before + step; // a bisection that fell back must not stall the loop
        if (v <= before) break;             // the step no longer moves v
    }
    flush();
    e_.Feedback.setCursor(TPaintFeedback::Cursor::Normal);
    return stopped;
}

template <class KeepsA> void TCartesianPlotter::bisect(Extended a, Extended c, Extended& m, KeepsA&& keepsA) {
    m = (a + c) * 0.5L;
    for (;;) {
        if (e_.stopRequested()) return;
        if (keepsA(m))
            a = m;
        else
            c = m;
        Extended next = (a + c) * 0.5L;
        // At large coordinates the width never gets below 1e-10: stop when the midpoint stands.
        const bool done = std::fabs(a - c) < BisectionWidth || next == m;
        m = next;
        if (done) return;
    }
}

Extended TCartesianPlotter::FindAsymptote(Extended v) {
    const Extended a = v - e_.View.PlotStep, c = v + e_.View.PlotStep;
    Extended m = (a + c) * 0.5L;
    try {
        const Extended fa = f(a);
        // The sign change lies where f stops having the sign it has at a.
        bisect(a, c, m, [&](Extended x) { return fa * f(x) >= 0; });
    } catch (const std::exception&) {
        // a failed evaluation ends the search where it stands
    }
    return m;
}

Extended TCartesianPlotter::FindDomainEdge(Direction direction, Extended v,
                                           std::optional<Extended> failedAt) {
    const Extended step2 = 2 * e_.View.PlotStep;
    const Extended good = direction == Direction::Entering ? v + step2 : v - step2;
    const Extended bad = direction == Direction::Entering ? v - step2 : v + step2;
    // A sample that failed at an isolated point (1/x hit exactly at 0) leaves both ends good and
    // no edge to bisect for: the failed sample's own place is the edge.
    bool badEndFails = false;
    try {
        (void)f(bad);
    } catch (const std::exception&) {
        badEndFails = true;
    }
    if (!badEndFails && failedAt) return *failedAt;
    Extended m = (good + bad) * 0.5L;
    bisect(good, bad, m, [&](Extended x) {
        try {
            (void)f(x);
            return true;
        } catch (const std::exception&) {
            return false;
        }
    });
    return m;
}

void TCartesianPlotter::DrawAsymptoteLine(Extended v) {
    if (s_.asymptoteBeep) e_.Feedback.beep();
    QPainter& p = e_.canvas();
    p.setPen(QPen(e_.colour(s_.asymptotesColour), 1, Qt::DotLine));
    try {
        // For x = f(y) graphs the edge lies on the y variable: mark it with a horizontal line.
        if (swapped_) {
            int k = e_.WorldToPixelY(v);
            p.drawLine(0, k, 3 * e_.View.PlotWidth, k);
        } else {
            int k = e_.WorldToPixelX(v);
            p.drawLine(k, 0, k, 3 * e_.View.PlotHeight);
        }
    } catch (const std::exception&) {
        // an edge too far off the picture to map has no line to draw
    }
    restorePen();
}

} // namespace kurvo

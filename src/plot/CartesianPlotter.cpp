// TCartesianPlotter: traces y = f(x) (or x = f(y) for INV) with breaks, asymptotes and domain edges.
#include "CartesianPlotter.h"

#include "Errors.h"
#include "PlotParsers.h"

#include <climits>
#include <cmath>
#include <memory>

namespace kurvo {

namespace {
constexpr Extended BisectionWidth = 1e-10L;
constexpr Extended DerivativeStep = 1e-8L;
} // namespace

std::optional<Extended> TCartesianPlotter::tryF(Extended v) {
    e_.Parser1.X = static_cast<double>(v);
    const EvalResult r = e_.Parser1.TryValue();
    if (!r.ok()) return std::nullopt;
    const Extended y = r.value;
    if (check_) {
        // The solved y must lie within half a pixel of a root of F(x, .): one Newton step from y
        // is its distance to the root. An exact zero (a double root) needs no slope.
        TParser& F = *check_;
        F.X = static_cast<double>(v);
        F.Y = static_cast<double>(y);
        const EvalResult r0 = F.TryValue();
        if (!r0.ok()) return std::nullopt;
        const Extended f0 = r0.value;
        const Extended scale = 1 + std::fabs(y);
        if (std::fabs(f0) > 1e-12L * scale) {
            // Beside the Newton distance, F itself must be near rounding size: near the edge of an
            // inverse's domain (arcsin(y)=x beyond pi/2) the slope grows without bound and would
            // make any residue look close.
            const Extended delta = 1e-7L * scale;
            F.Y = static_cast<double>(y + delta);
            const EvalResult r1 = F.TryValue();
            if (!r1.ok()) return std::nullopt;
            const Extended slope = (r1.value - f0) / delta;
            const Extended halfPixel = 0.5L * e_.View.YRange / e_.View.PlotHeight;
            if (!(slope != 0) || !(std::fabs(f0 / slope) <= std::max(halfPixel, 1e-9L * scale)) ||
                !(std::fabs(f0) <= 1e-6L * (scale + std::fabs(v))))
                return std::nullopt;
        }
        e_.Parser1.X = static_cast<double>(v);
    }
    return y;
}

Extended TCartesianPlotter::f(Extended v) {
    const std::optional<Extended> y = tryF(v);
    if (!y) throw EInvalidOp(msg::InvalidOp);
    return *y;
}

bool TCartesianPlotter::evaluates(Extended v) {
    return tryF(v).has_value();
}

void TCartesianPlotter::restorePen() {
    e_.canvas().setPen(QPen(lineColour_, std::max(1, s_.graphLineThickness), Qt::SolidLine, Qt::RoundCap));
}

void TCartesianPlotter::PlotCartesianGraph(int slot, bool derived, bool integral) {
    if (!e_.Document.ExpressionReady) return;
    const std::string relation = e_.Frame.relation;
    Trace t;
    t.derived = derived;
    t.integral = integral;
    t.dashed = relation == "y<" || relation == "y>";
    t.swapped = e_.Context.InverseMarker;
    // A graph is drawn up to its domain edges (sqrt(25-x^2) touches the axis at -5 and 5); the
    // derived and integral graphs sample something other than f there and keep their edge search.
    t.reachEdges = !derived && !integral;
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

void TCartesianPlotter::PlotExplicitImplicit(int slot, const TGraphSlot& graph) {
    const std::string& relationForm = graph.GeneralForm;
    Trace t;
    t.dashed = graph.dashed();
    t.colour = e_.graphColour(slot);
    t.evaluateFirst = true;
    t.skipAfterFailure = 10;
    t.reachEdges = true;
    std::unique_ptr<TParser> check;
    if (!relationForm.empty()) {
        check = std::make_unique<TParser>(e_.Context);
        try {
            check->setExpression(relationForm);
            for (std::size_t k = 0; k < TSettingsRecord::ConstantCount; ++k) {
                const char letter = TSettingsRecord::ConstantLetters[k];
                *check->variable(letter) = *e_.Parser1.variable(letter);
            }
            check_ = check.get();
        } catch (const std::exception&) {
            // a relation that does not parse on its own is drawn unchecked
        }
    }
    struct CheckOff {
        TParser*& check;
        ~CheckOff() { check = nullptr; }
    } checkOff{check_};
    const bool stopped = trace(t);
    if (!graph.SecondBranch.empty() && !stopped) {
        e_.Parser1.setExpression(graph.SecondBranch);
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
    TPlotRenderer::TCurveHints smooth(e_, true);
    restorePen();
    QPainter& p = e_.canvas();

    bool first = true, failed = false, marked = false, stopped = false;
    int prevRow = 0;
    long long dashLength = 0;
    Extended sum = 0;
    QPoint pen(0, 0);
    // Joined segments of one colour are stroked as one polyline: far cheaper than a stroke per
    // segment with its own caps, and the joins look smoother. Crisp curves are drawn through the
    // whole pixels; antialiased ones through the exact mapped points (pieceF, same vertices), so a
    // shallow line shows no steps. Jumps, edges and dashes are judged on the whole pixels either way.
    const bool exact = e_.Frame.options.antialiasedCurves;
    QPolygon piece;
    QPolygonF pieceF;
    QPointF penF(0, 0);
    QColor pieceColour = lineColour_;
    auto flush = [&] {
        if (piece.size() >= 2) {
            p.setPen(QPen(pieceColour, std::max(1, s_.graphLineThickness), Qt::SolidLine, Qt::SquareCap,
                          Qt::BevelJoin));
            if (exact)
                e_.strokeCurve(pieceF.constData(), static_cast<int>(pieceF.size()));
            else
                e_.strokeCurve(piece.constData(), static_cast<int>(piece.size()));
        }
        piece.clear();
        pieceF.clear();
    };
    // The exact picture position of a world point (the whole pixel is its rounding).
    auto exactAt = [&](Extended x, Extended y) { return QPointF(e_.View.ExactX(x), e_.View.ExactY(y)); };
    auto startAt = [&](QPoint at, QPointF atF) {
        pen = at;
        penF = atF;
        piece << pen;
        pieceF << penF;
    };
    // A line from the pen to (column, row), dashed along the curve for the strict relations.
    auto lineTo = [&](int column, int row, QPointF atF) {
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
            pieceF << penF;
        }
        startAt(QPoint(column, row), atF);
    };

    // Domain edges of a solved relation (reachEdges): the last sample that evaluated, the last one
    // that failed, the column of the last edge line, and whether the pen stands on an edge point.
    std::optional<Extended> lastGood, lastFailed;
    int lastLineColumn = INT_MIN;
    bool onEdge = false;
    // A point at a domain edge may lie far off the picture (1/x beside 0): its row is kept within
    // reach of the pixel range, off the picture all the same.
    auto edgeRow = [&](Extended value) {
        const Extended margin = 100 * e_.View.YRange;
        return e_.WorldToPixelY(std::clamp(value, e_.View.Ymin - margin, e_.View.Ymax + margin));
    };
    auto edgeAt = [&](Extended edge, Extended value) {
        const Extended margin = 100 * e_.View.YRange;
        return exactAt(edge, std::clamp(value, e_.View.Ymin - margin, e_.View.Ymax + margin));
    };
    // A domain edge is an asymptote only where the values grow beyond the view there: the value
    // at the edge lies off the picture and far from the value one step inside it. The semicircle's
    // ends are edges without a line, ln x beside 0 gets one.
    auto growsBeyondView = [&](Extended edgeValue, Extended inside) {
        if (!(edgeValue < e_.View.Ymin || edgeValue > e_.View.Ymax)) return false;
        const std::optional<Extended> y = tryF(inside);
        return !y || std::fabs(edgeValue - *y) > e_.View.YRange / 4;
    };
    auto edgeLine = [&](Extended at) {
        int column = INT_MIN;
        try {
            column = e_.WorldToPixelX(at);
        } catch (const std::exception&) {
        }
        if (column != lastLineColumn) DrawAsymptoteLine(at);
        lastLineColumn = column;
    };

    if (t.evaluateFirst) (void)tryF(v);
    // A step that is not positive, or too small to move v, would never end the loop.
    const bool stepUsable = step > 0 && std::isfinite(step) && v + step != v;
    e_.Feedback.setCursor(TPaintFeedback::Cursor::Hourglass);
    while (stepUsable && v <= end) {
        if (e_.stopRequested()) {
            stopped = true;
            break;
        }
        const Extended before = v;
        // A sample that does not evaluate, or whose point cannot be placed, ends the piece.
        bool sampleFailed = false;
        try {
            // (Only when this sample evaluates: a search between two failing samples finds nothing
            // and costs a failed evaluation per halving.)
            if (t.reachEdges && failed && lastFailed && !swapped_ && evaluates(v)) {
                // The piece starts at its domain edge, somewhere in the steps skipped since the
                // last failure: search back for it, start there and sample the skipped steps.
                const Extended edge = edgeBetween(v, *lastFailed);
                if (s_.showAsymptotes && !marked) {
                    // Only an edge that evaluates is one (this sample may fail as well: then the
                    // search goes on from the next one).
                    const std::optional<Extended> edgeValue = tryF(edge);
                    if (edgeValue) {
                        if (growsBeyondView(*edgeValue, edge + step)) edgeLine(edge);
                        marked = true;
                    }
                }
                if (edge < v) {
                    const Extended value = f(edge);
                    flush();
                    const int edgeRowPixel = edgeRow(value);
                    startAt(QPoint(e_.WorldToPixelX(edge), edgeRowPixel), edgeAt(edge, value));
                    prevRow = pen.y();
                    lastGood = edge;
                    const Extended k = std::floor((edge - *lastFailed) / step) + 1;
                    v = std::min(*lastFailed + k * step, before);
                    if (v <= edge) v = before;
                    failed = false;
                    first = false;
                    onEdge = true;
                    continue;
                }
            }
            std::optional<Extended> sample = tryF(v);
            if (sample && t.derived) {
                const Extended a = *sample;
                const std::optional<Extended> b = tryF(v + DerivativeStep);
                if (b) e_.Parser1.X = static_cast<double>(v);
                sample = b ? std::optional<Extended>((*b - a) * 1e8L) : std::nullopt;
            }
            if (!sample) {
                sampleFailed = true;
            } else {
                Extended value = *sample;
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
                // has no predecessor, so a curve entering from far off the picture is no asymptote. A
                // segment from a domain edge is never a jump: the edge point is held near the picture.
                bool jump = !first && !onEdge &&
                            std::llabs(static_cast<long long>(row) - prevRow) > 2LL * e_.View.PlotHeight;
                // A steep but continuous curve is joined: the jump must survive bisection.
                if (jump && !failed && !t.derived && !t.integral && !swapped_ && lastGood)
                    jump = jumpConfirmed(*lastGood, v, f(*lastGood), value);
                onEdge = false;
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
                    startAt(QPoint(column, row), swapped_ ? exactAt(value, v) : exactAt(v, value));
                    v = v + step;
                    first = false;
                } else {
                    lineTo(column, row, swapped_ ? exactAt(value, v) : exactAt(v, value));
                    v = v + step;
                    marked = false;
                }
                prevRow = row;
                lastGood = before;
            }
        } catch (const std::exception&) {
            sampleFailed = true;
        }
        if (sampleFailed) {
            v = before + step;
            if (t.reachEdges && lastGood && !failed && !swapped_ && prevRow != 0) {
                // The piece ends at its domain edge: search for it between the last good sample
                // and this one, and draw up to it.
                const Extended edge = edgeBetween(*lastGood, before);
                bool asymptote = false;
                try {
                    const Extended value = f(edge);
                    if (edge > *lastGood) {
                        lineTo(e_.WorldToPixelX(edge), edgeRow(value), edgeAt(edge, value));
                    }
                    asymptote = growsBeyondView(value, edge - step);
                } catch (const std::exception&) {
                    // an edge point that cannot be drawn ends the piece at the last sample
                }
                flush();
                if (s_.showAsymptotes && !marked && asymptote) edgeLine(edge);
            } else {
                flush();
                if (prevRow != 0 && s_.showAsymptotes && !marked) {
                    v = FindDomainEdge(Direction::Leaving, v, before);
                    DrawAsymptoteLine(v);
                }
            }
            failed = true;
            lastFailed = before;
            lastGood.reset();
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

Extended TCartesianPlotter::edgeBetween(Extended good, Extended bad) {
    Extended a = good, c = bad, m = good;
    bisect(a, c, m, [&](Extended x) { return evaluates(x); });
    // a is the last point that evaluated (or the good sample itself)
    return a;
}

bool TCartesianPlotter::jumpConfirmed(Extended a, Extended c, Extended fa, Extended fc) {
    const Extended limit = 2 * e_.View.YRange; // twice the picture height, in world units
    for (int depth = 0; depth < 200; ++depth) {
        if (!(std::fabs(fc - fa) > limit)) return false; // the jump shrank away: continuous
        const Extended m = (a + c) * 0.5L;
        if (!(m > a && m < c) || std::fabs(c - a) < BisectionWidth) return true; // still at the finest width
        if (e_.stopRequested()) return true;
        const std::optional<Extended> sample = tryF(m);
        if (!sample) return true; // an undefined point between the samples
        const Extended fm = *sample;
        if (fm < std::min(fa, fc) || fm > std::max(fa, fc)) return true;
        // follow the half that holds the larger part of the jump
        if (std::fabs(fm - fa) >= std::fabs(fc - fm)) {
            c = m;
            fc = fm;
        } else {
            a = m;
            fa = fm;
        }
    }
    return true;
}

template <class KeepsA>
void TCartesianPlotter::bisect(Extended& a, Extended& c, Extended& m, KeepsA&& keepsA) {
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
    Extended a = v - e_.View.PlotStep, c = v + e_.View.PlotStep;
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
    Extended good = direction == Direction::Entering ? v + step2 : v - step2;
    Extended bad = direction == Direction::Entering ? v - step2 : v + step2;
    // A sample that failed at an isolated point (1/x hit exactly at 0) leaves both ends good and
    // no edge to bisect for: the failed sample's own place is the edge.
    const bool badEndFails = !tryF(bad);
    if (!badEndFails && failedAt) return *failedAt;
    Extended m = (good + bad) * 0.5L;
    bisect(good, bad, m, [&](Extended x) { return evaluates(x); });
    return m;
}

void TCartesianPlotter::DrawAsymptoteLine(Extended v) {
    if (s_.asymptoteBeep) e_.Feedback.beep();
    QPainter& p = e_.canvas();
    TPlotRenderer::TCurveHints crisp(e_, false);
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

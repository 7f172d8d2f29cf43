// TCartesianPlotter: traces y = f(x) (or x = f(y) for INV) with breaks, asymptotes and domain edges.
#include "CartesianPlotter.h"

#include "Errors.h"
#include "PlotParsers.h"

#include <QPaintEngine>
#include <QPainterPath>

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
    // A graph is drawn up to its domain edges (sqrt(25-x^2) touches the axis at -5 and 5), its
    // derived and integral graphs too.
    t.reachEdges = true;
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

/// The pen of one traced curve. Joined points form a piece, stroked as one polyline: through the
/// whole pixels when crisp, through the exact mapped points when antialiased (jumps, edges and
/// dashes are judged on the whole pixels either way). The strict relations' boundary is dashed
/// along the curve, 9 pixels on and 7 off, as pieces of the line colour and of the background.
/// A document (SVG, PDF) gathers a curve's dashes into one path and its gaps into another, so
/// the file holds two elements per curve, not one per dash.
class TTracePen {
  public:
    TTracePen(TPlotRenderer& e, QColor line, QColor background, int width, bool dashed, bool exact)
        : e_(e), line_(line), background_(background), width_(width), dashed_(dashed), exact_(exact),
          colour_(line) {
        const QPaintEngine* engine = e.canvas().paintEngine();
        document_ = dashed && engine && engine->type() != QPaintEngine::Raster;
    }
    TTracePen(const TTracePen&) = delete;
    TTracePen& operator=(const TTracePen&) = delete;
    ~TTracePen() { finish(); }

    QPoint at() const { return pen_; }

    /// Moves the pen to a point without drawing; the point begins the next piece.
    void startAt(QPoint at, QPointF atF) {
        pen_ = at;
        penF_ = atF;
        piece_ << pen_;
        pieceF_ << penF_;
    }

    /// A line from the pen to a point, dashed along the curve for the strict relations.
    void lineTo(QPoint to, QPointF toF) {
        QColor colour = line_;
        if (dashed_) {
            const double dx = to.x() - pen_.x(), dy = to.y() - pen_.y();
            dashLength_ += static_cast<long long>(std::nearbyint(std::sqrt(dx * dx + dy * dy)));
            colour = dashLength_ % 16 < 9 ? line_ : background_;
        }
        if (colour != colour_) {
            flush();
            colour_ = colour;
            piece_ << pen_;
            pieceF_ << penF_;
        }
        startAt(to, toF);
    }

    /// Strokes the piece drawn so far (gathers it, in a document) and starts an empty one.
    void flush() {
        if (piece_.size() >= 2) {
            if (document_) {
                QPainterPath& path = colour_ == line_ ? dashes_ : gaps_;
                if (exact_)
                    path.addPolygon(pieceF_);
                else
                    path.addPolygon(QPolygonF(piece_));
            } else {
                e_.canvas().setPen(QPen(colour_, width_, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
                if (exact_)
                    e_.strokeCurve(pieceF_.constData(), static_cast<int>(pieceF_.size()));
                else
                    e_.strokeCurve(piece_.constData(), static_cast<int>(piece_.size()));
            }
        }
        piece_.clear();
        pieceF_.clear();
    }

    /// Flushes the piece and draws a document's gathered gaps and dashes. Their ends are flat, so
    /// a gap and a dash meet without covering each other and the order between them is not seen.
    void finish() {
        flush();
        if (!document_ || (gaps_.isEmpty() && dashes_.isEmpty())) return;
        QPainter& p = e_.canvas();
        p.save();
        p.setBrush(Qt::NoBrush);
        for (auto [path, colour] : {std::pair{&gaps_, background_}, std::pair{&dashes_, line_}}) {
            if (path->isEmpty()) continue;
            p.setPen(QPen(colour, width_, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
            p.drawPath(*path);
            *path = QPainterPath();
        }
        p.restore();
    }

  private:
    TPlotRenderer& e_;
    const QColor line_, background_;
    const int width_;
    const bool dashed_, exact_;
    bool document_ = false;
    QColor colour_; // the colour of the piece being drawn
    QPoint pen_{0, 0};
    QPointF penF_{0, 0};
    QPolygon piece_;
    QPolygonF pieceF_;
    long long dashLength_ = 0;
    QPainterPath dashes_, gaps_;
};

bool TCartesianPlotter::trace(const Trace& t) {
    swapped_ = t.swapped;
    lineColour_ = t.colour;
    const Extended end = swapped_ ? e_.View.Ymax : e_.View.Xmax;
    const Extended step = e_.View.PlotStep;
    TPlotRenderer::TCurveHints smooth(e_, true);
    restorePen();
    TTracePen pen(e_, lineColour_, e_.colour(s_.backgroundColour), std::max(1, s_.graphLineThickness), t.dashed,
                  e_.Frame.options.antialiasedCurves);
    Run r;
    r.v = swapped_ ? e_.View.Ymin : e_.View.Xmin;
    if (t.evaluateFirst) (void)tryF(r.v);
    // A step that is not positive, or too small to move v, would never end the loop.
    const bool stepUsable = step > 0 && std::isfinite(step) && r.v + step != r.v;
    bool stopped = false;
    e_.Feedback.setCursor(TPaintFeedback::Cursor::Hourglass);
    while (stepUsable && r.v <= end) {
        if (e_.stopRequested()) {
            stopped = true;
            break;
        }
        const Extended before = r.v;
        // A sample that does not evaluate, or whose point cannot be placed, ends the piece.
        bool sampleFailed = false;
        try {
            // (Only when this sample evaluates: a search between two failing samples finds nothing
            // and costs a failed evaluation per halving.) v moves back to the edge's next step.
            if (t.reachEdges && r.failed && r.lastFailed && !swapped_ && evaluates(r.v) && enterAtEdge(t, r, pen))
                continue;
            const std::optional<Extended> value = sampleAt(t, r.v);
            if (value)
                drawSample(t, r, pen, before, *value);
            else
                sampleFailed = true;
        } catch (const std::exception&) {
            sampleFailed = true;
        }
        if (sampleFailed) endAtFailure(t, r, pen, before);
        if (r.v <= before) r.v = before + step; // a bisection that fell back must not stall the loop
        if (r.v <= before) break;               // the step no longer moves v
    }
    pen.finish();
    e_.Feedback.setCursor(TPaintFeedback::Cursor::Normal);
    return stopped;
}

std::optional<Extended> TCartesianPlotter::sampleAt(const Trace& t, Extended v) {
    const std::optional<Extended> y = tryF(v);
    if (!y || !t.derived) return y;
    const std::optional<Extended> b = tryF(v + DerivativeStep);
    if (!b) return std::nullopt;
    e_.Parser1.X = static_cast<double>(v);
    return (*b - *y) * 1e8L;
}

bool TCartesianPlotter::enterAtEdge(const Trace& t, Run& r, TTracePen& pen) {
    const Extended step = e_.View.PlotStep;
    // The sample itself is the edge when the search finds nothing before it (an edge that is a
    // sample point: sqrt(25-x^2) at -5 with a step that divides the range).
    const Extended edge = std::min(edgeBetween(r.v, *r.lastFailed), r.v);
    const std::optional<Extended> edgeValue = valueAtEdge(t, r, edge, false);
    // Only an edge that evaluates is one (this sample may fail as well: then the search goes on
    // from the next one). A derived graph gets no line where it enters.
    if (s_.showAsymptotes && !r.marked && edgeValue) {
        if (!t.derived && growsBeyondView(t, *edgeValue, edge + step)) edgeLine(r, edge);
        r.marked = true;
    }
    if (!edgeValue) return false;
    pen.flush();
    pen.startAt(QPoint(e_.WorldToPixelX(edge), edgeRow(*edgeValue)), edgeAt(edge, *edgeValue));
    r.lastGood = edge;
    // The steps skipped since the failure that lie beyond the edge are sampled now.
    const Extended before = r.v;
    const Extended k = std::floor((edge - *r.lastFailed) / step) + 1;
    r.v = std::min(*r.lastFailed + k * step, before);
    if (r.v <= edge) r.v = edge < before ? before : before + step;
    lineToViewEdge(t, pen, edge, *edgeValue, r.v);
    r.prevRow = pen.at().y();
    r.failed = false;
    r.first = false;
    r.onEdge = true;
    return true;
}

void TCartesianPlotter::drawSample(const Trace& t, Run& r, TTracePen& pen, Extended at, Extended value) {
    const Extended step = e_.View.PlotStep;
    if (t.integral) {
        r.sum += value * step;
        value = r.sum;
    }
    const int column = swapped_ ? e_.WorldToPixelX(value) : e_.WorldToPixelX(at);
    const int row = swapped_ ? e_.WorldToPixelY(at) : e_.WorldToPixelY(value);
    const QPointF exact = swapped_ ? exactAt(value, at) : exactAt(at, value);
    // A jump is measured between two successive samples only: the first sample of a piece has no
    // predecessor, so a curve entering from far off the picture is no asymptote. A segment from a
    // domain edge is never a jump: the edge point is held near the picture.
    bool jump = !r.first && !r.onEdge &&
                std::llabs(static_cast<long long>(row) - r.prevRow) > 2LL * e_.View.PlotHeight;
    // A steep but continuous curve is joined: the jump must survive bisection.
    if (jump && !r.failed && !t.derived && !t.integral && !swapped_ && r.lastGood)
        jump = jumpConfirmed(*r.lastGood, at, f(*r.lastGood), value);
    r.onEdge = false;
    if (r.first || jump || r.failed) {
        pen.flush();
        if (jump && !r.marked && !t.derived && s_.showAsymptotes && !r.failed) {
            r.v = FindAsymptote(r.v);
            DrawAsymptoteLine(r.v);
            r.marked = true;
        }
        if (r.failed && s_.showAsymptotes && !r.marked && !t.derived) {
            r.v = FindDomainEdge(Direction::Entering, r.v);
            DrawAsymptoteLine(r.v);
            r.v = r.v + step;
            r.marked = true;
        }
        r.failed = false;
        pen.startAt(QPoint(column, row), exact);
        r.first = false;
    } else {
        pen.lineTo(QPoint(column, row), exact);
        r.marked = false;
    }
    r.v = r.v + step;
    r.prevRow = row;
    r.lastGood = at;
}

void TCartesianPlotter::endAtFailure(const Trace& t, Run& r, TTracePen& pen, Extended at) {
    const Extended step = e_.View.PlotStep;
    r.v = at + step;
    if (t.reachEdges && r.lastGood && !r.failed && !swapped_ && r.prevRow != 0) {
        // The piece ends at its domain edge: search for it between the last good sample and this
        // one, and draw up to it.
        const Extended edge = edgeBetween(*r.lastGood, at);
        bool asymptote = false;
        try {
            const std::optional<Extended> value = valueAtEdge(t, r, edge, true);
            if (value) {
                if (edge > *r.lastGood) {
                    lineToViewEdge(t, pen, edge, *value, *r.lastGood);
                    pen.lineTo(QPoint(e_.WorldToPixelX(edge), edgeRow(*value)), edgeAt(edge, *value));
                }
                asymptote = growsBeyondView(t, *value, edge - step);
            }
        } catch (const std::exception&) {
            // an edge point that cannot be drawn ends the piece at the last sample
        }
        pen.flush();
        if (s_.showAsymptotes && !r.marked && asymptote) edgeLine(r, edge);
    } else {
        pen.flush();
        if (r.prevRow != 0 && s_.showAsymptotes && !r.marked) {
            r.v = FindDomainEdge(Direction::Leaving, r.v, at);
            DrawAsymptoteLine(r.v);
        }
    }
    r.failed = true;
    r.lastFailed = at;
    r.lastGood.reset();
    r.v = r.v + t.skipAfterFailure * step;
    r.prevRow = 0;
}

std::optional<Extended> TCartesianPlotter::valueAtEdge(const Trace& t, const Run& r, Extended edge, bool leaving) {
    const std::optional<Extended> y = tryF(edge);
    if (!y) return std::nullopt;
    if (t.derived) {
        const Extended h = leaving ? -DerivativeStep : DerivativeStep;
        const std::optional<Extended> y2 = tryF(edge + h);
        if (!y2) return std::nullopt;
        return (*y2 - *y) / h;
    }
    if (t.integral) return leaving && r.lastGood ? r.sum + *y * (edge - *r.lastGood) : r.sum;
    return y;
}

bool TCartesianPlotter::growsBeyondView(const Trace& t, Extended edgeValue, Extended inside) {
    // A running sum stays finite at an edge: its graph gets no line there.
    if (t.integral || !(edgeValue < e_.View.Ymin || edgeValue > e_.View.Ymax)) return false;
    const std::optional<Extended> y = sampleAt(t, inside);
    return !y || std::fabs(edgeValue - *y) > e_.View.YRange / 4;
}

void TCartesianPlotter::lineToViewEdge(const Trace& t, TTracePen& pen, Extended edge, Extended edgeValue,
                                       Extended inside) {
    // Between the sample and the edge the values leave the view: the place where they cross its
    // edge is searched, so the curve runs off the picture there (f' of the semicircle beside
    // x = 5), not along a line to the far-off edge point.
    const Extended margin = 2 * e_.View.YRange / std::max(1, e_.View.PlotHeight);
    auto inView = [&](Extended x) {
        const std::optional<Extended> y = sampleAt(t, x);
        return y && *y >= e_.View.Ymin - margin && *y <= e_.View.Ymax + margin;
    };
    if (t.integral || inView(edge) || (edgeValue >= e_.View.Ymin && edgeValue <= e_.View.Ymax) || !inView(inside))
        return;
    // a runs from the sample, which lies in the view, towards the edge, which does not
    Extended a = inside, c = edge, m = inside;
    bisect(a, c, m, inView);
    const std::optional<Extended> y = sampleAt(t, a);
    if (!y || a == inside) return;
    pen.lineTo(QPoint(e_.WorldToPixelX(a), e_.WorldToPixelY(*y)), exactAt(a, *y));
}

void TCartesianPlotter::edgeLine(Run& r, Extended at) {
    int column = INT_MIN;
    try {
        column = e_.WorldToPixelX(at);
    } catch (const std::exception&) {
    }
    if (column != r.lastLineColumn) DrawAsymptoteLine(at);
    r.lastLineColumn = column;
}

// A point at a domain edge may lie far off the picture (1/x beside 0): its row is kept within
// reach of the pixel range, off the picture all the same.
int TCartesianPlotter::edgeRow(Extended value) const {
    const Extended margin = 100 * e_.View.YRange;
    return e_.WorldToPixelY(std::clamp(value, e_.View.Ymin - margin, e_.View.Ymax + margin));
}

QPointF TCartesianPlotter::edgeAt(Extended edge, Extended value) const {
    const Extended margin = 100 * e_.View.YRange;
    return exactAt(edge, std::clamp(value, e_.View.Ymin - margin, e_.View.Ymax + margin));
}

QPointF TCartesianPlotter::exactAt(Extended x, Extended y) const {
    return QPointF(e_.View.ExactX(x), e_.View.ExactY(y));
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

// TCartesianPlotter: traces y = f(x) (or x = f(y) for INV) with breaks, asymptotes and domain edges.
#pragma once

#include "PlotRenderer.h"

#include <climits>
#include <optional>

namespace kurvo {

class TTracePen;

/// The engine's curve tracer for one Cartesian slot, working on `Parser1`.
class TCartesianPlotter {
  public:
    explicit TCartesianPlotter(TPlotRenderer& renderer) : e_(renderer), s_(renderer.Settings) {}

    /// Draws slot `slot`; `derived` and `integral` draw the derived or integral function instead.
    void PlotCartesianGraph(int slot, bool derived, bool integral);
    /// A relation solved for y: one pass, or a second one for the negative branch when the
    /// translator set `Root`. Each branch runs up to its domain edges. When `relationForm` (the
    /// relation as F(x, y) = left - (right), evaluator syntax) is given, a sample counts only where
    /// it lies within half a pixel of a point where F = 0, so a rearrangement that holds on part of
    /// the range (sqrt(y)=x solved as y = x^2) is drawn only where it solves the relation.
    /// A relation solved for y: its branch (and its second branch, when it has one) traced as
    /// y = f(x), each point checked against the general form.
    void PlotExplicitImplicit(int slot, const TGraphSlot& graph);

    enum class Direction { Entering, Leaving };
    /// Bisection for a sign change of f in [v - PlotStep, v + PlotStep].
    Extended FindAsymptote(Extended v);
    /// Bisection for the point where evaluation starts (entering) or stops (leaving) failing.
    /// `failedAt` is the sample that failed, taken as the edge when the far end evaluates after all.
    Extended FindDomainEdge(Direction direction, Extended v, std::optional<Extended> failedAt = std::nullopt);
    void DrawAsymptoteLine(Extended v);

  private:
    struct Trace {
        bool derived = false, integral = false, dashed = false, swapped = false;
        bool evaluateFirst = false; // evaluate once at the start, ignoring failure
        int skipAfterFailure = 1;   // further steps skipped after a failed sample
        bool reachEdges = false;    // a piece starts and ends at its domain edges
        QColor colour;
    };
    /// Halves [a, c] towards the place where `keepsA` turns false (true moves a to the midpoint),
    /// until the interval is narrower than 1e-10 or its midpoint no longer moves; `m` follows the
    /// midpoint, so it holds the last one when an evaluation throws or the user stops. a and c
    /// are left at the ends of the last interval.
    template <class KeepsA> void bisect(Extended& a, Extended& c, Extended& m, KeepsA&& keepsA);
    /// What the tracer knows between samples.
    struct Run {
        Extended v = 0;   // the next sample
        Extended sum = 0; // the integral's running sum
        bool first = true, failed = false, marked = false;
        int prevRow = 0;
        std::optional<Extended> lastGood, lastFailed; // the last sample that evaluated, that failed
        int lastLineColumn = INT_MIN;                 // the column of the last edge line
        bool onEdge = false;                          // the pen stands on a domain edge point
    };
    /// Runs the tracer; true when the user stopped it.
    bool trace(const Trace& t);
    /// After failed samples, v evaluates again: starts the piece at the domain edge found between
    /// the last failed sample and v, and moves v back to sample the steps skipped since. False
    /// when no edge lies before v.
    bool enterAtEdge(const Trace& t, Run& r, TTracePen& pen);
    /// The graph's value at sample v: f, or its derivative (forward difference); nothing where
    /// it cannot be evaluated.
    std::optional<Extended> sampleAt(const Trace& t, Extended v);
    /// Draws the sample taken at `at` with value `value`: joined to the piece, or starting a new
    /// one after a jump or a failure.
    void drawSample(const Trace& t, Run& r, TTracePen& pen, Extended at, Extended value);
    /// The sample at `at` failed: the piece ends (at its domain edge when there is one to find).
    void endAtFailure(const Trace& t, Run& r, TTracePen& pen, Extended at);
    /// The graph's value at a domain edge: a derivative there looks inwards (`leaving`: back from
    /// the edge), an integral adds the part of the step up to the edge.
    std::optional<Extended> valueAtEdge(const Trace& t, const Run& r, Extended edge, bool leaving);
    /// A domain edge is an asymptote only where the values grow beyond the view there: the value
    /// at the edge lies off the picture and far from the value one step inside it. The
    /// semicircle's ends are edges without a line, ln x beside 0 gets one.
    bool growsBeyondView(const Trace& t, Extended edgeValue, Extended inside);
    /// Where the values leave the view between a sample `inside` and a domain edge whose value
    /// lies off the picture, draws a line to the place they cross the view's edge.
    void lineToViewEdge(const Trace& t, TTracePen& pen, Extended edge, Extended edgeValue, Extended inside);
    /// The dotted line at an edge, once per column.
    void edgeLine(Run& r, Extended at);
    /// The whole pixel row and the exact point of a domain edge's point, its value held within
    /// a hundred view heights of the picture.
    int edgeRow(Extended value) const;
    QPointF edgeAt(Extended edge, Extended value) const;
    /// The exact picture position of a world point (the whole pixel is its rounding).
    QPointF exactAt(Extended x, Extended y) const;
    /// The value at v; with a relation check, a value that does not solve the relation fails.
    Extended f(Extended v);
    /// f(v) without exceptions: nothing where f would fail. The sampling loops ask this one, as
    /// most of a view may lie outside the domain.
    std::optional<Extended> tryF(Extended v);
    bool evaluates(Extended v);
    /// Whether the jump between samples at a and c (values fa and fc, more than twice the picture
    /// height apart) is a real one: true when a midpoint at some depth of bisection leaves the
    /// range between its ends' values, cannot be evaluated, or the jump stays at the finest width.
    /// A continuous steep curve (e^x) has every midpoint between and the jump shrinks away.
    bool jumpConfirmed(Extended a, Extended c, Extended fa, Extended fc);
    /// The edge of the domain between a good sample and a failed one: the last point found that
    /// evaluates.
    Extended edgeBetween(Extended good, Extended bad);
    void restorePen();

    TPlotRenderer& e_;
    const TSettingsRecord& s_;
    QColor lineColour_;
    bool swapped_ = false;
    TParser* check_ = nullptr; // the relation F(x, y) a solved sample must satisfy
};

} // namespace kurvo

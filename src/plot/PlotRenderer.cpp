// TPlotRenderer: the paint of one frame: edges, clearing, axes, then each slot by mode.
#include "PlotRenderer.h"

#include "Axes.h"
#include "CartesianPlotter.h"
#include "DocumentMarks.h"
#include "FamilyFields.h"
#include "CoordinateSetPlotter.h"
#include "CurveRaster.h"
#include "ContourPlotter.h"
#include "ImplicitForms.h"
#include "ImplicitPlotter.h"
#include "Legend.h"
#include "ParameterPlotter.h"
#include "Shading.h"

#include <QPaintEngine>

#include <cmath>

namespace kurvo {

QColor settingsColour(std::int32_t bgr) {
    auto v = static_cast<std::uint32_t>(bgr);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

TPlotRenderer::TPlotRenderer(TGraphDocument& document, TPlotParsers& parsers, QPainter& painter,
                             const TPlotView& view, const TFrame& frame, TPaintFeedback& feedback)
    : Settings(document.Settings), Document(document), Parsers(parsers), Parser1(parsers.Parser1), Parser2(parsers.Parser2),
      Context(parsers.Context), View(view), Frame(frame), Feedback(feedback),
      painter_(painter) {}

QColor TPlotRenderer::graphColour(int slot) const {
    int i = ((slot % 5) + 5) % 5;
    return colour(Settings.GraphColours[static_cast<std::size_t>(i)]);
}

bool TPlotRenderer::stopRequested() {
    if (!Feedback.pollStop()) return false;
    Feedback.setCursor(TPaintFeedback::Cursor::Normal);
    Feedback.showMessage("Plot stopped");
    stopped_ = true;
    return true;
}

void TPlotRenderer::setSmooth(bool smooth) {
    smooth = smooth && Frame.options.antialiasedCurves;
    if (smooth == smooth_) return;
    if (smooth) {
        // A crisp line of an odd number of device pixels is centred on the middle of a pixel, an
        // antialiased one on the mapped point itself: shift the curve by half a device pixel then,
        // so both cover the same pixels.
        const qreal ratio = painter_.device() ? painter_.device()->devicePixelRatio() : 1.0;
        const long device = std::lround(std::max(1, Settings.graphLineThickness) * ratio);
        shift_ = device % 2 == 1 ? 0.5 / ratio : 0.0;
    }
    painter_.setRenderHint(QPainter::Antialiasing, smooth);
    painter_.translate(smooth ? shift_ : -shift_, smooth ? shift_ : -shift_);
    smooth_ = smooth;
}

template <class Point> void TPlotRenderer::strokeRuns(const Point* points, int count) {
    if (count < 2) return;
    const QPen& pen = painter_.pen();
    if (!smooth_ || pen.widthF() <= 1) {
        painter_.drawPolyline(points, count);
        return;
    }
    // Runs share their end points, so the curve stays joined.
    constexpr int Run = 8;
    for (int i = 0; i + 1 < count; i += Run - 1)
        painter_.drawPolyline(points + i, std::min(Run, count - i));
}

void TPlotRenderer::strokeCurve(const QPoint* points, int count) {
    strokeRuns(points, count);
}

void TPlotRenderer::strokeCurve(const QPointF* points, int count) {
    if (count < 2) return;
    const QPaintEngine* engine = painter_.paintEngine();
    const bool onRaster = engine && engine->type() == QPaintEngine::Raster;
    if (!smooth_ || !onRaster || painter_.pen().widthF() <= 1) {
        // A document (SVG, PDF) gets the piece as one path through its exact points; so does a
        // crisp or hairline raster curve, which the rasterizer draws cheaply in one go.
        painter_.drawPolyline(points, count);
        return;
    }
    // A wide antialiased curve on a raster picture is drawn by the curve raster, as one piece
    // with its joins blended once, at a fraction of the general stroker's cost.
    TCurveRaster raster(painter_);
    if (raster.usable())
        raster.stroke(points, count);
    else
        strokeRuns(points, count);
}

TPlotRenderer::TCurveHints::TCurveHints(TPlotRenderer& renderer, bool smooth)
    : r_(renderer), before_(renderer.smooth_) {
    r_.setSmooth(smooth);
}

TPlotRenderer::TCurveHints::~TCurveHints() {
    r_.setSmooth(before_);
}

void TPlotRenderer::render() {
    QPainter& painter = painter_;
    // Frame, grid, axes and dots are crisp; each plotter turns smoothing on for its curves.
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (Frame.frameAndAxes) {
        const QColor background = colour(Settings.backgroundColour);
        painter.setPen(QPen(background, 1));
        painter.drawLine(0, View.PlotHeight, 0, 0);
        painter.drawLine(0, 0, View.PlotWidth, 0);

        if (Frame.clear) {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.fillRect(0, 0, View.PlotWidth, View.PlotHeight, background);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }

        // A paint that was not asked to plot draws the coordinate sets alone over the picture.
        if (!Frame.plotRequested) {
            drawDataSetsAndMarks(*this);
            return;
        }

        if (Settings.showAxes && View.XRange > 1e-7L && View.YRange > 1e-7L) TAxesPainter(*this).draw();
    }

    const int first = std::max(Frame.firstSlot, 0);
    const int last = std::min(Frame.lastSlot, TGraphDocument::SlotCount - 1);
    // A family member's constants are set before it is drawn (and again before its derived and
    // integral graphs), by the same repeated addition the plotters step with, from the constants the
    // family was generated with. So every paint of a family, a resize or an export too, draws member
    // k with k steps.
    if (Settings.FamilyPlotting)
        familyMembers_ =
            familyMemberConstants(Settings.savedConstants, TFamily{last + 1, Settings.FamilySteps});
    // The coordinate sets come last, above the grid and the graphs, so a formula plotted after the
    // points were imported leaves them in sight; also when a graph's paint ends in an error.
    try {
        for (int slot = first; slot <= last; ++slot) {
            drawSlot(slot);
            // Escape ends a family: the members after the one it stopped are not drawn.
            if (stopped_ && Settings.FamilyPlotting) {
                stoppedSlot_ = slot;
                break;
            }
        }
    } catch (...) {
        drawDataSetsAndMarks(*this);
        if (Frame.legend) drawLegend();
        throw;
    }
    drawDataSetsAndMarks(*this);
    if (Frame.legend) drawLegend();
}

void TPlotRenderer::drawLegend() {
    TLegendPainter(*this).draw();
}

void TPlotRenderer::setMemberConstants(int slot) {
    if (slot < 0 || static_cast<std::size_t>(slot) >= familyMembers_.size()) return;
    const auto& member = familyMembers_[static_cast<std::size_t>(slot)];
    for (TParser* p : {&Parser1, &Parser2})
        for (std::size_t k = 0; k < ConstantCount; ++k)
            *p->variable(TSettingsRecord::ConstantLetters[k]) = member[k];
}

void TPlotRenderer::drawImplicit(int slot, const TGraphSlot& graph) {
    // Solved for y: the one or two branches are traced as y = f(x). Other relations (and those with
    // y inside a periodic function, whose solution keeps only the principal branch) are drawn as
    // the general relation F(x, y) = 0: traced as contours, or searched row by row when the user
    // chose that.
    if (graph.drawnSolved()) {
        TCartesianPlotter(*this).PlotExplicitImplicit(slot, graph);
    } else {
        if (graph.SolvedForY && !graph.GeneralForm.empty()) Parser1.setExpression(graph.GeneralForm);
        if (Frame.options.smoothImplicitCurves)
            TContourPlotter(*this).PlotContourRelation(slot);
        else
            TImplicitPlotter(*this).PlotImplicitRelation(slot);
    }
    if (graph.Relation != 4) TShading(*this).ShadeImplicitRegion(slot, graph);
}

void TPlotRenderer::drawSlot(int slot) {
    const auto index = static_cast<std::size_t>(slot);
    const std::string& parsed = Document.ParsedFormulas[index];
    // A slot without an expression (never stored, or its formula did not translate) has nothing to
    // draw; the evaluator would read the empty text as 0.
    if (parsed.empty()) return;
    // Each slot is drawn in the mode it was plotted in, from what its own formula gave.
    const TGraphSlot& graph = Document.Graphs[index];
    if (graph.Hidden) return;
    const TPlotMode mode = graph.Mode;
    View.PlotStep = View.stepFor(mode.usesT());
    // User functions bind x in Cartesian graphs and t in polar ones.
    struct KeepCartesian {
        bool& flag;
        bool kept;
        ~KeepCartesian() { flag = kept; }
    } keepCartesian{Context.CartesianMode, Context.CartesianMode};
    Context.CartesianMode = mode.kind != TPlotMode::Kind::Polar;

    Parser1.setExpression(parsed);
    if (mode.parametric) Parser2.setExpression(graph.SecondParsed);
    for (TParser* p : {&Parser1, &Parser2})
        for (std::size_t k = 0; k < graph.Constants.size(); ++k)
            *p->variable(TSettingsRecord::ConstantLetters[k]) = graph.Constants[k];
    setMemberConstants(slot);
    const bool derivedText = parsed.find("DIFF") != std::string::npos;
    const bool integralText = parsed.find("INTEG") != std::string::npos;
    // INV is recognised from the text too, so an x = f(y) graph is swapped from its first sample.
    if (parsed.find("INV") != std::string::npos) Context.InverseMarker = true;

    switch (mode.kind) {
    case TPlotMode::Kind::Cartesian:
        if (mode.parametric) {
            TParameterPlotter(*this).PlotParametricCartesian(slot);
        } else {
            Context.DerivativeMarker = Context.DerivativeMarker || derivedText;
            Context.IntegralMarker = Context.IntegralMarker || integralText;
            TCartesianPlotter(*this).PlotCartesianGraph(slot, Context.DerivativeMarker, Context.IntegralMarker);
            Context.DerivativeMarker = false;
            Context.IntegralMarker = false;
        }
        break;
    case TPlotMode::Kind::Polar:
        if (mode.parametric)
            TParameterPlotter(*this).PlotParametricPolar(slot);
        else
            TParameterPlotter(*this).PlotPolarGraph(slot);
        break;
    case TPlotMode::Kind::Implicit:
        drawImplicit(slot, graph);
        break;
    }
    Context.InverseMarker = false;
    // The derived and integral graphs and the relation box belong to y = f(x) graphs only.
    if (!mode.explicitCartesian()) return;
    if (Settings.PlotDerived) {
        setMemberConstants(slot);
        Parser1.setExpression(parsed);
        Context.InverseMarker = parsed.find("INV") != std::string::npos;
        TCartesianPlotter(*this).PlotCartesianGraph(slot, true, false);
    }
    if (Settings.PlotIntegral) {
        setMemberConstants(slot);
        Parser1.setExpression(parsed);
        Context.InverseMarker = parsed.find("INV") != std::string::npos;
        TCartesianPlotter(*this).PlotCartesianGraph(slot, false, true);
    }
    const std::string& relation = Frame.relation;
    if (relation == "y>" || relation == "y>=") TShading(*this).ShadeAboveGraph(slot);
    if (relation == "y<" || relation == "y<=") TShading(*this).ShadeBelowGraph(slot);
}

} // namespace kurvo

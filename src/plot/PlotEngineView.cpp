// TPlotEngine: the view operations (fit, zoom out, zoom box, move, wheel, equal scale), undo and redo, and
// the readout.
#include "PlotEngine.h"

#include "NumberText.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace kurvo {

namespace {
using Field = TPlotHost::Field;
constexpr Field AllFields[] = {Field::TMin, Field::TMax, Field::XMin, Field::XMax, Field::YMin, Field::YMax};
/// Wider domains offered one after another before the search gives up.
constexpr int MaxWiderDomains = 200;
constexpr int MinZoomBoxSide = 3;

/// The value a range field will hold after its text was cut to 8 characters.
Extended asFieldShowsIt(Extended v) {
    return strToFloat(rangeFieldText(v));
}
} // namespace

bool TPlotEngine::viewIsMappable(Extended xmin, Extended xmax, Extended ymin, Extended ymax) {
    for (Extended v : {xmin, xmax, ymin, ymax})
        if (!std::isfinite(v) || std::fabs(v) > 1e300L) return false;
    if (!(xmax - xmin > 0) || !(ymax - ymin > 0)) return false;
    try {
        return asFieldShowsIt(xmax) - asFieldShowsIt(xmin) > 0 &&
               asFieldShowsIt(ymax) - asFieldShowsIt(ymin) > 0;
    } catch (const std::exception&) {
        return false;
    }
}

std::array<std::string, 6> TPlotEngine::fieldTexts() const {
    std::array<std::string, 6> texts;
    for (Field f : AllFields)
        if (Host.hasField(f)) texts[static_cast<std::size_t>(f)] = Host.fieldText(f);
    return texts;
}

void TPlotEngine::setFieldTexts(const std::array<std::string, 6>& texts) {
    for (Field f : AllFields)
        if (Host.hasField(f)) Host.setFieldText(f, texts[static_cast<std::size_t>(f)]);
}

void TPlotEngine::showViewInFields() {
    const Extended values[] = {Settings.Tmin, Settings.Tmax, Settings.Xmin,
                               Settings.Xmax, Settings.Ymin, Settings.Ymax};
    for (Field f : AllFields)
        if (Host.hasField(f)) Host.setFieldText(f, formatGeneral(values[static_cast<int>(f)]));
}

void TPlotEngine::readViewKeepingPicture() {
    // The paint compares the plot step with the one the picture was drawn with; this read is not a
    // paint and must not hide a change of it.
    const int steps = pictureSteps_;
    ReadView();
    pictureSteps_ = steps;
}

void TPlotEngine::redrawAfterViewChange() {
    // A family is generated again from its fields; otherwise every graph is drawn again.
    replotFamilyOrAll();
}

// ---- automatic y-scaling -------------------------------------------------------------------------------

void TPlotEngine::prepareFit() {
    const auto slot = static_cast<std::size_t>(std::clamp(Settings.LastGraph, 0, SlotCount - 1));
    Parsers.Parser1.setExpression(Document.ParsedFormulas[slot]);
    if (Document.Graphs[slot].Mode.parametric) {
        Parsers.Parser2.setExpression(Document.Graphs[slot].SecondParsed);
        TPlotParsers::copyConstants(Parsers.Parser2, Settings);
    }
    TPlotParsers::copyConstants(Parsers.Parser1, Settings);
}

TAutoScale::Outcome TPlotEngine::fitView() {
    syncModes();
    // The fit samples the x range the fields show now, typed or not.
    readViewKeepingPicture();
    TAutoScale::Outcome outcome = TAutoScale::Outcome::Unchanged;
    for (int wider = 0; wider <= MaxWiderDomains; ++wider) {
        prepareFit();
        outcome = TAutoScale(Document, Parsers).fit();
        if (outcome != TAutoScale::Outcome::NothingFound) break;
        if (wider == MaxWiderDomains ||
            !Host.askQuestion(
                "There are no plotable points in this domain.  Click on Yes to try a wider domain."))
            break;
        if (!doubleView()) break;
    }
    showViewInFields();
    return outcome;
}

// ---- zoom out ------------------------------------------------------------------------------------------

bool TPlotEngine::doubleView() {
    const bool polar = !Settings.CartesianMode;
    // Doubled about the origin while the origin is in sight; a view away from it (x from 100 to
    // 110) would leave the picture, so such a view is doubled about its own centre.
    const bool originInside = Settings.Xmin <= 0 && 0 <= Settings.Xmax && Settings.Ymin <= 0 &&
                              0 <= Settings.Ymax;
    const Extended cx = originInside ? 0 : (Settings.Xmin + Settings.Xmax) / 2;
    const Extended cy = originInside ? 0 : (Settings.Ymin + Settings.Ymax) / 2;
    const auto doubled = [](Extended v, Extended c) { return c + 2 * (v - c); };
    const Extended xmin = doubled(Settings.Xmin, cx), xmax = doubled(Settings.Xmax, cx);
    const Extended ymin = doubled(Settings.Ymin, cy), ymax = doubled(Settings.Ymax, cy);
    if (!viewIsMappable(xmin, xmax, ymin, ymax)) return false;
    if (polar && !(std::isfinite(2 * Settings.Tmin) && std::isfinite(2 * Settings.Tmax))) return false;
    Settings.Xmin = xmin;
    Settings.Xmax = xmax;
    Settings.Ymin = ymin;
    Settings.Ymax = ymax;
    if (polar) {
        Settings.Tmin *= 2;
        Settings.Tmax *= 2;
    }
    Document.XRange = Settings.Xmax - Settings.Xmin;
    Document.YRange = Settings.Ymax - Settings.Ymin;
    showViewInFields();
    return true;
}

bool TPlotEngine::ZoomOut() {
    syncModes();
    readViewKeepingPicture();
    History.recordStep("Zoom out");
    if (!doubleView()) return false;
    if (Settings.AutoYScaling && Settings.LastGraph >= 0) fitView();
    redrawAfterViewChange();
    return true;
}

// ---- zoom box, move, wheel, equal scale, a given view -----------------------------------------------------

bool TPlotEngine::applyView(Extended xmin, Extended xmax, Extended ymin, Extended ymax) {
    if (!viewIsMappable(xmin, xmax, ymin, ymax)) return false;
    Settings.Xmin = xmin;
    Settings.Xmax = xmax;
    Settings.Ymin = ymin;
    Settings.Ymax = ymax;
    Document.XRange = xmax - xmin;
    Document.YRange = ymax - ymin;
    showViewInFields();
    return true;
}

bool TPlotEngine::zoomBox(int x0, int y0, int x1, int y1) {
    if (x1 - x0 < MinZoomBoxSide || y1 - y0 < MinZoomBoxSide) return false;
    History.recordStep("Zoom in");
    const TPlotView v = currentView();
    if (!applyView(v.PixelToWorldX(x0), v.PixelToWorldX(x1), v.PixelToWorldY(y1), v.PixelToWorldY(y0)))
        return false;
    redrawAfterViewChange();
    return true;
}

bool TPlotEngine::moveView(int dx, int dy) {
    if (dx == 0 && dy == 0) return false;
    History.recordStep("Move");
    const TPlotView v = currentView();
    const Extended sx = Extended(dx) * v.XRange / v.PlotWidth;
    const Extended sy = Extended(-dy) * v.YRange / v.PlotHeight;
    if (!applyView(v.Xmin + sx, v.Xmax + sx, v.Ymin + sy, v.Ymax + sy)) return false;
    redrawAfterViewChange();
    return true;
}

bool TPlotEngine::zoomAbout(Extended wx, Extended wy, Extended factor) {
    const TPlotView v = currentView();
    if (!(factor > 0)) return false;
    History.recordStep(factor > 1 ? "Zoom in" : "Zoom out");
    if (!applyView(wx + (v.Xmin - wx) / factor, wx + (v.Xmax - wx) / factor, wy + (v.Ymin - wy) / factor,
                   wy + (v.Ymax - wy) / factor))
        return false;
    redrawAfterViewChange();
    return true;
}

bool TPlotEngine::wheelZoom(int X, int Y, int notches, bool newGesture) {
    if (notches == 0) return false;
    const int direction = notches > 0 ? 1 : -1;
    if (newGesture)
        History.recordStep("Wheel zoom");
    else
        History.continueStep("Wheel zoom");
    bool changed = false;
    for (int n = 0; n < std::abs(notches); ++n) {
        const std::array<std::string, 6> texts = fieldTexts();
        if (!wheelSteps_.empty()) {
            // Turning back at the same place retraces the turns exactly: the fields get back the
            // very texts they had, whatever the rounding of the texts in between.
            const WheelStep& last = wheelSteps_.back();
            if (last.direction == -direction && std::abs(last.X - X) <= 4 && std::abs(last.Y - Y) <= 4 &&
                last.after == texts) {
                setFieldTexts(last.before);
                wheelSteps_.pop_back();
                readViewKeepingPicture();
                changed = true;
                continue;
            }
            if (last.after != texts) wheelSteps_.clear(); // the view was changed another way since
        }
        const TPlotView v = currentView();
        const Extended wx = v.PixelToWorldX(X), wy = v.PixelToWorldY(Y);
        const Extended k = direction > 0 ? WheelFactor : 1 / WheelFactor;
        if (!applyView(wx + (v.Xmin - wx) / k, wx + (v.Xmax - wx) / k, wy + (v.Ymin - wy) / k,
                       wy + (v.Ymax - wy) / k))
            break;
        readViewKeepingPicture();
        wheelSteps_.push_back({texts, fieldTexts(), X, Y, direction});
        changed = true;
    }
    if (!changed) return false;
    redrawAfterViewChange();
    return true;
}

bool TPlotEngine::EqualScale() {
    const TPlotView v = currentView();
    const Extended centre = (v.Ymin + v.Ymax) / 2;
    const Extended half = v.XRange * v.PlotHeight / v.PlotWidth / 2;
    History.recordStep("Equal scale");
    if (!applyView(v.Xmin, v.Xmax, centre - half, centre + half)) return false;
    redrawAfterViewChange();
    return true;
}

bool TPlotEngine::setView(const TViewBox& box) {
    if (!viewIsMappable(box.Xmin, box.Xmax, box.Ymin, box.Ymax)) return false;
    History.recordStep("Change the view");
    Settings.Tmin = box.Tmin;
    Settings.Tmax = box.Tmax;
    applyView(box.Xmin, box.Xmax, box.Ymin, box.Ymax);
    redrawAfterViewChange();
    return true;
}

// ---- undo and readout ------------------------------------------------------------------------------------

bool TPlotEngine::undo() {
    if (!History.undo()) return false;
    afterHistoryStep();
    return true;
}

bool TPlotEngine::redo() {
    if (!History.redo()) return false;
    afterHistoryStep();
    return true;
}

void TPlotEngine::afterHistoryStep() {
    syncModes();
    // The view as the range fields show it, so the next paint reads back exactly the view that was
    // drawn when the step was taken (a paint reads the fields and rewrites them cut to 8 characters).
    for (Extended* v : {&Settings.Tmin, &Settings.Tmax, &Settings.Xmin, &Settings.Xmax, &Settings.Ymin,
                        &Settings.Ymax})
        if (std::isfinite(*v)) *v = asFieldShowsIt(*v);
    Document.XRange = Settings.Xmax - Settings.Xmin;
    Document.YRange = Settings.Ymax - Settings.Ymin;
    showViewInFields();
    wheelSteps_.clear();
    // Square axes change the plot area's width.
    if (boxWidth_ > 0 && boxHeight_ > 0) setPaintBoxSize(boxWidth_, boxHeight_);
}

TReadout TPlotEngine::readout() {
    return TReadout(Document, Parsers, currentView(), Settings.significantFigures, Settings.DegreeMode);
}

} // namespace kurvo

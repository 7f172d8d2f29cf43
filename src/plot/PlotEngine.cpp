// TPlotEngine: the Plot action, Store formula, reading the view and the paint driver.
#include "PlotEngine.h"

#include "Aliases.h"
#include "AsciiCase.h"
#include "CoordinateSetPlotter.h"
#include "Errors.h"
#include "FamilyFields.h"
#include "ImplicitForms.h"
#include "NumberText.h"

#include <cmath>
#include <tuple>
#include <utility>

namespace kurvo {

TPlotEngine::TPlotEngine(TSettingsRecord& settings, TPlotHost& host)
    : Settings(settings), Host(host), Document(settings) {
    syncModes();
}

// ---- drawing area ----------------------------------------------------------------------------------

void TPlotEngine::setPaintBoxSize(int width, int height) {
    boxWidth_ = std::max(1, width);
    boxHeight_ = std::max(1, height);
    PlotHeight = boxHeight_ + 22;
    PlotWidth = Settings.SquareAxes ? PlotHeight : boxWidth_;
    PlotPicture = blankPicture(boxWidth_, boxHeight_ + 22);
    pictureView_.reset();
}

void TPlotEngine::setDevicePixelRatio(qreal ratio) {
    if (!(ratio >= 0.25 && ratio <= 16)) ratio = 1;
    if (ratio == ratio_) return;
    ratio_ = ratio;
    const QSize size = pictureSize();
    PlotPicture = blankPicture(size.width(), size.height());
    pictureView_.reset();
}

QImage TPlotEngine::blankPicture(int width, int height) const {
    QImage picture(static_cast<int>(std::ceil(std::max(width, 1) * ratio_)),
                   static_cast<int>(std::ceil(std::max(height, 1) * ratio_)),
                   QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio_);
    picture.fill(Qt::transparent);
    return picture;
}

QSize TPlotEngine::pictureSize() const {
    if (PlotPicture.isNull()) return {0, 0};
    return PlotPicture.deviceIndependentSize().toSize();
}

void TPlotEngine::newPicture() {
    PlotPicture = blankPicture(PlotWidth, PlotHeight);
    pictureView_.reset();
}

void TPlotEngine::ensurePicture() {
    int w = std::max(PlotWidth, 1), h = std::max(PlotHeight, 1);
    const QSize size = pictureSize();
    if (PlotPicture.isNull() || size.width() < w || size.height() < h) {
        QImage bigger = blankPicture(std::max(w, size.width()), std::max(h, size.height()));
        if (!PlotPicture.isNull()) {
            QPainter p(&bigger);
            p.drawImage(0, 0, PlotPicture);
        }
        PlotPicture = bigger;
    }
}

QColor TPlotEngine::colour(std::int32_t bgr) const {
    return settingsColour(bgr);
}

QColor TPlotEngine::graphColour(int slot) const {
    int i = ((slot % 5) + 5) % 5;
    return colour(Settings.GraphColours[static_cast<std::size_t>(i)]);
}

QImage TPlotEngine::composedPicture() const {
    QImage out(static_cast<int>(std::ceil(std::max(PlotWidth, 1) * ratio_)),
               static_cast<int>(std::ceil(std::max(PlotHeight, 1) * ratio_)), QImage::Format_RGB32);
    out.setDevicePixelRatio(ratio_);
    out.fill(colour(Settings.backgroundColour));
    QPainter p(&out);
    p.drawImage(0, 0, PlotPicture);
    return out;
}

TPlotView TPlotEngine::currentView() const {
    TPlotView view = TPlotView::of(Settings, Document.XRange, Document.YRange, PlotWidth, PlotHeight);
    view.StepCount = pictureSteps_;
    return view;
}

// ---- Plot action and Store formula -----------------------------------------------------------------

void TPlotEngine::PlotAction() {
    std::string formula = Host.formulaText();
    History.recordStep(formula.empty() ? "Plot data sets" : "Plot " + formula);
    Settings.FamilyPlotting = false;
    syncModes();

    if (formula.empty() && !Document.DataSetPlotting) return;
    // A slot holds 255 characters; cutting a longer formula would plot something else than was typed.
    if (formula.size() > MaxFormulaLength) {
        Host.showMessage("This formula is too long: a formula can have at most 255 characters.");
        return;
    }

    const std::int32_t previousLastGraph = Settings.LastGraph;
    if (!Settings.AutoYScaling) {
        if (Settings.LastGraph == -2)
            Settings.LastGraph = 1;
        else
            Settings.LastGraph = Settings.LastGraph + 1;
        if (Settings.LastGraph >= SlotCount) {
            Settings.LastGraph = previousLastGraph;
            Host.showMessage(
                "There can be at most 100 graphs. Delete some graphs before you plot another one.");
            return;
        }
    } else {
        Settings.LastGraph = 0;
        newPicture();
    }
    if (!formula.empty() && formula != "()") {
        try {
            StoreFormula(formula);
        } catch (...) {
            // The slot was never filled: keep it out of the live graphs so no later paint draws it.
            Settings.LastGraph = previousLastGraph;
            throw;
        }
    }
    if (Settings.AutoYScaling) fitView();
    PaintBox1Paint(Scope::Newest);
}

void TPlotEngine::replotAll() {
    PaintBox1Paint(Scope::All);
}

void TPlotEngine::takeChangedConstants(const TConstantValues& before) {
    for (std::size_t k = 0; k < ConstantCount; ++k) {
        const long double now = Settings.ConstantValues[k];
        if (now == before[k]) continue;
        for (TGraphSlot& graph : Document.Graphs)
            graph.Constants[k] = static_cast<double>(now);
        // A family's members are stepped from the constants it was generated with.
        if (Settings.FamilyPlotting) Settings.savedConstants[k] = now;
    }
}

void TPlotEngine::StoreFormula(const std::string& text) {
    syncModes();
    const std::string t = applyAliases(asciiLower(text), Host.aliasLines());
    const auto slot = static_cast<std::size_t>(std::clamp(Settings.LastGraph, 0, SlotCount - 1));
    const TTranslateOptions options = Parsers.translateOptions();

    // Everything the paint needs is derived here, from this formula alone, into the slot.
    TGraphSlot graph;
    graph.Mode = TPlotMode::of(Settings);
    for (std::size_t k = 0; k < graph.Constants.size(); ++k)
        graph.Constants[k] = static_cast<double>(Settings.ConstantValues[k]);
    std::string parsed;
    if (graph.Mode.parametric) {
        const auto comma = t.find(',');
        parsed = translateFormula(comma == std::string::npos ? t : t.substr(0, comma), options).Outstring;
        graph.SecondParsed =
            translateFormula(comma == std::string::npos ? std::string() : t.substr(comma + 1), options).Outstring;
        Parsers.Parser2.setExpression(graph.SecondParsed);
        TPlotParsers::copyConstants(Parsers.Parser2, Settings);
    } else {
        const TTranslation tr = translateFormula(t, options);
        parsed = tr.Outstring;
        if (graph.Mode.implicit()) {
            graph.Relation = relationCodeOf(t);
            graph.ycount = tr.ycount;
            graph.SolvedForY = tr.SolvedForY;
            // A general inequality keeps its sign in the translation, which no parser reads: the
            // relation's boundary left - (right) is stored instead (the shading tests the sign itself).
            if (!tr.SolvedForY && parsed.find_first_of("<>") != std::string::npos) {
                graph.GeneralForm = generalRelationForm(options, t, graph.Relation);
                parsed = graph.GeneralForm;
            } else {
                try {
                    graph.GeneralForm = generalRelationForm(options, t, graph.Relation);
                } catch (const std::exception&) {
                    // No general form: the solved branches are drawn unchecked.
                }
            }
            if (tr.Root && tr.SolvedForY) graph.SecondBranch = translateFormula(tr.SecondFn, options).Outstring;
        }
        Parsers.SpareParser.setExpression(parsed);
    }
    Parsers.Parser1.setExpression(parsed);
    Document.ParsedFormulas[slot] = parsed;
    Document.UserFormulas[slot] = t;
    Document.Graphs[slot] = graph;
    TPlotParsers::copyConstants(Parsers.Parser1, Settings);
    TPlotParsers::copyConstants(Parsers.Parser3, Settings);
    Document.ExpressionReady = true;
}

// ---- reading the view ------------------------------------------------------------------------------

void TPlotEngine::ReadView() {
    using Field = TPlotHost::Field;
    static constexpr const char* FieldNames[] = {"t min", "t max", "x min", "x max", "y min", "y max"};
    // The fields are written with a decimal point and may be typed with the locale's decimal
    // separator: a thousands separator is never removed from them, as "6.283185" would read as
    // 6283185 where the point separates thousands.
    TTranslateOptions options = Parsers.translateOptions();
    options.ThousandSeparator = '\0';
    auto evaluateField = [&](Field f) -> Extended {
        // A field that cannot be evaluated is named, so the user knows which one to correct.
        try {
            Parsers.Parser1.setExpression(translateFormula(asciiLower(Host.fieldText(f)), options).Outstring);
            return Parsers.Parser1.Value();
        } catch (const std::exception& e) {
            throw ERefusedView(std::string("The ") + FieldNames[static_cast<int>(f)] +
                               " field cannot be evaluated: " + e.what());
        }
    };
    syncModes();
    // Every field is evaluated and checked before any is taken, so a bad field leaves the view and
    // the fields as they were.
    const bool hasT[2] = {Host.hasField(Field::TMin), Host.hasField(Field::TMax)};
    const Extended tmin = hasT[0] ? evaluateField(Field::TMin) : Settings.Tmin;
    const Extended tmax = hasT[1] ? evaluateField(Field::TMax) : Settings.Tmax;
    const Extended xmin = evaluateField(Field::XMin), xmax = evaluateField(Field::XMax);
    const Extended ymin = evaluateField(Field::YMin), ymax = evaluateField(Field::YMax);
    auto requireBelow = [](Extended lo, Extended hi, const char* low, const char* high) {
        if (!(lo < hi))
            throw ERefusedView(std::string("The ") + high + " field must be greater than the " + low +
                               " field.");
    };
    requireBelow(xmin, xmax, "x min", "x max");
    requireBelow(ymin, ymax, "y min", "y max");
    const bool usesT = !Settings.ImplicitMode && (!Settings.CartesianMode || Settings.ParametricMode);
    if (usesT) requireBelow(tmin, tmax, "t min", "t max");
    // The plot step is checked with the fields, before anything is taken: the step divides the range.
    int n = 0;
    try {
        n = Host.hasPlotStepField() ? plotStepFromText(Host.plotStepFieldText())
                                    : plotStepFromText(Settings.plotStepText);
    } catch (const EConvertError& e) {
        throw ERefusedView(std::string("Plot step: ") + e.what());
    }
    if (n < MinPlotStep) throw ERefusedView("The plot step must be at least " + std::to_string(MinPlotStep));
    if (n > MaxPlotStep) throw ERefusedView("The plot step must be at most " + std::to_string(MaxPlotStep));

    const Extended values[] = {tmin, tmax, xmin, xmax, ymin, ymax};
    for (Field f : {Field::TMin, Field::TMax, Field::XMin, Field::XMax, Field::YMin, Field::YMax})
        if (Host.hasField(f)) Host.setFieldText(f, rangeFieldText(values[static_cast<int>(f)]));
    Settings.Tmin = tmin;
    Settings.Tmax = tmax;
    Settings.Xmin = xmin;
    Settings.Xmax = xmax;
    Settings.Ymin = ymin;
    Settings.Ymax = ymax;
    Document.XRange = Settings.Xmax - Settings.Xmin;
    Document.YRange = Settings.Ymax - Settings.Ymin;

    pictureSteps_ = n;
    if (!Settings.CartesianMode || Settings.ParametricMode)
        Settings.PlotStep = (Settings.Tmax - Settings.Tmin) / n * 0.25L;
    else
        Settings.PlotStep = Document.XRange / n * 0.25L;
}

// ---- paint driver ----------------------------------------------------------------------------------

TFrame TPlotEngine::frameFor(Scope scope) const {
    TFrame frame;
    frame.firstSlot = Settings.AutoYScaling ? 0 : Settings.LastGraph;
    frame.lastSlot = std::max(Settings.LastGraph, 0);
    if (Settings.FamilyPlotting) {
        frame.firstSlot = 0;
        frame.lastSlot = Document.FamilyLastGraph - 1;
    }
    if (scope == Scope::All) frame.firstSlot = 0;
    frame.clear = Settings.AutoYScaling || scope == Scope::All;
    frame.formula = Host.formulaText();
    frame.relation = Host.relationText();
    frame.aliases = Host.aliasLines();
    frame.options = Options;
    frame.legend = Options.showLegend && scope == Scope::All;
    return frame;
}

void TPlotEngine::PaintBox1Paint(Scope scope) {
    PlotHeight = std::max(boxHeight_, 1);
    PlotWidth = Settings.SquareAxes ? PlotHeight : std::max(boxWidth_, 1);

    // The legend names every graph in the corner they leave freest: a new graph moves it, so with the
    // legend shown every paint draws the whole picture.
    if (Options.showLegend) scope = Scope::All;
    const int stepsBefore = pictureSteps_;
    ReadView();
    if (Document.DataSetPlotting && Settings.AutoYScaling) fitViewToDataSets();
    const TPlotView view = currentView();
    // A picture drawn at another view cannot take a new graph: everything is drawn again, as after
    // a resize, so no two scales ever share the picture.
    // Coordinate sets added since the picture was drawn belong under its graphs: all again too.
    const std::size_t sets = Document.DataSetPlotting ? Document.DataSets.setCount() : 0;
    if (scope == Scope::Newest && pictureView_ &&
        (!pictureView_->sameAs(view) || stepsBefore != pictureSteps_ || sets != pictureSets_)) {
        scope = Scope::All;
        newPicture();
    }
    // A graph added to a picture that already shows the frame, axes and coordinate sets at this
    // view is drawn alone on top, so the picture is the one a full redraw gives.
    const bool onPicture = scope == Scope::Newest && pictureView_.has_value();
    ensurePicture();

    TFrame frame = frameFor(scope);
    if (onPicture && !frame.clear) frame.frameAndAxes = false;
    pictureView_ = view;
    pictureSets_ = sets;
    QPainter painter(&PlotPicture);
    TPlotRenderer renderer(Document, Parsers, painter, view, frame, Host);
    renderer.render();
    if (renderer.stoppedMember() >= 0) endStoppedFamily(renderer.stoppedMember());
}

void TPlotEngine::endStoppedFamily(int lastMember) {
    // Escape ends family mode. The members drawn so far become ordinary graphs, each keeping its
    // stepped constants, so the picture stays as it is and a later resize or zoom draws those
    // members again, not the whole family.
    const auto members =
        familyMemberConstants(Settings.savedConstants, TFamily{lastMember + 1, Settings.FamilySteps});
    for (std::size_t k = 0; k < members.size(); ++k)
        Document.Graphs[k].Constants = members[k];
    Settings.FamilyPlotting = false;
    Settings.LastGraph = lastMember;
    Document.FamilyLastGraph = 0;
}

void TPlotEngine::fitViewToDataSets() {
    const std::optional<TDataSetFit> fit =
        fitCoordinateSets(Document.DataSets, Document.DataSets.dataSetCount());
    if (!fit) return;
    std::tie(Settings.XAxisName, Settings.YAxisName) = splitAxisLabels(Document.DataSetAxisLabels);
    using F = TPlotHost::Field;
    if (fit->fitX) {
        Host.setFieldText(F::XMin, formatGeneral(fit->Xmin));
        Host.setFieldText(F::XMax, formatGeneral(fit->Xmax));
    }
    if (fit->fitY) {
        Host.setFieldText(F::YMin, formatGeneral(fit->Ymin));
        Host.setFieldText(F::YMax, formatGeneral(fit->Ymax));
    }
    ReadView();
}

void TPlotEngine::paintCoordinateSets() {
    if (!Document.DataSetPlotting) return;
    ensurePicture();
    TFrame frame;
    frame.plotRequested = false;
    QPainter painter(&PlotPicture);
    TPlotRenderer(Document, Parsers, painter, pictureView_ ? *pictureView_ : currentView(), frame, Host)
        .render();
}

QSize TPlotEngine::plotAreaSize() const {
    const int height = std::max(boxHeight_, 1);
    return {Settings.SquareAxes ? height : std::max(boxWidth_, 1), height};
}

void TPlotEngine::renderTo(QPainter& painter, TPaintFeedback& feedback) {
    PlotHeight = plotAreaSize().height();
    PlotWidth = plotAreaSize().width();
    const TPlotView view = currentView();
    painter.save();
    // The plot picture ends at its own edges; another device (a document, a page) is clipped here.
    painter.setClipRect(QRect(0, 0, view.PlotWidth, view.PlotHeight), Qt::IntersectClip);
    TFrame frame = frameFor(Scope::All);
    const int last = Settings.FamilyPlotting ? Document.FamilyLastGraph - 1 : std::max(Settings.LastGraph, 0);
    frame.lastSlot = -1; // the cleared area, frame and axes
    frame.legend = false; // drawn once, over every graph
    TPlotRenderer(Document, Parsers, painter, view, frame, feedback).render();
    // Then each graph on its own, as the screen drew them one Plot at a time: an evaluation error
    // that ends one graph's paint leaves the later graphs drawn there, so it must here too.
    frame.clear = false;
    frame.frameAndAxes = false;
    for (int slot = 0; slot <= last; ++slot) {
        frame.firstSlot = frame.lastSlot = slot;
        try {
            TPlotRenderer(Document, Parsers, painter, view, frame, feedback).render();
        } catch (const EKurvoError&) {
            // Shown when the graph was plotted; the drawing keeps what was drawn before the error.
        }
    }
    if (Options.showLegend) TPlotRenderer(Document, Parsers, painter, view, frame, feedback).drawLegend();
    painter.restore();
}

} // namespace kurvo

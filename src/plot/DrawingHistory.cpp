// TDrawingHistory: the undo and redo steps of the drawing, and whether it changed since it was saved.
#include "DrawingHistory.h"

#include "NumberText.h"
#include "RangeFieldText.h"

#include <cmath>
#include <utility>

namespace kurvo {

// ---- the drawing's part of the settings --------------------------------------------------------------

TDrawingSettings TDrawingSettings::of(const TSettingsRecord& s) {
    TDrawingSettings d;
    d.View = {s.Tmin, s.Tmax, s.Xmin, s.Xmax, s.Ymin, s.Ymax};
    d.AutoYScaling = s.AutoYScaling;
    d.DegreeMode = s.DegreeMode;
    d.CartesianMode = s.CartesianMode;
    d.ParametricMode = s.ParametricMode;
    d.ImplicitMode = s.ImplicitMode;
    d.PlotDerived = s.PlotDerived;
    d.PlotIntegral = s.PlotIntegral;
    d.SquareAxes = s.SquareAxes;
    d.FamilyPlotting = s.FamilyPlotting;
    d.familySize = s.familySize;
    d.LastGraph = s.LastGraph;
    d.ConstantValues = s.ConstantValues;
    d.FamilySteps = s.FamilySteps;
    d.savedConstants = s.savedConstants;
    d.XAxisName = s.XAxisName;
    d.YAxisName = s.YAxisName;
    return d;
}

void TDrawingSettings::applyTo(TSettingsRecord& s) const {
    s.Tmin = View[0];
    s.Tmax = View[1];
    s.Xmin = View[2];
    s.Xmax = View[3];
    s.Ymin = View[4];
    s.Ymax = View[5];
    s.AutoYScaling = AutoYScaling;
    s.DegreeMode = DegreeMode;
    s.CartesianMode = CartesianMode;
    s.ParametricMode = ParametricMode;
    s.ImplicitMode = ImplicitMode;
    s.PlotDerived = PlotDerived;
    s.PlotIntegral = PlotIntegral;
    s.SquareAxes = SquareAxes;
    s.FamilyPlotting = FamilyPlotting;
    s.familySize = familySize;
    s.LastGraph = LastGraph;
    s.ConstantValues = ConstantValues;
    s.FamilySteps = FamilySteps;
    s.savedConstants = savedConstants;
    s.XAxisName = XAxisName;
    s.YAxisName = YAxisName;
}

namespace {
bool sameFieldValue(long double a, long double b) {
    if (a == b) return true;
    if (!std::isfinite(a) || !std::isfinite(b)) return false;
    try {
        return strToFloat(rangeFieldText(a)) == strToFloat(rangeFieldText(b));
    } catch (const std::exception&) {
        return false;
    }
}
} // namespace

bool operator==(const TDrawingSettings& a, const TDrawingSettings& b) {
    for (std::size_t i = 0; i < a.View.size(); ++i)
        if (!sameFieldValue(a.View[i], b.View[i])) return false;
    return a.AutoYScaling == b.AutoYScaling && a.DegreeMode == b.DegreeMode &&
           a.CartesianMode == b.CartesianMode && a.ParametricMode == b.ParametricMode &&
           a.ImplicitMode == b.ImplicitMode && a.PlotDerived == b.PlotDerived &&
           a.PlotIntegral == b.PlotIntegral && a.SquareAxes == b.SquareAxes &&
           a.FamilyPlotting == b.FamilyPlotting && a.familySize == b.familySize &&
           a.LastGraph == b.LastGraph && a.ConstantValues == b.ConstantValues &&
           a.FamilySteps == b.FamilySteps && a.savedConstants == b.savedConstants &&
           a.XAxisName == b.XAxisName && a.YAxisName == b.YAxisName;
}

// ---- naming a change ---------------------------------------------------------------------------------

namespace {
int graphCount(const TDrawingContent& c) {
    int n = 0;
    for (const std::string& f : c.UserFormulas)
        n += !f.empty();
    return n;
}

std::string modeName(const TDrawingSettings& s) {
    if (s.ImplicitMode) return "Implicit mode";
    return s.CartesianMode ? "Cartesian mode" : "Polar mode";
}

const char* onOff(bool on) {
    return on ? " on" : " off";
}
} // namespace

std::string describeChange(const TDrawingState& before, const TDrawingState& after) {
    const TDrawingContent& b = before.Content;
    const TDrawingContent& a = after.Content;
    const TDrawingSettings& bs = before.Settings;
    const TDrawingSettings& as = after.Settings;
    if (b.UserFormulas == a.UserFormulas && bs.ConstantValues != as.ConstantValues) return "Change constants";
    if (b.UserFormulas != a.UserFormulas || b.Graphs != a.Graphs) {
        if (as.FamilyPlotting && !a.UserFormulas[0].empty()) return "Family " + a.UserFormulas[0];
        if (graphCount(a) < graphCount(b)) return "Delete graphs";
        if (as.LastGraph >= 0 && as.LastGraph < TDrawingContent::SlotCount) {
            const std::string& newest = a.UserFormulas[static_cast<std::size_t>(as.LastGraph)];
            if (!newest.empty()) return "Plot " + newest;
        }
        return "Change the graphs";
    }
    if (!(b.DataSets == a.DataSets)) {
        if (a.DataSets.setCount() > b.DataSets.setCount()) return "Add data set";
        if (a.DataSets.setCount() < b.DataSets.setCount()) return "Delete data sets";
        return "Transform data set";
    }
    if (bs.ConstantValues != as.ConstantValues) return "Change constants";
    if (bs.CartesianMode != as.CartesianMode || bs.ImplicitMode != as.ImplicitMode) return modeName(as);
    if (bs.ParametricMode != as.ParametricMode) return std::string("Parametric") + onOff(as.ParametricMode);
    if (bs.DegreeMode != as.DegreeMode) return as.DegreeMode ? "Degrees" : "Radians";
    if (bs.PlotDerived != as.PlotDerived) return std::string("Derived function") + onOff(as.PlotDerived);
    if (bs.PlotIntegral != as.PlotIntegral) return std::string("Integral function") + onOff(as.PlotIntegral);
    if (bs.AutoYScaling != as.AutoYScaling) return std::string("Automatic y-scaling") + onOff(as.AutoYScaling);
    if (bs.SquareAxes != as.SquareAxes) return std::string("Square axes") + onOff(as.SquareAxes);
    if (bs.FamilyPlotting != as.FamilyPlotting) return as.FamilyPlotting ? "Family" : "End family";
    TDrawingSettings viewOnly = bs;
    viewOnly.View = as.View;
    if (!(viewOnly == bs)) return "Change the view";
    return "Change the drawing";
}

// ---- the history ---------------------------------------------------------------------------------------

TDrawingHistory::TDrawingHistory(TGraphDocument& document, TPlotHost& host) : document_(document), host_(host) {
    reset();
}

TDrawingState TDrawingHistory::capture() const {
    return {static_cast<const TDrawingContent&>(document_), TDrawingSettings::of(document_.Settings),
            host_.formulaText()};
}

bool TDrawingHistory::liveEquals(const TDrawingState& state) const {
    // Compared in place: a commit that finds nothing changed copies nothing.
    return static_cast<const TDrawingContent&>(document_) == state.Content &&
           TDrawingSettings::of(document_.Settings) == state.Settings;
}

void TDrawingHistory::restore(const TDrawingState& state) {
    static_cast<TDrawingContent&>(document_) = state.Content;
    state.Settings.applyTo(document_.Settings);
    document_.XRange = document_.Settings.Xmax - document_.Settings.Xmin;
    document_.YRange = document_.Settings.Ymax - document_.Settings.Ymin;
    host_.setFormulaText(state.Formula);
}

void TDrawingHistory::reset() {
    undo_.clear();
    redo_.clear();
    current_ = Entry{capture(), ++nextId_, {}};
    savedId_ = current_.id;
    pending_.clear();
    joinPending_ = false;
    mayJoin_ = false;
}

bool TDrawingHistory::commit() {
    if (groupDepth_ > 0) return false;
    const std::string name = std::exchange(pending_, {});
    const bool join = std::exchange(joinPending_, false);
    // Nothing changed. (The formula field alone is no change: a step restores the field as it
    // was when the step before it ended, which shows that drawing's newest formula.)
    if (liveEquals(current_.state)) return false;
    TDrawingState live = capture();
    if (join && mayJoin_ && !undo_.empty()) {
        // A gesture that ends where it began (a wheel turned in and back) is no step at all.
        if (liveEquals(undo_.back().state)) {
            current_ = std::move(undo_.back());
            current_.description.clear();
            undo_.pop_back();
            mayJoin_ = false;
            return true;
        }
    } else {
        Entry before = std::move(current_);
        before.description = name.empty() ? describeChange(before.state, live) : name;
        undo_.push_back(std::move(before));
        while (undo_.size() > Depth)
            undo_.pop_front();
    }
    redo_.clear();
    current_ = Entry{std::move(live), ++nextId_, {}};
    mayJoin_ = true;
    return true;
}

void TDrawingHistory::recordStep(std::string description) {
    if (groupDepth_ > 0) return;
    commit();
    pending_ = std::move(description);
}

void TDrawingHistory::continueStep(const std::string& description) {
    if (groupDepth_ > 0) return;
    commit();
    pending_ = description;
    joinPending_ = !undo_.empty() && undo_.back().description == description;
}

bool TDrawingHistory::canUndo() {
    commit();
    return !undo_.empty();
}

bool TDrawingHistory::canRedo() {
    commit();
    return !redo_.empty();
}

std::size_t TDrawingHistory::undoCount() {
    commit();
    return undo_.size();
}

std::string TDrawingHistory::undoDescription() {
    return canUndo() ? undo_.back().description : std::string();
}

std::string TDrawingHistory::redoDescription() {
    return canRedo() ? redo_.back().description : std::string();
}

bool TDrawingHistory::undo() {
    if (!canUndo()) return false;
    stepTo(undo_, redo_);
    return true;
}

bool TDrawingHistory::redo() {
    if (!canRedo()) return false;
    stepTo(redo_, undo_);
    return true;
}

void TDrawingHistory::stepTo(std::deque<Entry>& from, std::deque<Entry>& to) {
    // The step taken keeps its name on the other stack, so the opposite command names it too.
    Entry next = std::move(from.back());
    from.pop_back();
    current_.description = next.description;
    to.push_back(std::move(current_));
    current_ = std::move(next);
    current_.description.clear();
    restore(current_.state);
    mayJoin_ = false;
}

bool TDrawingHistory::isModified() {
    commit();
    return current_.id != savedId_;
}

void TDrawingHistory::markSaved(const std::filesystem::path& file) {
    commit();
    savedId_ = current_.id;
    file_ = file;
}

} // namespace kurvo

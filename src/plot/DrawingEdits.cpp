// Typing a coordinate set into the drawing, deleting graphs or sets from it, and changing one graph.
#include "DrawingEdits.h"

#include "PlotEngine.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace kurvo {

namespace {

/// Empties a slot: its expression, so no paint draws it, and its typed text, so a graph file
/// written later does not bring the deleted graph back.
void emptySlot(TGraphDocument& doc, int slot) {
    if (slot < 0 || slot >= TGraphDocument::SlotCount) return;
    doc.clearSlot(static_cast<std::size_t>(slot));
}

bool slotIsEmpty(const TGraphDocument& doc, int slot) {
    return doc.UserFormulas[static_cast<std::size_t>(slot)].empty() &&
           doc.ParsedFormulas[static_cast<std::size_t>(slot)].empty();
}

/// The newest slot from `slot` down that holds a graph, or -1. Plotting typed points takes a slot
/// and leaves it empty, so the newest graph need not be in slot LastGraph.
int newestGraph(const TGraphDocument& doc, int slot) {
    slot = std::min(slot, TGraphDocument::SlotCount - 1);
    while (slot >= 0 && slotIsEmpty(doc, slot))
        --slot;
    return slot;
}

/// The family's members while a family is plotted: 0 when `slot` is not one of them.
int familyMembersAt(const TPlotEngine& engine, int slot) {
    const int members = engine.Document.FamilyLastGraph;
    return engine.Settings.FamilyPlotting && slot >= 0 && slot < members ? members : 0;
}

/// A slot from 0 to `LastGraph` holding a graph (family members count while a family is plotted).
bool holdsGraph(const TPlotEngine& engine, int slot) {
    if (familyMembersAt(engine, slot) > 0) return true;
    return !engine.Settings.FamilyPlotting && slot >= 0 && slot <= engine.Settings.LastGraph &&
           slot < TGraphDocument::SlotCount && !slotIsEmpty(engine.Document, slot);
}

} // namespace

TTypedSet addTypedDataSet(TPlotEngine& engine, const std::string& axisLabels,
                          const std::vector<std::string>& lines) {
    TTypedSet typed = readTypedSet(lines);
    if (!typed.error.empty()) return typed;

    const TDrawingHistory::Group step(engine.History, "Add typed points");
    TGraphDocument& doc = engine.Document;
    doc.DataSetPlotting = true;
    doc.DataSets.setDataSetCount(doc.DataSets.dataSetCount() + 1);
    doc.DataSetAxisLabels = axisLabels;
    TSettingsRecord& settings = engine.Settings;
    const std::pair<std::string, std::string> names = splitAxisLabels(axisLabels);
    const bool renamed = names != std::pair(settings.XAxisName, settings.YAxisName);
    std::tie(settings.XAxisName, settings.YAxisName) = names;
    // Every line was checked above, so the store takes them all and ends the set with "#".
    doc.DataSets.appendLines(typed.lines);
    // The plot below draws over the picture, which shows the old axis names: the new ones would be
    // written across them, so the picture is drawn again first.
    if (renamed) engine.replotAll();
    engine.Host.setFormulaText(std::string());
    engine.PlotAction();
    // The Plot action moved on to a new slot and stored nothing in it: the newest graph stays the
    // newest, so the next formula takes the slot after it and no empty slot is left between graphs
    // (a graph file stops at the first empty slot).
    settings.LastGraph = newestGraph(doc, settings.LastGraph);
    return typed;
}

void deleteGraphs(TPlotEngine& engine, TDeleteChoice choice) {
    TGraphDocument& doc = engine.Document;
    TSettingsRecord& settings = engine.Settings;
    TDataSetStore& sets = doc.DataSets;
    using C = TDeleteChoice;
    static constexpr const char* StepNames[] = {"Delete last graph", "Delete all graphs", "Delete last data set",
                                                "Delete all data sets", "Delete all"};
    engine.History.recordStep(StepNames[static_cast<int>(choice)]);

    if (choice == C::AllGraphs || choice == C::All) {
        engine.Host.setFormulaText(std::string());
        // Every slot, not only the live ones: a family or an earlier drawing may have left texts
        // beyond LastGraph.
        for (int slot = 0; slot < TGraphDocument::SlotCount; ++slot)
            emptySlot(doc, slot);
        // No graph is left: the next one goes into slot 0, so no empty slot stands before it.
        settings.LastGraph = -1;
        settings.FamilyPlotting = false;
        doc.FamilyLastGraph = 0;
    }
    if (choice == C::LastGraph) {
        const int last = newestGraph(doc, settings.LastGraph);
        emptySlot(doc, last);
        const int previous = newestGraph(doc, last - 1);
        engine.Host.setFormulaText(previous >= 0 ? doc.UserFormulas[static_cast<std::size_t>(previous)]
                                                 : std::string());
        settings.LastGraph = std::max(previous, -1); // -1: no graph is left
    }
    bool allDataSets = choice == C::AllDataSets || choice == C::All;
    if (choice == C::LastDataSet) {
        if (sets.dataSetCount() < 2 || sets.setCount() < 2) {
            allDataSets = true;
        } else {
            sets.removeLastSet();
            sets.setDataSetCount(sets.dataSetCount() - 1);
        }
    }
    if (allDataSets) {
        sets.clear(); // the count too
        doc.clearTransformHistory();
        doc.DataSetPlotting = false;
    }
    settings.XAxisName = "x";
    settings.YAxisName = "y";
    engine.replotAll();
}

bool deleteGraph(TPlotEngine& engine, int slot) {
    if (!holdsGraph(engine, slot)) return false;
    TGraphDocument& doc = engine.Document;
    TSettingsRecord& settings = engine.Settings;
    engine.History.recordStep("Delete graph " + doc.UserFormulas[static_cast<std::size_t>(slot)]);
    if (familyMembersAt(engine, slot) > 0) {
        // The family filled slots 0..N-1 over whatever graphs were there: nothing else is left.
        for (int s = 0; s < TGraphDocument::SlotCount; ++s)
            emptySlot(doc, s);
        settings.FamilyPlotting = false;
        doc.FamilyLastGraph = 0;
        settings.LastGraph = -1;
    } else {
        for (int s = slot; s + 1 < TGraphDocument::SlotCount; ++s)
            doc.copySlot(static_cast<std::size_t>(s + 1), static_cast<std::size_t>(s));
        emptySlot(doc, TGraphDocument::SlotCount - 1);
        settings.LastGraph = std::max(settings.LastGraph - 1, -1);
    }
    const int newest = newestGraph(doc, settings.LastGraph);
    engine.Host.setFormulaText(newest >= 0 ? doc.UserFormulas[static_cast<std::size_t>(newest)] : std::string());
    engine.replotAll();
    return true;
}

bool editGraph(TPlotEngine& engine, int slot, const std::string& text) {
    if (text.empty() || !holdsGraph(engine, slot)) return false;
    if (text.size() > TGraphDocument::MaxFormulaLength) {
        engine.Host.showMessage("This formula is too long: a formula can have at most 255 characters.");
        return false;
    }
    TGraphDocument& doc = engine.Document;
    TSettingsRecord& settings = engine.Settings;
    engine.History.recordStep("Edit graph " + text);
    const TGraphDocument::TSlotContents before = doc.slotContents();
    const int members = familyMembersAt(engine, slot);
    const int target = members > 0 ? 0 : slot;
    const TGraphSlot old = doc.Graphs[static_cast<std::size_t>(target)];
    {
        // Store formula writes slot LastGraph in the current mode: both are lent for the store
        // and given back however it ends.
        struct Restore {
            TPlotEngine& engine;
            std::int32_t lastGraph;
            TPlotMode mode;
            ~Restore() {
                engine.Settings.LastGraph = lastGraph;
                mode.applyTo(engine.Settings);
                engine.syncModes();
            }
        } restore{engine, settings.LastGraph, TPlotMode::of(settings)};
        settings.LastGraph = target;
        old.Mode.applyTo(settings);
        try {
            engine.StoreFormula(text);
        } catch (...) {
            doc.restoreSlotContents(before);
            throw;
        }
    }
    TGraphSlot& graph = doc.Graphs[static_cast<std::size_t>(target)];
    graph.Hidden = old.Hidden;
    // The constants it was drawn with stay: an edit changes the formula, not the letters' values.
    graph.Constants = old.Constants;
    for (int k = 1; k < members; ++k)
        doc.copySlot(0, static_cast<std::size_t>(k));
    engine.Host.setFormulaText(text);
    engine.replotAll();
    return true;
}

void setGraphHidden(TPlotEngine& engine, int slot, bool hidden) {
    if (!holdsGraph(engine, slot)) return;
    engine.History.recordStep((hidden ? "Hide graph " : "Show graph ") +
                              engine.Document.UserFormulas[static_cast<std::size_t>(slot)]);
    const int members = familyMembersAt(engine, slot);
    for (int s = members > 0 ? 0 : slot; s < std::max(members, slot + 1); ++s)
        engine.Document.Graphs[static_cast<std::size_t>(s)].Hidden = hidden;
    engine.replotAll();
}

} // namespace kurvo

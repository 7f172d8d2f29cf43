// Typing a coordinate set into the drawing and deleting graphs or sets from it.
#include "DrawingEdits.h"

#include "PlotEngine.h"

#include <algorithm>
#include <tuple>

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

} // namespace

TTypedSet addTypedDataSet(TPlotEngine& engine, const std::string& axisLabels,
                          const std::vector<std::string>& lines) {
    TTypedSet typed = readTypedSet(lines);
    if (!typed.error.empty()) return typed;

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

} // namespace kurvo

// Typing a coordinate set into the drawing and deleting graphs or sets from it.
#include "DrawingEdits.h"

#include "PlotEngine.h"

#include <algorithm>
#include <tuple>

namespace kurvo {

TTypedSet addTypedDataSet(TPlotEngine& engine, const std::string& axisLabels,
                          const std::vector<std::string>& lines) {
    TTypedSet typed = readTypedSet(lines);
    if (!typed.error.empty()) return typed;

    TGraphDocument& doc = engine.Document;
    doc.DataSetPlotting = true;
    engine.Host.setFormulaText(std::string());
    doc.DataSets.setDataSetCount(doc.DataSets.dataSetCount() + 1);
    doc.DataSetAxisLabels = axisLabels;
    std::tie(engine.Settings.XAxisName, engine.Settings.YAxisName) = splitAxisLabels(axisLabels);
    // Every line was checked above, so the store takes them all and ends the set with "#".
    doc.DataSets.appendLines(typed.lines);
    engine.PlotAction();
    return typed;
}

namespace {

/// Empties a slot: its expression, so no paint draws it, and its typed text, so a graph file
/// written later does not bring the deleted graph back.
void emptySlot(TGraphDocument& doc, int slot) {
    if (slot < 0 || slot >= TGraphDocument::SlotCount) return;
    doc.ParsedFormulas[static_cast<std::size_t>(slot)].clear();
    doc.UserFormulas[static_cast<std::size_t>(slot)].clear();
}

bool slotIsEmpty(const TGraphDocument& doc, int slot) {
    return doc.UserFormulas[static_cast<std::size_t>(slot)].empty() &&
           doc.ParsedFormulas[static_cast<std::size_t>(slot)].empty();
}

} // namespace

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
        // The newest slot that holds a graph: plotting typed points takes a slot and leaves it
        // empty, and deleting such a slot would delete nothing the user can see.
        int last = std::min(settings.LastGraph, TGraphDocument::SlotCount - 1);
        while (last >= 0 && slotIsEmpty(doc, last))
            --last;
        emptySlot(doc, last);
        int previous = last - 1;
        while (previous >= 0 && slotIsEmpty(doc, previous))
            --previous;
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
        doc.DataSetPlotting = false;
    }

    settings.XAxisName = "x";
    settings.YAxisName = "y";
    engine.replotAll();
}

} // namespace kurvo

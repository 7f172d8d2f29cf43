// Opening graph and data-set files into the drawing, and the drawing as a graph file.
#include "GraphFileApply.h"

#include "DataSetStore.h"
#include "PlotEngine.h"
#include "Startup.h"

#include <algorithm>

namespace kurvo {

TGraphFile graphFileOf(const TGraphDocument& document) {
    const TSettingsRecord& s = document.Settings;
    TGraphFile g;
    g.settings = s;
    g.XRange = document.XRange;
    g.YRange = document.YRange;
    g.TRange = s.Tmax - s.Tmin;
    // Slots beyond the live ones may still hold formulas of an earlier drawing; they are not saved,
    // because opening the file draws every formula it holds.
    const int last = std::min(s.FamilyPlotting ? document.FamilyLastGraph - 1 : s.LastGraph,
                              TGraphDocument::SlotCount - 1);
    for (int slot = 0; slot <= last; ++slot) {
        const std::string& formula = document.UserFormulas[static_cast<std::size_t>(slot)];
        if (formula.empty()) break;
        g.formulas.push_back(formula);
    }
    g.dataSetLines = document.DataSets.lines();
    // The graphs' modes are written only when one differs from the settings' mode, so a file of
    // one mode keeps its exact earlier form.
    const TPlotMode settingsMode = TPlotMode::of(s);
    for (std::size_t slot = 0; slot < g.formulas.size(); ++slot)
        if (!(document.Graphs[slot].Mode == settingsMode)) {
            for (std::size_t k = 0; k < g.formulas.size(); ++k)
                g.graphModes.push_back(document.Graphs[k].Mode);
            break;
        }
    return g;
}

void applyGraphFile(TPlotEngine& engine, const TGraphFileRead& read, const std::string& fileName) {
    TGraphDocument& doc = engine.Document;
    TSettingsRecord& settings = engine.Settings;
    const TGraphFile& file = read.graph;
    engine.History.recordStep("Open " + std::filesystem::path(fileName).filename().string());

    const auto formulaCount =
        static_cast<int>(std::min<std::size_t>(file.formulas.size(), TGraphDocument::SlotCount));
    // The newest graph is the file's last formula, whatever its LastGraph line says.
    TSettingsRecord fromFile = withGraphFileSettings(settings, file.settings);
    fromFile.LastGraph = formulaCount - 1;
    TSanitizedSettings safe = sanitized(fromFile);
    settings = safe.record;
    doc.XRange = settings.Xmax - settings.Xmin;
    doc.YRange = settings.Ymax - settings.Ymin;
    for (std::size_t slot = 0; slot < TGraphDocument::SlotCount; ++slot) {
        doc.clearSlot(slot);
        if (slot < file.formulas.size()) doc.UserFormulas[slot] = file.formulas[slot];
    }

    const std::size_t setsBefore = doc.DataSets.setCount();
    doc.DataSets.appendLines(file.dataSetLines);
    doc.DataSets.setDataSetCount(doc.DataSets.dataSetCount() +
                                 static_cast<int>(doc.DataSets.setCount() - setsBefore));
    doc.DataSetPlotting = !doc.DataSets.empty();

    TPlotHost& host = engine.Host;
    const std::array<std::string, 6> fields = startup::rangeFieldTexts(settings);
    using F = TPlotHost::Field;
    for (F f : {F::TMin, F::TMax, F::XMin, F::XMax, F::YMin, F::YMax})
        host.setFieldText(f, fields[static_cast<std::size_t>(f)]);
    host.setFormulaText(doc.UserFormulas[0]);
    engine.syncModes();

    // Every formula is translated into its slot, so every graph of the file is drawn.
    std::string untranslated;
    // Each in its own mode when the file names the graphs' modes; the settings' mode is put back after.
    const TPlotMode settingsMode = TPlotMode::of(settings);
    for (int slot = 0; slot < formulaCount; ++slot) {
        settings.LastGraph = slot;
        const auto index = static_cast<std::size_t>(slot);
        (index < file.graphModes.size() ? file.graphModes[index] : settingsMode).applyTo(settings);
        try {
            engine.StoreFormula(doc.UserFormulas[static_cast<std::size_t>(slot)]);
        } catch (const std::exception& e) {
            untranslated += "\n" + doc.UserFormulas[static_cast<std::size_t>(slot)] + ": " + e.what();
        }
    }
    settingsMode.applyTo(settings);
    engine.syncModes();
    settings.LastGraph = formulaCount - 1;
    if (settings.FamilyPlotting && formulaCount > 0 && !doc.ParsedFormulas[0].empty()) {
        // A family fills its slots with the first formula and steps the constants while it is drawn.
        doc.FamilyLastGraph = settings.familySize;
        for (std::size_t k = 1; k < static_cast<std::size_t>(settings.familySize); ++k) {
            doc.copySlot(0, k);
        }
        settings.savedConstants = settings.ConstantValues;
        engine.StoreFormula(doc.UserFormulas[0]); // the parsers start from the constants again
    } else {
        settings.FamilyPlotting = false;
    }

    if (!safe.replaced.empty()) {
        std::string list;
        for (const auto& r : safe.replaced)
            list += (list.empty() ? "" : ", ") + r;
        host.showMessage("Some settings of " + fileName +
                         " could not be used and were replaced by defaults: " + list);
    }
    engine.replotAll();
    if (!untranslated.empty())
        host.showMessage("These graphs of " + fileName + " cannot be drawn:" + untranslated);
    if (read.droppedFormulas > 0)
        host.showMessage(fileName + " holds more than " + std::to_string(GraphFileMaxFormulas) +
                         " graphs; only the first " + std::to_string(GraphFileMaxFormulas) +
                         " were opened (" + std::to_string(read.droppedFormulas) + " left out).");
    if (!read.rejected.empty()) host.showMessage(rejectedLinesMessage(read.rejected));
}

void applyDataSetImport(TPlotEngine& engine, const TDataSetImport& import) {
    TGraphDocument& doc = engine.Document;
    engine.History.recordStep("Import data sets");
    const std::size_t setsBefore = doc.DataSets.setCount();
    doc.DataSets.appendLines(import.lines);
    doc.DataSets.setDataSetCount(doc.DataSets.dataSetCount() +
                                 static_cast<int>(doc.DataSets.setCount() - setsBefore));
    doc.DataSetPlotting = true;
    engine.Host.setFormulaText(std::string());
    bool renamed = false;
    if (import.axisLabels) {
        // A header row names the axes; the picture shows the old names, so it is drawn again
        // rather than the new ones being written across them.
        doc.DataSetAxisLabels = *import.axisLabels;
        // A tab- or semicolon-separated file's header is split at its own separator.
        std::string labels = *import.axisLabels;
        if (labels.find(',') == std::string::npos) {
            const auto separator = labels.find_first_of("\t;");
            if (separator != std::string::npos) labels[separator] = ',';
        }
        // A header of one word names no axis pair: the names stay.
        if (labels.find(',') != std::string::npos) {
            const std::pair<std::string, std::string> names = splitAxisLabels(labels);
            TSettingsRecord& settings = engine.Settings;
            renamed = names != std::pair(settings.XAxisName, settings.YAxisName);
            std::tie(settings.XAxisName, settings.YAxisName) = names;
        }
    }
    if (renamed)
        engine.replotAll();
    else
        engine.paintPlotRequested();
    engine.paintCoordinateSets();
    if (!import.rejected.empty()) engine.Host.showMessage(rejectedLinesMessage(import.rejected));
}

bool openChosenFile(TPlotEngine& engine, const std::filesystem::path& file) {
    const TFileKind kind = openFileKind(file.string());
    if (kind == TFileKind::GraphFile) {
        applyGraphFile(engine, readGraphFile(file), file.string());
        // The drawing is now the file's: nothing to save until it changes.
        engine.History.markSaved(file);
        return true;
    }
    if (isDataSetFileKind(kind)) {
        applyDataSetImport(engine, readDataSetFile(file, kind));
        return true;
    }
    engine.Host.showMessage("Kurvo32 cannot open " + file.string() +
                            ": it opens graph files (kvo) and data-set files (csv, tsv, txt, sid), "
                            "named in lower case.");
    return false;
}

void saveGraphFile(const TGraphDocument& document, const std::filesystem::path& file) {
    writeGraphFile(file, graphFileOf(document));
}

void saveGraphFile(TPlotEngine& engine, const std::filesystem::path& file) {
    saveGraphFile(engine.Document, file);
    engine.History.markSaved(file);
}

} // namespace kurvo

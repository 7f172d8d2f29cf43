// The graph file and the data-set files meet the drawing: what Open does with a file that was read,
// and the graph file that Save as KurvoFile writes.
#pragma once

#include "DataSetFile.h"
#include "GraphDocument.h"
#include "GraphFile.h"

#include <filesystem>
#include <string>

namespace kurvo {

class TPlotEngine;

/// The drawing as a graph file: the settings and ranges, the typed formulas of the live slots
/// (0 .. LastGraph, or the family's slots, up to the first empty one) and the data-set store.
TGraphFile graphFileOf(const TGraphDocument& document);

/// Opens a graph file that was read completely (`fileName` names it in messages). The settings it
/// holds replace the drawing's (values that cannot be used are replaced by the defaults, with a
/// message); its formulas fill slots 0, 1, ... and empty the others, LastGraph becomes its last
/// slot; its data sets are appended and counted; the range fields and the formula field (slot 0)
/// are filled; then every graph is drawn on a cleared picture, the whole family in family mode.
/// A formula that cannot be translated is reported and stays in its slot undrawn.
void applyGraphFile(TPlotEngine& engine, const TGraphFileRead& read, const std::string& fileName);

/// Adds what a data-set file gave: appends and counts its sets, puts its header into the axis-labels
/// text, turns data-set plotting on, empties the formula field and draws the sets over the picture.
void applyDataSetImport(TPlotEngine& engine, const TDataSetImport& import);

/// The Open command once a file was chosen: a name ending in "kvo" opens a graph file, "csv", "tsv",
/// "txt" or "sid" imports a data-set file (letter case counts); left-out lines and formulas are
/// reported once. Any other name changes nothing and is reported; returns false then. A file that
/// cannot be read raises its error (naming the file, and the line for a graph file) before the
/// drawing changes.
bool openChosenFile(TPlotEngine& engine, const std::filesystem::path& file);

/// Save as KurvoFile: writes the drawing's graph file atomically. Raises EInOutError naming the file.
void saveGraphFile(const TGraphDocument& document, const std::filesystem::path& file);
/// The same for the window's drawing, which is then marked as saved to `file` (its caption and the
/// question on closing follow that mark).
void saveGraphFile(TPlotEngine& engine, const std::filesystem::path& file);

} // namespace kurvo

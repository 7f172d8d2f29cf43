// Typing a coordinate set into the drawing, deleting graphs or sets from it, and changing one graph.
#pragma once

#include "DataSetStore.h"

#include <string>
#include <vector>

namespace kurvo {

class TPlotEngine;

/// OK of the coordinates editor: adds the typed lines (up to the first empty one) as a new data
/// set and plots. Data-set plotting is turned on, the formula field emptied (so the plot draws no
/// formula), the data-set count raised by one, `axisLabels` becomes the editor's labels text and is
/// split at its first comma into the axis names, the lines and "#" are appended to the store, and
/// the Plot action runs. Returns the set as read: when its error is not empty (the first line is
/// empty, or a line of the set is not a point "x,y") nothing has changed and the error is the
/// message to show, naming the line.
TTypedSet addTypedDataSet(TPlotEngine& engine, const std::string& axisLabels,
                          const std::vector<std::string>& lines);

/// The five choices of the delete dialog.
enum class TDeleteChoice { LastGraph, AllGraphs, LastDataSet, AllDataSets, All };

/// Deletes what `choice` names and draws every graph again.
/// - All graphs (AllGraphs, All): the formula field and every slot are emptied, family mode ends and
///   `LastGraph` becomes -1 (no graph), so the next graph goes into slot 0 again.
/// - LastGraph: the newest slot up to `LastGraph` that holds a graph is emptied (empty slots above
///   it, left by plotting typed points, are passed over); `LastGraph` becomes the graph before it,
///   whose formula the formula field shows. With one graph or none the formula field is emptied
///   and `LastGraph` becomes -1 (no graph), never lower.
/// - LastDataSet: the store's last set is removed (its lines too, so statistics and regression no
///   longer count it) and the data-set count goes down by one; with fewer than two sets it acts as
///   AllDataSets.
/// - All data sets (AllDataSets, All): the store is emptied, the count set to 0 and data-set plotting
///   turned off.
/// The data-set choices keep the formula field's text; when it is empty (plotting typed points
/// empties it) and graphs are left, it shows the newest graph's formula, so the redraw draws them.
/// Every choice resets the axis names to "x" and "y" and ends with a full redraw.
void deleteGraphs(TPlotEngine& engine, TDeleteChoice choice);

// ---- one graph of the drawing ------------------------------------------------------------------------
// A graph is named by its first slot; while a family is plotted the family is one graph (slots
// 0..FamilyLastGraph-1). Delete and edit are each one operation on the drawing: the undo snapshot
// taken in them (settings and slots) takes the whole operation back. Each ends with a full redraw.

/// Removes the graph in `slot`: the later slots move down one and `LastGraph` with them, so the next
/// formula plotted goes after the remaining graphs and a graph file keeps them in order. The formula
/// field shows the newest remaining graph's formula (empty when none is left). Deleting the family
/// removes every member and ends family mode. A slot that holds no graph changes nothing.
/// Returns whether a graph was removed.
bool deleteGraph(TPlotEngine& engine, int slot);

/// Replaces the formula of the graph in `slot` with `text` and draws it again in its slot, in the
/// mode it was plotted in, keeping its colour and whether it is hidden. For the family every member
/// takes the new formula. The formula field shows `text`. An empty text or a slot without a graph
/// changes nothing (false); a text longer than a slot holds is refused with the Plot action's
/// message, and one that does not translate raises the translator's error: the drawing stays as it
/// was either way.
bool editGraph(TPlotEngine& engine, int slot, const std::string& text);

/// Shows or hides the graph in `slot` (for the family, every member) and draws every graph again.
/// A hidden graph is drawn nowhere and not picked by the readout; graph files still hold it.
void setGraphHidden(TPlotEngine& engine, int slot, bool hidden);

} // namespace kurvo

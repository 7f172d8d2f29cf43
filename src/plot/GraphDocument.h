// TGraphDocument: the drawing itself: the graph slots and what the Plot action stores beside them.
#pragma once

#include "DataSetStore.h"
#include "SettingsRecord.h"

#include <array>
#include <string>

namespace kurvo {

using Extended = long double;

/// The drawing: the settings record (view, modes, colours, constants), the graph slots with each
/// formula as typed and as translated, the relation of the newest implicit graph, the undo
/// snapshot and the coordinate sets. It draws nothing and reads no window.
class TGraphDocument {
  public:
    static constexpr int SlotCount = 100;
    static constexpr std::size_t MaxFormulaLength = 255;

    explicit TGraphDocument(TSettingsRecord& settings) : Settings(settings), UndoSnapshot(settings) {}
    TGraphDocument(const TGraphDocument&) = delete;
    TGraphDocument& operator=(const TGraphDocument&) = delete;

    TSettingsRecord& Settings;

    std::array<std::string, SlotCount> UserFormulas;   ///< as typed (lower case, aliases replaced)
    std::array<std::string, SlotCount> ParsedFormulas; ///< in evaluator syntax
    int FamilyLastGraph = 0;                           ///< slots 0..FamilyLastGraph-1 hold a family

    /// A formula has been stored since start-up: before that, a Cartesian paint draws no graph.
    bool ExpressionReady = false;
    /// The plot draws the data sets alone, so an empty formula field is no reason to stop.
    bool DataSetPlotting = false;
    int ImplicitRelation = 4; ///< 0 ">", 1 ">=", 2 "<", 3 "<=", 4 "="
    bool DashedBoundary = false;

    Extended XRange = 0;
    Extended YRange = 0;

    /// The settings as they were before the last Plot action (one level of undo).
    TSettingsRecord UndoSnapshot;

    /// The coordinate sets of the drawing, with the data-set count and the single-set flag that
    /// say which of them are drawn (the store is their one owner).
    TDataSetStore DataSets;
    /// The coordinates editor's axis-labels text "x,y" (an import's header line lands here); a fit
    /// to the data names the axes from it.
    std::string DataSetAxisLabels = "x,y";
};

} // namespace kurvo

// TGraphDocument: the drawing itself: the graph slots and what the Plot action stores beside them.
#pragma once

#include "DataSetStore.h"
#include "PlotMode.h"
#include "SettingsRecord.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kurvo {

using Extended = long double;

/// What one graph slot keeps beside its formula, all derived from that formula when it was stored:
/// the mode it was plotted in and what its translation gave. A paint draws the slot from these
/// alone, so graphs of different modes and relations live side by side.
struct TGraphSlot {
    TPlotMode Mode;
    /// A parametric pair's second part, translated (the first is the slot's parsed formula).
    std::string SecondParsed;
    /// A relation: solved for y with one y (the parsed formula is then y = f(x)).
    bool SolvedForY = false;
    int ycount = 0;
    /// The solution's second branch, translated; empty when it has none.
    std::string SecondBranch;
    /// The general form F(x, y) = left - (right) of a relation (of its boundary for an
    /// inequality), translated; empty for no relation or when it does not translate.
    std::string GeneralForm;
    /// 0 ">", 1 ">=", 2 "<", 3 "<=", 4 "=".
    int Relation = 4;
    /// The constants a..z as they were when the formula was stored: a later change of a constant
    /// reaches the graphs stored after it.
    std::array<double, TSettingsRecord::ConstantCount> Constants{};
    /// Hidden from the user's view: not drawn, not in pictures, not picked by the readout. A graph
    /// file has no room for it, so it lasts while the program runs.
    bool Hidden = false;

    /// A strict inequality's boundary is not part of the region: it is dashed.
    bool dashed() const { return Relation == 0 || Relation == 2; }
    /// The relation's solved branches are traced as y = f(x); otherwise F(x, y) = 0 is traced.
    bool drawnSolved() const;

    friend bool operator==(const TGraphSlot&, const TGraphSlot&) = default;
};

/// A transformation's mirror line, y = slope·x + intercept, or x = intercept when vertical.
struct TMirrorLine {
    bool vertical = false;
    long double slope = 0;
    long double intercept = 0;
    bool operator==(const TMirrorLine&) const = default;
};

/// Points a transformation started from (or an image a later one replaced), drawn as marks in
/// mark colour `colour` (mod 5).
struct TTransformMarks {
    std::vector<TDataPoint> points;
    int colour = 0;
    bool operator==(const TTransformMarks&) const = default;
};

/// What the drawing holds beside the settings record: the graph slots with each formula as typed
/// and as translated and what each translation gave, and the coordinate sets. A copy of it is a
/// step of the drawing's history, and two drawings are the same when these compare equal, so every
/// member that belongs to the drawing lives here (not in TGraphDocument) and compares with ==.
struct TDrawingContent {
    static constexpr int SlotCount = 100;

    std::array<std::string, SlotCount> UserFormulas;   ///< as typed (lower case, aliases replaced)
    std::array<std::string, SlotCount> ParsedFormulas; ///< in evaluator syntax
    int FamilyLastGraph = 0;                           ///< slots 0..FamilyLastGraph-1 hold a family

    /// A formula has been stored since start-up: before that, a Cartesian paint draws no graph.
    bool ExpressionReady = false;
    /// The plot draws the data sets alone, so an empty formula field is no reason to stop.
    bool DataSetPlotting = false;
    /// What each slot's formula gave when it was stored (same index as the formulas).
    std::array<TGraphSlot, SlotCount> Graphs;

    /// The coordinate sets of the drawing, with the data-set count and the single-set flag that
    /// say which of them are drawn (the store is their one owner).
    TDataSetStore DataSets;
    /// The coordinates editor's axis-labels text "x,y" (an import's header line lands here); a fit
    /// to the data names the axes from it.
    std::string DataSetAxisLabels = "x,y";
    /// What the transformations of the first data set passed through, oldest first: the starting
    /// points and each image before the current one (the store holds the current points). Kept
    /// until the data sets are deleted.
    std::vector<TTransformMarks> TransformHistory;
    /// The mirror line of the last transformation, when it was a reflection.
    std::optional<TMirrorLine> Mirror;
    /// Forgets the transformations' marks and mirror line (the data sets were deleted).
    void clearTransformHistory() {
        TransformHistory.clear();
        Mirror.reset();
    }

    friend bool operator==(const TDrawingContent&, const TDrawingContent&) = default;
};

/// The drawing: its content and the settings record (view, modes, colours, constants) it shares
/// with the program. It draws nothing and reads no window.
class TGraphDocument : public TDrawingContent {
  public:
    static constexpr std::size_t MaxFormulaLength = 255;

    explicit TGraphDocument(TSettingsRecord& settings) : Settings(settings) {}
    TGraphDocument(const TGraphDocument&) = delete;
    TGraphDocument& operator=(const TGraphDocument&) = delete;

    TSettingsRecord& Settings;

    /// Empties a slot: its texts and what was derived from them.
    void clearSlot(std::size_t slot) {
        UserFormulas[slot].clear();
        ParsedFormulas[slot].clear();
        Graphs[slot] = TGraphSlot{};
    }
    /// Slot `to` becomes a copy of slot `from` (a family's members).
    void copySlot(std::size_t from, std::size_t to) {
        UserFormulas[to] = UserFormulas[from];
        ParsedFormulas[to] = ParsedFormulas[from];
        Graphs[to] = Graphs[from];
    }

    /// Everything the slots hold: what a one-graph edit changes, and what a failed edit puts back.
    struct TSlotContents {
        std::array<std::string, SlotCount> UserFormulas;
        std::array<std::string, SlotCount> ParsedFormulas;
        std::array<TGraphSlot, SlotCount> Graphs;
    };
    TSlotContents slotContents() const { return {UserFormulas, ParsedFormulas, Graphs}; }
    void restoreSlotContents(const TSlotContents& contents) {
        UserFormulas = contents.UserFormulas;
        ParsedFormulas = contents.ParsedFormulas;
        Graphs = contents.Graphs;
    }

    /// The view's widths, always Xmax - Xmin and Ymax - Ymin of the settings (derived, so they are
    /// no part of the content).
    Extended XRange = 0;
    Extended YRange = 0;
};

} // namespace kurvo

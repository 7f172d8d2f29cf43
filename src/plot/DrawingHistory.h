// TDrawingHistory: the undo and redo steps of the drawing, and whether it changed since it was saved.
#pragma once

#include "GraphDocument.h"
#include "PlotHost.h"
#include "SettingsRecord.h"

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>

namespace kurvo {

/// The part of the settings record that belongs to the drawing: the view, the mode switches, the
/// constants, the family and the newest slot, the axis names. The display settings (colours,
/// fonts, what is shown, the plot step), the administrator password and the readout switches are
/// the program's, not the drawing's: an undo never touches them.
struct TDrawingSettings {
    std::array<long double, 6> View{}; ///< Tmin, Tmax, Xmin, Xmax, Ymin, Ymax
    bool AutoYScaling = false, DegreeMode = false, CartesianMode = false, ParametricMode = false;
    bool ImplicitMode = false, PlotDerived = false, PlotIntegral = false, SquareAxes = false;
    bool FamilyPlotting = false;
    std::int32_t familySize = 0;
    std::int32_t LastGraph = -1;
    std::array<long double, TSettingsRecord::ConstantCount> ConstantValues{};
    std::array<long double, TSettingsRecord::ConstantCount> FamilySteps{};
    std::array<long double, TSettingsRecord::ConstantCount> savedConstants{};
    std::string XAxisName, YAxisName;

    static TDrawingSettings of(const TSettingsRecord& settings);
    /// Writes these values over the drawing's part of `settings`, leaving every other field alone.
    void applyTo(TSettingsRecord& settings) const;

    /// Views compare as the range fields show them (every paint reads the view from the fields), so
    /// a view read back from its own field texts is the same view; everything else compares exactly.
    friend bool operator==(const TDrawingSettings& a, const TDrawingSettings& b);
};

/// One state of the drawing: its content, its part of the settings and the formula field's text.
struct TDrawingState {
    TDrawingContent Content;
    TDrawingSettings Settings;
    std::string Formula;
};

/// What changed from one drawing to another, in a few words ("Plot x^2", "Polar mode"), for a step
/// that nobody named.
std::string describeChange(const TDrawingState& before, const TDrawingState& after);

/// The drawing's history: a stack of the states before each change (at most `Depth`) and the
/// states undone since. Commands need not copy anything themselves: the history keeps the drawing
/// as it was after the last step and compares it with the live drawing whenever it is asked, so a
/// change is a step as soon as the window (or a test) commits it, and a command that changed
/// nothing leaves no step. A command may name its step first (`recordStep`); a step nobody named
/// is described from what changed. The formula field is restored with each step but is no change
/// of its own: typing a formula is not a step.
class TDrawingHistory {
  public:
    static constexpr std::size_t Depth = 100;

    TDrawingHistory(TGraphDocument& document, TPlotHost& host);
    TDrawingHistory(const TDrawingHistory&) = delete;
    TDrawingHistory& operator=(const TDrawingHistory&) = delete;

    /// The drawing as it is now is where the history begins: no steps, and nothing to save.
    void reset();
    /// Before a change: whatever changed since the last step becomes a step of its own, and the
    /// change that follows is called `description` ("Zoom out").
    void recordStep(std::string description);
    /// Before a change that continues the newest step (the notches of one wheel turn): when that
    /// step is called `description` and nothing was undone since, the change joins it, so one
    /// undo takes back the whole gesture; otherwise it is a new step of that name.
    void continueStep(const std::string& description);
    /// Makes a change since the last step a step (true), or notes that nothing changed (false).
    /// Inside a group nothing is committed.
    bool commit();

    /// One step made of operations that would each be a step (typed points and the Plot action
    /// that draws them): while the group lives, the steps they record are part of this one.
    class Group {
      public:
        Group(TDrawingHistory& history, std::string description) : history_(history) {
            history_.recordStep(std::move(description));
            ++history_.groupDepth_;
        }
        ~Group() { --history_.groupDepth_; }
        Group(const Group&) = delete;
        Group& operator=(const Group&) = delete;

      private:
        TDrawingHistory& history_;
    };

    bool canUndo();
    bool canRedo();
    /// What Undo or Redo would take back or bring back ("Zoom out"); empty when there is nothing.
    std::string undoDescription();
    std::string redoDescription();
    /// One step back or forward: the slots, LastGraph, the view, the modes, the constants, the data
    /// sets and the formula field become what they were. Nothing is drawn; false when there is no
    /// step. The caller draws the picture again.
    bool undo();
    bool redo();
    std::size_t undoCount();
    std::size_t redoCount() const { return redo_.size(); }

    /// Whether the drawing differs from the one last opened or saved (or the start).
    bool isModified();
    /// The drawing as it is now was written to `file` (or read from it).
    void markSaved(const std::filesystem::path& file);
    /// The graph file the drawing was last opened from or saved to; empty before either.
    const std::filesystem::path& fileName() const { return file_; }

    /// The drawing as it is now.
    TDrawingState capture() const;

  private:
    struct Entry {
        TDrawingState state;
        std::uint64_t id = 0; ///< the same id is the same drawing (what the saved mark compares)
        std::string description;
    };
    bool liveEquals(const TDrawingState& state) const;
    void restore(const TDrawingState& state);
    /// Undo or redo: the newest entry of `from` becomes the drawing, the drawing goes onto `to`.
    void stepTo(std::deque<Entry>& from, std::deque<Entry>& to);

    TGraphDocument& document_;
    TPlotHost& host_;
    Entry current_; ///< the drawing after the last step (its formula: the field before the next change)
    std::deque<Entry> undo_; ///< states before each step, the newest last, each with its step's name
    std::deque<Entry> redo_; ///< states undone, the next to redo last
    std::string pending_;    ///< the name of the change under way
    bool joinPending_ = false;
    int groupDepth_ = 0;
    bool mayJoin_ = false; ///< the newest step was made by a commit, not left by an undo
    std::uint64_t nextId_ = 0;
    std::uint64_t savedId_ = 0;
    std::filesystem::path file_;
};

} // namespace kurvo

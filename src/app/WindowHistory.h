// TWindowHistory: undo and redo of the drawing in the window, its caption, and the question
// before unsaved changes are lost.
#pragma once

namespace kurvo {

class TFileCommands;
class TMainForm;
class TPlotSwitches;
class TWindowPlotHost;

/// The window's side of the drawing's history: stepping it (with the mode that comes back), the
/// Undo and Redo commands' states and hints, the caption with the file name and change mark, and
/// saving a changed drawing before it is closed or replaced.
class TWindowHistory {
  public:
    TWindowHistory(TMainForm& window, TPlotSwitches& switches, TWindowPlotHost& host, TFileCommands& files)
        : window_(window), switches_(switches), host_(host), files_(files) {}

    /// Undo (false) or Redo (true) one step of the drawing, then every graph drawn again.
    void step(bool redo);
    /// Commits the drawing's change as a step; Undo and Redo with their hints, and the caption.
    void refresh();
    /// Before the drawing is closed or replaced: when it changed since it was opened or saved,
    /// asks "Save changes to the drawing?" and saves on Save. False when the user cancelled (or
    /// the save did not happen): the drawing stays.
    bool saveChangesFirst();

  private:
    TMainForm& window_;
    TPlotSwitches& switches_;
    TWindowPlotHost& host_;
    TFileCommands& files_;
};

} // namespace kurvo

// TWindowCommands: the window's command table and the commands that belong to no other part.
#pragma once

#include "Commands.h"

namespace kurvo {

class TDialogSet;
class TFileCommands;
class TFormulaBar;
class TMainForm;
class TPlotSwitches;
class TWindowHistory;

/// Declares every command of the window once (`table`) and says what each does: most call a part
/// of the window (the file commands, the dialogs, the switches, the history, the gestures); the
/// view commands, the display options, typing ² and ³ and About are here. It must live as long as
/// the actions built from the table.
class TWindowCommands {
  public:
    TWindowCommands(TMainForm& window, TFormulaBar& bar, TPlotSwitches& switches, TWindowHistory& history,
                    TDialogSet& dialogs, TFileCommands& files)
        : window_(window), bar_(bar), switches_(switches), history_(history), dialogs_(dialogs),
          files_(files) {}
    TWindowCommands(const TWindowCommands&) = delete;
    TWindowCommands& operator=(const TWindowCommands&) = delete;

    /// One row per command, in menu order; the rows' `run` refer to this object.
    std::vector<TCommandDef> table();

  private:
    using Flag = bool TSettingsRecord::*;
    /// A display option of the settings switched, the commands following it.
    void toggle(Flag flag);
    /// The coordinate readout or the tangent switched: on, they take the pointer from the zoom and
    /// move gestures; the overlays of the old state go.
    void toggleReadout(Flag flag);
    void toggleAutoYScaling();
    void toggleSquareAxes();
    void defaultView();
    void showFunctions();
    void typeSquared();
    void typeCubed();
    void showAbout();

    TMainForm& window_;
    TFormulaBar& bar_;
    TPlotSwitches& switches_;
    TWindowHistory& history_;
    TDialogSet& dialogs_;
    TFileCommands& files_;
};

} // namespace kurvo

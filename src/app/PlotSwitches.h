// TPlotSwitches: the switches of the plot mode, the angle unit and the curve drawing options.
#pragma once

#include <functional>

namespace kurvo {

class TFormulaBar;
class TMainForm;

/// What happens when a mode, the angle unit or a curve option is switched: the settings (or the
/// stored options) change, the engine takes them, and the window's commands, preset list,
/// relation box and user functions follow.
class TPlotSwitches {
  public:
    /// `drawingStarted` tells whether the window's creation sequence has completed (before that
    /// the range fields are empty and nothing is redrawn).
    TPlotSwitches(TMainForm& window, TFormulaBar& bar, std::function<bool()> drawingStarted)
        : window_(window), bar_(bar), drawingStarted_(std::move(drawingStarted)) {}

    void switchMode(bool cartesian, bool implicit);
    /// The parametric switch (it does not apply to relations: there a stale click changes nothing).
    void toggleParametric();
    /// After the mode changed: the engine, the commands, the preset list, the relation box and the
    /// user functions of the new mode.
    void afterModeSwitch();
    void setAngleMode(bool degrees);
    /// The Angle mode button: the unit the parsers do not use now.
    void toggleAngleMode();
    /// Writes the curve options to the data folder and draws every graph with them.
    void setCurveOptions(bool smoothImplicitCurves, bool antialiasedCurves);
    void toggleSmoothImplicitCurves();
    void toggleAntialiasedCurves();

  private:
    TMainForm& window_;
    TFormulaBar& bar_;
    std::function<bool()> drawingStarted_;
};

} // namespace kurvo

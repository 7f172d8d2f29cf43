// TPlotSwitches: switching modes, the angle unit and the curve options.
#include "PlotSwitches.h"

#include "ExtensionSettings.h"
#include "FormulaBar.h"
#include "MainForm.h"
#include "PaintBox.h"
#include "PlotEngine.h"
#include "Startup.h"

namespace kurvo {

void TPlotSwitches::switchMode(bool cartesian, bool implicit) {
    TSettingsRecord& s = window_.settings();
    s.CartesianMode = cartesian;
    s.ImplicitMode = implicit;
    if (implicit) s.ParametricMode = false;
    afterModeSwitch();
}

void TPlotSwitches::toggleParametric() {
    TSettingsRecord& s = window_.settings();
    // The switch is disabled in implicit mode; a stale click changes nothing.
    if (!s.ImplicitMode) s.ParametricMode = !s.ParametricMode;
    afterModeSwitch();
}

void TPlotSwitches::afterModeSwitch() {
    TPlotEngine* engine = window_.engine();
    if (engine) engine->syncModes();
    window_.refreshCommands();
    bar_.loadPresetList();
    bar_.setupRelationBox();
    // Cartesian and polar modes have their own user functions; the parsers take the new mode's.
    if (engine) startup::loadUserFunctions(engine->Parsers, window_.settings(), window_.dataSource());
}

void TPlotSwitches::setAngleMode(bool degrees) {
    window_.settings().DegreeMode = degrees;
    if (TPlotEngine* engine = window_.engine()) engine->syncModes();
    window_.refreshCommands();
}

void TPlotSwitches::toggleAngleMode() {
    const TPlotEngine* engine = window_.engine();
    setAngleMode(engine ? !engine->Parsers.Translator.Degrees : !window_.settings().DegreeMode);
}

void TPlotSwitches::setCurveOptions(bool smoothImplicitCurves, bool antialiasedCurves) {
    TPlotEngine& engine = *window_.engine();
    TExtensionSettings options = engine.Options;
    options.smoothImplicitCurves = smoothImplicitCurves;
    options.antialiasedCurves = antialiasedCurves;
    struct Checks {
        TMainForm& window;
        ~Checks() { window.refreshCommands(); } // a refused write leaves the items as they were
    } checks{window_};
    writeExtensionSettings(window_.dataSource(), options);
    engine.Options = options;
    if (drawingStarted_() && window_.settings().LastGraph >= 0)
        window_.runPlotting([&] { engine.replotAll(); });
    window_.paintBox()->update();
}

void TPlotSwitches::toggleSmoothImplicitCurves() {
    const TExtensionSettings& o = window_.engine()->Options;
    setCurveOptions(!o.smoothImplicitCurves, o.antialiasedCurves);
}

void TPlotSwitches::toggleAntialiasedCurves() {
    const TExtensionSettings& o = window_.engine()->Options;
    setCurveOptions(o.smoothImplicitCurves, !o.antialiasedCurves);
}

} // namespace kurvo

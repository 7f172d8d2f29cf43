// TWindowCommands: the window's command table, one row per command, and the commands of no other part.
#include "WindowCommands.h"

#include "AboutBox.h"
#include "ConstantsDialog.h"
#include "CoordsDialog.h"
#include "DeleteDialog.h"
#include "DialogSet.h"
#include "DialogSupport.h"
#include "EnvironmentDialog.h"
#include "FamiliesDialog.h"
#include "FileCommands.h"
#include "FormulaBar.h"
#include "FormulaeDialog.h"
#include "FunctionsDialog.h"
#include "HelpWindow.h"
#include "MainForm.h"
#include "MatrixDialog.h"
#include "PaintBox.h"
#include "PlotEngine.h"
#include "PlotSwitches.h"
#include "RegressionDialog.h"
#include "SetPasswordDialog.h"
#include "Startup.h"
#include "StatisticsDialog.h"
#include "TransformDialog.h"
#include "WindowHistory.h"

namespace kurvo {
namespace {

using C = Command;
using M = Menu;
using Check = TCommandDef::Check;

bool explicitCartesian(const TCommandState& s) {
    return s.mode.explicitCartesian();
}
bool hasDataSets(const TCommandState& s) {
    return s.dataSets;
}

void zoomAboutCentre(TPlotEngine& engine, Extended factor) {
    const TPlotView v = engine.currentView();
    engine.zoomAbout((v.Xmin + v.Xmax) / 2, (v.Ymin + v.Ymax) / 2, factor);
}

} // namespace

// ---- the command table: one row per command ------------------------------------------------------------

std::vector<TCommandDef> TWindowCommands::table() {
    auto view = [this](auto f) {
        return [this, f] { window_.runPlotting([&] { f(*window_.engine()); }); };
    };
    auto present = [](auto dialog) { return [dialog] { presentDialog(dialog()); }; };
    auto gestureMode = [this](void (TPlotGestures::*toggle)()) {
        return [this, toggle] {
            (window_.gestures().*toggle)();
            window_.refreshCommands();
        };
    };
    TDialogSet& d = dialogs_;
    TFileCommands& f = files_;
    // id, menu, separator before, object name, text, hint, shortcuts, image, check, enabled, checked,
    // image rule, run, ignored while plotting
    return {
        {C::SaveDataset, M::File, false, "Save1", "Save As &Dataset", "", "", -1, Check::None, nullptr, nullptr,
         nullptr, [&f] { f.saveDataset(); }},
        {C::SavePicture, M::File, false, "SaveasPicture1", "Save as &Picture", "", "", -1, Check::None, nullptr,
         nullptr, nullptr, [&f] { f.savePicture(); }},
        {C::SaveGraphFile, M::File, false, "SaveasKurvoFile1", "Save as &KurvoFile", "", "", -1, Check::None,
         nullptr, nullptr, nullptr, [&f] { f.saveGraphFile(); }},
        {C::Open, M::File, false, "Open1", "&Open", "", "", 0, Check::None, nullptr, nullptr, nullptr,
         [&f] { f.open(); }},
        {C::PrinterSetup, M::File, true, "PrinterSetup1", "Printer Setup", "", "", -1, Check::None, nullptr,
         nullptr, nullptr, [&f] { f.printerSetup(); }},
        {C::Print, M::File, false, "Print", "&Print", "", "", 1, Check::None, nullptr, nullptr, nullptr,
         [&f] { f.print(); }},
        {C::Exit, M::File, true, "Stop1", "E&xit", "", "", -1, Check::None, nullptr, nullptr, nullptr,
         [this] { window_.close(); }},

        {C::Undo, M::Edit, false, "Undo1", "&Undo", "Nothing to undo", "Ctrl+Z", -1, Check::None, nullptr, nullptr,
         nullptr, [this] { history_.step(false); }, true},
        {C::Redo, M::Edit, false, "Redo1", "&Redo", "Nothing to redo", "Ctrl+Shift+Z; Ctrl+Y", -1, Check::None,
         nullptr, nullptr, nullptr, [this] { history_.step(true); }, true},
        {C::Environment, M::Settings, false, "Environment1", "E&nvironment", "", "", -1, Check::None, nullptr,
         nullptr, nullptr, present([&d] { return d.environment(); })},
        {C::ConfigureToolbar, M::Settings, false, "ConfigureToolbar1", "&Configure Toolbar  (Admin only)", "", "",
         -1, Check::None, nullptr, nullptr, nullptr,
         [&d] { d.askPasswordFor(TDialogSet::AdminTarget::ToolbarConfiguration); }},
        // The dialog asks for the present password itself.
        {C::SetPassword, M::Settings, true, "SetPassword1", "Set P&assword (Admin only)", "", "", -1, Check::None,
         nullptr, nullptr, nullptr, present([&d] { return d.setPassword(); })},
        {C::DeleteGraphs, M::Settings, true, "Delete1", "&Delete Graphs", "", "", 2, Check::None, nullptr, nullptr,
         nullptr, present([&d] { return d.deletion(); })},
        {C::Cartesian, M::Settings, true, "Cart1", "&Cartesian", "", "", 3, Check::ModeGroup, nullptr,
         [](const TCommandState& s) { return s.settings.CartesianMode && !s.settings.ImplicitMode; }, nullptr,
         [this] { switches_.switchMode(true, false); }},
        {C::Polar, M::Settings, false, "Polar1", "&Polar", "", "", 4, Check::ModeGroup, nullptr,
         [](const TCommandState& s) { return !s.settings.CartesianMode && !s.settings.ImplicitMode; }, nullptr,
         [this] { switches_.switchMode(false, false); }},
        {C::Implicit, M::Settings, false, "Implicit1", "&Implicit", "", "", 5, Check::ModeGroup, nullptr,
         [](const TCommandState& s) { return s.settings.ImplicitMode; }, nullptr,
         [this] { switches_.switchMode(window_.settings().CartesianMode, true); }},
        // A switch that does not apply in this mode is disabled and shown off; its flag is kept for
        // the mode where it applies again.
        {C::Parametric, M::Settings, true, "Parametric1", "&Parametric", "", "", 6, Check::Toggle,
         [](const TCommandState& s) { return s.mode.parametricApplies(); },
         [](const TCommandState& s) { return s.mode.parametric; },
         [](const TCommandState& s) { return s.mode.parametric ? 6 : 25; },
         [this] { switches_.toggleParametric(); }},
        {C::Radians, M::Settings, true, "Radians1", "&Radians", "", "", -1, Check::AngleGroup, nullptr,
         [](const TCommandState& s) { return !s.settings.DegreeMode; }, nullptr, [this] { switches_.setAngleMode(false); }},
        {C::Degrees, M::Settings, false, "Degrees1", "De&grees", "", "", -1, Check::AngleGroup, nullptr,
         [](const TCommandState& s) { return s.settings.DegreeMode; }, nullptr, [this] { switches_.setAngleMode(true); }},
        {C::ShowCoordinateInfo, M::Settings, true, "ShowCoordinateInfo1", "Show C&oordinate Info", "", "", 16,
         Check::Toggle, nullptr, [](const TCommandState& s) { return s.settings.ShowCoordinateInfo; }, nullptr,
         [this] { toggleReadout(&TSettingsRecord::ShowCoordinateInfo); }, true},
        {C::ShowTangent, M::Settings, false, "ShowTangent1", "Show &Tangent to graph", "", "", 17, Check::Toggle,
         explicitCartesian,
         [](const TCommandState& s) { return s.settings.ShowTangent && s.mode.explicitCartesian(); }, nullptr,
         [this] { toggleReadout(&TSettingsRecord::ShowTangent); }, true},
        {C::PlotDerived, M::Settings, true, "PlotDerivedFunction1", "Plot D&erived Function", "", "", 18,
         Check::Toggle, explicitCartesian,
         [](const TCommandState& s) { return s.settings.PlotDerived && s.mode.explicitCartesian(); }, nullptr,
         [this] { toggle(&TSettingsRecord::PlotDerived); }},
        {C::PlotIntegral, M::Settings, false, "PlotIntegralFunction1", "Plot I&ntegral Function", "", "", 19,
         Check::Toggle, explicitCartesian,
         [](const TCommandState& s) { return s.settings.PlotIntegral && s.mode.explicitCartesian(); }, nullptr,
         [this] { toggle(&TSettingsRecord::PlotIntegral); }},
        {C::AutoYScaling, M::Settings, true, "Automaticyscaling1", "Automatic &y-scaling", "", "", 20,
         Check::Toggle, nullptr, [](const TCommandState& s) { return s.settings.AutoYScaling; }, nullptr,
         [this] { toggleAutoYScaling(); }, true},
        {C::SquareAxes, M::Settings, true, "Square1", "&Square x  and y axes", "", "", 21, Check::Toggle, nullptr,
         [](const TCommandState& s) { return s.settings.SquareAxes; },
         [](const TCommandState& s) { return s.settings.SquareAxes ? 27 : 21; },
         [this] { toggleSquareAxes(); }, true},
        {C::SmoothImplicitCurves, M::Settings, true, "SmoothImplicitCurves1", "Smooth implicit curves",
         "Trace general relations as smooth curves", "", -1, Check::Toggle, nullptr,
         [](const TCommandState& s) { return s.options.smoothImplicitCurves; }, nullptr,
         [this] { switches_.toggleSmoothImplicitCurves(); }},
        {C::AntialiasedCurves, M::Settings, false, "AntialiasedCurves1", "Antialiased curves",
         "Draw curves with smooth edges", "", -1, Check::Toggle, nullptr,
         [](const TCommandState& s) { return s.options.antialiasedCurves; }, nullptr,
         [this] { switches_.toggleAntialiasedCurves(); }},
        {C::AddFormulaToFile, M::Settings, true, "Addformulatofile1", "&Add formula to file", "", "", 22,
         Check::None, nullptr, nullptr, nullptr, [this] { bar_.addFormulaToPresetList(); }},

        {C::ZoomOut, M::Zooms, false, "Zoomout1", "Zoom out", "", "", 11, Check::None, nullptr, nullptr, nullptr,
         view([](TPlotEngine& e) { e.ZoomOut(); }), true},
        {C::ZoomIn, M::Zooms, false, "Zoomin1", "Zoom in", "", "", 12, Check::Toggle, nullptr,
         [](const TCommandState& s) { return s.zoomMode; }, nullptr,
         gestureMode(&TPlotGestures::toggleZoomMode), true},
        {C::MoveGraph, M::Zooms, false, "Movegraph1", "Move graph", "", "", 13, Check::Toggle, nullptr,
         [](const TCommandState& s) { return s.moveMode; }, nullptr,
         gestureMode(&TPlotGestures::toggleMoveMode), true},
        {C::EqualScale, M::Zooms, true, "EqualScale1", "Equal scale", "", "", -1, Check::None, nullptr, nullptr,
         nullptr, view([](TPlotEngine& e) { e.EqualScale(); }), true},
        {C::ZoomInCentre, M::Zooms, false, "ZoomInCentre1", "Zoom in about centre", "", "Ctrl++; Ctrl+=", -1,
         Check::None, nullptr, nullptr, nullptr, view([](TPlotEngine& e) { zoomAboutCentre(e, TPlotEngine::WheelFactor); }),
         true},
        {C::ZoomOutCentre, M::Zooms, false, "ZoomOutCentre1", "Zoom out about centre", "", "Ctrl+-", -1,
         Check::None, nullptr, nullptr, nullptr,
         view([](TPlotEngine& e) { zoomAboutCentre(e, 1 / TPlotEngine::WheelFactor); }), true},
        {C::DefaultView, M::Zooms, false, "DefaultView1", "Default view", "", "Ctrl+0", -1, Check::None, nullptr,
         nullptr, nullptr,
         [this] { defaultView(); }, true},

        {C::Constants, M::Editors, false, "Constants1", "&Constants", "Open constant editor", "", 14, Check::None,
         nullptr, nullptr, nullptr, present([&d] { return d.constants(); })},
        {C::Families, M::Editors, false, "Families1", "Fa&milies", "Open families editor", "", 15, Check::None,
         nullptr, nullptr, nullptr, present([&d] { return d.families(); })},
        {C::Functions, M::Editors, true, "Functions1", "F&unctions", "Open functions editor", "", -1, Check::None,
         nullptr, nullptr, nullptr,
         [this] { showFunctions(); }},
        {C::Formulae, M::Editors, false, "Formulae1", "&Formulae", "Open formulas editor", "", -1, Check::None,
         nullptr, nullptr, nullptr, present([&d] { return d.formulae(); })},
        {C::CoordinateSets, M::Editors, true, "CoordinateSets1", "&Coordinate Sets", "Open coordinates editor", "",
         9, Check::None, nullptr, nullptr, nullptr, present([&d] { return d.coords(); })},
        {C::FunctionAliases, M::Editors, true, "FunctionAliases1", "Function Aliases  (Admin only)",
         "Open function alias editor", "", -1, Check::None, nullptr, nullptr, nullptr,
         [&d] { d.askPasswordFor(TDialogSet::AdminTarget::FunctionAliases); }},

        // The data-set commands (menu and transformation buttons) wait for data sets.
        {C::Transformations, M::DataSets, false, "Transforms1", "Descriptive &Transformations", "", "", 8,
         Check::None, hasDataSets, nullptr, nullptr, [&d] { d.transform()->openDialog(); }},
        {C::MatrixTransformations, M::DataSets, false, "Matrix1", "&Matrix Tranformations", "", "", 7, Check::None,
         hasDataSets, nullptr, nullptr, [&d] { d.matrix()->openDialog(); }},
        {C::Statistics, M::DataSets, true, "Statistics1", "&Statistics", "", "", -1, Check::None, hasDataSets,
         nullptr, nullptr, [&d] { d.statistics()->openDialog(); }},
        {C::Regression, M::DataSets, false, "Regression1", "&Regression", "", "", -1, Check::None, hasDataSets,
         nullptr, nullptr, [&d] { d.regression()->openDialog(); }},

        {C::HelpContents, M::Help, false, "Help2", "Kurvo &Help Contents", "", "F1", -1, Check::None, nullptr,
         nullptr, nullptr, [&d] { d.help()->showPage("index.html"); }},
        {C::Tutorial, M::Help, false, "KurvoTutorial1", "Kurvo Help &Tutorial", "", "", -1, Check::None, nullptr,
         nullptr, nullptr, [&d] { d.help()->showPage("tutorial.html"); }},
        {C::About, M::Help, true, "HelpAboutItem", "&About Kurvo", "", "", -1, Check::None, nullptr, nullptr,
         nullptr, [this] { showAbout(); }},

        {C::Plot, M::Popup, false, "Plot", "&Plot Graph", "", "", -1, Check::None, nullptr, nullptr, nullptr,
         [this] { window_.runPlotting([this] { window_.engine()->PlotAction(); }); }},
        {C::CopyToClipboard, M::Popup, true, "CopytoCliboard1", "&Copy Graph to Clipboard", "", "", -1, Check::None,
         nullptr, nullptr, nullptr, [&f] { f.copyToClipboard(); }},
        {C::UndoLastAction, M::Popup, true, "Undolastaction1", "&Undo last action", "", "", -1, Check::None,
         nullptr, nullptr, nullptr, [this] { history_.step(false); }, true},

        {C::AngleMode, M::None, false, "AngleMode", "Angle mode", "", "", 10, Check::None, nullptr, nullptr,
         [](const TCommandState& s) { return s.settings.DegreeMode ? 10 : 26; },
         [this] { switches_.toggleAngleMode(); }},
        {C::TypeSquared, M::None, false, "TypeSquared", "Type \xC2\xB2", "", "", 23, Check::None, nullptr, nullptr,
         nullptr, [this] { typeSquared(); }},
        {C::TypeCubed, M::None, false, "TypeCubed", "Type \xC2\xB3", "", "", 24, Check::None, nullptr, nullptr,
         nullptr, [this] { typeCubed(); }},
    };
}

// ---- the commands of no other part ------------------------------------------------------------------------

void TWindowCommands::toggle(Flag flag) {
    TSettingsRecord& s = window_.settings();
    s.*flag = !(s.*flag);
    window_.refreshCommands();
}

void TWindowCommands::toggleReadout(Flag flag) {
    TSettingsRecord& s = window_.settings();
    s.*flag = !(s.*flag);
    if (s.*flag) window_.gestures().endModes();
    window_.paintBox()->setOverlays({});
    // Showing or hiding the status bar resizes the plot area, which draws every graph again.
    window_.refreshCommands();
}

void TWindowCommands::toggleAutoYScaling() {
    TSettingsRecord& s = window_.settings();
    s.AutoYScaling = !s.AutoYScaling;
    // The next Plot replaces every graph; with no graph yet there is no slot 0 to keep.
    if (s.LastGraph > 0) s.LastGraph = 0;
    window_.refreshCommands();
    bar_.setupRelationBox();
}

void TWindowCommands::toggleSquareAxes() {
    toggle(&TSettingsRecord::SquareAxes);
    window_.runPlotting([this] { window_.engine()->replotFamilyOrAll(); });
}

void TWindowCommands::defaultView() {
    // The view stored in the data folder's settings (the built-in defaults without a data folder).
    const TSettingsRecord s = startup::startSettings(window_.dataSource().readSettings()).record;
    window_.runPlotting([&] { window_.engine()->setView({s.Xmin, s.Xmax, s.Ymin, s.Ymax, s.Tmin, s.Tmax}); });
}

void TWindowCommands::showFunctions() {
    const TSettingsRecord& s = window_.settings();
    if (s.ParametricMode || s.ImplicitMode)
        window_.plotHost().showMessage("Sorry Functions are not available in Parametric or Implicit modes.");
    else
        presentDialog(dialogs_.functions());
}

void TWindowCommands::typeSquared() {
    if (bar_.formulaHasFocus())
        bar_.typeIntoFormula(QString::fromUtf8("²"));
    else if (Tfformulae* formulae = dialogs_.formulaeIfMade())
        formulae->typeIntoList("\xB2");
}

void TWindowCommands::typeCubed() {
    bar_.typeIntoFormula(QString::fromUtf8("³"));
}

void TWindowCommands::showAbout() {
    TAboutBox box(&window_);
    TSuspendScope input(window_.inputGuard());
    box.exec();
}

} // namespace kurvo

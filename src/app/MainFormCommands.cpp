// TMainForm: the command table and what the commands do; the host operations the dialogs use.
#include "MainForm.h"

#include "AboutBox.h"
#include "ConstantsDialog.h"
#include "CoordsDialog.h"
#include "DeleteDialog.h"
#include "EnvironmentDialog.h"
#include "SetPasswordDialog.h"
#include "Cp1252.h"
#include "DialogSupport.h"
#include "FamiliesDialog.h"
#include "FormulaeDialog.h"
#include "FunctionsDialog.h"
#include "HelpWindow.h"
#include "MatrixDialog.h"
#include "NumberText.h"
#include "PaintBox.h"
#include "PasswordDialog.h"
#include "PlotEngine.h"
#include "RegressionDialog.h"
#include "Startup.h"
#include "StatisticsDialog.h"
#include "TransformDialog.h"

#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>

namespace kurvo {
namespace {

QString toQ(const std::string& cp1252) {
    return QString::fromStdString(cp1252ToUtf8(cp1252));
}

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

void insertAtCaret(QLineEdit* edit, const QString& s) {
    const int caret = edit->cursorPosition();
    const QString t = edit->text();
    edit->setText(t.left(caret) + s + t.mid(caret));
    edit->setCursorPosition(caret + static_cast<int>(s.size()));
}

} // namespace

// ---- the command table: one row per command ------------------------------------------------------------

std::vector<TCommandDef> TMainForm::commandTable() {
    auto view = [this](auto f) {
        return [this, f] { plotting([&] { f(*engine_); }); };
    };
    auto present = [](auto dialog) { return [dialog] { presentDialog(dialog()); }; };
    TDialogSet& d = *dialogs_;
    TFileCommands& f = *files_;
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
         [this] { close(); }},

        {C::Undo, M::Edit, false, "Undo1", "&Undo", "Nothing to undo", "Ctrl+Z", -1, Check::None, nullptr, nullptr,
         nullptr, [this] { stepHistory(false); }, true},
        {C::Redo, M::Edit, false, "Redo1", "&Redo", "Nothing to redo", "Ctrl+Shift+Z; Ctrl+Y", -1, Check::None,
         nullptr, nullptr, nullptr, [this] { stepHistory(true); }, true},
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
         [this] { switchMode(true, false); }},
        {C::Polar, M::Settings, false, "Polar1", "&Polar", "", "", 4, Check::ModeGroup, nullptr,
         [](const TCommandState& s) { return !s.settings.CartesianMode && !s.settings.ImplicitMode; }, nullptr,
         [this] { switchMode(false, false); }},
        {C::Implicit, M::Settings, false, "Implicit1", "&Implicit", "", "", 5, Check::ModeGroup, nullptr,
         [](const TCommandState& s) { return s.settings.ImplicitMode; }, nullptr,
         [this] { switchMode(settings_.CartesianMode, true); }},
        // A switch that does not apply in this mode is disabled and shown off; its flag is kept for
        // the mode where it applies again.
        {C::Parametric, M::Settings, true, "Parametric1", "&Parametric", "", "", 6, Check::Toggle,
         [](const TCommandState& s) { return s.mode.parametricApplies(); },
         [](const TCommandState& s) { return s.mode.parametric; },
         [](const TCommandState& s) { return s.mode.parametric ? 6 : 25; },
         [this] {
             // The switch is disabled in implicit mode; a stale click changes nothing.
             if (!settings_.ImplicitMode) settings_.ParametricMode = !settings_.ParametricMode;
             afterModeSwitch();
         }},
        {C::Radians, M::Settings, true, "Radians1", "&Radians", "", "", -1, Check::AngleGroup, nullptr,
         [](const TCommandState& s) { return !s.settings.DegreeMode; }, nullptr, [this] { setAngleMode(false); }},
        {C::Degrees, M::Settings, false, "Degrees1", "De&grees", "", "", -1, Check::AngleGroup, nullptr,
         [](const TCommandState& s) { return s.settings.DegreeMode; }, nullptr, [this] { setAngleMode(true); }},
        {C::ShowCoordinateInfo, M::Settings, true, "ShowCoordinateInfo1", "Show C&oordinate Info", "", "", 16,
         Check::Toggle, nullptr, [](const TCommandState& s) { return s.settings.ShowCoordinateInfo; }, nullptr,
         [this] {
             settings_.ShowCoordinateInfo = !settings_.ShowCoordinateInfo;
             if (settings_.ShowCoordinateInfo) gestures_->endModes();
             paintBox_->setOverlays({});
             // Showing or hiding the status bar resizes the plot area, which draws every graph again.
             updateCommands();
         },
         true},
        {C::ShowTangent, M::Settings, false, "ShowTangent1", "Show &Tangent to graph", "", "", 17, Check::Toggle,
         explicitCartesian,
         [](const TCommandState& s) { return s.settings.ShowTangent && s.mode.explicitCartesian(); }, nullptr,
         [this] {
             settings_.ShowTangent = !settings_.ShowTangent;
             if (settings_.ShowTangent) gestures_->endModes();
             paintBox_->setOverlays({});
             updateCommands();
         },
         true},
        {C::PlotDerived, M::Settings, true, "PlotDerivedFunction1", "Plot D&erived Function", "", "", 18,
         Check::Toggle, explicitCartesian,
         [](const TCommandState& s) { return s.settings.PlotDerived && s.mode.explicitCartesian(); }, nullptr,
         [this] {
             settings_.PlotDerived = !settings_.PlotDerived;
             updateCommands();
         }},
        {C::PlotIntegral, M::Settings, false, "PlotIntegralFunction1", "Plot I&ntegral Function", "", "", 19,
         Check::Toggle, explicitCartesian,
         [](const TCommandState& s) { return s.settings.PlotIntegral && s.mode.explicitCartesian(); }, nullptr,
         [this] {
             settings_.PlotIntegral = !settings_.PlotIntegral;
             updateCommands();
         }},
        {C::AutoYScaling, M::Settings, true, "Automaticyscaling1", "Automatic &y-scaling", "", "", 20,
         Check::Toggle, nullptr, [](const TCommandState& s) { return s.settings.AutoYScaling; }, nullptr,
         [this] {
             settings_.AutoYScaling = !settings_.AutoYScaling;
             // The next Plot replaces every graph; with no graph yet there is no slot 0 to keep.
             if (settings_.LastGraph > 0) settings_.LastGraph = 0;
             updateCommands();
             setupRelationBox();
         },
         true},
        {C::SquareAxes, M::Settings, true, "Square1", "&Square x  and y axes", "", "", 21, Check::Toggle, nullptr,
         [](const TCommandState& s) { return s.settings.SquareAxes; },
         [](const TCommandState& s) { return s.settings.SquareAxes ? 27 : 21; },
         [this] {
             settings_.SquareAxes = !settings_.SquareAxes;
             updateCommands();
             plotting([&] { engine_->replotFamilyOrAll(); });
         },
         true},
        {C::SmoothImplicitCurves, M::Settings, true, "SmoothImplicitCurves1", "Smooth implicit curves",
         "Trace general relations as smooth curves", "", -1, Check::Toggle, nullptr,
         [](const TCommandState& s) { return s.options.smoothImplicitCurves; }, nullptr,
         [this] { toggleOption(!engine_->Options.smoothImplicitCurves, engine_->Options.antialiasedCurves); }},
        {C::AntialiasedCurves, M::Settings, false, "AntialiasedCurves1", "Antialiased curves",
         "Draw curves with smooth edges", "", -1, Check::Toggle, nullptr,
         [](const TCommandState& s) { return s.options.antialiasedCurves; }, nullptr,
         [this] { toggleOption(engine_->Options.smoothImplicitCurves, !engine_->Options.antialiasedCurves); }},
        {C::AddFormulaToFile, M::Settings, true, "Addformulatofile1", "&Add formula to file", "", "", 22,
         Check::None, nullptr, nullptr, nullptr, [this] { addFormulaToFile(); }},

        {C::ZoomOut, M::Zooms, false, "Zoomout1", "Zoom out", "", "", 11, Check::None, nullptr, nullptr, nullptr,
         view([](TPlotEngine& e) { e.ZoomOut(); }), true},
        {C::ZoomIn, M::Zooms, false, "Zoomin1", "Zoom in", "", "", 12, Check::Toggle, nullptr,
         [](const TCommandState& s) { return s.zoomMode; }, nullptr,
         [this] {
             gestures_->toggleZoomMode();
             updateCommands();
         },
         true},
        {C::MoveGraph, M::Zooms, false, "Movegraph1", "Move graph", "", "", 13, Check::Toggle, nullptr,
         [](const TCommandState& s) { return s.moveMode; }, nullptr,
         [this] {
             gestures_->toggleMoveMode();
             updateCommands();
         },
         true},
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
         [this] {
             // The view stored in the data folder's settings (the built-in defaults without a data folder).
             const TSettingsRecord s = startup::startSettings(data_.readSettings()).record;
             plotting([&] { engine_->setView({s.Xmin, s.Xmax, s.Ymin, s.Ymax, s.Tmin, s.Tmax}); });
         },
         true},

        {C::Constants, M::Editors, false, "Constants1", "&Constants", "Open constant editor", "", 14, Check::None,
         nullptr, nullptr, nullptr, present([&d] { return d.constants(); })},
        {C::Families, M::Editors, false, "Families1", "Fa&milies", "Open families editor", "", 15, Check::None,
         nullptr, nullptr, nullptr, present([&d] { return d.families(); })},
        {C::Functions, M::Editors, true, "Functions1", "F&unctions", "Open functions editor", "", -1, Check::None,
         nullptr, nullptr, nullptr,
         [this, &d] {
             if (settings_.ParametricMode || settings_.ImplicitMode)
                 showMessage("Sorry Functions are not available in Parametric or Implicit modes.");
             else
                 presentDialog(d.functions());
         }},
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
         [this] { plot(); }},
        {C::CopyToClipboard, M::Popup, true, "CopytoCliboard1", "&Copy Graph to Clipboard", "", "", -1, Check::None,
         nullptr, nullptr, nullptr, [&f] { f.copyToClipboard(); }},
        {C::UndoLastAction, M::Popup, true, "Undolastaction1", "&Undo last action", "", "", -1, Check::None,
         nullptr, nullptr, nullptr, [this] { stepHistory(false); }, true},

        {C::AngleMode, M::None, false, "AngleMode", "Angle mode", "", "", 10, Check::None, nullptr, nullptr,
         [](const TCommandState& s) { return s.settings.DegreeMode ? 10 : 26; },
         [this] { setAngleMode(engine_ ? !engine_->Parsers.Translator.Degrees : !settings_.DegreeMode); }},
        {C::TypeSquared, M::None, false, "TypeSquared", "Type \xC2\xB2", "", "", 23, Check::None, nullptr, nullptr,
         nullptr, [this] { typeSquared(); }},
        {C::TypeCubed, M::None, false, "TypeCubed", "Type \xC2\xB3", "", "", 24, Check::None, nullptr, nullptr,
         nullptr, [this] { typeCubed(); }},
    };
}

void TMainForm::updateCommands() {
    // Every command's enabled and checked state follows from the settings here, and only here.
    commands_.update({settings_, TPlotMode::of(settings_), engine_ ? engine_->Options : TExtensionSettings{},
                      engine_ && !engine_->Document.DataSets.empty(), gestures_->zoomMode(),
                      gestures_->moveMode()});
    statusBar_->setVisible(settings_.ShowCoordinateInfo);
    gestures_->updateCursor();
    updateHistoryCommands();
}

// ---- plotting, modes and the formula field ----------------------------------------------------------------

void TMainForm::plot() {
    plotting([&] { engine_->PlotAction(); });
}

void TMainForm::switchMode(bool cartesian, bool implicit) {
    settings_.CartesianMode = cartesian;
    settings_.ImplicitMode = implicit;
    if (implicit) settings_.ParametricMode = false;
    afterModeSwitch();
}

void TMainForm::afterModeSwitch() {
    if (engine_) engine_->syncModes();
    updateCommands();
    loadPresetList();
    setupRelationBox();
    // Cartesian and polar modes have their own user functions; the parsers take the new mode's.
    if (engine_) startup::loadUserFunctions(engine_->Parsers, settings_, data_);
}

void TMainForm::setAngleMode(bool degrees) {
    settings_.DegreeMode = degrees;
    if (engine_) engine_->syncModes();
    updateCommands();
}

void TMainForm::toggleOption(bool smoothImplicitCurves, bool antialiasedCurves) {
    TExtensionSettings options = engine_->Options;
    options.smoothImplicitCurves = smoothImplicitCurves;
    options.antialiasedCurves = antialiasedCurves;
    struct Checks {
        TMainForm& form;
        ~Checks() { form.updateCommands(); } // a refused write leaves the items as they were
    } checks{*this};
    writeExtensionSettings(data_, options);
    engine_->Options = options;
    if (creationComplete_ && settings_.LastGraph >= 0) plotting([&] { engine_->replotAll(); });
    paintBox_->update();
}

void TMainForm::addFormulaToFile() {
    const char* name = presetListName(settings_);
    // Reading first: a missing list is reported and nothing is written.
    std::vector<std::string> lines = data_.readLines(name);
    lines.push_back(formulaText());
    data_.writeLines(name, lines);
    setFormulaFieldItems(lines, formulaText());
}

void TMainForm::typeSquared() {
    QLineEdit* edit = toolbars_.formulaBox->lineEdit();
    if (edit->hasFocus())
        insertAtCaret(edit, QString::fromUtf8("²"));
    else if (Tfformulae* formulae = dialogs_->formulaeIfMade())
        formulae->typeIntoList("\xB2");
}

void TMainForm::typeCubed() {
    insertAtCaret(toolbars_.formulaBox->lineEdit(), QString::fromUtf8("³"));
}

void TMainForm::showAbout() {
    TAboutBox box(this);
    TSuspendScope input(guard_);
    box.exec();
}

void TMainForm::setFormulaFieldText(const std::string& text) {
    toolbars_.formulaBox->setEditText(toQ(text));
}

void TMainForm::setFormulaFieldItems(const std::vector<std::string>& items, const std::string& text) {
    QComboBox* box = toolbars_.formulaBox;
    box->clear();
    for (const auto& line : items)
        box->addItem(toQ(line));
    box->setEditText(toQ(text));
}

void TMainForm::showViewInFields() {
    using F = TToolbarSet::RangeField;
    const std::array<std::string, 6> texts = startup::rangeFieldTexts(settings_);
    for (F f : {F::TMin, F::TMax, F::XMin, F::XMax, F::YMin, F::YMax})
        if (QLineEdit* e = toolbars_.fields[f]) e->setText(toQ(texts[static_cast<std::size_t>(f)]));
}

std::optional<TFamilyFields> TMainForm::familyFields() const {
    return dialogs_->families()->fields();
}

void TMainForm::loadPresetList() {
    std::vector<std::string> lines = data_.readLines(presetListName(settings_));
    setFormulaFieldItems(lines, lines.empty() ? std::string() : lines.front());
}

void TMainForm::setupRelationBox() {
    QComboBox* box = toolbars_.relationBox;
    if (settings_.ImplicitMode) {
        box->clear();
    } else {
        const int remembered = box->currentIndex();
        std::vector<std::string> labels = startup::relationLabels(settings_, data_);
        box->clear();
        for (const auto& l : labels)
            box->addItem(toQ(l));
        // A remembered entry beyond the new list (a relation chosen before a switch to the polar
        // label) falls back to the first entry rather than leaving the box without a selection.
        box->setCurrentIndex(remembered >= 0 && remembered < box->count() ? remembered : 0);
    }
    bool t, x, y;
    if (!settings_.CartesianMode || settings_.ParametricMode) {
        t = true;
        x = y = !settings_.AutoYScaling;
    } else {
        t = false;
        x = true;
        y = !settings_.AutoYScaling;
    }
    if (settings_.ImplicitMode) x = y = true;
    using F = TToolbarSet::RangeField;
    auto enable = [&](F f, bool on) {
        if (QLineEdit* e = toolbars_.fields[f]) e->setEnabled(on);
    };
    enable(F::TMin, t);
    enable(F::TMax, t);
    enable(F::XMin, x);
    enable(F::XMax, x);
    enable(F::YMin, y);
    enable(F::YMax, y);
}


// ---- rebuilding the toolbars ------------------------------------------------------------------------------

namespace {
/// What the controls of the toolbars hold, carried over to the new controls: the formula, the
/// relation chosen, the range texts (typed but not yet plotted ones too) and the plot step.
struct TToolbarTexts {
    explicit TToolbarTexts(const TToolbarSet& bars)
        : formula(bars.formulaBox->currentText()), relation(bars.relationBox->currentIndex()),
          plotStep(bars.plotStep ? std::optional<int>(bars.plotStep->value()) : std::nullopt) {
        for (std::size_t f = 0; f < texts.size(); ++f)
            if (QLineEdit* e = bars.fields[f]) texts[f] = e->text();
    }
    void restoreFields(const TToolbarSet& bars) const {
        for (std::size_t f = 0; f < texts.size(); ++f)
            if (QLineEdit* e = bars.fields[f]; e && texts[f]) e->setText(*texts[f]);
    }
    void restoreRelation(const TToolbarSet& bars) const {
        if (relation >= 0 && relation < bars.relationBox->count()) bars.relationBox->setCurrentIndex(relation);
    }
    QString formula;
    int relation;
    std::optional<int> plotStep;
    std::array<std::optional<QString>, TToolbarSet::RangeFieldCount> texts;
};
} // namespace

void TMainForm::rebuildToolbars(const TToolbarConfig& config) {
    if (guard_.busy()) return; // never while a plot runs: its fields would vanish under it
    {
        // The plot area is resized while the window lays out the new bars; it must not redraw from
        // inside that layout pass (a plot takes pending events, which would run under the layout).
        // The graphs are drawn once, below, when the layout is done.
        const QSignalBlocker noResizeReplot(paintBox_);
        guarded([&] {
            const TToolbarTexts kept(toolbars_);
            buildToolbars(config);
            showViewInFields(); // fields that are new show the view
            kept.restoreFields(toolbars_);
            if (toolbars_.plotStep)
                toolbars_.plotStep->setValue(kept.plotStep.value_or(plotStepFromText(settings_.plotStepText)));
            updateCommands();
            try {
                loadPresetList();
                toolbars_.formulaBox->setEditText(kept.formula);
                setupRelationBox();
            } catch (const std::exception& e) {
                toolbars_.formulaBox->setEditText(kept.formula);
                showError(e);
            }
            kept.restoreRelation(toolbars_);
            if (isActiveWindow()) {
                toolbars_.formulaBox->setFocus();
                toolbars_.formulaBox->lineEdit()->end(false);
            }
        });
        if (layout()) layout()->activate();
    }
    // Every graph is drawn again, at the size the plot area has below the new toolbars.
    if (engine_ && creationComplete_) {
        engine_->setPaintBoxSize(paintBox_->width(), paintBox_->height());
        plotting([&] { engine_->replotAll(); });
    }
}

} // namespace kurvo

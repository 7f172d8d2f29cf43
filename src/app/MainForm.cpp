// TMainForm: creation, first display, resize, the host interface and the commands of the window.
#include "MainForm.h"

#include "AboutBox.h"
#include "AliasDialog.h"
#include "ButtonImages.h"
#include "GraphListPanel.h"
#include "ConstantsDialog.h"
#include "CoordsDialog.h"
#include "Cp1252.h"
#include "DataMarksDialog.h"
#include "DataSaveDialog.h"
#include "Defaults.h"
#include "EnvironmentDialog.h"
#include "DeleteDialog.h"
#include "DisplayAccess.h"
#include "Errors.h"
#include "MatrixDialog.h"
#include "FamiliesDialog.h"
#include "FormulaeDialog.h"
#include "FunctionsDialog.h"
#include "GraphFileApply.h"
#include "HelpWindow.h"
#include "NumberText.h"
#include "PaintBox.h"
#include "PictureOutput.h"
#include "PlotEngine.h"
#include "RegressionDialog.h"
#include "PrintForm.h"
#include "Startup.h"
#include "StatisticsDialog.h"
#include "TransformDialog.h"
#include "PasswordDialog.h"
#include "SetPasswordDialog.h"
#include "ToolbarConfigDialog.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <optional>

namespace kurvo {
namespace {

QString toQ(const std::string& cp1252) {
    return QString::fromStdString(cp1252ToUtf8(cp1252));
}
std::string fromQ(const QString& s) {
    return utf8ToCp1252(s.toStdString());
}

/// The commands that work today; every other command stays disabled until the part of the program
/// behind it exists.
const char* const WorkingActions[] = {"Stop1",
                                      "Cart1",
                                      "Polar1",
                                      "Implicit1",
                                      "Parametric1",
                                      "Radians1",
                                      "Degrees1",
                                      "AngleMode",
                                      "PlotDerivedFunction1",
                                      "PlotIntegralFunction1",
                                      "Addformulatofile1",
                                      "TypeSquared",
                                      "TypeCubed",
                                      "HelpAboutItem",
                                      "Plot",
                                      "Zoomout1",
                                      "Zoomin1",
                                      "Movegraph1",
                                      "Undolastaction1",
                                      "ShowCoordinateInfo1",
                                      "ShowTangent1",
                                      "Automaticyscaling1",
                                      "Square1",
                                      "EqualScale1",
                                      "ZoomInCentre1",
                                      "ZoomOutCentre1",
                                      "DefaultView1",
                                      "Transforms1",
                                      "Matrix1",
                                      "Statistics1",
                                      "Regression1",
                                      "Constants1",
                                      "Families1",
                                      "Functions1",
                                      "Formulae1",
                                      "Open1",
                                      "SaveasKurvoFile1",
                                      "Save1",
                                      "SaveasPicture1",
                                      "CopytoCliboard1",
                                      "PrinterSetup1",
                                      "Print",
                                      "Help2",
                                      "KurvoTutorial1",
                                      "ConfigureToolbar1",
                                      "SetPassword1",
                                      "FunctionAliases1",
                                      "SmoothImplicitCurves1",
                                      "AntialiasedCurves1",
                                      "Environment1",
                                      "CoordinateSets1",
                                      "Delete1"};

bool isWorkingAction(const QString& name) {
    for (const char* w : WorkingActions)
        if (name == w) return true;
    return false;
}

} // namespace

TMainForm::TMainForm(std::filesystem::path startFolder, std::filesystem::path dataFolder, Messages messages,
                     QWidget* parent)
    : TMainForm(std::move(startFolder), TDataSource(std::move(dataFolder)), messages, parent) {}

TMainForm::TMainForm(std::filesystem::path startFolder, TDataSource data, Messages messages, QWidget* parent)
    : QMainWindow(parent), startFolder_(std::move(startFolder)), data_(std::move(data)),
      settings_(defaultSettings()), recordMessages_(messages == Messages::Record) {
    setWindowTitle("Kurvo32 Graph Editor");
    // Toolbars and the status bar take their places at once: the layout animations could still be
    // running on a toolbar when a command shows or hides the status bar again (seen to crash).
    setAnimated(false);
    qApp->installEventFilter(&guard_);
    resize(728, 489);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    PaintBox1 = new TPaintBox(this);
    PaintBox1->setObjectName("PaintBox1");
    setCentralWidget(PaintBox1);
    PaintBox1->setSource(
        [this]() -> const QImage* { return engine_ ? &engine_->PlotPicture : nullptr; },
        [this] { return engine_ ? engine_->colour(settings_.backgroundColour) : QColor(Qt::white); });
    // The plot area is redrawn after the layout pass that resized it, once for any number of
    // resizes: a redraw inside the pass changes commands and bars, which would lay them out again
    // while their own layout is running (seen to crash).
    connect(PaintBox1, &TPaintBox::resized, this, [this] {
        if (resizeQueued_) return;
        resizeQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            resizeQueued_ = false;
            FormResize();
        });
    });

    menu_.build(*this);
    connectMenu();
    connectViewCommands();
    connectHistoryCommands();
    help_ = new THelpWindow(this);
    printForm_ = new TPrintForm([this] { help_->showPage("output.html#print"); }, this);
    PaintBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PaintBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { menu_.popupMenu()->popup(PaintBox1->mapToGlobal(p)); });
    buildStatusBar();

    FormCreate();
    ftrans_ = new Tftrans(*this, this);
    fmatrix_ = new Tfmatrix(*this, this);
    fstatistics_ = new Tfstatistics(*this, this);
    fregression_ = new Tfregression(*this, this);
    // The editors read the settings the creation sequence loaded.
    fconstant_ = new Tfconstant(*this, this);
    ffamilies_ = new Tffamilies(*this, this);
    fformulae_ = new Tfformulae(*this, this);
    ffunctions_ = new Tffunctions(*this, this);
    fcoords_ = new Tfcoords(*this, this);
    fdelete_ = new Tfdelete(*this, this);
    createAdminDialogs();
    dataMks_ = new TDataMks(*this, this);
    environment_ = new TEnvironment(*this, *dataMks_, this);
    auto* graphList = new TGraphListPanel(*this, PaintBox1, this);
    addDockWidget(Qt::RightDockWidgetArea, graphList);
    graphList->addMenuItems(*menu_.menu("Edit3"));
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(&guard_);
}

// ---- message boxes ---------------------------------------------------------------------------------

void TMainForm::setRecordMessages(bool record, bool answer) {
    recordMessages_ = record;
    recordedAnswer_ = answer;
}

QString TMainForm::caption() const {
    return "Kurvo32";
}

void TMainForm::showMessage(const std::string& text) {
    if (recordMessages_) {
        recorded_.push_back(text);
        return;
    }
    const bool suspended = guard_.suspend();
    QMessageBox::information(this, caption(), toQ(text).replace('\r', '\n'));
    guard_.resume(suspended);
}

bool TMainForm::askQuestion(const std::string& text) {
    if (recordMessages_) {
        recorded_.push_back(text);
        return recordedAnswer_;
    }
    const bool suspended = guard_.suspend();
    bool yes = QMessageBox::question(this, caption(), toQ(text).replace('\r', '\n'),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    guard_.resume(suspended);
    return yes;
}

void TMainForm::showError(const std::exception& e) {
    if (recordMessages_) {
        recorded_.push_back(e.what());
        return;
    }
    const bool suspended = guard_.suspend();
    QMessageBox::critical(this, caption(), toQ(e.what()).replace('\r', '\n'));
    guard_.resume(suspended);
}

std::string TMainForm::refusalCause(const std::exception& e) const {
    std::string cause = e.what();
    for (Field f : {Field::TMin, Field::TMax, Field::XMin, Field::XMax, Field::YMin, Field::YMax})
        cause += '\n' + fieldText(f);
    if (toolbars_.plotStep) cause += '\n' + fromQ(toolbars_.plotStep->cleanText());
    return cause;
}

template <class F> void TMainForm::guarded(F&& handler) {
    try {
        handler();
    } catch (const ERefusedView& e) {
        refusedView_ = refusalCause(e);
        showError(e);
    } catch (const std::exception& e) {
        showError(e);
    } catch (...) {
        showMessage("An unexpected error ended the command.");
    }
}

template <class F> void TMainForm::plotting(F&& run) {
    if (!engine_ || guard_.busy()) return;
    {
        TBusyScope busy(guard_);
        guarded(run);
    }
    updateHistoryCommands();
    // The picture may have changed under the pointer's overlays: they belong to the old one.
    PaintBox1->setOverlays({});
    PaintBox1->update();
    if (resizePending_) {
        resizePending_ = false;
        QTimer::singleShot(0, this, [this] { FormResize(); });
    }
}

void TMainForm::runGuarded(const std::function<void()>& handler) {
    guarded(handler);
}

void TMainForm::runPlotting(const std::function<void()>& run) {
    plotting(run);
}

// ---- host: fields and polling ------------------------------------------------------------------------

std::string TMainForm::formulaText() const {
    return toolbars_.formulaBox ? fromQ(toolbars_.formulaBox->currentText()) : std::string();
}

std::string TMainForm::relationText() const {
    return toolbars_.relationBox ? fromQ(toolbars_.relationBox->currentText()) : std::string();
}

namespace {
TToolbarSet::RangeField rangeField(TPlotHost::Field f) {
    return static_cast<TToolbarSet::RangeField>(f);
}
} // namespace

bool TMainForm::hasField(Field f) const {
    return toolbars_.fields[rangeField(f)] != nullptr;
}

std::string TMainForm::fieldText(Field f) const {
    QLineEdit* e = toolbars_.fields[rangeField(f)];
    return e ? fromQ(e->text()) : std::string();
}

void TMainForm::setFieldText(Field f, const std::string& text) {
    if (QLineEdit* e = toolbars_.fields[rangeField(f)]) e->setText(toQ(text));
}

bool TMainForm::hasPlotStepField() const {
    return toolbars_.plotStep != nullptr;
}

std::string TMainForm::plotStepFieldText() const {
    QSpinBox* box = toolbars_.plotStep;
    if (!box) return std::string();
    // A number typed into the field counts even before the field loses focus; one beyond the
    // field's range is taken at the nearest end of it.
    bool ok = false;
    const long long typed = box->cleanText().trimmed().toLongLong(&ok);
    if (ok) {
        box->setValue(static_cast<int>(std::clamp<long long>(typed, box->minimum(), box->maximum())));
    }
    return std::to_string(box->value());
}

bool TMainForm::pollStop() {
    return guard_.poll();
}

void TMainForm::setCursor(Cursor c) {
    switch (c) {
    case Cursor::Normal:
        PaintBox1->unsetCursor();
        break;
    case Cursor::Hourglass:
        PaintBox1->setCursor(Qt::WaitCursor);
        break;
    case Cursor::Cross:
        PaintBox1->setCursor(Qt::CrossCursor);
        break;
    case Cursor::Hand:
        PaintBox1->setCursor(Qt::PointingHandCursor);
        break;
    case Cursor::Drag:
        PaintBox1->setCursor(Qt::DragMoveCursor);
        break;
    }
}

void TMainForm::beep() {
    QApplication::beep();
}

// ---- building --------------------------------------------------------------------------------------

void TMainForm::buildStatusBar() {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setAccessibleName("Coordinate readout");
    StatusBar1->setFixedHeight(22);
    StatusBar1->setSizeGripEnabled(false);
    struct Panel {
        const char* text;
        int width;
        const char* name; // what a screen reader says before the panel's text
    };
    const Panel panels[] = {{"x=", 150, "Pointer x"},
                            {"y=", 150, "Pointer y"},
                            {"r=", 150, "Pointer distance from the origin"},
                            {"t=", 150, "Pointer angle"},
                            {"dy/dx=", 50, "Slope of the graph"}};
    for (auto [text, width, name] : panels) {
        auto* l = new TDisplayLabel(text, StatusBar1);
        l->setAccessibleName(name);
        l->setMinimumWidth(width);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        StatusBar1->addWidget(l, text == std::string("dy/dx=") ? 1 : 0);
        statusPanels_.push_back(l);
    }
    setStatusBar(StatusBar1);
    StatusBar1->hide();
}

void TMainForm::connectMenu() {
    auto on = [this](const char* name, auto handler) {
        connect(menu_.action(name), &QAction::triggered, this,
                [this, handler] { guarded([&] { handler(); }); });
    };
    on("Stop1", [this] { close(); });
    on("Cart1", [this] { Cart1Click(); });
    on("Polar1", [this] { Polar1Click(); });
    on("Implicit1", [this] { Implicit1Click(); });
    on("Parametric1", [this] { Parametric1Click(); });
    on("Radians1", [this] { Radians1Click(); });
    on("Degrees1", [this] { Degrees1Click(); });
    on("AngleMode", [this] { AngleModeClick(); });
    on("PlotDerivedFunction1", [this] { PlotDerivedFunction1Click(); });
    on("PlotIntegralFunction1", [this] { PlotIntegralFunction1Click(); });
    on("Addformulatofile1", [this] { SaveFormulaClick(); });
    on("TypeSquared", [this] { TypeSquared(); });
    on("TypeCubed", [this] { TypeCubed(); });
    on("HelpAboutItem", [this] { HelpAboutItemClick(); });
    on("Transforms1", [this] { Transforms1Click(); });
    on("Matrix1", [this] { Matrix1Click(); });
    on("Statistics1", [this] { Statistics1Click(); });
    on("Regression1", [this] { Regression1Click(); });
    on("Constants1", [this] { Constants1Click(); });
    on("Families1", [this] { Families1Click(); });
    on("Functions1", [this] { Functions1Click(); });
    on("Formulae1", [this] { Formulae1Click(); });
    on("Open1", [this] { Open1Click(); });
    on("SaveasKurvoFile1", [this] { SaveasKurvoFile1Click(); });
    on("Save1", [this] { Save1Click(); });
    on("SaveasPicture1", [this] { SaveasPicture1Click(); });
    on("CopytoCliboard1", [this] { CopytoCliboard1Click(); });
    on("PrinterSetup1", [this] { PrinterSetup1Click(); });
    on("Print", [this] { PrintClick(); });
    on("Help2", [this] { Help2Click(); });
    on("KurvoTutorial1", [this] { KurvoTutorial1Click(); });
    on("ConfigureToolbar1", [this] { ConfigureToolbar1Click(); });
    on("FunctionAliases1", [this] { FunctionAliases1Click(); });
    on("SetPassword1", [this] { SetPassword1Click(); });
    on("SmoothImplicitCurves1",
       [this] { toggleOption(!engine_->Options.smoothImplicitCurves, engine_->Options.antialiasedCurves); });
    on("AntialiasedCurves1",
       [this] { toggleOption(engine_->Options.smoothImplicitCurves, !engine_->Options.antialiasedCurves); });
    on("Environment1", [this] { Environment1Click(); });
    on("CoordinateSets1", [this] { CoordinateSets1Click(); });
    on("Delete1", [this] { Delete1Click(); });
    // The Plot command guards itself (a plot inside a running plot is refused).
    connect(menu_.action("Plot"), &QAction::triggered, this, [this] { PlotClick(); });
}

void TMainForm::connectToolbars() {
    // Command buttons trigger their actions (see TToolbarSet::build); only the fields remain.
    QLineEdit* edit = toolbars_.formulaBox->lineEdit();
    connect(edit, &QLineEdit::returnPressed, this, [this] { PlotClick(); });
}

// ---- creation and display ----------------------------------------------------------------------------

namespace {
/// Runs the steps of a sequence until one fails; that failure is reported and the rest is skipped.
class StepSequence {
  public:
    explicit StepSequence(TMainForm& form) : form_(form) {}
    template <class F> void operator()(F&& f) {
        if (!ok_) return;
        try {
            f();
        } catch (const std::exception& e) {
            form_.showError(e);
            ok_ = false;
        }
    }
    bool ok() const { return ok_; }

  private:
    TMainForm& form_;
    bool ok_ = true;
};
} // namespace

void TMainForm::FormCreate() {
    // Each step that reads a file may fail: the error is reported and the rest of the sequence is
    // skipped. The toolbars and the engine are made in any case, so the window always has the
    // controls and state every command relies on.
    StepSequence step(*this);
    if (data_.inMemory())
        showMessage("Kurvo32 runs with its built-in default settings: there is no data folder, so "
                    "nothing you change will be saved.");
    TToolbarConfig config; // nothing checked: no button bar, only the fields
    step([&] { config = data_.readToolbarConfig(); });
    toolbars_.build(*this, config, [this](const char* name) { return *name ? menu_.find(name) : nullptr; });
    connectToolbars();

    toolbarHeightOffset_ = menuBar()->sizeHint().height();
    for (QToolBar* bar : {toolbars_.buttonBar, toolbars_.rangeBar, toolbars_.formulaBar})
        if (bar) toolbarHeightOffset_ += bar->height();
    settings_.XAxisName = "x";
    settings_.YAxisName = "y";

    engine_ = std::make_unique<TPlotEngine>(settings_, *this);
    DataSaveDialog_ = new TDataSaveDialog(*this, this);
    engine_->Document.DataSetPlotting = false;
    engine_->Options = startup::extensionSettings(data_);
    startup::applyLocaleSeparators(engine_->Parsers.Translator);
    updateCommands();

    step([&] {
        startup::TSession session = startup::startSession(data_);
        settings_ = session.settings;
        engine_->Options = session.options;
        for (const std::string& message : session.messages)
            showMessage(message);
    });
    if (!step.ok()) return;
    guard_.setHintsShown(settings_.showHints);

    step([&] { loadPresetList(); });
    if (!step.ok()) return;
    engine_->syncModes();

    engine_->setPaintBoxSize(PaintBox1->width(), PaintBox1->height());
    showViewInFields();
    engine_->Document.XRange = settings_.Xmax - settings_.Xmin;
    engine_->Document.YRange = settings_.Ymax - settings_.Ymin;
    zoomMode_ = moveMode_ = false;
    step([&] {
        if (toolbars_.plotStep) toolbars_.plotStep->setValue(plotStepFromText(settings_.plotStepText));
    });
    if (!step.ok()) return;
    updateCommands();
    step([&] { startup::applySession(engine_->Parsers, settings_, data_); });
    if (!step.ok()) return;
    engine_->setPaintBoxSize(PaintBox1->width(), PaintBox1->height());
    engine_->History.reset(); // the drawing starts here: nothing to undo, nothing to save
    creationComplete_ = true;
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void TMainForm::FormShow() {
    StepSequence step(*this);
    step([&] {
        if (toolbars_.plotStep) toolbars_.plotStep->setValue(plotStepFromText(settings_.plotStepText));
    });
    step([&] {
        toolbars_.formulaBox->setFocus();
        toolbars_.formulaBox->lineEdit()->end(false);
    });
    step([&] { setupRelationBox(); });
    step([&] { aliases_ = data_.readLines(aliasListName(settings_)); });
    // The first paint shows the axes of the loaded view, once the window has its final size.
    if (creationComplete_) QTimer::singleShot(0, this, [this] { FormResize(); });
}

void TMainForm::FormResize() {
    if (!isVisible() || !engine_) return;
    if (guard_.busy()) {
        resizePending_ = true; // a plot is running: redraw at the new size when it has ended
        return;
    }
    engine_->setDevicePixelRatio(PaintBox1->devicePixelRatioF());
    engine_->setPaintBoxSize(PaintBox1->width(), PaintBox1->height());
    // Before the creation sequence has completed the range fields are empty: nothing to draw yet.
    if (creationComplete_) {
        plotting([&] {
            try {
                engine_->replotAll();
            } catch (const ERefusedView& e) {
                // A resize redraws by itself, as often as the window is resized: a refused view
                // the user was told about, with the fields as they were then, is not said again.
                if (refusalCause(e) != refusedView_) throw;
            }
        });
        guarded([&] { setupRelationBox(); });
    }
    PaintBox1->update();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // No settings file is written on exit (each is written by the dialog that edits it); a changed
    // drawing is saved first when the user says so.
    if (!saveChangesFirst()) return event->ignore();
    event->accept();
}

// ---- commands and their states -------------------------------------------------------------------------

void TMainForm::updateCommands() {
    // Every command's enabled and checked state follows from the settings here, and only here.
    const TPlotMode mode = TPlotMode::of(settings_);
    const bool cartesianOnly = mode.explicitCartesian();
    for (auto it = menu_.actions().begin(); it != menu_.actions().end(); ++it) {
        QAction* a = it.value();
        if (a->menu() || a->isSeparator()) continue;
        bool enabled = isWorkingAction(it.key());
        if (it.key() == "Parametric1") enabled = enabled && mode.parametricApplies();
        if (it.key() == "ShowTangent1" || it.key() == "PlotDerivedFunction1" ||
            it.key() == "PlotIntegralFunction1")
            enabled = enabled && cartesianOnly;
        a->setEnabled(enabled);
    }
    // The data-set commands (menu and transformation buttons) wait for data sets.
    const bool dataSets = engine_ && !engine_->Document.DataSets.empty();
    menu_.action("Datasets")->setEnabled(dataSets);
    for (const char* name : {"Transforms1", "Matrix1", "Statistics1", "Regression1"})
        menu_.action(name)->setEnabled(dataSets && isWorkingAction(name));

    menu_.action(settings_.ImplicitMode    ? "Implicit1"
                 : settings_.CartesianMode ? "Cart1"
                                           : "Polar1")
        ->setChecked(true);
    menu_.action(settings_.DegreeMode ? "Degrees1" : "Radians1")->setChecked(true);
    // A switch that does not apply in this mode is disabled and shown off; its flag is kept for
    // the mode where it applies again.
    menu_.action("Parametric1")->setChecked(mode.parametric);
    menu_.action("ShowCoordinateInfo1")->setChecked(settings_.ShowCoordinateInfo);
    menu_.action("ShowTangent1")->setChecked(settings_.ShowTangent && cartesianOnly);
    menu_.action("Automaticyscaling1")->setChecked(settings_.AutoYScaling);
    menu_.action("Square1")->setChecked(settings_.SquareAxes);
    menu_.action("Zoomin1")->setChecked(zoomMode_);
    menu_.action("Movegraph1")->setChecked(moveMode_);
    menu_.action("PlotDerivedFunction1")->setChecked(settings_.PlotDerived && cartesianOnly);
    menu_.action("PlotIntegralFunction1")->setChecked(settings_.PlotIntegral && cartesianOnly);
    if (engine_) {
        menu_.action("SmoothImplicitCurves1")->setChecked(engine_->Options.smoothImplicitCurves);
        menu_.action("AntialiasedCurves1")->setChecked(engine_->Options.antialiasedCurves);
    }
    setCommandImage("Square1", settings_.SquareAxes ? 27 : 21);
    setCommandImage("Parametric1", mode.parametric ? 6 : 25);
    setCommandImage("AngleMode", settings_.DegreeMode ? 10 : 26);
    StatusBar1->setVisible(settings_.ShowCoordinateInfo);
    updatePlotCursor();
    updateHistoryCommands();
}

void TMainForm::setCommandImage(const char* action, int image) {
    QAction* a = menu_.action(action);
    if (a->property("image").toInt() == image && !a->icon().isNull()) return;
    a->setIcon(buttonImage(image));
    a->setProperty("image", image);
    // The buttons showing the action say which image they show, for anyone inspecting them.
    for (QObject* o : a->associatedObjects())
        if (qobject_cast<QToolButton*>(o)) o->setProperty("image", image);
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

void TMainForm::PlotClick() {
    plotting([&] { engine_->PlotAction(); });
}

void TMainForm::setFormulaFieldText(const std::string& text) {
    toolbars_.formulaBox->setEditText(toQ(text));
}

void TMainForm::replotAllGraphs() {
    plotting([&] { engine_->replotAll(); });
}

void TMainForm::constantsChanged(const TConstantValues& before) {
    plotting([&] {
        engine_->takeChangedConstants(before);
        engine_->replotAll();
    });
}

void TMainForm::showViewInFields() {
    using F = TToolbarSet::RangeField;
    const std::array<std::string, 6> texts = startup::rangeFieldTexts(settings_);
    for (F f : {F::TMin, F::TMax, F::XMin, F::XMax, F::YMin, F::YMax})
        if (QLineEdit* e = toolbars_.fields[f]) e->setText(toQ(texts[static_cast<std::size_t>(f)]));
}

void TMainForm::afterModeSwitch() {
    if (engine_) engine_->syncModes();
    updateCommands();
    loadPresetList();
    setupRelationBox();
    // Cartesian and polar modes have their own user functions; the parsers take the new mode's.
    if (engine_) startup::loadUserFunctions(engine_->Parsers, settings_, data_);
}

void TMainForm::Cart1Click() {
    settings_.CartesianMode = true;
    settings_.ImplicitMode = false;
    afterModeSwitch();
}

void TMainForm::Polar1Click() {
    settings_.CartesianMode = false;
    settings_.ImplicitMode = false;
    afterModeSwitch();
}

void TMainForm::Implicit1Click() {
    settings_.ImplicitMode = true;
    settings_.ParametricMode = false;
    afterModeSwitch();
}

void TMainForm::Parametric1Click() {
    // The switch is disabled in implicit mode; a stale click changes nothing.
    if (!settings_.ImplicitMode) settings_.ParametricMode = !settings_.ParametricMode;
    afterModeSwitch();
}

void TMainForm::Radians1Click() {
    settings_.DegreeMode = false;
    if (engine_) engine_->syncModes();
    updateCommands();
}

void TMainForm::Degrees1Click() {
    settings_.DegreeMode = true;
    if (engine_) engine_->syncModes();
    updateCommands();
}

void TMainForm::AngleModeClick() {
    const bool degrees = engine_ ? !engine_->Parsers.Translator.Degrees : !settings_.DegreeMode;
    if (degrees)
        Degrees1Click();
    else
        Radians1Click();
}

void TMainForm::PlotDerivedFunction1Click() {
    settings_.PlotDerived = !settings_.PlotDerived;
    updateCommands();
}

void TMainForm::PlotIntegralFunction1Click() {
    settings_.PlotIntegral = !settings_.PlotIntegral;
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
    PaintBox1->update();
}

void TMainForm::SaveFormulaClick() {
    const char* name = presetListName(settings_);
    // Reading first: a missing list is reported and nothing is written.
    std::vector<std::string> lines = data_.readLines(name);
    lines.push_back(formulaText());
    data_.writeLines(name, lines);
    QComboBox* box = toolbars_.formulaBox;
    const QString text = box->currentText();
    box->clear();
    for (const auto& line : lines)
        box->addItem(toQ(line));
    box->setEditText(text);
}

namespace {
void insertAtCaret(QLineEdit* edit, const QString& s) {
    const int caret = edit->cursorPosition();
    const QString t = edit->text();
    edit->setText(t.left(caret) + s + t.mid(caret));
    edit->setCursorPosition(caret + static_cast<int>(s.size()));
}
} // namespace

void TMainForm::TypeSquared() {
    QLineEdit* edit = toolbars_.formulaBox->lineEdit();
    if (edit->hasFocus())
        insertAtCaret(edit, QString::fromUtf8("²"));
    else if (fformulae_)
        fformulae_->typeIntoList("\xB2");
}

void TMainForm::TypeCubed() {
    insertAtCaret(toolbars_.formulaBox->lineEdit(), QString::fromUtf8("³"));
}

void TMainForm::HelpAboutItemClick() {
    TAboutBox box(this);
    const bool suspended = guard_.suspend();
    box.exec();
    guard_.resume(suspended);
}

void TMainForm::Transforms1Click() {
    ftrans_->openDialog();
}

void TMainForm::Matrix1Click() {
    fmatrix_->openDialog();
}

void TMainForm::Statistics1Click() {
    fstatistics_->openDialog();
}

void TMainForm::Regression1Click() {
    fregression_->openDialog();
}

// ---- formula editors -----------------------------------------------------------------------------

namespace {
void showEditor(QDialog* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
} // namespace

void TMainForm::Constants1Click() {
    showEditor(fconstant_);
}

void TMainForm::Families1Click() {
    showEditor(ffamilies_);
}

void TMainForm::Functions1Click() {
    if (settings_.ParametricMode || settings_.ImplicitMode) {
        showMessage("Sorry Functions are not available in Parametric or Implicit modes.");
        return;
    }
    showEditor(ffunctions_);
}

void TMainForm::Formulae1Click() {
    showEditor(fformulae_);
}

void TMainForm::Environment1Click() {
    showEditor(environment_);
}

void TMainForm::setPlotStepFieldValue(int plotStep) {
    if (toolbars_.plotStep) toolbars_.plotStep->setValue(plotStep);
}

void TMainForm::CoordinateSets1Click() {
    showEditor(fcoords_);
}

void TMainForm::Delete1Click() {
    showEditor(fdelete_);
}

std::optional<TFamilyFields> TMainForm::familyFields() const {
    if (!ffamilies_) return std::nullopt;
    return ffamilies_->fields();
}

void TMainForm::plotFamily(const TFamily& family) {
    plotting([&] { engine_->PlotFamily(family); });
}

void TMainForm::setFormulaFieldItems(const std::vector<std::string>& items, const std::string& text) {
    QComboBox* box = toolbars_.formulaBox;
    box->clear();
    for (const auto& line : items)
        box->addItem(toQ(line));
    box->setEditText(toQ(text));
}

} // namespace kurvo

namespace kurvo {

// ---- files -----------------------------------------------------------------------------------------

namespace {
/// A modal file dialog with the input guard suspended; the chosen file, or nothing.
std::optional<std::filesystem::path> chooseFile(QWidget* parent, TInputGuard& guard,
                                                QFileDialog::AcceptMode mode, const QStringList& filters,
                                                const QString& suffix, const QString& name = {}) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffix);
    if (!name.isEmpty()) dialog.selectFile(name);
    const bool suspended = guard.suspend();
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    guard.resume(suspended);
    if (!chosen) return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().first().toStdString());
}
} // namespace

void TMainForm::Open1Click() {
    const auto file = chooseFile(this, guard_, QFileDialog::AcceptOpen,
                                 {"Kurvo File (*.kvo)", "CSV (*.csv)", "Text (*.txt)", "SID (*.sid)",
                                  "TSV (*.tsv)", "All files (*.*)"},
                                 "csv");
    // A graph file replaces the drawing's graphs; an import only adds to them.
    if (file && (openFileKind(file->string()) != TFileKind::GraphFile || saveChangesFirst())) openFile(*file);
}

void TMainForm::openFile(const std::filesystem::path& file) {
    plotting([&] { openChosenFile(*engine_, file); });
    updateCommands();
}

void TMainForm::SaveasKurvoFile1Click() {
    const auto file =
        chooseFile(this, guard_, QFileDialog::AcceptSave, {"Kurvo File (*.kvo)"}, "kvo", "KurvoFile");
    if (file) saveGraphFileAs(*file);
}

void TMainForm::saveGraphFileAs(const std::filesystem::path& file) {
    guarded([&] { saveGraphFile(*engine_, file); });
    updateHistoryCommands();
}

void TMainForm::Save1Click() {
    DataSaveDialog_->FormSaveDialog1Show();
}

// ---- output ------------------------------------------------------------------------------------------

void TMainForm::SaveasPicture1Click() {
    QString filter;
    const bool suspended = guard_.suspend();
    const QString chosen = QFileDialog::getSaveFileName(this, "Save as Picture", toQ(startFolder_.string()),
                                                        pictureFilters().join(";;"), &filter);
    guard_.resume(suspended);
    if (!chosen.isEmpty()) savePictureAs(chosen, filter);
}

void TMainForm::savePictureAs(const QString& chosenName, const QString& filter) {
    guarded([&] {
        const PictureFormat format = filterFormat(filter).value_or(PictureFormat::Bmp);
        savePicture(*engine_, pictureFileName(chosenName, format).toStdString(), format);
    });
}

void TMainForm::CopytoCliboard1Click() {
    copyPictureToClipboard(*engine_);
}

QPrinter& TMainForm::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setDocName("Kurvo32 graph");
        // Without an installed printer the page goes to a PDF file in the start folder.
        if (QPrinterInfo::availablePrinters().isEmpty())
            printer_->setOutputFileName(toQ((startFolder_ / "Kurvo graph.pdf").string()));
    }
    return *printer_;
}

void TMainForm::PrinterSetup1Click() {
    const bool suspended = guard_.suspend();
    QPageSetupDialog(&printer(), this).exec();
    guard_.resume(suspended);
}

void TMainForm::PrintClick() {
    const bool suspended = guard_.suspend();
    bool go = printForm_->exec() == QDialog::Accepted;
    if (go) {
        QPrintDialog dialog(&printer(), this);
        go = dialog.exec() == QDialog::Accepted;
    }
    guard_.resume(suspended);
    if (go) printOn(printer(), printForm_->percentage());
}

void TMainForm::printOn(QPrinter& target, int percent) {
    if (!engine_ || guard_.busy()) return;
    TBusyScope busy(guard_);
    guarded([&] { printGraph(*engine_, target, percent); });
}

void TMainForm::Help2Click() {
    help_->showPage("index.html");
}

void TMainForm::KurvoTutorial1Click() {
    help_->showPage("tutorial.html");
}

void TMainForm::createAdminDialogs() {
    fpass_ = new Tfpass(
        *this, [this] { openAdminTarget(); }, this);
    fsetpass_ = new Tfsetpass(*this, this);
    falias_ = new Tfalias(*this, this);
    QStringList captions;
    for (const TToolbarItem& it : toolbarItems())
        captions << QString::fromUtf8(it.caption);
    toolbarCnfg_ = new Ttoolbar_cnfg(*this, captions, this);
}

void TMainForm::ConfigureToolbar1Click() {
    adminTarget_ = ToolbarConfiguration;
    fpass_->ask();
}

void TMainForm::FunctionAliases1Click() {
    adminTarget_ = FunctionAliases;
    fpass_->ask();
}

void TMainForm::SetPassword1Click() {
    // The dialog asks for the present password itself.
    showEditor(fsetpass_);
}

void TMainForm::openAdminTarget() {
    // Only the prompt calls this, after a right password: it is the one way to the two features.
    showEditor(adminTarget_ == FunctionAliases ? static_cast<QDialog*>(falias_)
                                                 : static_cast<QDialog*>(toolbarCnfg_));
}

void TMainForm::rebuildToolbars(const TToolbarConfig& config) {
    if (guard_.busy()) return; // never while a plot runs: its fields would vanish under it
    {
        // The plot area is resized while the window lays out the new bars; it must not redraw from
        // inside that layout pass (a plot takes pending events, which would run under the layout).
        // The graphs are drawn once, below, when the layout is done.
        const QSignalBlocker noResizeReplot(PaintBox1);
        guarded([&] {
            // What the present controls hold is carried over to the new ones: the formula, the relation
            // chosen, the range texts (typed but not yet plotted ones too) and the plot step.
            const QString formula = toolbars_.formulaBox->currentText();
            const int relation = toolbars_.relationBox->currentIndex();
            std::array<QString, TToolbarSet::RangeFieldCount> texts;
            std::array<bool, TToolbarSet::RangeFieldCount> had{};
            for (std::size_t f = 0; f < texts.size(); ++f)
                if (QLineEdit* e = toolbars_.fields[f]) {
                    texts[f] = e->text();
                    had[f] = true;
                }
            const bool hadPlotStep = toolbars_.plotStep != nullptr;
            const int plotStep = hadPlotStep ? toolbars_.plotStep->value() : 0;

            toolbars_.build(*this, config,
                            [this](const char* name) { return *name ? menu_.find(name) : nullptr; });
            connectToolbars();

            showViewInFields(); // fields that are new show the view
            for (std::size_t f = 0; f < texts.size(); ++f)
                if (QLineEdit* e = toolbars_.fields[f]; e && had[f]) e->setText(texts[f]);
            if (toolbars_.plotStep)
                toolbars_.plotStep->setValue(hadPlotStep ? plotStep : plotStepFromText(settings_.plotStepText));
            updateCommands();
            StepSequence step(*this);
            step([&] { loadPresetList(); });
            toolbars_.formulaBox->setEditText(formula);
            step([&] { setupRelationBox(); });
            if (relation >= 0 && relation < toolbars_.relationBox->count())
                toolbars_.relationBox->setCurrentIndex(relation);
            // Shown only now that the controls hold their texts.
            toolbarHeightOffset_ = menuBar()->sizeHint().height();
            for (QToolBar* bar : {toolbars_.buttonBar, toolbars_.rangeBar, toolbars_.formulaBar})
                if (bar) {
                    bar->show(); // a child added to a window on screen stays hidden until shown
                    toolbarHeightOffset_ += bar->height();
                }
            if (isActiveWindow()) {
                toolbars_.formulaBox->setFocus();
                toolbars_.formulaBox->lineEdit()->end(false);
            }
        });
        if (layout()) layout()->activate();
    }
    // Every graph is drawn again, at the size the plot area has below the new toolbars.
    if (engine_ && creationComplete_) {
        engine_->setPaintBoxSize(PaintBox1->width(), PaintBox1->height());
        replotAllGraphs();
    }
}

} // namespace kurvo

// TMainForm: creation, first display, resize, the host interface and the commands of the window.
#include "MainForm.h"

#include "AboutBox.h"
#include "ButtonImages.h"
#include "Cp1252.h"
#include "Defaults.h"
#include "Errors.h"
#include "NumberText.h"
#include "PaintBox.h"
#include "PlotEngine.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace kurvo {
namespace {

QString toQ(const std::string& cp1252) {
    return QString::fromStdString(cp1252ToUtf8(cp1252));
}
std::string fromQ(const QString& s) {
    return utf8ToCp1252(s.toStdString());
}

/// The commands that work today; every other menu command and button stays disabled until the
/// part of the program behind it exists.
const char* const WorkingActions[] = {"Stop1",
                                      "Cart1",
                                      "Polar1",
                                      "Implicit1",
                                      "Parametric1",
                                      "Radians1",
                                      "Degrees1",
                                      "PlotDerivedFunction1",
                                      "PlotIntegralFunction1",
                                      "Addformulatofile1",
                                      "HelpAboutItem",
                                      "Plot"};
const int WorkingButtons[] = {
    item::CartesianMode,  item::PolarMode,    item::ImplicitMode, item::ParametricSwitch, item::AngleMode,
    item::PlotDerivative, item::PlotIntegral, item::SaveToFile,   item::XSquared,         item::XCubed};

bool isWorkingAction(const QString& name) {
    for (const char* w : WorkingActions)
        if (name == w) return true;
    return false;
}

bool isWorkingButton(int n) {
    for (int w : WorkingButtons)
        if (n == w) return true;
    return false;
}

} // namespace

TMainForm::TMainForm(std::filesystem::path startFolder, std::filesystem::path dataFolder, Messages messages,
                     QWidget* parent)
    : QMainWindow(parent), startFolder_(std::move(startFolder)), dataFolder_(std::move(dataFolder)),
      settings_(defaultSettings()), recordMessages_(messages == Messages::Record) {
    setWindowTitle("Kurvo32 Graph Editor");
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
    connect(PaintBox1, &TPaintBox::resized, this, [this] { FormResize(); });

    menu_.build(*this);
    for (auto it = menu_.actions().begin(); it != menu_.actions().end(); ++it)
        if (!it.value()->menu() && !it.value()->isSeparator())
            it.value()->setEnabled(isWorkingAction(it.key()));
    connectMenu();
    PaintBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PaintBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { menu_.popupMenu()->popup(PaintBox1->mapToGlobal(p)); });
    buildStatusBar();

    FormCreate();
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

template <class F> void TMainForm::guarded(F&& handler) {
    try {
        handler();
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
    PaintBox1->update();
    if (resizePending_) {
        resizePending_ = false;
        QTimer::singleShot(0, this, [this] { FormResize(); });
    }
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
    return toolbars_.plotStep ? std::to_string(toolbars_.plotStep->value()) : std::string();
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
    StatusBar1->setFixedHeight(22);
    StatusBar1->setSizeGripEnabled(false);
    const std::pair<const char*, int> panels[] = {
        {"x=", 150}, {"y=", 150}, {"r=", 150}, {"t=", 150}, {"dy/dx=", 50}};
    for (auto [text, width] : panels) {
        auto* l = new QLabel(text, StatusBar1);
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
    on("Cart1", [this] { Cart1Click(true); });
    on("Polar1", [this] { Polar1Click(true); });
    on("Implicit1", [this] { Implicit1Click(true); });
    on("Parametric1", [this] { Parametric1Click(true); });
    on("Radians1", [this] { Radians1Click(); });
    on("Degrees1", [this] { Degrees1Click(); });
    on("PlotDerivedFunction1", [this] { PlotDerivedFunction1Click(true); });
    on("PlotIntegralFunction1", [this] { PlotIntegralFunction1Click(true); });
    on("Addformulatofile1", [this] { SaveFormulaClick(); });
    on("HelpAboutItem", [this] { HelpAboutItemClick(); });
    on("Plot", [this] { PlotClick(); });
}

void TMainForm::connectToolbars() {
    auto onButton = [this](int n, auto handler) {
        if (QToolButton* b = toolbars_.buttons[static_cast<std::size_t>(n)])
            connect(b, &QToolButton::clicked, this, [this, handler] { guarded([&] { handler(); }); });
    };
    for (std::size_t n = 0; n < toolbars_.buttons.size(); ++n)
        if (QToolButton* b = toolbars_.buttons[n]) b->setEnabled(isWorkingButton(static_cast<int>(n)));
    auto* modes = new QButtonGroup(toolbars_.buttonBar ? static_cast<QObject*>(toolbars_.buttonBar) : this);
    modes->setExclusive(true);
    for (int n : {item::CartesianMode, item::PolarMode, item::ImplicitMode})
        if (QToolButton* b = toolbars_.buttons[static_cast<std::size_t>(n)]) modes->addButton(b);
    onButton(item::CartesianMode, [this] { Cart1Click(false); });
    onButton(item::PolarMode, [this] { Polar1Click(false); });
    onButton(item::ImplicitMode, [this] { Implicit1Click(false); });
    onButton(item::ParametricSwitch, [this] { Parametric1Click(false); });
    onButton(item::AngleMode, [this] { AngleModeClick(); });
    onButton(item::PlotDerivative, [this] { PlotDerivedFunction1Click(false); });
    onButton(item::PlotIntegral, [this] { PlotIntegralFunction1Click(false); });
    onButton(item::SaveToFile, [this] { SaveFormulaClick(); });
    onButton(item::XSquared, [this] { TypeSquared(); });
    onButton(item::XCubed, [this] { TypeCubed(); });
    if (toolbars_.plotButton)
        connect(toolbars_.plotButton, &QToolButton::clicked, this, [this] { PlotClick(); });
    QLineEdit* edit = toolbars_.formulaBox->lineEdit();
    connect(edit, &QLineEdit::returnPressed, this, [this] { PlotClick(); });
    connect(toolbars_.formulaBox, &QComboBox::editTextChanged, this, [this] {
        const int last = settings_.LastGraph;
        undoFormula_ = engine_ && last >= 0 && last < TPlotEngine::SlotCount
                           ? engine_->UserFormulas[static_cast<std::size_t>(last)]
                           : std::string();
    });
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
    TToolbarConfig config; // nothing checked: no button bar, only the fields
    step([&] { config = data().readToolbarConfig(); });
    toolbars_.build(*this, config);
    connectToolbars();

    menu_.action("Datasets")->setEnabled(false);
    for (int n : {item::MatrixTransformations, item::DescriptiveTransformations})
        if (QToolButton* b = toolbars_.buttons[static_cast<std::size_t>(n)]) b->setEnabled(false);

    toolbarHeightOffset_ = menuBar()->sizeHint().height();
    for (QToolBar* bar : {toolbars_.buttonBar, toolbars_.rangeBar, toolbars_.formulaBar})
        if (bar) toolbarHeightOffset_ += bar->height();
    settings_.XAxisName = "x";
    settings_.YAxisName = "y";

    engine_ = std::make_unique<TPlotEngine>(settings_, *this);
    engine_->DataSetPlotting = false;

    step([&] {
        TSanitizedSettings safe = sanitized(data().readSettings());
        settings_ = safe.record;
        if (!safe.replaced.empty()) {
            std::string list;
            for (const auto& r : safe.replaced)
                list += (list.empty() ? "" : ", ") + r;
            showMessage("Some settings could not be used and were replaced by defaults: " + list);
        }
    });
    if (!step.ok()) return;
    guard_.setHintsShown(settings_.showHints);

    step([&] { loadPresetList(); });
    if (!step.ok()) return;
    const int modeButton = settings_.ImplicitMode    ? item::ImplicitMode
                           : settings_.CartesianMode ? item::CartesianMode
                                                     : item::PolarMode;
    setButtonDown(modeButton, true);
    menu_.action(settings_.ImplicitMode    ? "Implicit1"
                 : settings_.CartesianMode ? "Cart1"
                                           : "Polar1")
        ->setChecked(true);
    engine_->syncModes();

    engine_->setPaintBoxSize(PaintBox1->width(), PaintBox1->height());
    settings_.LastGraph = -1;
    using F = TToolbarSet::RangeField;
    auto fill = [&](F f, long double v) {
        if (QLineEdit* e = toolbars_.fields[f]) e->setText(toQ(formatGeneral(v)));
    };
    fill(F::TMin, settings_.Tmin);
    fill(F::TMax, settings_.Tmax);
    fill(F::XMin, settings_.Xmin);
    fill(F::XMax, settings_.Xmax);
    fill(F::YMin, settings_.Ymin);
    fill(F::YMax, settings_.Ymax);
    engine_->XRange = settings_.Xmax - settings_.Xmin;
    engine_->YRange = settings_.Ymax - settings_.Ymin;
    zoomMode_ = moveMode_ = false;
    settings_.FamilyPlotting = false;
    step([&] {
        if (toolbars_.plotStep) toolbars_.plotStep->setValue(plotStepFromText(settings_.plotStepText));
    });
    if (!step.ok()) return;
    syncControls();
    step([&] {
        TUserFunctionTexts functions = data().readFunctionExpressions(settings_.CartesianMode);
        for (std::size_t k = 0; k < functions.size(); ++k)
            engine_->UserFunctionParser[k]->setExpression(functions[k]);
    });
    if (!step.ok()) return;
    engine_->setPaintBoxSize(PaintBox1->width(), PaintBox1->height());
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
    step([&] { aliases_ = data().readLines(aliasListName(settings_)); });
    // The first paint shows the axes of the loaded view, once the window has its final size.
    if (creationComplete_) QTimer::singleShot(0, this, [this] { FormResize(); });
}

void TMainForm::FormResize() {
    if (!isVisible() || !engine_) return;
    if (guard_.busy()) {
        resizePending_ = true; // a plot is running: redraw at the new size when it has ended
        return;
    }
    engine_->setPaintBoxSize(PaintBox1->width(), PaintBox1->height());
    // Before the creation sequence has completed the range fields are empty: nothing to draw yet.
    if (creationComplete_) {
        engine_->PlotRequested = true;
        if (!settings_.AutoYScaling) engine_->ReplotAll = true;
        plotting([&] { engine_->PaintBox1Paint(); });
        engine_->PlotRequested = false;
        engine_->ReplotAll = false;
        guarded([&] { setupRelationBox(); });
    }
    PaintBox1->update();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Nothing is written on exit: every settings file is written by the dialog that edits it.
    event->accept();
}

// ---- controls and their states -------------------------------------------------------------------------

void TMainForm::setButtonDown(int n, bool down) {
    if (QToolButton* b = toolbars_.buttons[static_cast<std::size_t>(n)]) {
        if (b->isCheckable()) b->setChecked(down);
    }
}

void TMainForm::setButtonImage(int n, int image) {
    if (QToolButton* b = toolbars_.buttons[static_cast<std::size_t>(n)]) {
        b->setIcon(buttonImage(image));
        b->setProperty("image", image);
    }
}

void TMainForm::setCommandEnabled(const char* action, int n, bool enabled) {
    menu_.action(action)->setEnabled(enabled && isWorkingAction(action));
    if (QToolButton* b = toolbars_.buttons[static_cast<std::size_t>(n)])
        b->setEnabled(enabled && isWorkingButton(n));
}

void TMainForm::enableDerivedCommands(bool enabled) {
    setCommandEnabled("ShowTangent1", item::Tangent, enabled);
    setCommandEnabled("PlotDerivedFunction1", item::PlotDerivative, enabled);
    setCommandEnabled("PlotIntegralFunction1", item::PlotIntegral, enabled);
}

void TMainForm::syncControls() {
    StatusBar1->setVisible(settings_.ShowCoordinateInfo);
    menu_.action("ShowCoordinateInfo1")->setChecked(settings_.ShowCoordinateInfo);
    setButtonDown(item::GraphCoordinates, settings_.ShowCoordinateInfo);
    menu_.action("ShowTangent1")->setChecked(settings_.ShowTangent);
    setButtonDown(item::Tangent, settings_.ShowTangent);
    menu_.action("Automaticyscaling1")->setChecked(settings_.AutoYScaling);
    setButtonDown(item::AutoScaling, settings_.AutoYScaling);
    menu_.action("Square1")->setChecked(settings_.SquareAxes);
    setButtonImage(item::SquareGraph, settings_.SquareAxes ? 27 : 21);
    setButtonImage(item::ParametricSwitch, settings_.ParametricMode ? 6 : 25);
    menu_.action("Parametric1")->setChecked(settings_.ParametricMode);
    menu_.action(settings_.DegreeMode ? "Degrees1" : "Radians1")->setChecked(true);
    setButtonImage(item::AngleMode, settings_.DegreeMode ? 10 : 26);
    menu_.action("PlotDerivedFunction1")->setChecked(settings_.PlotDerived);
    setButtonDown(item::PlotDerivative, settings_.PlotDerived);
    menu_.action("PlotIntegralFunction1")->setChecked(settings_.PlotIntegral);
    setButtonDown(item::PlotIntegral, settings_.PlotIntegral);
    setCommandEnabled("Parametric1", item::ParametricSwitch, !settings_.ImplicitMode);
    enableDerivedCommands(settings_.CartesianMode && !settings_.ImplicitMode && !settings_.ParametricMode);
    PaintBox1->unsetCursor();
}

void TMainForm::loadPresetList() {
    std::vector<std::string> lines = data().readLines(presetListName(settings_));
    QComboBox* box = toolbars_.formulaBox;
    box->clear();
    for (const auto& line : lines)
        box->addItem(toQ(line));
    box->setEditText(lines.empty() ? QString() : toQ(lines.front()));
}

void TMainForm::setupRelationBox() {
    QComboBox* box = toolbars_.relationBox;
    if (settings_.ImplicitMode) {
        box->clear();
    } else {
        const int remembered = box->currentIndex();
        std::vector<std::string> labels;
        if (settings_.CartesianMode)
            labels = settings_.ParametricMode ? std::vector<std::string>{"x,y="}
                                              : data().readLines(datafile::Relations);
        else
            labels = {settings_.ParametricMode ? "r,\xF8=" : "r="};
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

// ---- commands --------------------------------------------------------------------------------------------

void TMainForm::PlotClick() {
    plotting([&] { engine_->PlotAction(); });
}

void TMainForm::afterModeSwitch() {
    if (engine_) engine_->syncModes();
    loadPresetList();
    setupRelationBox();
}

void TMainForm::Cart1Click(bool fromMenu) {
    settings_.CartesianMode = true;
    settings_.ImplicitMode = false;
    setCommandEnabled("Parametric1", item::ParametricSwitch, true);
    enableDerivedCommands(!settings_.ParametricMode);
    menu_.action("Cart1")->setChecked(true);
    menu_.action("Parametric1")->setChecked(settings_.ParametricMode);
    if (fromMenu) setButtonDown(item::CartesianMode, true);
    afterModeSwitch();
}

void TMainForm::Polar1Click(bool fromMenu) {
    settings_.CartesianMode = false;
    settings_.ImplicitMode = false;
    setCommandEnabled("Parametric1", item::ParametricSwitch, true);
    enableDerivedCommands(false);
    menu_.action("Polar1")->setChecked(true);
    menu_.action("Parametric1")->setChecked(settings_.ParametricMode);
    if (fromMenu) setButtonDown(item::PolarMode, true);
    afterModeSwitch();
}

void TMainForm::Implicit1Click(bool fromMenu) {
    settings_.ImplicitMode = true;
    settings_.ParametricMode = false;
    setCommandEnabled("Parametric1", item::ParametricSwitch, false);
    enableDerivedCommands(false);
    menu_.action("Implicit1")->setChecked(true);
    menu_.action("Parametric1")->setChecked(false);
    setButtonImage(item::ParametricSwitch, 25);
    if (fromMenu) setButtonDown(item::ImplicitMode, true);
    afterModeSwitch();
}

void TMainForm::Parametric1Click(bool) {
    if (settings_.ImplicitMode) return; // the switch is disabled there; a stale click changes nothing
    settings_.ParametricMode = !settings_.ParametricMode;
    enableDerivedCommands(!settings_.ParametricMode && settings_.CartesianMode);
    setButtonImage(item::ParametricSwitch, settings_.ParametricMode ? 6 : 25);
    menu_.action("Parametric1")->setChecked(settings_.ParametricMode);
    afterModeSwitch();
}

void TMainForm::Radians1Click() {
    settings_.DegreeMode = false;
    if (engine_) engine_->syncModes();
    menu_.action("Radians1")->setChecked(true);
    setButtonImage(item::AngleMode, 26);
}

void TMainForm::Degrees1Click() {
    settings_.DegreeMode = true;
    if (engine_) engine_->syncModes();
    menu_.action("Degrees1")->setChecked(true);
    setButtonImage(item::AngleMode, 10);
}

void TMainForm::AngleModeClick() {
    const bool degrees = engine_ ? !engine_->Translator.Degrees : !settings_.DegreeMode;
    if (degrees)
        Degrees1Click();
    else
        Radians1Click();
}

void TMainForm::PlotDerivedFunction1Click(bool) {
    settings_.PlotDerived = !settings_.PlotDerived;
    menu_.action("PlotDerivedFunction1")->setChecked(settings_.PlotDerived);
    setButtonDown(item::PlotDerivative, settings_.PlotDerived);
}

void TMainForm::PlotIntegralFunction1Click(bool) {
    settings_.PlotIntegral = !settings_.PlotIntegral;
    menu_.action("PlotIntegralFunction1")->setChecked(settings_.PlotIntegral);
    setButtonDown(item::PlotIntegral, settings_.PlotIntegral);
}

void TMainForm::SaveFormulaClick() {
    const char* name = presetListName(settings_);
    // Reading first: a missing list is reported and nothing is written.
    std::vector<std::string> lines = data().readLines(name);
    lines.push_back(formulaText());
    data().writeLines(name, lines);
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
    if (edit->hasFocus()) insertAtCaret(edit, QString::fromUtf8("²"));
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

} // namespace kurvo

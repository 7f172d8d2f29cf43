// TMainForm: assembling the window, its creation sequence, resizing, and the error boundary.
#include "MainForm.h"

#include "Cp1252.h"
#include "Defaults.h"
#include "DisplayAccess.h"
#include "Errors.h"
#include "GraphListPanel.h"
#include "PaintBox.h"
#include "PlotEngine.h"
#include "PlotSwitches.h"
#include "Startup.h"
#include "WindowCommands.h"
#include "WindowHistory.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace kurvo {

TMainForm::TMainForm(std::filesystem::path startFolder, std::filesystem::path dataFolder, Messages messages,
                     QWidget* parent)
    : TMainForm(std::move(startFolder), TDataSource(std::move(dataFolder)), messages, parent) {}

TMainForm::TMainForm(std::filesystem::path startFolder, TDataSource data, Messages messages, QWidget* parent)
    : QMainWindow(parent), startFolder_(std::move(startFolder)), data_(std::move(data)),
      settings_(defaultSettings()) {
    setWindowTitle("Kurvo32 Graph Editor");
    // Toolbars and the status bar take their places at once: the layout animations could still be
    // running on a toolbar when a command shows or hides the status bar again (seen to crash).
    setAnimated(false);
    qApp->installEventFilter(&guard_);
    resize(728, 489);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    editorHost_ = std::make_unique<TWindowHost>(*this, bar_);
    dialogs_ = std::make_unique<TDialogSet>(*editorHost_, *this);
    files_ = std::make_unique<TFileCommands>(*this);
    buildPlotArea();
    plotHost_ = std::make_unique<TWindowPlotHost>(*this, *paintBox_, bar_, guard_, aliases_, *dialogs_,
                                                  messages == Messages::Record);
    switches_ = std::make_unique<TPlotSwitches>(*this, bar_, [this] { return creationComplete_; });
    history_ = std::make_unique<TWindowHistory>(*this, *switches_, *plotHost_, *files_);
    windowCommands_ =
        std::make_unique<TWindowCommands>(*this, bar_, *switches_, *history_, *dialogs_, *files_);
    commands_.build(*this, windowCommands_->table(), [this](const TCommandDef& def) {
        if (def.idleOnly && guard_.busy()) return;
        runGuarded(def.run);
    });
    connect(paintBox_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { commands_.popupMenu()->popup(paintBox_->mapToGlobal(p)); });
    buildStatusBar();
    FormCreate();
    if (engine_) {
        auto* graphList = new TGraphListPanel(
            *editorHost_, [this]() -> TPlotEngine& { return *engine_; },
            [this](const std::function<void()>& run) { runPlotting(run); }, paintBox_, this);
        addDockWidget(Qt::RightDockWidgetArea, graphList);
        graphList->addMenuItems(*commands_.menu(Menu::Settings));
    }
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(&guard_);
    // The dialogs and the plot area refer to the engine and the settings (and the plot area's
    // callbacks to this window): they end first, before the members they use.
    dialogs_.reset();
    gestures_.reset();
    delete paintBox_;
    paintBox_ = nullptr;
}

void TMainForm::buildPlotArea() {
    paintBox_ = new TPaintBox(this);
    paintBox_->setObjectName("PaintBox1");
    setCentralWidget(paintBox_);
    paintBox_->setSource(
        [this]() -> const QImage* { return engine_ ? &engine_->PlotPicture : nullptr; },
        [this] { return engine_ ? engine_->colour(settings_.backgroundColour) : QColor(Qt::white); });
    // The plot area is redrawn after the layout pass that resized it, once for any number of
    // resizes: a redraw inside the pass changes commands and bars, which would lay them out again
    // while their own layout is running (seen to crash).
    connect(paintBox_, &TPaintBox::resized, this, [this] {
        if (resizeQueued_) return;
        resizeQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            resizeQueued_ = false;
            FormResize();
        });
    });
    paintBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    paintBox_->setDescriptionSource(
        [this] { return engine_ ? graphsDescription(engine_->Document) : QString(); });
}

void TMainForm::buildStatusBar() {
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("StatusBar1");
    statusBar_->setAccessibleName("Coordinate readout");
    statusBar_->setFixedHeight(22);
    statusBar_->setSizeGripEnabled(false);
    setStatusBar(statusBar_);
    statusBar_->hide();
    gestures_ = std::make_unique<TPlotGestures>(*this, *paintBox_, *statusBar_);
}

void TMainForm::buildToolbars(const TToolbarConfig& config) {
    toolbars_.build(*this, config,
                    [this](Command c) { return c == Command::None ? nullptr : commands_.action(c); });
    // Command buttons trigger their actions (see TToolbarSet::build); only the formula field remains.
    connect(toolbars_.formulaBox->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { runPlotting([this] { engine_->PlotAction(); }); });
    for (QToolBar* bar : {toolbars_.buttonBar, toolbars_.rangeBar, toolbars_.formulaBar})
        if (bar) bar->show(); // a child added to a window on screen stays hidden until shown
}

// ---- the error boundary -----------------------------------------------------------------------------------

std::string TMainForm::refusalCause(const std::exception& e) const {
    std::string cause = e.what();
    for (int f = 0; f < TToolbarSet::RangeFieldCount; ++f)
        cause += '\n' + bar_.fieldText(static_cast<TFormulaBar::Field>(f));
    if (toolbars_.plotStep) cause += '\n' + utf8ToCp1252(toolbars_.plotStep->cleanText().toStdString());
    return cause;
}

void TMainForm::runGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const ERefusedView& e) {
        refusedView_ = refusalCause(e);
        plotHost_->showError(e);
    } catch (const std::exception& e) {
        plotHost_->showError(e);
    } catch (...) {
        plotHost_->showMessage("An unexpected error ended the command.");
    }
}

void TMainForm::runPlotting(const std::function<void()>& run) {
    if (!engine_ || guard_.busy()) return;
    {
        TBusyScope busy(guard_);
        runGuarded(run);
    }
    history_->refresh();
    // The picture may have changed under the pointer's overlays: they belong to the old one.
    paintBox_->setOverlays({});
    paintBox_->update();
    if (resizePending_) {
        resizePending_ = false;
        QTimer::singleShot(0, this, [this] { FormResize(); });
    }
}

void TMainForm::refreshCommands() {
    // Every command's enabled and checked state follows from the settings here, and only here.
    commands_.update({settings_, TPlotMode::of(settings_), engine_ ? engine_->Options : TExtensionSettings{},
                      engine_ && !engine_->Document.DataSets.empty(), gestures_->zoomMode(),
                      gestures_->moveMode()});
    statusBar_->setVisible(settings_.ShowCoordinateInfo);
    gestures_->updateCursor();
    history_->refresh();
}

void TMainForm::refreshHistoryCommands() {
    history_->refresh();
}

bool TMainForm::saveChangesFirst() {
    return history_->saveChangesFirst();
}

// ---- creation and display ----------------------------------------------------------------------------

namespace {
/// Runs the steps of a sequence until one fails; that failure is reported and the rest is skipped.
class StepSequence {
  public:
    explicit StepSequence(TPlotHost& host) : host_(host) {}
    /// Runs `f` unless a step failed before; false once a step has failed.
    template <class F> bool operator()(F&& f) {
        if (!ok_) return false;
        try {
            f();
        } catch (const std::exception& e) {
            host_.showError(e);
            ok_ = false;
        }
        return ok_;
    }

  private:
    TPlotHost& host_;
    bool ok_ = true;
};
} // namespace

void TMainForm::FormCreate() {
    // Each step that reads a file may fail: the error is reported and the rest of the sequence is
    // skipped. The toolbars and the engine are made in any case, so the window always has the
    // controls and state every command relies on.
    StepSequence step(*plotHost_);
    if (data_.inMemory())
        plotHost_->showMessage("Kurvo32 runs with its built-in default settings: there is no data folder, so "
                               "nothing you change will be saved.");
    TToolbarConfig config; // nothing checked: no button bar, only the fields
    step([&] { config = data_.readToolbarConfig(); });
    buildToolbars(config);
    settings_.XAxisName = "x";
    settings_.YAxisName = "y";

    engine_ = std::make_unique<TPlotEngine>(settings_, *plotHost_);
    engine_->Document.DataSetPlotting = false;
    engine_->Options = startup::extensionSettings(data_);
    startup::applyLocaleSeparators(engine_->Parsers.Translator);
    refreshCommands();

    const bool started = step([&] {
        startup::TSession session = startup::startSession(data_);
        settings_ = session.settings;
        engine_->Options = session.options;
        for (const std::string& message : session.messages)
            plotHost_->showMessage(message);
    });
    if (!started) return;
    guard_.setHintsShown(settings_.showHints);

    if (!step([&] { bar_.loadPresetList(); })) return;
    engine_->syncModes();

    engine_->setPaintBoxSize(paintBox_->width(), paintBox_->height());
    bar_.showView();
    engine_->Document.XRange = settings_.Xmax - settings_.Xmin;
    engine_->Document.YRange = settings_.Ymax - settings_.Ymin;
    gestures_->endModes();
    if (!step([&] { bar_.showPlotStep(); })) return;
    refreshCommands();
    if (!step([&] { startup::applySession(engine_->Parsers, settings_, data_); })) return;
    engine_->setPaintBoxSize(paintBox_->width(), paintBox_->height());
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
    StepSequence step(*plotHost_);
    step([&] { bar_.showPlotStep(); });
    step([&] { bar_.focusFormula(); });
    step([&] { bar_.setupRelationBox(); });
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
    engine_->setDevicePixelRatio(paintBox_->devicePixelRatioF());
    engine_->setPaintBoxSize(paintBox_->width(), paintBox_->height());
    // Before the creation sequence has completed the range fields are empty: nothing to draw yet.
    if (creationComplete_) {
        runPlotting([&] {
            try {
                engine_->replotAll();
            } catch (const ERefusedView& e) {
                // A resize redraws by itself, as often as the window is resized: a refused view
                // the user was told about, with the fields as they were then, is not said again.
                if (refusalCause(e) != refusedView_) throw;
            }
        });
        runGuarded([&] { bar_.setupRelationBox(); });
    }
    paintBox_->update();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // No settings file is written on exit (each is written by the dialog that edits it); a changed
    // drawing is saved first when the user says so.
    if (!history_->saveChangesFirst()) return event->ignore();
    event->accept();
}

// ---- rebuilding the toolbars ------------------------------------------------------------------------------

void TMainForm::rebuildToolbars(const TToolbarConfig& config) {
    if (guard_.busy()) return; // never while a plot runs: its fields would vanish under it
    {
        // The plot area is resized while the window lays out the new bars; it must not redraw from
        // inside that layout pass (a plot takes pending events, which would run under the layout).
        // The graphs are drawn once, below, when the layout is done.
        const QSignalBlocker noResizeReplot(paintBox_);
        runGuarded([&] {
            const TFormulaBar::TKept kept = bar_.keep();
            buildToolbars(config);
            bar_.showView(); // fields that are new show the view
            bar_.restoreFields(kept);
            refreshCommands();
            try {
                bar_.loadPresetList();
                toolbars_.formulaBox->setEditText(kept.formula);
                bar_.setupRelationBox();
            } catch (const std::exception& e) {
                toolbars_.formulaBox->setEditText(kept.formula);
                plotHost_->showError(e);
            }
            bar_.restoreRelation(kept);
            if (isActiveWindow()) bar_.focusFormula();
        });
        if (layout()) layout()->activate();
    }
    // Every graph is drawn again, at the size the plot area has below the new toolbars.
    if (engine_ && creationComplete_) {
        engine_->setPaintBoxSize(paintBox_->width(), paintBox_->height());
        runPlotting([&] { engine_->replotAll(); });
    }
}

} // namespace kurvo

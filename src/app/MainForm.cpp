// TMainForm: assembling the window, its creation sequence, resizing, and the hosts' fields.
#include "GraphListPanel.h"
#include "MainForm.h"

#include "Cp1252.h"
#include "Defaults.h"
#include "DisplayAccess.h"
#include "Errors.h"
#include "GraphFileApply.h"
#include "NumberText.h"
#include "PaintBox.h"
#include "PlotEngine.h"
#include "Startup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace kurvo {
namespace {

QString toQ(const std::string& cp1252) {
    return QString::fromStdString(cp1252ToUtf8(cp1252));
}
std::string fromQ(const QString& s) {
    return utf8ToCp1252(s.toStdString());
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

    editorHost_ = std::make_unique<TWindowHost>(*this);
    dialogs_ = std::make_unique<TDialogSet>(*editorHost_, *this);
    files_ = std::make_unique<TFileCommands>(*this);
    buildPlotArea();
    commands_.build(*this, commandTable(), [this](const TCommandDef& def) {
        if (def.idleOnly && guard_.busy()) return;
        guarded(def.run);
    });
    connect(paintBox_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { commands_.popupMenu()->popup(paintBox_->mapToGlobal(p)); });
    buildStatusBar();
    FormCreate();
    if (engine_) {
        auto* graphList = new TGraphListPanel(
            *editorHost_, [this]() -> TPlotEngine& { return *engine_; },
            [this](const std::function<void()>& run) { plotting(run); }, paintBox_, this);
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
    paintBox_->setDescriptionSource([this] { return engine_ ? graphsDescription(engine_->Document) : QString(); });
}

void TMainForm::buildStatusBar() {
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("StatusBar1");
    statusBar_->setAccessibleName("Coordinate readout");
    statusBar_->setFixedHeight(22);
    statusBar_->setSizeGripEnabled(false);
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
    std::vector<TDisplayLabel*> labels;
    for (auto [text, width, name] : panels) {
        auto* l = new TDisplayLabel(text, statusBar_);
        l->setAccessibleName(name);
        l->setMinimumWidth(width);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        statusBar_->addWidget(l, text == std::string("dy/dx=") ? 1 : 0);
        labels.push_back(l);
    }
    setStatusBar(statusBar_);
    statusBar_->hide();

    gestures_ = std::make_unique<TPlotGestures>(*this, *paintBox_, std::move(labels));
    TPlotGestures* g = gestures_.get();
    connect(paintBox_, &TPaintBox::mouseDown, this,
            [g](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) { g->mouseDown(b, x, y); });
    connect(paintBox_, &TPaintBox::mouseMoved, this,
            [g](Qt::KeyboardModifiers, int x, int y) { g->mouseMove(x, y); });
    connect(paintBox_, &TPaintBox::mouseUp, this,
            [g](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) { g->mouseUp(b, x, y); });
    connect(paintBox_, &TPaintBox::wheelTurned, this, [g](int x, int y, int angle) { g->wheel(x, y, angle); });
    connect(paintBox_, &TPaintBox::plotKey, this, [g](TPlotKey key) { g->key(key); });
}

void TMainForm::buildToolbars(const TToolbarConfig& config) {
    toolbars_.build(*this, config, [this](Command c) { return c == Command::None ? nullptr : commands_.action(c); });
    connectToolbars();
    toolbarHeightOffset_ = menuBar()->sizeHint().height();
    for (QToolBar* bar : {toolbars_.buttonBar, toolbars_.rangeBar, toolbars_.formulaBar})
        if (bar) {
            bar->show(); // a child added to a window on screen stays hidden until shown
            toolbarHeightOffset_ += bar->height();
        }
}

void TMainForm::connectToolbars() {
    // Command buttons trigger their actions (see TToolbarSet::build); only the fields remain.
    QLineEdit* edit = toolbars_.formulaBox->lineEdit();
    connect(edit, &QLineEdit::returnPressed, this, [this] { plot(); });
}

// ---- message boxes ---------------------------------------------------------------------------------

void TMainForm::setRecordMessages(bool record, bool answer) {
    recordMessages_ = record;
    recordedAnswer_ = answer;
}

void TMainForm::showMessage(const std::string& text) {
    if (recordMessages_) {
        recorded_.push_back(text);
        return;
    }
    TSuspendScope input(guard_);
    QMessageBox::information(this, "Kurvo32", toQ(text).replace('\r', '\n'));
}

bool TMainForm::askQuestion(const std::string& text) {
    if (recordMessages_) {
        recorded_.push_back(text);
        return recordedAnswer_;
    }
    TSuspendScope input(guard_);
    return QMessageBox::question(this, "Kurvo32", toQ(text).replace('\r', '\n'),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void TMainForm::showError(const std::exception& e) {
    if (recordMessages_) {
        recorded_.push_back(e.what());
        return;
    }
    TSuspendScope input(guard_);
    QMessageBox::critical(this, "Kurvo32", toQ(e.what()).replace('\r', '\n'));
}

std::string TMainForm::refusalCause(const std::exception& e) const {
    std::string cause = e.what();
    for (Field f : {Field::TMin, Field::TMax, Field::XMin, Field::XMax, Field::YMin, Field::YMax})
        cause += '\n' + fieldText(f);
    if (toolbars_.plotStep) cause += '\n' + fromQ(toolbars_.plotStep->cleanText());
    return cause;
}

void TMainForm::guarded(const std::function<void()>& handler) {
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

void TMainForm::plotting(const std::function<void()>& run) {
    if (!engine_ || guard_.busy()) return;
    {
        TBusyScope busy(guard_);
        guarded(run);
    }
    updateHistoryCommands();
    // The picture may have changed under the pointer's overlays: they belong to the old one.
    paintBox_->setOverlays({});
    paintBox_->update();
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
        paintBox_->unsetCursor();
        break;
    case Cursor::Hourglass:
        paintBox_->setCursor(Qt::WaitCursor);
        break;
    case Cursor::Cross:
        paintBox_->setCursor(Qt::CrossCursor);
        break;
    case Cursor::Hand:
        paintBox_->setCursor(Qt::PointingHandCursor);
        break;
    case Cursor::Drag:
        paintBox_->setCursor(Qt::DragMoveCursor);
        break;
    }
}

void TMainForm::beep() {
    QApplication::beep();
}

// ---- creation and display ----------------------------------------------------------------------------

namespace {
/// Runs the steps of a sequence until one fails; that failure is reported and the rest is skipped.
class StepSequence {
  public:
    explicit StepSequence(TPlotHost& host) : host_(host) {}
    template <class F> void operator()(F&& f) {
        if (!ok_) return;
        try {
            f();
        } catch (const std::exception& e) {
            host_.showError(e);
            ok_ = false;
        }
    }
    bool ok() const { return ok_; }

  private:
    TPlotHost& host_;
    bool ok_ = true;
};
} // namespace

void TMainForm::FormCreate() {
    // Each step that reads a file may fail: the error is reported and the rest of the sequence is
    // skipped. The toolbars and the engine are made in any case, so the window always has the
    // controls and state every command relies on.
    StepSequence step(plotHost());
    if (data_.inMemory())
        showMessage("Kurvo32 runs with its built-in default settings: there is no data folder, so "
                    "nothing you change will be saved.");
    TToolbarConfig config; // nothing checked: no button bar, only the fields
    step([&] { config = data_.readToolbarConfig(); });
    buildToolbars(config);
    settings_.XAxisName = "x";
    settings_.YAxisName = "y";

    engine_ = std::make_unique<TPlotEngine>(settings_, plotHost());
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

    engine_->setPaintBoxSize(paintBox_->width(), paintBox_->height());
    showViewInFields();
    engine_->Document.XRange = settings_.Xmax - settings_.Xmin;
    engine_->Document.YRange = settings_.Ymax - settings_.Ymin;
    gestures_->endModes();
    step([&] {
        if (toolbars_.plotStep) toolbars_.plotStep->setValue(plotStepFromText(settings_.plotStepText));
    });
    if (!step.ok()) return;
    updateCommands();
    step([&] { startup::applySession(engine_->Parsers, settings_, data_); });
    if (!step.ok()) return;
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
    StepSequence step(plotHost());
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
    engine_->setDevicePixelRatio(paintBox_->devicePixelRatioF());
    engine_->setPaintBoxSize(paintBox_->width(), paintBox_->height());
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
    paintBox_->update();
}



void TMainForm::closeEvent(QCloseEvent* event) {
    // No settings file is written on exit (each is written by the dialog that edits it); a changed
    // drawing is saved first when the user says so.
    if (!saveChangesFirst()) return event->ignore();
    event->accept();
}

} // namespace kurvo

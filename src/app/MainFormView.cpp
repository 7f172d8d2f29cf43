// TMainForm: the plot area's gestures and readout, and the commands that change the view.
#include "MainForm.h"

#include "Cp1252.h"
#include "DisplayAccess.h"
#include "PaintBox.h"
#include "PlotEngine.h"
#include "Startup.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

namespace kurvo {

namespace {
/// Wheel angle of one notch, in eighths of a degree.
constexpr int NotchAngle = 120;
/// Wheel notches closer together than this belong to one turn, which one Undo takes back.
constexpr qint64 WheelTurnGapMs = 600;
} // namespace

void TMainForm::connectViewCommands() {
    auto on = [this](const char* name, auto handler) {
        connect(menu_.action(name), &QAction::triggered, this, [this, handler] {
            if (!guard_.busy()) runGuarded([&] { handler(); });
        });
    };
    on("Zoomout1", [this] { Zoomout1Click(); });
    on("Zoomin1", [this] { Zoomin1Click(); });
    on("Movegraph1", [this] { Movegraph1Click(); });
    on("Undolastaction1", [this] { Undolastaction1Click(); });
    on("ShowCoordinateInfo1", [this] { ShowCoordinateInfo1Click(); });
    on("ShowTangent1", [this] { ShowTangent1Click(); });
    on("Automaticyscaling1", [this] { Automaticyscaling1Click(); });
    on("Square1", [this] { Square1Click(); });
    on("EqualScale1", [this] { EqualScale1Click(); });
    on("ZoomInCentre1", [this] { ZoomInCentre1Click(); });
    on("ZoomOutCentre1", [this] { ZoomOutCentre1Click(); });
    on("DefaultView1", [this] { DefaultView1Click(); });

    // Shortcuts where the menus give none; the actions are the window's too, so a shortcut works
    // while the pop-up menu is closed.
    const std::pair<const char*, QList<QKeySequence>> shortcuts[] = {
        {"ZoomInCentre1", {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}},
        {"ZoomOutCentre1", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}},
        {"DefaultView1", {QKeySequence(Qt::CTRL | Qt::Key_0)}},
    };
    for (const auto& [name, keys] : shortcuts) {
        QAction* a = menu_.action(name);
        a->setShortcuts(keys);
        addAction(a);
    }

    connect(PaintBox1, &TPaintBox::mouseDown, this, &TMainForm::PaintBox1MouseDown);
    connect(PaintBox1, &TPaintBox::mouseMoved, this, &TMainForm::PaintBox1MouseMove);
    connect(PaintBox1, &TPaintBox::mouseUp, this, &TMainForm::PaintBox1MouseUp);
    connect(PaintBox1, &TPaintBox::wheelTurned, this, &TMainForm::PaintBox1Wheel);
    connect(PaintBox1, &TPaintBox::plotKey, this, &TMainForm::PaintBox1Key);
    PaintBox1->setDescriptionSource(
        [this] { return engine_ ? graphsDescription(engine_->Document) : QString(); });
}

QString TMainForm::statusPanelText(int panel) const {
    return panel >= 0 && panel < static_cast<int>(statusPanels_.size())
               ? statusPanels_[static_cast<std::size_t>(panel)]->text()
               : QString();
}

void TMainForm::updatePlotCursor() {
    if (zoomMode_)
        PaintBox1->setCursor(Qt::CrossCursor);
    else if (moveMode_)
        PaintBox1->setCursor(Qt::OpenHandCursor);
    else if (settings_.ShowCoordinateInfo || settings_.ShowTangent)
        PaintBox1->setCursor(Qt::SizeAllCursor);
    else
        PaintBox1->unsetCursor();
}

// ---- the plot area's gestures --------------------------------------------------------------------------

void TMainForm::PaintBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int X, int Y) {
    // The right button opens the pop-up menu; a running plot owns the picture and the view.
    if (button != Qt::LeftButton || !engine_ || guard_.busy()) return;
    runGuarded([&] {
        if (zoomMode_ || moveMode_) {
            dragging_ = true;
            dragStart_ = QPoint(X, Y);
            PaintBox1->setOverlays({});
        }
        if (!settings_.ShowCoordinateInfo && !settings_.ShowTangent) return;
        dragging_ = true;
        TReadout readout = engine_->readout();
        int slot = 0;
        if (settings_.LastGraph > 0)
            slot = readout.PickNearestGraph(X, Y);
        else
            readout.useSlot(0);
        if (settings_.LastGraph > 0)
            setFormulaFieldText(engine_->Document.UserFormulas[static_cast<std::size_t>(slot)]);
        PaintBox1->setOverlays({});
        if (!zoomMode_ && !moveMode_) readoutAt(X, Y);
    });
}

void TMainForm::PaintBox1MouseMove(Qt::KeyboardModifiers, int X, int Y) {
    // Moves during a running plot are left alone: the readout must not touch what the plot uses.
    if (!engine_ || guard_.busy() || !dragging_) return;
    runGuarded([&] {
        TOverlays o = PaintBox1->overlays();
        if (zoomMode_ && X > dragStart_.x() && Y > dragStart_.y()) {
            o.rubberBand = QRect(dragStart_, QPoint(X, Y));
            PaintBox1->setOverlays(o);
        }
        if (moveMode_) {
            o.moveFrame = QRect(0, 0, PaintBox1->width(), PaintBox1->height())
                              .translated(X - dragStart_.x(), Y - dragStart_.y());
            PaintBox1->setOverlays(o);
        }
        if ((settings_.ShowCoordinateInfo || settings_.ShowTangent) && !zoomMode_ && !moveMode_)
            readoutAt(X, Y);
    });
}

void TMainForm::PaintBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int X, int Y) {
    if (button != Qt::LeftButton || !engine_ || guard_.busy() || !dragging_) return;
    dragging_ = false;
    if (zoomMode_ || moveMode_) {
        PaintBox1->setOverlays({});
        const QPoint start = dragStart_;
        // A box too small or dragged the wrong way, or a view too small to draw, changes nothing.
        if (zoomMode_)
            runPlotting([&] { engine_->zoomBox(start.x(), start.y(), X, Y); });
        else
            runPlotting([&] { engine_->moveView(X - start.x(), Y - start.y()); });
    }
}

void TMainForm::readoutAt(int X, int Y) {
    TReadout readout = engine_->readout();
    const bool cartesianGraph =
        settings_.CartesianMode && !settings_.ImplicitMode && !settings_.ParametricMode;
    const bool snapped = settings_.coordsSnapToGraph && cartesianGraph && settings_.LastGraph >= 0;
    showReadout(snapped ? readout.snappedReadout(X, settings_.ShowTangent) : readout.freeReadout(X, Y));
}

void TMainForm::showReadout(const TReadoutResult& r) {
    QStringList read;
    for (std::size_t i = 0; i < r.panels.size() && i < statusPanels_.size(); ++i) {
        statusPanels_[i]->setText(QString::fromStdString(cp1252ToUtf8(r.panels[i])));
        read << statusPanels_[i]->shownText();
    }
    PaintBox1->setReadoutText(read.join("  "));
    TOverlays o;
    o.crossHair = r.crossHair;
    o.crossHairColour = engine_->colour(settings_.traceLinesColour);
    o.tangent = r.tangent;
    o.tangentColour = engine_->colour(settings_.tangentColour);
    PaintBox1->setOverlays(o);
}

void TMainForm::PaintBox1Key(TPlotKey key) {
    if (!engine_ || guard_.busy()) return;
    switch (key) {
    case TPlotKey::ZoomIn:
        runGuarded([this] { ZoomInCentre1Click(); });
        break;
    case TPlotKey::ZoomOut:
        runGuarded([this] { ZoomOutCentre1Click(); });
        break;
    case TPlotKey::ReadCentre:
        runGuarded([this] { readCentre(); });
        break;
    case TPlotKey::None:
        break;
    default: {
        const TPlotView v = engine_->currentView();
        const QPoint drag = plotKeyMove(key, v.PlotWidth, v.PlotHeight);
        PaintBox1->setOverlays({});
        runPlotting([&] { engine_->moveView(drag.x(), drag.y()); });
    }
    }
}

void TMainForm::readCentre() {
    // The readout is shown in the status bar, which the coordinate information shows.
    if (!settings_.ShowCoordinateInfo) ShowCoordinateInfo1Click();
    const TPlotView v = engine_->currentView();
    const int X = v.PlotWidth / 2, Y = v.PlotHeight / 2;
    TReadout readout = engine_->readout();
    const bool cartesianGraph =
        settings_.CartesianMode && !settings_.ImplicitMode && !settings_.ParametricMode;
    if (!cartesianGraph || settings_.LastGraph < 0) {
        showReadout(readout.freeReadout(X, Y));
        return;
    }
    if (settings_.LastGraph > 0) {
        const int slot = readout.PickNearestGraph(X, Y);
        setFormulaFieldText(engine_->Document.UserFormulas[static_cast<std::size_t>(slot)]);
    } else {
        readout.useSlot(0);
    }
    showReadout(readout.snappedReadout(X, settings_.ShowTangent));
}

void TMainForm::PaintBox1Wheel(int X, int Y, int angleDelta) {
    if (!engine_ || guard_.busy()) return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool newTurn = lastWheelMs_ < 0 || now - lastWheelMs_ > WheelTurnGapMs;
    // A touchpad sends many small angles: they add up to notches, and what is left waits for more.
    if (newTurn) wheelRemainder_ = 0;
    wheelRemainder_ += angleDelta;
    const int notches = wheelRemainder_ / NotchAngle;
    if (notches == 0) return;
    wheelRemainder_ -= notches * NotchAngle;
    const bool firstOfTurn = newTurn || lastWheelMs_ < 0;
    lastWheelMs_ = now;
    PaintBox1->setOverlays({});
    runPlotting([&] { engine_->wheelZoom(X, Y, notches, firstOfTurn); });
}

// ---- view commands ----------------------------------------------------------------------------------------

void TMainForm::Zoomout1Click() {
    runPlotting([&] { engine_->ZoomOut(); });
}

void TMainForm::Zoomin1Click() {
    zoomMode_ = !zoomMode_;
    if (zoomMode_) moveMode_ = false;
    dragging_ = false;
    updateCommands();
    updatePlotCursor();
}

void TMainForm::Movegraph1Click() {
    moveMode_ = !moveMode_;
    if (moveMode_) zoomMode_ = false;
    dragging_ = false;
    updateCommands();
    updatePlotCursor();
}

void TMainForm::Undolastaction1Click() {
    stepHistory(false);
}

void TMainForm::ShowCoordinateInfo1Click() {
    settings_.ShowCoordinateInfo = !settings_.ShowCoordinateInfo;
    if (settings_.ShowCoordinateInfo) zoomMode_ = moveMode_ = false;
    PaintBox1->setOverlays({});
    // Showing or hiding the status bar resizes the plot area, which draws every graph again.
    updateCommands();
    updatePlotCursor();
}

void TMainForm::ShowTangent1Click() {
    settings_.ShowTangent = !settings_.ShowTangent;
    if (settings_.ShowTangent) zoomMode_ = moveMode_ = false;
    PaintBox1->setOverlays({});
    updateCommands();
    updatePlotCursor();
}

void TMainForm::Automaticyscaling1Click() {
    settings_.AutoYScaling = !settings_.AutoYScaling;
    // The next Plot replaces every graph; with no graph yet there is no slot 0 to keep.
    if (settings_.LastGraph > 0) settings_.LastGraph = 0;
    updateCommands();
    setupRelationBox();
}

void TMainForm::Square1Click() {
    settings_.SquareAxes = !settings_.SquareAxes;
    updateCommands();
    runPlotting([&] { engine_->replotFamilyOrAll(); });
}

void TMainForm::EqualScale1Click() {
    runPlotting([&] { engine_->EqualScale(); });
}

void TMainForm::ZoomInCentre1Click() {
    runPlotting([&] {
        const TPlotView v = engine_->currentView();
        engine_->zoomAbout((v.Xmin + v.Xmax) / 2, (v.Ymin + v.Ymax) / 2, TPlotEngine::WheelFactor);
    });
}

void TMainForm::ZoomOutCentre1Click() {
    runPlotting([&] {
        const TPlotView v = engine_->currentView();
        engine_->zoomAbout((v.Xmin + v.Xmax) / 2, (v.Ymin + v.Ymax) / 2, 1 / TPlotEngine::WheelFactor);
    });
}

void TMainForm::DefaultView1Click() {
    // The view stored in the data folder's settings (the built-in defaults without a data folder).
    const TSettingsRecord stored = startup::startSettings(data_.readSettings()).record;
    runPlotting([&] {
        engine_->setView({stored.Xmin, stored.Xmax, stored.Ymin, stored.Ymax, stored.Tmin, stored.Tmax});
    });
}

} // namespace kurvo

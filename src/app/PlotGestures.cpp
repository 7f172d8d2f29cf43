// TPlotGestures: the plot area's pointer readout, zoom box, move drag, wheel zoom and keys.
#include "PlotGestures.h"

#include "Commands.h"
#include "Cp1252.h"
#include "DisplayAccess.h"
#include "MainForm.h"
#include "PaintBox.h"
#include "PlotEngine.h"

#include <QAction>
#include <QDateTime>
#include <QStatusBar>
#include <QStringList>

namespace kurvo {

namespace {
/// Wheel angle of one notch, in eighths of a degree.
constexpr int NotchAngle = 120;
/// Wheel notches closer together than this belong to one turn, which one Undo takes back.
constexpr qint64 WheelTurnGapMs = 600;

bool cartesianGraph(const TSettingsRecord& s) {
    return s.CartesianMode && !s.ImplicitMode && !s.ParametricMode;
}
} // namespace

TPlotGestures::TPlotGestures(TMainForm& form, TPaintBox& box, QStatusBar& readoutBar)
    : form_(form), box_(box) {
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
        auto* l = new TDisplayLabel(text, &readoutBar);
        l->setAccessibleName(name);
        l->setMinimumWidth(width);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        readoutBar.addWidget(l, text == std::string("dy/dx=") ? 1 : 0);
        panels_.push_back(l);
    }
    using B = Qt::MouseButton;
    using K = Qt::KeyboardModifiers;
    auto follow = [&](auto signal, auto slot) {
        connections_.push_back(QObject::connect(&box, signal, &box, slot));
    };
    follow(&TPaintBox::mouseDown, [this](B b, K, int x, int y) { mouseDown(b, x, y); });
    follow(&TPaintBox::mouseMoved, [this](K, int x, int y) { mouseMove(x, y); });
    follow(&TPaintBox::mouseUp, [this](B b, K, int x, int y) { mouseUp(b, x, y); });
    follow(&TPaintBox::wheelTurned, [this](int x, int y, int angle) { wheel(x, y, angle); });
    follow(&TPaintBox::plotKey, [this](TPlotKey k) { key(k); });
}

TPlotGestures::~TPlotGestures() {
    for (const QMetaObject::Connection& c : connections_)
        QObject::disconnect(c);
}

bool TPlotGestures::idle() const {
    // A running plot owns the picture and the view.
    return form_.engine() && !form_.inputGuard().busy();
}

QString TPlotGestures::panelText(int panel) const {
    return panel >= 0 && panel < static_cast<int>(panels_.size())
               ? panels_[static_cast<std::size_t>(panel)]->text()
               : QString();
}

void TPlotGestures::updateCursor() {
    const TSettingsRecord& s = form_.settings();
    if (zoomMode_)
        box_.setCursor(Qt::CrossCursor);
    else if (moveMode_)
        box_.setCursor(Qt::OpenHandCursor);
    else if (s.ShowCoordinateInfo || s.ShowTangent)
        box_.setCursor(Qt::SizeAllCursor);
    else
        box_.unsetCursor();
}

void TPlotGestures::toggleZoomMode() {
    zoomMode_ = !zoomMode_;
    if (zoomMode_) moveMode_ = false;
    dragging_ = false;
}

void TPlotGestures::toggleMoveMode() {
    moveMode_ = !moveMode_;
    if (moveMode_) zoomMode_ = false;
    dragging_ = false;
}

void TPlotGestures::endModes() {
    zoomMode_ = moveMode_ = false;
}

void TPlotGestures::followGraph(TReadout& readout, int X, int Y) {
    if (form_.settings().LastGraph > 0) {
        const int slot = readout.PickNearestGraph(X, Y);
        form_.plotHost().setFormulaText(
            form_.engine()->Document.UserFormulas[static_cast<std::size_t>(slot)]);
    } else {
        readout.useSlot(0);
    }
}

void TPlotGestures::mouseDown(Qt::MouseButton button, int X, int Y) {
    // The right button opens the pop-up menu.
    if (button != Qt::LeftButton || !idle()) return;
    form_.runGuarded([&] {
        if (zoomMode_ || moveMode_) {
            dragging_ = true;
            dragStart_ = QPoint(X, Y);
            box_.setOverlays({});
        }
        const TSettingsRecord& s = form_.settings();
        if (!s.ShowCoordinateInfo && !s.ShowTangent) return;
        dragging_ = true;
        TReadout readout = form_.engine()->readout();
        followGraph(readout, X, Y);
        box_.setOverlays({});
        if (!zoomMode_ && !moveMode_) readoutAt(X, Y);
    });
}

void TPlotGestures::mouseMove(int X, int Y) {
    // Moves during a running plot are left alone: the readout must not touch what the plot uses.
    if (!idle() || !dragging_) return;
    form_.runGuarded([&] {
        TOverlays o = box_.overlays();
        if (zoomMode_ && X > dragStart_.x() && Y > dragStart_.y()) {
            o.rubberBand = QRect(dragStart_, QPoint(X, Y));
            box_.setOverlays(o);
        }
        if (moveMode_) {
            o.moveFrame =
                QRect(0, 0, box_.width(), box_.height()).translated(X - dragStart_.x(), Y - dragStart_.y());
            box_.setOverlays(o);
        }
        const TSettingsRecord& s = form_.settings();
        if ((s.ShowCoordinateInfo || s.ShowTangent) && !zoomMode_ && !moveMode_) readoutAt(X, Y);
    });
}

void TPlotGestures::mouseUp(Qt::MouseButton button, int X, int Y) {
    if (button != Qt::LeftButton || !idle() || !dragging_) return;
    dragging_ = false;
    if (!zoomMode_ && !moveMode_) return;
    box_.setOverlays({});
    const QPoint start = dragStart_;
    TPlotEngine& engine = *form_.engine();
    // A box too small or dragged the wrong way, or a view too small to draw, changes nothing.
    if (zoomMode_)
        form_.runPlotting([&] { engine.zoomBox(start.x(), start.y(), X, Y); });
    else
        form_.runPlotting([&] { engine.moveView(X - start.x(), Y - start.y()); });
}

void TPlotGestures::readoutAt(int X, int Y) {
    const TSettingsRecord& s = form_.settings();
    TReadout readout = form_.engine()->readout();
    const bool snapped = s.coordsSnapToGraph && cartesianGraph(s) && s.LastGraph >= 0;
    showReadout(snapped ? readout.snappedReadout(X, s.ShowTangent) : readout.freeReadout(X, Y));
}

void TPlotGestures::showReadout(const TReadoutResult& r) {
    QStringList read;
    for (std::size_t i = 0; i < r.panels.size() && i < panels_.size(); ++i) {
        panels_[i]->setText(QString::fromStdString(cp1252ToUtf8(r.panels[i])));
        read << panels_[i]->shownText();
    }
    box_.setReadoutText(read.join("  "));
    const TSettingsRecord& s = form_.settings();
    TOverlays o;
    o.crossHair = r.crossHair;
    o.crossHairColour = form_.engine()->colour(s.traceLinesColour);
    o.tangent = r.tangent;
    o.tangentColour = form_.engine()->colour(s.tangentColour);
    box_.setOverlays(o);
}

void TPlotGestures::key(TPlotKey key) {
    if (!idle()) return;
    QAction* zoom = nullptr;
    switch (key) {
    case TPlotKey::ZoomIn:
        zoom = form_.commands().action(Command::ZoomInCentre);
        break;
    case TPlotKey::ZoomOut:
        zoom = form_.commands().action(Command::ZoomOutCentre);
        break;
    case TPlotKey::ReadCentre:
        form_.runGuarded([this] { readCentre(); });
        return;
    case TPlotKey::None:
        return;
    default: {
        const TPlotView v = form_.engine()->currentView();
        const QPoint drag = plotKeyMove(key, v.PlotWidth, v.PlotHeight);
        box_.setOverlays({});
        TPlotEngine& engine = *form_.engine();
        form_.runPlotting([&] { engine.moveView(drag.x(), drag.y()); });
        return;
    }
    }
    zoom->trigger();
}

void TPlotGestures::readCentre() {
    // The readout is shown in the status bar, which the coordinate information shows.
    if (!form_.settings().ShowCoordinateInfo) form_.commands().action(Command::ShowCoordinateInfo)->trigger();
    const TSettingsRecord& s = form_.settings();
    const TPlotView v = form_.engine()->currentView();
    const int X = v.PlotWidth / 2, Y = v.PlotHeight / 2;
    if (!cartesianGraph(s) || s.LastGraph < 0) {
        showReadout(form_.engine()->readout().freeReadout(X, Y));
        return;
    }
    TReadout readout = form_.engine()->readout();
    followGraph(readout, X, Y);
    showReadout(readout.snappedReadout(X, s.ShowTangent));
}

void TPlotGestures::wheel(int X, int Y, int angleDelta) {
    if (!idle()) return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool newTurn = lastWheelMs_ < 0 || now - lastWheelMs_ > WheelTurnGapMs;
    // A touchpad sends many small angles: they add up to notches, and what is left waits for more.
    if (newTurn) wheelRemainder_ = 0;
    wheelRemainder_ += angleDelta;
    const int notches = wheelRemainder_ / NotchAngle;
    if (notches == 0) return;
    wheelRemainder_ -= notches * NotchAngle;
    lastWheelMs_ = now;
    box_.setOverlays({});
    TPlotEngine& engine = *form_.engine();
    form_.runPlotting([&] { engine.wheelZoom(X, Y, notches, newTurn); });
}

} // namespace kurvo

// TPaintBox: paints the plot picture, then the overlays; passes on the pointer's gestures.
#include "PaintBox.h"

#include "DisplayAccess.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <mutex>

namespace kurvo {
namespace {

/// The plot area as a screen reader sees it: "Plot area", described by the graphs it shows, its
/// text the readout at the cross-hair.
class TPaintBoxAccessible : public TDisplayAccessible {
  public:
    explicit TPaintBoxAccessible(TPaintBox* box)
        : TDisplayAccessible(
              box, [box] { return box->readoutText(); }, QAccessible::Canvas) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description) return static_cast<const TPaintBox*>(widget())->description();
        return TDisplayAccessible::text(t);
    }
    using TDisplayAccessible::text;
};

QAccessibleInterface* paintBoxAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(TPaintBox::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new TPaintBoxAccessible(static_cast<TPaintBox*>(object));
    return nullptr;
}

} // namespace

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
    static std::once_flag factoryInstalled;
    std::call_once(factoryInstalled, [] { QAccessible::installFactory(paintBoxAccessible); });
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1);
    // A click or Tab gives the plot the keyboard focus: its own keys move, zoom and read the view,
    // and the view shortcuts (Ctrl+Z undo among them) reach the window instead of the formula
    // field's own text undo.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName("Plot area");
}

void TPaintBox::setDescriptionSource(std::function<QString()> description) {
    description_ = std::move(description);
}

QString TPaintBox::description() const {
    return description_ ? description_() : QString();
}

void TPaintBox::setReadoutText(const QString& text) {
    const QString before = readout_;
    readout_ = text;
    notifyShownTextChanged(this, before, readout_);
}

void TPaintBox::setSource(std::function<const QImage*()> picture, std::function<QColor()> background) {
    picture_ = std::move(picture);
    background_ = std::move(background);
    update();
}

void TPaintBox::setOverlays(const TOverlays& overlays) {
    overlays_ = overlays;
    update();
}

void TPaintBox::paintEvent(QPaintEvent*) {
    // Every new picture is painted here: the moment to tell a reader that the graphs changed.
    if (QAccessible::isActive()) {
        if (const QString now = description(); now != toldDescription_) {
            toldDescription_ = now;
            QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&changed);
        }
    }
    QPainter p(this);
    p.fillRect(rect(), background_ ? background_() : palette().window().color());
    if (const QImage* picture = picture_ ? picture_() : nullptr; picture && !picture->isNull())
        p.drawImage(0, 0, *picture);
    if (overlays_.empty()) return;

    // The rubber band and the moved frame invert what lies under them, so they show on any colour.
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    if (overlays_.rubberBand) p.drawRect(*overlays_.rubberBand);
    if (overlays_.moveFrame) p.drawRect(*overlays_.moveFrame);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);

    if (overlays_.crossHair) {
        p.setPen(QPen(overlays_.crossHairColour, 1, Qt::DotLine));
        const QPoint c = *overlays_.crossHair;
        p.drawLine(c.x(), 0, c.x(), height());
        p.drawLine(0, c.y(), width(), c.y());
    }
    if (overlays_.tangent) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(overlays_.tangentColour, 1, Qt::SolidLine));
        p.drawLine(*overlays_.tangent);
    }
}

void TPaintBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseMoved(event->modifiers(), p.x(), p.y());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

void TPaintBox::wheelEvent(QWheelEvent* event) {
    const QPoint p = event->position().toPoint();
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    event->accept();
    emit wheelTurned(p.x(), p.y(), delta);
}

void TPaintBox::keyPressEvent(QKeyEvent* event) {
    const TPlotKey key = plotKeyFor(event->key(), event->modifiers());
    if (key == TPlotKey::None) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    emit plotKey(key);
}

} // namespace kurvo

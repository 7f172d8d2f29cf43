// TPaintBox: the plot area, which shows the plot picture over the background colour.
#pragma once

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

#include "PlotKeys.h"

namespace kurvo {

/// What follows the pointer over the picture: drawn on the screen only, never into the picture, so
/// the next paint shows the picture unchanged and there is never more than one of each.
struct TOverlays {
    std::optional<QPoint> crossHair; ///< vertical line at x(), horizontal line at y()
    QColor crossHairColour;
    std::optional<QRect> rubberBand; ///< the zoom box being dragged
    std::optional<QRect> moveFrame;  ///< the view frame being moved
    std::optional<QLineF> tangent;
    QColor tangentColour;
    bool empty() const { return !crossHair && !rubberBand && !moveFrame && !tangent; }
};

/// The plot area widget. It never plots: it shows the picture the engine drew (composed over the
/// background colour) and reports its size changes, so the screen always equals the picture.
/// Overlays that follow the pointer are painted on top and never touch the picture.
class TPaintBox : public QWidget {
    Q_OBJECT
  public:
    explicit TPaintBox(QWidget* parent = nullptr);

    /// Where the picture and the background colour come from (the engine may be replaced).
    void setSource(std::function<const QImage*()> picture, std::function<QColor()> background);

    void setOverlays(const TOverlays& overlays);
    const TOverlays& overlays() const { return overlays_; }

    /// Where the accessible description (the graphs drawn, in words) comes from; it is read when a
    /// screen reader asks, so it always tells what the picture shows.
    void setDescriptionSource(std::function<QString()> description);
    QString description() const;
    /// The readout at the cross-hair ("x= 2 y= 4 ..."), the plot area's text for a screen reader,
    /// which is told of each change, so the reader speaks what a key or the pointer reads.
    void setReadoutText(const QString& text);
    QString readoutText() const { return readout_; }

  signals:
    void resized();
    /// Button presses, drags and releases in pixels of the area.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseMoved(Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    /// A wheel or touchpad turn at a pixel: vertical angle in eighths of a degree (120 a notch).
    void wheelTurned(int x, int y, int angleDelta);
    /// A key of the focused plot area that moves, zooms or reads the view.
    void plotKey(kurvo::TPlotKey key);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::function<const QImage*()> picture_;
    std::function<QColor()> background_;
    TOverlays overlays_;
    std::function<QString()> description_;
    QString toldDescription_; ///< the description screen readers were last told of
    QString readout_;
};

} // namespace kurvo

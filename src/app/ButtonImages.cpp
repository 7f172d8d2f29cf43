// The toolbar's button images: 18 x 18 designs painted with vector strokes.
#include "ButtonImages.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <iterator>
#include <numbers>

namespace kurvo {
namespace {

const QColor Ink(40, 40, 48);
const QColor Blue(30, 90, 200);
const QColor Red(200, 40, 40);
const QColor Green(20, 140, 60);
const QColor Amber(220, 150, 20);

QPen pen(const QColor& c, qreal w = 1.2) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

/// A plus sign (or a cross of lines) about `c`, `half` long each way: the vertical stroke first.
void plusSign(QPainter& p, const QPen& stroke, QPointF c, qreal half) {
    p.setPen(stroke);
    p.drawLine(QPointF(c.x(), c.y() - half), QPointF(c.x(), c.y() + half));
    p.drawLine(QPointF(c.x() - half, c.y()), QPointF(c.x() + half, c.y()));
}

void axes(QPainter& p) {
    p.setPen(pen(QColor(120, 120, 130), 1.0));
    p.drawLine(QPointF(2, 9), QPointF(16, 9));
    p.drawLine(QPointF(9, 2), QPointF(9, 16));
}

void text(QPainter& p, const QRectF& r, const QString& s, qreal size, const QColor& c, bool bold = true,
          bool italic = false) {
    QFont f("DejaVu Sans");
    f.setBold(bold);
    f.setItalic(italic);
    p.save();
    p.translate(r.topLeft());
    // Pixel sizes are integers: draw at 10 pixels and scale, so the glyph keeps its exact size.
    p.scale(size / 10.0, size / 10.0);
    f.setPixelSize(10);
    p.setFont(f);
    p.setPen(c);
    p.drawText(QRectF(0, 0, r.width() * 10.0 / size, r.height() * 10.0 / size), Qt::AlignCenter, s);
    p.restore();
}

void magnifier(QPainter& p, bool plus) {
    p.setPen(pen(Ink, 1.6));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QPointF(7.5, 7.5), 5, 5);
    p.drawLine(QPointF(11.2, 11.2), QPointF(16, 16));
    p.setPen(pen(Ink, 1.4));
    p.drawLine(QPointF(5, 7.5), QPointF(10, 7.5));
    if (plus) p.drawLine(QPointF(7.5, 5), QPointF(7.5, 10));
}

void sineCurve(QPainter& p, const QColor& c, qreal amplitude = 5, qreal w = 1.6) {
    QPainterPath path;
    for (int i = 0; i <= 28; ++i) {
        qreal x = 2 + i * 0.5;
        qreal y = 9 - amplitude * std::sin((x - 2) / 14 * 2 * std::numbers::pi);
        if (i == 0)
            path.moveTo(x, y);
        else
            path.lineTo(x, y);
    }
    p.setPen(pen(c, w));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void parametricLoop(QPainter& p, const QColor& c) {
    QPainterPath path;
    for (int i = 0; i <= 60; ++i) {
        qreal t = i / 60.0 * 2 * std::numbers::pi;
        QPointF pt(9 + 6.5 * std::sin(2 * t), 9 + 6.5 * std::sin(3 * t));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    p.setPen(pen(c, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

/// The file commands: open, print, clear.
void paintFileImage(QPainter& p, int index) {
    switch (index) {
    case 0: { // open file: a folder
        p.setPen(pen(QColor(150, 100, 10)));
        p.setBrush(Amber);
        QPolygonF back{{1.5, 4}, {6.5, 4}, {8, 5.5}, {15.5, 5.5}, {15.5, 15}, {1.5, 15}};
        p.drawPolygon(back);
        p.setBrush(QColor(250, 200, 80));
        QPolygonF front{{1.5, 15}, {4, 8}, {17, 8}, {15.5, 15}};
        p.drawPolygon(front);
        break;
    }
    case 1: { // print: a printer
        p.setPen(pen(Ink));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 1.5, 8, 5));
        p.setBrush(QColor(170, 170, 180));
        p.drawRoundedRect(QRectF(1.5, 6.5, 15, 7), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 11, 8, 5.5));
        p.setPen(pen(Green, 1.5));
        p.drawPoint(QPointF(14, 8.5));
        break;
    }
    case 2: { // clear graphs: a curve struck out
        axes(p);
        sineCurve(p, Blue);
        p.setPen(pen(Red, 2.2));
        p.drawLine(QPointF(3, 3), QPointF(15, 15));
        p.drawLine(QPointF(15, 3), QPointF(3, 15));
        break;
    }
    }
}

/// The modes and switches: Cartesian, polar, implicit, parametric, the angle unit.
void paintModeImage(QPainter& p, int index) {
    switch (index) {
    case 3: { // Cartesian mode: axes and a parabola
        axes(p);
        QPainterPath path;
        for (int i = 0; i <= 20; ++i) {
            qreal x = 3 + i * 0.6, u = (x - 9) / 6;
            qreal y = 15 - 12 * u * u;
            if (i == 0)
                path.moveTo(x, y);
            else
                path.lineTo(x, y);
        }
        p.setPen(pen(Blue, 1.7));
        p.drawPath(path);
        break;
    }
    case 4: { // polar mode: rays and a rose
        p.setPen(pen(QColor(140, 140, 150), 0.9));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(9, 9), 7, 7);
        p.drawLine(QPointF(9, 9), QPointF(16, 9));
        p.drawLine(QPointF(9, 9), QPointF(14, 4));
        QPainterPath rose;
        for (int i = 0; i <= 90; ++i) {
            qreal t = i / 90.0 * std::numbers::pi;
            qreal r = 6.5 * std::sin(3 * t);
            QPointF pt(9 + r * std::cos(t), 9 - r * std::sin(t));
            if (i == 0)
                rose.moveTo(pt);
            else
                rose.lineTo(pt);
        }
        p.setPen(pen(Red, 1.5));
        p.drawPath(rose);
        break;
    }
    case 5: { // implicit mode: a circle x²+y²=r² on axes
        axes(p);
        p.setPen(pen(Green, 1.7));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(9, 9), 5.5, 5.5);
        break;
    }
    case 6: // parametric switch on
        parametricLoop(p, QColor(150, 40, 170));
        text(p, QRectF(11, 10, 7, 8), "t", 8, Ink);
        break;
    case 25: // parametric switch off
        parametricLoop(p, QColor(170, 170, 175));
        text(p, QRectF(11, 10, 7, 8), "t", 8, QColor(150, 150, 155));
        break;
    case 10: // degrees
        text(p, QRectF(0, 0, 18, 18), QString::fromUtf8("°"), 16, Red);
        text(p, QRectF(0, 9, 18, 9), "deg", 7, Ink);
        break;
    case 26: // radians
        text(p, QRectF(0, -1, 18, 12), QString::fromUtf8("π"), 12, Blue);
        text(p, QRectF(0, 9, 18, 9), "rad", 7, Ink);
        break;
    }
}

/// The data-set commands: the transformations and the coordinate sets.
void paintDataSetImage(QPainter& p, int index) {
    switch (index) {
    case 7: { // matrix transformations: a bracketed grid of entries
        p.setPen(pen(Ink, 1.4));
        p.drawPolyline(QPolygonF{{4, 2}, {2, 2}, {2, 16}, {4, 16}});
        p.drawPolyline(QPolygonF{{14, 2}, {16, 2}, {16, 16}, {14, 16}});
        p.setPen(Qt::NoPen);
        p.setBrush(Blue);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c)
                p.drawRect(QRectF(5 + c * 5, 5 + r * 5, 3, 3));
        break;
    }
    case 8: { // descriptive transformations: a triangle and its rotated image
        p.setPen(pen(QColor(120, 120, 130), 1.0));
        p.setBrush(QColor(200, 220, 250));
        p.drawPolygon(QPolygonF{{2, 15}, {9, 15}, {2, 7}});
        p.setPen(pen(Red, 1.2));
        p.setBrush(QColor(250, 200, 200));
        p.drawPolygon(QPolygonF{{9, 15}, {9, 8}, {16, 8}});
        p.setPen(pen(Ink, 1.1));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 2, 10, 10), 30 * 16, 120 * 16);
        break;
    }
    case 9: { // plot coordinates: marks on axes
        axes(p);
        p.setPen(pen(Red, 1.3));
        const QPointF marks[] = {{4, 13}, {7, 11}, {12, 6}, {14, 4}};
        for (auto m : marks) {
            p.drawLine(m + QPointF(-1.5, -1.5), m + QPointF(1.5, 1.5));
            p.drawLine(m + QPointF(-1.5, 1.5), m + QPointF(1.5, -1.5));
        }
        break;
    }
    }
}

/// The view commands: zoom out, zoom in, move.
void paintViewImage(QPainter& p, int index) {
    switch (index) {
    case 11: // zoom out
        magnifier(p, false);
        break;
    case 12: // zoom in
        magnifier(p, true);
        break;
    case 13: { // move graph: four arrows
        p.setPen(pen(Ink, 1.4));
        p.drawLine(QPointF(9, 2), QPointF(9, 16));
        p.drawLine(QPointF(2, 9), QPointF(16, 9));
        p.setBrush(Ink);
        p.drawPolygon(QPolygonF{{9, 1}, {6.5, 4}, {11.5, 4}});
        p.drawPolygon(QPolygonF{{9, 17}, {6.5, 14}, {11.5, 14}});
        p.drawPolygon(QPolygonF{{1, 9}, {4, 6.5}, {4, 11.5}});
        p.drawPolygon(QPolygonF{{17, 9}, {14, 6.5}, {14, 11.5}});
        break;
    }
    }
}

/// The editors: constants and families.
void paintEditorImage(QPainter& p, int index) {
    switch (index) {
    case 14: // constants
        text(p, QRectF(0, 0, 18, 18), "a=", 11, Blue, true, true);
        break;
    case 15: { // families: a fan of parallel curves
        const QColor colours[] = {Blue, Green, Red};
        for (int k = 0; k < 3; ++k) {
            QPainterPath path;
            for (int i = 0; i <= 20; ++i) {
                qreal x = 2 + i * 0.7, u = (x - 9) / 7;
                qreal y = 6 + k * 4 - 5 * u * u + 2;
                if (i == 0)
                    path.moveTo(x, y);
                else
                    path.lineTo(x, y);
            }
            p.setPen(pen(colours[k], 1.3));
            p.drawPath(path);
        }
        break;
    }
    }
}

/// The display options: readout, tangent, derived, integral, y-scaling, square axes.
void paintOptionImage(QPainter& p, int index) {
    switch (index) {
    case 16: { // graph coordinates: a cross-hair over a curve
        sineCurve(p, QColor(150, 170, 220), 4, 1.2);
        p.setPen(pen(Red, 1.2));
        p.drawLine(QPointF(11, 1), QPointF(11, 17));
        p.drawLine(QPointF(1, 6), QPointF(17, 6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(11, 6), 2.2, 2.2);
        break;
    }
    case 17: { // tangent to the graph
        QPainterPath path;
        path.moveTo(2, 16);
        path.quadTo(9, -4, 16, 16);
        p.setPen(pen(Blue, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setPen(pen(Red, 1.3));
        p.drawLine(QPointF(1, 10), QPointF(12, 2));
        p.setBrush(Red);
        p.drawEllipse(QPointF(5.4, 6.8), 1.3, 1.3);
        break;
    }
    case 18: // derivative
        text(p, QRectF(0, 0, 18, 18), "f'", 13, Red, true, true);
        break;
    case 19: // integral
        text(p, QRectF(0, 0, 18, 18), QString::fromUtf8("∫"), 15, Green, true, true);
        break;
    case 20: { // automatic y-scaling: a vertical double arrow beside a curve
        sineCurve(p, Blue, 4, 1.3);
        p.setPen(pen(Red, 1.4));
        p.drawLine(QPointF(15, 2.5), QPointF(15, 15.5));
        p.setBrush(Red);
        p.drawPolygon(QPolygonF{{15, 1}, {13, 4}, {17, 4}});
        p.drawPolygon(QPolygonF{{15, 17}, {13, 14}, {17, 14}});
        break;
    }
    case 21: // square axes off: an oblong with unequal sides
        p.setPen(pen(Ink, 1.4));
        p.setBrush(QColor(230, 230, 235));
        p.drawRect(QRectF(1.5, 5, 15, 8));
        break;
    case 27: // square axes on: a square with equal ticks
        p.setPen(pen(Ink, 1.4));
        p.setBrush(QColor(210, 235, 210));
        p.drawRect(QRectF(3, 3, 12, 12));
        plusSign(p, pen(Green, 1.2), QPointF(9, 9), 6);
        break;
    }
}

/// The formula bar's buttons: add to the preset list, type ² and ³, Plot.
void paintFormulaImage(QPainter& p, int index) {
    switch (index) {
    case 22: { // save formula to the preset list: a disk with a plus
        p.setPen(pen(Ink, 1.1));
        p.setBrush(Blue);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(QRectF(4, 9, 8, 5.5));
        plusSign(p, pen(Green, 2.0), QPointF(14.5, 14), 3);
        break;
    }
    case 23: // x squared
        text(p, QRectF(0, 0, 18, 18), QString::fromUtf8("x²"), 12, Ink, true, true);
        break;
    case 24: // x cubed
        text(p, QRectF(0, 0, 18, 18), QString::fromUtf8("x³"), 12, Ink, true, true);
        break;
    case PlotGlyphImage: // the Plot button: a pen drawing a curve
        sineCurve(p, Blue, 4.5, 1.8);
        p.setPen(pen(Red, 1.8));
        p.drawLine(QPointF(2, 16), QPointF(16, 16));
        break;
    }
}

/// Paints button image `index` into the 18 x 18 square (nothing for an unknown index).
void paintImage(QPainter& p, int index) {
    using Painter = void (*)(QPainter&, int);
    // Indexed by image: the group of images that paints it.
    static constexpr Painter Groups[] = {
        paintFileImage,   paintFileImage,   paintFileImage,    paintModeImage,    paintModeImage,
        paintModeImage,   paintModeImage,   paintDataSetImage, paintDataSetImage, paintDataSetImage,
        paintModeImage,   paintViewImage,   paintViewImage,    paintViewImage,    paintEditorImage,
        paintEditorImage, paintOptionImage, paintOptionImage,  paintOptionImage,  paintOptionImage,
        paintOptionImage, paintOptionImage, paintFormulaImage, paintFormulaImage, paintFormulaImage,
        paintModeImage,   paintModeImage,   paintOptionImage,  paintFormulaImage};
    static_assert(std::size(Groups) == PlotGlyphImage + 1, "every image has its group");
    if (index >= 0 && index < static_cast<int>(std::size(Groups))) Groups[index](p, index);
}

/// Paints a button image at whatever size and density the toolbar asks for.
class TButtonIconEngine : public QIconEngine {
  public:
    explicit TButtonIconEngine(int index) : index_(index) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        drawButtonImage(*painter, rect, index_, mode != QIcon::Disabled);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        QPixmap pm(size * scale);
        pm.fill(Qt::transparent);
        pm.setDevicePixelRatio(scale);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }
    QIconEngine* clone() const override { return new TButtonIconEngine(index_); }

  private:
    int index_;
};

} // namespace

void drawButtonImage(QPainter& painter, const QRectF& rect, int index, bool enabled) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(rect.topLeft());
    const qreal side = std::min(rect.width(), rect.height());
    painter.translate((rect.width() - side) / 2, (rect.height() - side) / 2);
    painter.scale(side / 18.0, side / 18.0);
    if (!enabled) painter.setOpacity(0.35);
    paintImage(painter, index);
    painter.restore();
}

QIcon buttonImage(int index) {
    return QIcon(new TButtonIconEngine(index));
}

} // namespace kurvo

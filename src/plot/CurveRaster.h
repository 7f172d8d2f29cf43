// TCurveRaster: wide antialiased curves drawn straight into a raster picture.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QTransform>

#include <cstdint>
#include <vector>

class QPainter;

namespace kurvo {

/// Strokes a polyline of a solid, opaque colour with square caps into a 32-bit picture. Each
/// segment is a rectangle around the line, its ends extended by half the width; a pixel is
/// covered by the distance of its centre from the rectangle's edges (a box filter), and the
/// segments of one curve are joined by taking the largest coverage of each pixel, so a join is
/// never blended twice. The general path stroker and scan converter cost several times as much
/// on a large picture, where a curve spans thousands of rows.
class TCurveRaster {
  public:
    /// A raster for the painter's picture, or an unusable one (`usable()` false) when the painter
    /// does not draw plainly into a 32-bit image: clipped, rotated or sheared, another composition
    /// mode, a translucent pen. The painter then draws the curve itself.
    explicit TCurveRaster(QPainter& painter);

    bool usable() const { return image_ != nullptr; }
    /// Strokes the polyline (painter coordinates) with the painter's pen.
    void stroke(const QPointF* points, int count);

    /// Columns first..last of a row that a segment covered.
    struct Span {
        int row, first, last;
    };

  private:
    void segment(QPointF a, QPointF b);
    void blend();

    QImage* image_ = nullptr;
    uchar* bits_ = nullptr;
    qsizetype bytesPerLine_ = 0;
    QTransform toDevice_;
    double halfWidth_ = 0;
    std::uint32_t colour_ = 0; // premultiplied, opaque
    int width_ = 0, height_ = 0;
    /// Coverage of each pixel of the curve being drawn (0..255), kept zero outside a stroke.
    std::vector<std::uint8_t>& coverage_;
    std::vector<Span>& spans_; // the pixels each segment covered, row by row
};

} // namespace kurvo

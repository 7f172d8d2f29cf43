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
/// segments of one curve are joined by taking the larger coverage of each pixel that a segment
/// and the one before it share, so a join is not blended twice. The general path stroker and scan converter cost several times as much
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

  private:
    void segment(QPointF a, QPointF b);
    /// Blends columns c0..c1 of row y with their coverage (cover[c]) over the picture.
    void blendRow(int y, int c0, int c1, const std::uint8_t* cover);

    QImage* image_ = nullptr;
    uchar* bits_ = nullptr;
    qsizetype bytesPerLine_ = 0;
    QTransform toDevice_;
    double halfWidth_ = 0;
    std::uint32_t colour_ = 0; // premultiplied, opaque
    int width_ = 0, height_ = 0;
    /// The coverage of one segment's pixels (0..255) over its bounding box.
    struct Tile {
        int x0 = 0, y0 = 0, w = 0, h = 0;
        std::vector<std::uint8_t> cover;
        std::uint8_t at(int x, int y) const {
            x -= x0;
            y -= y0;
            return x >= 0 && x < w && y >= 0 && y < h
                       ? cover[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)]
                       : 0;
        }
    };
    Tile current_, previous_; // the segment being drawn and the one before it
};

} // namespace kurvo

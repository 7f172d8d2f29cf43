// TCurveRaster: wide antialiased curves drawn straight into a raster picture.
#include "CurveRaster.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kurvo {

namespace {
/// c x a + d x (255 - a), per channel, divided by 255 (two channels at a time).
inline std::uint32_t mix(std::uint32_t c, std::uint32_t d, std::uint32_t a) {
    const std::uint32_t b = 255 - a;
    std::uint32_t rb = (c & 0x00ff00ffu) * a + (d & 0x00ff00ffu) * b;
    std::uint32_t ag = ((c >> 8) & 0x00ff00ffu) * a + ((d >> 8) & 0x00ff00ffu) * b;
    rb = (rb + ((rb >> 8) & 0x00ff00ffu) + 0x00800080u) >> 8;
    ag = (ag + ((ag >> 8) & 0x00ff00ffu) + 0x00800080u) >> 8;
    return (rb & 0x00ff00ffu) | (ag & 0x00ff00ffu) << 8;
}
} // namespace

TCurveRaster::TCurveRaster(QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = painter.device();
    if (!engine || engine->type() != QPaintEngine::Raster || !device || device->devType() != QInternal::Image)
        return;
    auto* image = static_cast<QImage*>(device);
    if (image->format() != QImage::Format_ARGB32_Premultiplied && image->format() != QImage::Format_RGB32) return;
    const QPen& pen = painter.pen();
    const QColor colour = pen.color();
    if (painter.hasClipping() || painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        pen.style() != Qt::SolidLine || pen.brush().style() != Qt::SolidPattern || colour.alpha() != 255 ||
        pen.isCosmetic() || (pen.capStyle() != Qt::SquareCap && pen.capStyle() != Qt::RoundCap))
        return;
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() != t.m22() || !(t.m11() > 0)) return;
    toDevice_ = t;
    halfWidth_ = pen.widthF() * t.m11() / 2;
    if (!(halfWidth_ > 0)) return;
    colour_ = 0xff000000u | (static_cast<std::uint32_t>(colour.red()) << 16) |
              (static_cast<std::uint32_t>(colour.green()) << 8) | static_cast<std::uint32_t>(colour.blue());
    width_ = image->width();
    height_ = image->height();
    // The painter has the picture to itself, so this neither copies it nor moves its pixels.
    bits_ = image->bits();
    bytesPerLine_ = image->bytesPerLine();
    image_ = image;
}

void TCurveRaster::stroke(const QPointF* points, int count) {
    if (!image_ || count < 1) return;
    previous_ = Tile();
    QPointF a = toDevice_.map(points[0]);
    if (count == 1) segment(a, a);
    for (int i = 1; i < count; ++i) {
        const QPointF b = toDevice_.map(points[i]);
        if (b != a || count == 2) segment(a, b);
        a = b;
    }
}

namespace {
/// floor(v) for a v well within the int range.
inline int floorInt(double v) {
    const int i = static_cast<int>(v);
    return i > v ? i - 1 : i;
}
inline int ceilInt(double v) {
    const int i = static_cast<int>(v);
    return i < v ? i + 1 : i;
}

/// One band of a segment's rectangle: the x where lo < coefficient * x + offset < hi, row by row.
/// Dividing by the coefficient once per segment instead of twice per row moves an end by a rounding
/// at most, where a pixel centre's coverage is far below what one step of 255 shows.
struct Band {
    Band(double coefficient, double lo, double hi) : lo(lo), hi(hi) {
        flat = std::fabs(coefficient) < 1e-12;
        inverse = flat ? 0 : 1 / coefficient;
        if (inverse < 0) std::swap(this->lo, this->hi);
    }
    /// Narrows [xl, xr] to the band on a row where the offset is `offset`.
    void narrow(double offset, double& xl, double& xr) const {
        if (flat) {
            if (!(offset > std::min(lo, hi) && offset < std::max(lo, hi))) xr = xl - 1;
            return;
        }
        xl = std::max(xl, (lo - offset) * inverse);
        xr = std::min(xr, (hi - offset) * inverse);
    }
    double lo, hi, inverse;
    bool flat;
};
} // namespace

void TCurveRaster::segment(QPointF a, QPointF b) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double length = std::hypot(dx, dy);
    if (!std::isfinite(length)) return;
    const double ux = length > 0 ? dx / length : 1, uy = length > 0 ? dy / length : 0;
    const double nx = -uy, ny = ux;
    // A pixel centre is covered by how far it lies inside the rectangle widened by half a pixel:
    // across the line within `across` of the axis, along it between `from` and `to`.
    const double across = halfWidth_ + 0.5;
    const double from = -halfWidth_ - 0.5, to = length + halfWidth_ + 0.5;
    const double reach = halfWidth_ + 1;
    const double top = std::min(a.y(), b.y()) - reach, bottom = std::max(a.y(), b.y()) + reach;
    const int y0 = std::max(0, static_cast<int>(std::floor(top))),
              y1 = std::min(height_ - 1, static_cast<int>(std::ceil(bottom)));
    // Columns are found relative to a, like the distances.
    const double left = std::min(0.0, dx) - reach, right = std::max(0.0, dx) + reach;
    Tile& tile = current_;
    tile.x0 = std::max(0, static_cast<int>(std::floor(a.x() + left)));
    tile.y0 = y0;
    tile.w = std::min(width_ - 1, static_cast<int>(std::ceil(a.x() + right))) - tile.x0 + 1;
    tile.h = y1 - y0 + 1;
    if (tile.w <= 0 || tile.h <= 0) return;
    tile.cover.assign(static_cast<std::size_t>(tile.w) * static_cast<std::size_t>(tile.h), 0);
    // The picture is far larger than the cache: its rows are asked for before the coverage is
    // computed, so that the blend finds them loaded.
    for (int y = y0; y <= y1; ++y) {
        const uchar* line = bits_ + static_cast<std::ptrdiff_t>(y) * bytesPerLine_;
        __builtin_prefetch(line + static_cast<std::ptrdiff_t>(tile.x0) * 4, 1);
        __builtin_prefetch(line + static_cast<std::ptrdiff_t>(tile.x0 + tile.w - 1) * 4, 1);
    }
    const Band acrossBand(nx, -across, across), alongBand(ux, from, to);
    const double ax = a.x();
    const int lastColumn = tile.x0 + tile.w - 1;
    for (int y = y0; y <= y1; ++y) {
        const double cy = y + 0.5 - a.y();
        const double acrossOffset = cy * ny, alongOffset = cy * uy;
        // The columns whose centres lie inside on this row: each of the two bands is an interval
        // of x (the whole row when the band runs along it).
        double xl = left, xr = right;
        acrossBand.narrow(acrossOffset, xl, xr);
        alongBand.narrow(alongOffset, xl, xr);
        if (xr < xl) continue;
        // only centres strictly inside both bands have any coverage
        // (limited to the tile first, so that a point far off the picture stays in int range)
        const double lowest = tile.x0 - 2, highest = lastColumn + 2;
        const int c0 = std::max(tile.x0, floorInt(std::clamp(xl + ax - 0.5, lowest, highest)) + 1);
        const int c1 = std::min(lastColumn, ceilInt(std::clamp(xr + ax - 0.5, lowest, highest)) - 1);
        if (c1 < c0) continue;
        std::uint8_t* row =
            tile.cover.data() + static_cast<std::size_t>(y - y0) * static_cast<std::size_t>(tile.w) - tile.x0;
        int c = c0;
#if defined(__SSE2__)
        // Two columns at a time, with the very operations of the loop below (the same values).
        {
            const __m128d vnx = _mm_set1_pd(nx), vux = _mm_set1_pd(ux), vax = _mm_set1_pd(ax);
            const __m128d vAcross = _mm_set1_pd(across), vFrom = _mm_set1_pd(from), vTo = _mm_set1_pd(to);
            const __m128d vAcrossOffset = _mm_set1_pd(acrossOffset), vAlongOffset = _mm_set1_pd(alongOffset);
            const __m128d zero = _mm_setzero_pd(), one = _mm_set1_pd(1.0), half = _mm_set1_pd(0.5);
            const __m128d full = _mm_set1_pd(255.0);
            const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffffLL));
            for (; c < c1; c += 2) {
                const __m128d cx = _mm_sub_pd(_mm_add_pd(_mm_cvtepi32_pd(_mm_setr_epi32(c, c + 1, 0, 0)), half), vax);
                const __m128d inAcross =
                    _mm_sub_pd(vAcross, _mm_and_pd(_mm_add_pd(_mm_mul_pd(cx, vnx), vAcrossOffset), magnitude));
                const __m128d along = _mm_add_pd(_mm_mul_pd(cx, vux), vAlongOffset);
                const __m128d inAlong = _mm_min_pd(_mm_sub_pd(along, vFrom), _mm_sub_pd(vTo, along));
                const __m128d cover = _mm_mul_pd(_mm_max_pd(_mm_min_pd(inAcross, one), zero),
                                                 _mm_max_pd(_mm_min_pd(inAlong, one), zero));
                const __m128i value = _mm_cvttpd_epi32(_mm_add_pd(_mm_mul_pd(cover, full), half));
                row[c] = static_cast<std::uint8_t>(_mm_cvtsi128_si32(value));
                row[c + 1] = static_cast<std::uint8_t>(_mm_extract_epi16(value, 2));
            }
        }
#endif
        for (; c <= c1; ++c) {
            const double cx = c + 0.5 - ax;
            const double inAcross = across - std::fabs(cx * nx + acrossOffset);
            const double along = cx * ux + alongOffset;
            const double inAlong = std::min(along - from, to - along);
            // each factor limited to 0..1 (without branches: the centres near an edge alternate)
            const double cover = std::max(0.0, std::min(inAcross, 1.0)) * std::max(0.0, std::min(inAlong, 1.0));
            row[c] = static_cast<std::uint8_t>(cover * 255 + 0.5);
        }
        blendRow(y, c0, c1, row);
    }
    std::swap(current_, previous_);
}

void TCurveRaster::blendRow(int y, int c0, int c1, const std::uint8_t* cover) {
    // Where the segment before covered a pixel too, only the coverage beyond its own is added:
    // blending alpha p and then (c - p) / (1 - p) gives alpha c, as one blend of the larger
    // coverage would, so a join is not darker than the line.
    const Tile& before = previous_;
    const std::uint8_t* previous = nullptr;
    int p0 = 0, p1 = -1;
    if (y >= before.y0 && y < before.y0 + before.h && before.w > 0) {
        previous = before.cover.data() + static_cast<std::size_t>(y - before.y0) * static_cast<std::size_t>(before.w) -
                   before.x0;
        p0 = before.x0;
        p1 = before.x0 + before.w - 1;
    }
    auto* line = reinterpret_cast<std::uint32_t*>(bits_ + static_cast<std::ptrdiff_t>(y) * bytesPerLine_);
    for (int c = c0; c <= c1; ++c) {
        const std::uint32_t a = cover[c];
        if (a == 0) continue;
        const std::uint32_t p = c >= p0 && c <= p1 ? previous[c] : 0;
        if (a <= p) continue;
        const std::uint32_t alpha = p == 0 ? a : ((a - p) * 255 + (255 - p) / 2) / (255 - p);
        line[c] = alpha >= 255 ? colour_ : mix(colour_, line[c], alpha);
    }
}

} // namespace kurvo

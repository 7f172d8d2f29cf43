// TCoordinateSetPlotter: marks, connecting lines and colours of the coordinate sets, and their fit.
#include "CoordinateSetPlotter.h"

#include "Errors.h"

#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace kurvo {
namespace {

// A line from a to b without its end point, as the marks are defined (only straight and diagonal
// lines occur, so one step back along each axis is the last pixel before b).
void lineWithoutEnd(QPainter& p, QPoint a, QPoint b) {
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    const QPoint last(b.x() - sign(b.x() - a.x()), b.y() - sign(b.y() - a.y()));
    p.drawLine(a, last);
}

QPolygon square(int n, int k, int r) {
    return QPolygon({QPoint(n - r, k - r), QPoint(n + r, k - r), QPoint(n + r, k + r), QPoint(n - r, k + r)});
}

QPolygon diamond(int n, int k, int r) {
    return QPolygon({QPoint(n - r, k), QPoint(n, k + r), QPoint(n + r, k), QPoint(n, k - r)});
}

// A point's pixel, or nothing when it lies so far outside the picture that no integer holds it.
std::optional<QPoint> pixelOf(const TPlotRenderer& e, const TDataPoint& point) {
    try {
        return QPoint(e.WorldToPixelX(point.x), e.WorldToPixelY(point.y));
    } catch (const EMathError&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<TDataSetFit> fitCoordinateSets(const TDataSetStore& store, int count) {
    Extended minX = 0, maxX = 0, minY = 0, maxY = 0;
    const std::size_t sets =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(count, 0)), store.setCount());
    for (std::size_t i = 0; i < sets; ++i)
        for (const TDataPoint& p : store.points(i)) {
            minX = std::min<Extended>(minX, p.x);
            maxX = std::max<Extended>(maxX, p.x);
            minY = std::min<Extended>(minY, p.y);
            maxY = std::max<Extended>(maxY, p.y);
        }
    if (minX == 0) minX -= (maxX - minX) / 15;
    if (minY == 0) minY -= (maxY - minY) / 15;
    if (!(minX != 0 && maxX != 0) && !(minY != 0 && maxY != 0)) return std::nullopt;
    TDataSetFit fit{1.2L * minX, 1.2L * maxX, 1.2L * minY, 1.2L * maxY, maxX > minX, maxY > minY};
    // Far-apart points can overflow the widened bounds; such an axis keeps its range.
    if (!std::isfinite(fit.Xmin) || !std::isfinite(fit.Xmax)) fit.fitX = false;
    if (!std::isfinite(fit.Ymin) || !std::isfinite(fit.Ymax)) fit.fitY = false;
    if (!fit.fitX && !fit.fitY) return std::nullopt;
    return fit;
}

void TCoordinateSetPlotter::drawMark(QPainter& p, int markType, int n, int k, const QColor& colour,
                                     bool outline) {
    const QPen setPen(colour, 1);
    const QPen outlinePen(outline ? QColor(Qt::black) : colour, 1);
    p.setPen(setPen);
    p.setBrush(colour);
    switch (markType) {
    case 1:
        p.drawPoint(n, k);
        break;
    case 2:
        lineWithoutEnd(p, {n - 5, k}, {n + 5, k});
        lineWithoutEnd(p, {n, k - 5}, {n, k + 5});
        break;
    case 3:
        lineWithoutEnd(p, {n - 5, k - 5}, {n + 6, k + 6});
        lineWithoutEnd(p, {n + 5, k - 5}, {n - 6, k + 6});
        break;
    case 4:
    case 5:
    case 6:
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(markType == 4 ? square(n, k, 2) : markType == 5 ? square(n, k, 5) : diamond(n, k, 3));
        break;
    case 7:
        p.setBrush(Qt::NoBrush);
        p.setPen(outlinePen);
        p.drawPolygon(diamond(n, k, 5));
        break;
    case 8:
    case 9:
        p.setPen(outlinePen);
        p.drawPolygon(square(n, k, markType == 8 ? 2 : 5));
        break;
    case 10:
    case 11:
        p.setPen(outlinePen);
        p.drawPolygon(diamond(n, k, markType == 10 ? 3 : 5));
        break;
    case 12:
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRect(n - 3, k - 3, 6, 6));
        break;
    default:
        break;
    }
    // Connecting lines are always in the set colour.
    p.setPen(setPen);
}

void TCoordinateSetPlotter::PlotCoordinateSets() {
    const TDataSetStore& store = e_.Document.DataSets;
    const int count = std::min<int>(store.dataSetCount(), static_cast<int>(store.setCount()));
    if (count <= 0) return;
    const int last = store.dataSetCount() - 1;
    const int first = store.singleSetOnly() ? last : 0;
    const TSettingsRecord& s = e_.Settings;

    QPainter& p = e_.canvas();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false); // marks are exact pixel shapes
    e_.Feedback.setCursor(TPaintFeedback::Cursor::Hourglass);
    for (int i = first; i <= last; ++i) {
        // The sets are taken from the start of the store, one per index.
        const auto set = static_cast<std::size_t>(i - first);
        if (set >= store.setCount()) break;
        const QColor colour = e_.colour(s.MarkColours[static_cast<std::size_t>(i % 5)]);
        std::optional<QPoint> previous;
        bool stopped = false;
        for (const TDataPoint& point : store.points(set)) {
            if (e_.stopRequested()) {
                stopped = true;
                break;
            }
            const std::optional<QPoint> at = pixelOf(e_, point);
            if (at) {
                drawMark(p, s.MarkType, at->x(), at->y(), colour, s.outlineMarks);
                if (s.connectMarks && previous) p.drawLine(*previous, *at);
            }
            previous = at; // a point beyond any pixel breaks the line
        }
        if (stopped) e_.Feedback.setCursor(TPaintFeedback::Cursor::Hourglass);
    }
    e_.Feedback.setCursor(TPaintFeedback::Cursor::Normal);
    p.restore();
}

} // namespace kurvo

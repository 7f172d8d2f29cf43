// Transformations that keep their history in the drawing, and the marks and mirror line drawn.
#include "DocumentMarks.h"

#include "CoordinateSetPlotter.h"
#include "Errors.h"
#include "MirrorLine.h"
#include "PlotRenderer.h"

namespace kurvo {

bool hasFirstSetPoints(const TGraphDocument& document) {
    const TDataSetStore& store = document.DataSets;
    return store.setCount() > 0 && !store.points(0).empty();
}

TTransformResult transformFirstSet(TGraphDocument& document, const std::vector<TDataPoint>& image,
                              const std::optional<TMirrorLine>& mirror) {
    if (!hasFirstSetPoints(document)) return TTransformResult::NoPoints;
    TDataSetStore& store = document.DataSets;
    const std::span<const TDataPoint> before = store.points(0);
    // The colour the set is drawn in now: its index, or the last count's while only it is drawn.
    const int colour = store.singleSetOnly() ? store.dataSetCount() - 1 : 0;
    TTransformMarks kept{std::vector<TDataPoint>(before.begin(), before.end()), colour};
    if (!store.replaceSet(0, image)) return TTransformResult::ImageTooLarge;
    document.TransformHistory.push_back(std::move(kept));
    document.Mirror = mirror;
    store.setSingleSetOnly(true);
    store.setDataSetCount(store.dataSetCount() + 1);
    return TTransformResult::Done;
}

namespace {

void drawHistory(TPlotRenderer& r) {
    const TSettingsRecord& s = r.Settings;
    QPainter& p = r.canvas();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false); // marks are exact pixel shapes
    for (const TTransformMarks& marks : r.Document.TransformHistory) {
        const QColor colour = r.colour(s.MarkColours[static_cast<std::size_t>(((marks.colour % 5) + 5) % 5)]);
        std::optional<QPoint> previous;
        for (const TDataPoint& point : marks.points) {
            std::optional<QPoint> at;
            try {
                at = QPoint(r.WorldToPixelX(point.x), r.WorldToPixelY(point.y));
            } catch (const EMathError&) {
                // a point beyond any pixel is left out and breaks the line
            }
            if (at) {
                TCoordinateSetPlotter::drawMark(p, s.MarkType, at->x(), at->y(), colour, s.outlineMarks);
                if (s.connectMarks && previous) {
                    p.setPen(colour);
                    p.drawLine(*previous, *at);
                }
            }
            previous = at;
        }
    }
    p.restore();
}

} // namespace

void drawDataSetsAndMarks(TPlotRenderer& renderer) {
    const TGraphDocument& doc = renderer.Document;
    if (!doc.DataSetPlotting) return;
    if (!doc.TransformHistory.empty()) drawHistory(renderer);
    TCoordinateSetPlotter(renderer).PlotCoordinateSets();
    if (const std::optional<TMirrorLine>& m = doc.Mirror) {
        if (m->vertical)
            drawVerticalMirrorLine(renderer.canvas(), renderer.View, m->intercept);
        else
            drawMirrorLine(renderer.canvas(), renderer.View, m->slope, m->intercept);
    }
}

} // namespace kurvo
